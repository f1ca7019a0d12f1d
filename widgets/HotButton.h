// An owner-drawn push button that knows whether the mouse is over it: the base
// of the program's image buttons, which paint every pixel themselves.
#pragma once

#include <afxwin.h>

#include "widgets/HotTracker.h"

class CHotButton : public CButton {
public:
    CHotButton();
    ~CHotButton() override;

    bool IsHot() const { return m_hot.IsHot(); }

protected:
    // Owner drawing replaces the push-button kind, keeping the other style bits.
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    widgets::CHotTracker m_hot;
};
