// A group box drawn in the program's look. Styles: 0 a frame with the caption
// on its top line, 1 a filled caption band over a square frame, 2 the same
// with rounded corners. Colours: frame and band, caption text, and the
// caption's background (style 0).
#pragma once

#include <afxwin.h>

#include "widgets/WidgetLook.h"

class CMyGroupbox : public CButton {
public:
    CMyGroupbox();
    ~CMyGroupbox() override;

    void SetCaptionHeight(int height);
    int GetCaptionHeight() const { return m_captionHeight; }
    void SetStyle(int style);
    int GetGroupStyle() const { return m_style; }
    void SetColors(COLORREF frame, COLORREF captionText, COLORREF captionBack);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    int m_captionHeight = 20;
    int m_style = 2;
    COLORREF m_frame = widgets::kLookGreen;
    COLORREF m_captionText = widgets::kLookWhite;
    COLORREF m_captionBack = widgets::kLookWhite;
};
