// The docking strip along one edge of a frame: rows of bars stacked across its
// thickness (top to bottom, or left to right). It decides the row a bar docks
// into, moves bars between rows while they are dragged, and grows and shrinks
// with its rows.
#pragma once

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockGeometry.h"

class CKGPControlBar;

class CKGPDockBar : public CKGPBaseControlBar {
    DECLARE_DYNCREATE(CKGPDockBar)
public:
    CKGPDockBar() = default;
    ~CKGPDockBar() override;

    BOOL CanAcceptBar(const CKGPBaseControlBar* pBar) const override;
    BOOL AllowsInsertBefore() const override { return FALSE; }
    BOOL IsResizable() const override { return FALSE; }
    BOOL DocksAtFrameEdge() const override { return FALSE; }
    void OnRelayoutHook() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    virtual BOOL IsDragModeAny() const;
    // Auto-hide dock bars leave room for each other at the frame's corners.
    virtual BOOL IsAutoHideDockBar() const { return FALSE; }
    // Library-wide: the gap between auto-hide toolbars along their row and where
    // the first begins (0 until the frame sets them).
    static int s_nAutoHideGap;
    static int s_nAutoHideStartOffset;
    KGPDock::EdgeOffsets GetCornerOffsets() const { return m_cornerOffsets; }
    void SetCornerOffsets(const KGPDock::EdgeOffsets& offsets) { m_cornerOffsets = offsets; }
    virtual CKGPDockBarRow* CreateRow(int nOffset, int nHeight);
    virtual void DockControlBar(CKGPControlBar* pBar, KGPDockMethod method, LPCRECT lpRect = nullptr);
    virtual BOOL DockControlBarBefore(CKGPControlBar* pNewBar, CKGPControlBar* pExistingBar);
    virtual void RemoveControlBar(CKGPBaseControlBar* pBar);
    // Immediate-mode drag: TRUE when the bar floated away.
    virtual BOOL MoveControlBar(CKGPControlBar* pBar, UINT nFlags, int dx, int dy);
    virtual int ExpandRow(CKGPDockBarRow* pRow, int nDelta);
    // Rows after the position move away from the edge by the row's height
    // there (inserted), or back by it when it goes or hides.
    virtual void OnInsertRow(POSITION pos);
    virtual void OnRemoveRow(POSITION pos, BOOL bByShow = FALSE);
    virtual void OnShowRow(POSITION pos, BOOL bShow);
    virtual void OnResizeDockBar(const CRect& rectNew);
    virtual void RepositionAllRows();
    virtual CKGPBaseControlBar* FindBarAtPoint(CPoint pt);
    virtual void RecalcParentLayout();
    virtual UINT GetDockBarID() const { return m_nDockBarID; }
    virtual HDWP MoveDockBar(const CRect& rect, HDWP hdwp);
    // A dock bar is made with new and deletes itself when its window goes; when
    // CreateEx fails it has already deleted itself.
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwAlignment, CWnd* pParentWnd, DWORD dwBarStyle,
                          CCreateContext* pContext = nullptr);

    // Shows or hides a docked bar inside its row.
    void ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    const CObList& GetControlBars() const { return m_lstControlBars; }
    const CObList& GetRows() const { return m_lstDockBarRows; }
    int GetRowIndex(const CKGPDockBarRow* pRow) const;
    // The next visible row from pos (from the head or tail when null); null when none.
    POSITION GetNextVisibleRow(POSITION pos, BOOL bForward) const;
    CKGPDockBarRow* FindRowByBar(const CKGPBaseControlBar* pBar) const;
    CKGPDockBarRow* FindRowAtPoint(CPoint ptScreen, BOOL& bBeforeDockBar) const;
    CKGPDockBarRow* FindRowAtRect(const CRect& rectScreen) const;
    CKGPBaseControlBar* FindBarByID(UINT nID) const;
    BOOL SwapRows(CKGPDockBarRow* pFirst, CKGPDockBarRow* pSecond);
    // A new row before `pos` (null: at the end).
    CKGPDockBarRow* AddRow(POSITION pos, int nHeight);
    void RemoveRow(CKGPDockBarRow* pRow);
    int ResizeRow(CKGPDockBarRow* pRow, int nNewHeight, BOOL bAdjustLayout = TRUE);
    void ShowRow(CKGPDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout);
    void ResizeDockBar(int nDelta, BOOL bAdjustLayout);
    // While a saved layout puts bars back by their row indexes, a row its
    // bars leave stays (empty) so that the rows of the bars that stay keep
    // their indexes; RemoveEmptyRows ends that and lets every empty row go.
    void KeepEmptyRows() { m_bKeepEmptyRows = TRUE; }
    BOOL KeepsEmptyRows() const { return m_bKeepEmptyRows; }
    void RemoveEmptyRows();

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    void PostNcDestroy() override;
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    CKGPDockBarRow* VisibleRowAt(CPoint ptClient) const;
    void ShiftRowsAfter(POSITION pos, int nDelta);

    CObList m_lstControlBars;
    COwningPtrList<CObList, CKGPDockBarRow*> m_lstDockBarRows;
    UINT m_nDockBarID = 0;
    KGPDock::EdgeOffsets m_cornerOffsets;
    BOOL m_bKeepEmptyRows = FALSE;
};
