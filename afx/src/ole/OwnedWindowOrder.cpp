#include "OwnedWindowOrder.h"

#include <windows.h>

#include <vector>

namespace afx_detail {

void KeepOwnedWindowsOverForeground()
{
    const HWND hOwner = ::GetForegroundWindow();
    const DWORD thread = ::GetCurrentThreadId();
    if (hOwner == nullptr || ::GetWindowThreadProcessId(hOwner, nullptr) != thread)
        return;
    const bool topmostOwner = (::GetWindowLongW(hOwner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::vector<HWND> under;  // from the highest down
    for (HWND hWnd = ::GetWindow(hOwner, GW_HWNDNEXT); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        // A topmost owner stays over a window that is not (the system's rule).
        const bool topmost = (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (::GetWindow(hWnd, GW_OWNER) == hOwner && ::IsWindowVisible(hWnd) &&
            ::GetWindowThreadProcessId(hWnd, nullptr) == thread && (topmost || !topmostOwner))
            under.push_back(hWnd);
    }
    // The lowest first: each comes to the top, so the highest before stays
    // the highest.
    for (auto it = under.rbegin(); it != under.rend(); ++it)
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace afx_detail
