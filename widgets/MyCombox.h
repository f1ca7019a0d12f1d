// The skinned drop-down combo box: a flat frame in the normal colour (the
// highlight colour while hot, focused or dropped down), a green drop button,
// and the item texts in the text colour over the background colour.
#pragma once

#include <afxwin.h>

#include "widgets/HotTracker.h"
#include "widgets/WidgetLook.h"

class CMyCombox : public CComboBox {
public:
    CMyCombox();
    ~CMyCombox() override;

    COLORREF m_crNormal = widgets::kLookBorderGrey;
    COLORREF m_crHighlight = widgets::kLookGreen;
    COLORREF m_crText = widgets::kLookText;
    COLORREF m_crBack = widgets::kLookWhite;

    void SetColors(COLORREF normal, COLORREF highlight);
    void SetTextColor(COLORREF text);
    void SetBkColor(COLORREF back);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void Paint(HDC dc);
    CGdiHandle<HBRUSH> m_backBrush;
    widgets::CHotTracker m_hot;
};
