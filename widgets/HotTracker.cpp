#include "widgets/HotTracker.h"

namespace widgets {

void CHotTracker::MouseMoved(HWND window)
{
    if (m_hot)
        return;
    m_hot = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
    ::TrackMouseEvent(&track);
    ::InvalidateRect(window, nullptr, FALSE);
}

void CHotTracker::MouseLeft(HWND window)
{
    m_hot = false;
    ::InvalidateRect(window, nullptr, FALSE);
}

} // namespace widgets
