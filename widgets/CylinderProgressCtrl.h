// The status bar's progress bar, drawn as a lit cylinder. It answers the
// standard progress-bar messages itself (PBM_SETRANGE, PBM_SETRANGE32,
// PBM_GETRANGE, PBM_SETPOS, PBM_GETPOS, PBM_DELTAPOS, PBM_SETSTEP, PBM_STEPIT,
// PBM_SETBARCOLOR, PBM_SETBKCOLOR), so the native bar never paints.
#pragma once

#include <afxcmn.h>

#include "widgets/ProgressModel.h"

class CCylinderProgressCtrl : public CProgressCtrl {
public:
    CCylinderProgressCtrl();
    ~CCylinderProgressCtrl() override;

    // The bar's own bounds, span, step and position; the frame's progress
    // handlers read and write them (m_model.lower ... m_model.position).
    ProgressModel m_model;

    // Fill colour and its darker shade (the cylinder's shadow side).
    void SetColors(COLORREF fill, COLORREF shade);
    void SetBarColor(COLORREF fill) { SetColors(fill, m_shade); }
    void SetBkColor(COLORREF back);
    COLORREF GetFillColor() const { return m_fill; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Paint(HDC dc, const RECT& rect) const;
    void Repaint();

    COLORREF m_fill = RGB(34, 160, 84);
    COLORREF m_shade = RGB(18, 100, 50);
    COLORREF m_back = RGB(236, 240, 238);
};
