// A picture static: draws a skin image (not owned) scaled to fit and shows its
// cursor over it. A click (press and release inside) posts WM_USER+9 with the
// control id to the parent.
#pragma once

#include <afxwin.h>

class CSkinImage;

constexpr UINT WM_PICTURE_CLICKED = WM_USER + 9;

class CImageStatic : public CStatic {
public:
    CImageStatic();
    ~CImageStatic() override;

    void SetImage(const CSkinImage* image);
    const CSkinImage* GetImage() const { return m_image; }
    // The cursor shown over the picture (not owned); nullptr for the arrow.
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    const CSkinImage* m_image = nullptr;
    HCURSOR m_cursor = nullptr;
    bool m_pressed = false;
};
