#include "guilib/core/KGPMouseLeave.h"

#include <map>

namespace {

constexpr UINT kCheckInterval = 100;

// Timer id -> tracked window, on the GUI thread only.
std::map<UINT_PTR, HWND>& TrackedWindows()
{
    static std::map<UINT_PTR, HWND> windows;
    return windows;
}

void StopTracking(HWND hWnd)
{
    auto& windows = TrackedWindows();
    for (auto it = windows.begin(); it != windows.end();) {
        if (it->second == hWnd) {
            ::KillTimer(nullptr, it->first);
            it = windows.erase(it);
        } else {
            ++it;
        }
    }
}

void CALLBACK CheckCursor(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto& windows = TrackedWindows();
    const auto it = windows.find(timer);
    if (it == windows.end()) {
        ::KillTimer(nullptr, timer);
        return;
    }
    const HWND tracked = it->second;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT rect{};
    const bool alive = ::IsWindow(tracked) != FALSE;
    if (alive) {
        ::GetWindowRect(tracked, &rect);
    }
    if (!alive || !::PtInRect(&rect, cursor) || ::WindowFromPoint(cursor) != tracked) {
        ::KillTimer(nullptr, timer);
        windows.erase(it);
        if (alive) {
            ::PostMessageW(tracked, WM_MOUSELEAVE, 0, 0);
        }
    }
}

} // namespace

BOOL TrackMouseLeaveByTimer(LPTRACKMOUSEEVENT pTrack)
{
    if (pTrack == nullptr || !::IsWindow(pTrack->hwndTrack)) {
        return FALSE;
    }
    StopTracking(pTrack->hwndTrack);
    if ((pTrack->dwFlags & TME_CANCEL) != 0 || (pTrack->dwFlags & TME_LEAVE) == 0) {
        return TRUE;
    }
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kCheckInterval, CheckCursor);
    if (timer == 0) {
        return FALSE;
    }
    TrackedWindows()[timer] = pTrack->hwndTrack;
    return TRUE;
}
