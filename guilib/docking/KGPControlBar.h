// The dockable bar of the library: lives in a row of a dock bar along a frame
// edge or alone in a floating frame. It is dragged along and between rows (the
// bar itself follows the mouse) or as an outline (drag-frame mode), floats in a
// new floating frame, docks into dock bars, stretches and shrinks inside its
// row, remembers its recent docked and floating places and keeps its state in
// the registry.
#pragma once

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPControlBarImpl.h"
#include "guilib/docking/KGPDragFrameImpl.h"
#include "guilib/docking/KGPRecentDockInfo.h"

// The docking-options menu's commands.
constexpr UINT KGP_IDC_FLOAT = 0xFF9A;          // -102
constexpr UINT KGP_IDC_DOCK = 0xFF99;           // -103
constexpr UINT KGP_IDC_AUTOHIDE = 0xFF98;       // -104
constexpr UINT KGP_IDC_HIDE = 0xFF97;           // -105
constexpr UINT KGP_IDC_TABBED_DOCUMENT = 0xFF96; // -106

class CKGPControlBar : public CKGPBaseControlBar {
    DECLARE_DYNCREATE(CKGPControlBar)
public:
    CKGPControlBar();
    // A bar deleted while its window lives leaves its row and dock bar first:
    // past this destructor its own handlers no longer run.
    ~CKGPControlBar() override;

