// The start of every owner-drawn control's painting: an off-screen picture of the
// control that already holds what its parent shows behind it, copied to the
// target when the canvas goes (no flicker, rounded and transparent parts blend
// into any page).
#pragma once

#include <afxwin.h>

namespace widgets {

class CControlCanvas {
public:
    CControlCanvas(HWND control, HDC target, const RECT& rect);
    CControlCanvas(const CControlCanvas&) = delete;
    CControlCanvas& operator=(const CControlCanvas&) = delete;

    HDC Dc() { return m_memory.GetDC().GetSafeHdc(); }
    const CRect& Rect() const { return m_rect; }

private:
    CRect m_rect;
    CMemDC m_memory;
};

// The state bits of an owner-drawn item that the controls look at.
struct DrawItemState {
    explicit DrawItemState(UINT itemState)
        : disabled((itemState & ODS_DISABLED) != 0), pressed((itemState & ODS_SELECTED) != 0),
          focused((itemState & ODS_FOCUS) != 0)
    {
    }
    bool disabled;
    bool pressed;
    bool focused;
};

} // namespace widgets
