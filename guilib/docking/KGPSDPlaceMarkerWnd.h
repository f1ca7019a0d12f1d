// The place marker: a pop-up over the place a dragged pane would take,
// translucent where layered windows work, else painted with an inverting
// pattern; shaped like a tabbed pane when the pane would become a tab.
#pragma once

#include <afxwin.h>

class CKGPSDPlaceMarkerWnd : public CWnd {
public:
    BOOL Create(CWnd* pFrame);
    // Shows the rectangle (screen); the same rectangle again does nothing.
    void ShowAt(const CRect& rect);
    // The rectangle with a tab of the width at the offset from its left,
    // below it (above it when tabs are on top).
    void ShowTabbedAt(const CRect& rect, int nTabOffset, int nTabWidth, int nTabHeight, BOOL bTabsOnTop = FALSE);
    void Hide();

    BOOL IsShown() const { return m_bShown; }
    BOOL IsTabbedShape() const { return m_bTabbedShape; }
    CRect GetShownRect() const { return m_rectLast; }
    BOOL IsLayered() const { return m_bLayered; }
    // How often it was painted (a repeated show at the same place paints nothing).
    int GetPaintCount() const { return m_nPaints; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    void MoveTo(const CRect& rect, HRGN shape);

    CWnd* m_pFrame = nullptr;
    CRect m_rectLast;
    CRect m_rectTab;
    BOOL m_bTabbedShape = FALSE;
    BOOL m_bShown = FALSE;
    BOOL m_bLayered = FALSE;
    COLORREF m_clrMarker = RGB(47, 103, 190);
    int m_nPaints = 0;
};
