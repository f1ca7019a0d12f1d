// The edit of the wizard pages: white field, a thin frame that turns green
// while the edit has the focus.
#pragma once

#include <afxwin.h>

#include "widgets/WidgetLook.h"

class CTranEdit : public CEdit {
public:
    CTranEdit();
    ~CTranEdit() override;

    void SetColors(COLORREF text, COLORREF back);

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnNcPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void UseTextFontIfNone();
    COLORREF m_text = widgets::kLookText;
    COLORREF m_back = widgets::kLookWhite;
    CGdiHandle<HBRUSH> m_backBrush;
};