    // ---- Base overrides.
    BOOL IsTabbed() const override;
    BOOL IsFloating() const override { return !IsDocked(); }
    BOOL IsResizable() const override { return FALSE; }
    BOOL DocksAtFrameEdge() const override { return FALSE; }
    BOOL CanBeDocked(CKGPBaseControlBar* pDockBar) const override;
    BOOL IsInMDITabMode() const override;
    BOOL DockToBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override;
    BOOL FloatBar(CRect rect, KGPDockMethod method = KGP_DM_UNKNOWN, bool bShow = true) override;
    void AdjustHostLayout() override;
    CKGPMiniFrameWnd* CreateFloatingFrame(CRect rect, KGPDockMethod method = KGP_DM_UNKNOWN) override;
    // After the base bar's data: the floating and docked rectangles and the
    // recent row index. Loading reads it whole before the bar takes it.
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- Own operations.
    virtual BOOL IsDragMode() const { return m_bDragMode; }
    virtual void GetMinSize(CSize& size) const { size = m_sizeMin; }
    void SetMinSize(CSize size) { m_sizeMin = size; }
    virtual int GetDefaultStep() const { return 10; }
    virtual int GetDefaultIndex() const { return -1; }
    virtual int GetExpandableSize() const;
    virtual int GetAvailableShrink() const;
    virtual BOOL CanShareRow() const { return m_nExclusiveRow == 0; }
    // TRUE for a bar that takes its row's whole length wherever the row runs
    // (a docked menu bar): its full length follows the row's.
    virtual BOOL FillsItsRow() const { return FALSE; }
    virtual void CopyStateFrom(CKGPControlBar* pOther);
    virtual BOOL AllowsDefaultAction() const { return TRUE; }
    virtual void GetBarName(CString& strName) const;
    virtual void SetThirdOption(BOOL bActive) { m_bActive = bActive; }
    virtual void SetExclusiveRow(int nMode) { m_nExclusiveRow = nMode; }
    virtual int GetExclusiveRow() const { return m_nExclusiveRow; }
    virtual void PrepareToDock(CKGPDockBar* pDockBar, KGPDockMethod method);
    virtual BOOL DockByMouse(CKGPBaseControlBar* pDockBar) { return DockToBar(pDockBar, nullptr, KGP_DM_MOUSE); }
    virtual CSize GetExtraSize() const { return CSize(0, 0); }
    // The width a floating bar last took (its rows are wrapped to it; 32767:
    // one row).
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    // Moves the bar to the rectangle (screen); unless bIgnoreMin a side below
    // the minimum grows back by the edge that moved. The change of width and height.
    virtual CSize ResizeToRect(CRect rect, BOOL bIgnoreMin = FALSE);
    virtual int StretchBar(int nDelta);
    // The bar a drag-frame drop gives: the bar itself when nothing is to float,
    // another (or none) when the bar floats at the drop; handled when it docked.
    virtual CKGPBaseControlBar* DockAtDragFrameDrop(BOOL& bHandled);
    // TRUE when a docked bar is to leave its dock bar, or a floating bar to dock into pTarget.
    virtual BOOL ShouldChangeDockState(int nSensitivity, CKGPDockBar*& pTarget);
    // While its floating frame is dragged: how the bar would dock at the cursor
    // (KGPDock::DockDecision) and onto what; a bar docks onto dock bars.
    virtual int GetDockMethodAtCursor(int nSensitivity, CKGPBaseControlBar*& pTarget);
    virtual void RestoreLoadedPlacement(CKGPDockManager* pDockManager);
    virtual void OnDoubleClickEndDrag();
    virtual BOOL OnBeforeFloat(CRect& /*rect*/, KGPDockMethod /*method*/) { return TRUE; }
    // Asked by its floating frame when a drag of it ends at ptScreen, before
    // the frame docks it: a bar that went to a host of its own there (a page
    // joining the outlook bar under the cursor) answers TRUE.
    virtual BOOL OnFloatingDrop(CPoint /*ptScreen*/) { return FALSE; }
    // Asked when the floating frame's drag is undone (Esc) or the frame is
    // double-clicked, before the bar docks at its recent place: TRUE when it
    // went back to a host of its own (a page back in its outlook bar).
    virtual BOOL ReturnToRecentHost() { return FALSE; }
    virtual void RecalcNcFrame();
    virtual BOOL Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwBarStyle = KGP_BARSTYLE_FLOAT, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, DWORD dwBarStyle = KGP_BARSTYLE_FLOAT, CCreateContext* pContext = nullptr);
    // The change of width and height a move to the rectangle would make (after
    // widening it to the minimum size).
    virtual CSize CalcSizeChange(CRect rect) const;
    virtual void AdjustLayout();
    virtual void ToggleAutoHide() {}
    virtual void CloseFloatingFrame();
    virtual void OnTabbedDocumentCommand(BOOL /*bTabbed*/) {}
    // The docking-options menu (needs the context-menu manager: without it, FALSE).
    virtual BOOL OnShowControlBarMenu(CPoint point);
    virtual BOOL OnBeforeShowBarMenu(CMenu& /*menu*/) { return TRUE; }
    virtual BOOL OnBeforeBarMenuCommand(UINT /*nCommand*/) { return TRUE; }
    virtual void EnterDragModeNoOffset() { EnterDragMode(FALSE); }
    virtual void ReservedHookB(int /*nFirst*/, int /*nSecond*/) {}
    virtual BOOL OnBeforeDock(CKGPBaseControlBar** ppDockBar, LPCRECT lpRect, KGPDockMethod method);
    virtual void OnAfterDock(CKGPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, KGPDockMethod /*method*/) {}
    virtual void OnBeforeStretch(int& /*nDelta*/) {}
    virtual void OnAfterStretch(int /*nDelta*/) {}
    virtual void MoveToNewParent(CWnd* pNewParent, KGPDockMethod method);
    virtual void SetDragMode(BOOL bOn) { m_bDragMode = bOn; }
    virtual BOOL DockControlBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method);
    virtual void EnterDragMode(BOOL bRememberOffset);
    virtual void StoreRecentDockInfo();
    virtual void OnAfterChangeParent(CWnd* pOldParent);
    virtual void RemoveFromDockBar();
    virtual void OnRemoveFromDock(BOOL bNoLayout);

    // The size the bar asks for (its content); the layout rectangle and the
    // virtual rectangle follow it. Derived bars override CalcFixedLayout.
    void SetFixedSize(CSize size) { m_sizeFixed = size; }

    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
    void SetBordersFromRect(const CRect& rect) { SetBorders(rect.left, rect.top, rect.right, rect.bottom); }
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // How much wider and higher the window is than its client area (borders
    // and gripper) when it lies along (bHorz) or across a horizontal edge.
    CSize CalcNonClientSize(BOOL bHorz) const;
    void UpdateVirtualRect();
    void SetVirtualRect(int cx, int cy);
    // The full length along the bar's row, its place and thickness kept.
    void SetVirtualLength(int nLength);
    void GetVirtualRect(CRect& rect) const { rect = m_rectVirtual; }
    void GetVirtualRectScreen(CRect& rect) const;
    void OffsetVirtualRect(int dx, int dy);
    BOOL MoveVirtualRectByAlignment(DWORD dwAlignment, int nOffset);
    BOOL IsBefore(CPoint point, BOOL bScreen) const;
    void StoreRecentDockedRect();
    // The docked rectangle read with the bar's saved values.
    const CRect& GetLoadedDockedRect() const { return m_rectLoadedDocked; }
    CPoint GetDragOffset() const { return m_ptClientHotSpot; }
    void SetDragOffset(CPoint point) { m_ptClientHotSpot = point; }
    BOOL IsDragging() const { return m_bCaptured; }
    int GetPinState() const { return m_nPinState; }
    void SetPinState(int nState) { m_nPinState = nState; }
    // The class made when the bar floats.
    void SetMiniFrameRTC(CRuntimeClass* pClass) { m_pMiniFrameRTC = pClass; }

    BOOL m_bGroupStart = TRUE;
    BOOL m_bGroupEnd = TRUE;
    BOOL m_bActive = TRUE;
    BOOL m_bRowChanged = FALSE;
    CKGPRecentDockInfo m_recentDockInfo;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    DECLARE_MESSAGE_MAP()

    // Ends a drag as Esc or a lost capture does: the bar keeps its place.
    void CancelDrag(BOOL bEndDragFrame);
    // The end of a drag at the button's release (step by step as the mode says).
    void EndDragAtButtonUp(UINT nFlags, CPoint point);
    BOOL IsDragFrameMode() const { return (GetDockingMode() & KGP_DOCK_DRAGFRAME) != 0; }

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_nSpacing = 2;
    int m_nMRUWidth = 32767;
    CRect m_rectVirtual;
    CRect m_rectDragStart;
    BOOL m_bCaptured = FALSE;
    UINT m_nID = 0;
    CPoint m_ptClientHotSpot;
    BOOL m_bDblClickSeen = FALSE;
    BOOL m_bDragMode = FALSE;
    CRuntimeClass* m_pMiniFrameRTC = nullptr;
    CKGPDragFrameImpl m_dragFrameImpl;
    HWND m_hwndMiniFrameToBeClosed = nullptr;
    int m_nExclusiveRow = 0;
    int m_nPinState = 0;
    CSize m_sizeMin{1, 1};
    CSize m_sizeFixed{0, 0};
    CRect m_rectLoadedDocked;
    BOOL m_bLoadedFloating = FALSE;
    BOOL m_bClickPassedToMiniFrame = FALSE;
    // Sizes and paints the borders and gripper.
    CKGPControlBarImpl m_barImpl{this};
};
