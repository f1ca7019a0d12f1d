#include "widgets/PaintAhead.h"

#include <afxhandle.h>

#include <vector>

namespace widgets {

namespace {

constexpr LPARAM kPrintFlags = PRF_ERASEBKGND | PRF_CLIENT | PRF_NONCLIENT;

// The window's descendants, parents before their children, as the screen paints
// them; taken before any is asked to print (a print may make a window).
std::vector<HWND> DescendantsOf(HWND window)
{
    std::vector<HWND> found;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Asks `window` to print itself with its client area's top left at `origin`.
void PrintAt(HDC dc, HWND window, POINT origin)
{
    const int saved = ::SaveDC(dc);
    ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintFlags);
    ::RestoreDC(dc, saved);
}

} // namespace

int PaintAhead(HWND window)
{
    RECT client{};
    if (window == nullptr || !::GetClientRect(window, &client) || ::IsRectEmpty(&client))
        return 0;
    CWindowDCHandle screen(nullptr);
    CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
    CGdiHandle<HBITMAP> picture(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!memory || !picture)
        return 0;
    CSelectionScope selected(memory.Get(), picture.Get());
    PrintAt(memory.Get(), window, POINT{0, 0});
    int asked = 1;
    for (HWND child : DescendantsOf(window)) {
        if (!::IsWindow(child))
            continue;
        POINT origin{0, 0};
        ::MapWindowPoints(child, window, &origin, 1);
        PrintAt(memory.Get(), child, origin);
        ++asked;
    }
    return asked;
}

int PaintAhead(HWND window, const RECT& place)
{
    if (window == nullptr)
        return 0;
    ::SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return PaintAhead(window);
}

} // namespace widgets
