// Whether the mouse is over a window: on at the first move over it (the leave
// notice is asked for then), off when it leaves; the window repaints at each change.
#pragma once

#include <windows.h>

namespace widgets {

class CHotTracker {
public:
    bool IsHot() const { return m_hot; }
    void MouseMoved(HWND window);
    void MouseLeft(HWND window);

private:
    bool m_hot = false;
};

} // namespace widgets
