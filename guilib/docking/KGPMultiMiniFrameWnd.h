// The floating frame of docking panes: several panes float in it together,
// side by side in a split tree (its own container manager) with sliders
// between them. Panes are dragged into it, out of it and between such
// frames; a frame dropped on another merges into it; a double click on its
// caption docks every pane back to its own docked place. With one visible
// pane the frame shows that pane's title and hides the pane's caption; with
// several it shows every pane's caption. Dropped on a pane's caption or tab
// area (or the markers' centre over it), its visible panes become that
// pane's tabs; docked while the mouse still drags it, its first pane goes on
// being dragged.
#pragma once

#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

class CKGPDockingControlBar;

class CKGPMultiMiniFrameWnd : public CKGPMiniFrameWnd {
    DECLARE_SERIAL(CKGPMultiMiniFrameWnd)
public:
    CKGPMultiMiniFrameWnd();
    ~CKGPMultiMiniFrameWnd() override;

    // The floating frame's fields, then its split tree; loading reads both
    // whole before the frame is made.
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;

    // ---- Own operations, in slot order.
    // Merges the other frame's visible panes into this one at the cursor
    // (beside the pane there, or as its tabs on its caption or tab area):
    // 0 done, 1 not (nothing moved).
    virtual int DockFrame(CKGPMultiMiniFrameWnd* pOtherFrame, KGPDockMethod method);
    // Inserts the pane at the place under the cursor; TRUE when it could not
    // (checked before the pane moves, and put back where it was should the
    // tree still refuse it).
    virtual BOOL DockPaneAtCursor(CKGPDockingControlBar* pPane);
    // Puts the pane back at its recent floating place in this frame (1), or not (0).
    virtual int AddRecentPane(CKGPDockingControlBar* pPane);
    // Whether AddRecentPane would take the pane back, asked before it leaves
    // where it is now.
    BOOL CanAddRecentPane(CKGPDockingControlBar* pPane);
    CKGPDockingControlBar* RecordedTabNeighbour(CKGPDockingControlBar* pPane) const;
    virtual void DockRecentPane(CKGPDockingControlBar* pPane);
    virtual BOOL RegisterPane(CKGPDockingControlBar* pPane);

    // ---- Floating-frame overrides.
    BOOL IsMultiPaneFrame() const override { return TRUE; }
    BOOL CanBeAttachedTo(CKGPBaseControlBar* pTarget) override;
    BOOL GetHostedBarKindFlag() const override { return TRUE; }
    int GetControlBarCount() const override;
    int GetVisibleBarCount() const override;
    CWnd* GetControlBar() const override;
    CWnd* GetFirstVisibleBar() const override;
    void AddControlBar(CKGPBaseControlBar* pBar) override;
    void RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty = FALSE,
                          BOOL bKeepWhenEmpty = FALSE) override;
    void ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith) override;
    BOOL InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pBarToInsertAt, BOOL bAfter) override;
    void CheckGripperVisibility() override;
    int DockToTarget(int nKind, CKGPBaseControlBar* pTarget, KGPDockMethod method = KGP_DM_UNKNOWN) override;
    void DockOnDoubleClick() override;
    CString GetCaptionText() override;
    void HitTestDockArea(CPoint point, CWnd* pWndToDock, CRect& rectResult, BOOL& bDrawTab) override;
    CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility) override;
    void AdjustLayout() override;
    void RecalcLayout() override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1) override;
    BOOL SetDockState(CKGPDockManager* pDockManager) override;
    BOOL LoadedRecordFitsTakenOver() const override;
    void RecordPanePlace(CKGPBaseControlBar* pPane) override;
    void RecordTabPlace(CKGPBaseControlBar* pPane, CKGPBaseControlBar* pTabbedPane) override;
    void ShowPane(CKGPBaseControlBar* pPane, BOOL bShow) override;
    void ValidateHostedBar() override;
    void SetRollUpTimer() override;
    void KillRollUpTimer() override;
    void RecalcPaneFrames() override;
    void ConvertToTabbedDocument() override;
    void SaveRecentFloatingState() override;
    void CloseMiniFrame() override;
    CKGPBaseControlBar* DockBarByMouse(BOOL& bDocked) override;
    void CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI) override;

    CKGPBarContainerManager& GetContainerManager() { return m_barContainerManager; }
    void SetLastFocusedPane(CKGPDockingControlBar* pPane);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Its panes, a tabbed one too, are stored in its tree.
    BOOL StoresTabbedPaneRecord() const override { return FALSE; }
    // The pane of the tree at a screen point and the side of it the point is
    // near; TRUE when the point asks for a tab (a caption or a tab area).
    BOOL TargetAt(CPoint point, CKGPDockingControlBar*& pTarget, DWORD& dwAlignment) const;
    // Each pane of the tree, as a docking pane.
    template <class Visit>
    void ForEachPane(Visit visit) const;

    CKGPBarContainerManager m_barContainerManager;
    HWND m_hWndLastFocused = nullptr;
};
