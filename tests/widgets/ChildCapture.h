// The pixels of one child window as the screen shows them inside its host.
#pragma once

#include <afxwin.h>

#include <algorithm>
#include <vector>

#include "tests/widgets/WidgetTestSupport.h"

namespace widgets_test {

struct ChildPixels {
    std::vector<DWORD> pixels;  // row by row from the top, 0x00RRGGBB
    int width = 0;
    int height = 0;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline ChildPixels CaptureChild(HWND host, HWND child)
{
    int hostWidth = 0;
    int hostHeight = 0;
    const std::vector<DWORD> all = CaptureWindow(host, hostWidth, hostHeight);
    RECT hostRect{};
    RECT area{};
    ::GetWindowRect(host, &hostRect);
    ::GetWindowRect(child, &area);
    ::OffsetRect(&area, -hostRect.left, -hostRect.top);
    ChildPixels result;
    for (int y = std::max(0L, area.top); y < area.bottom && y < hostHeight; ++y)
        for (int x = std::max(0L, area.left); x < area.right && x < hostWidth; ++x)
            result.pixels.push_back(all[static_cast<size_t>(y) * hostWidth + x]);
    result.width = static_cast<int>(std::min<LONG>(area.right, hostWidth) - std::max(0L, area.left));
    result.height = result.width > 0 ? static_cast<int>(result.pixels.size()) / result.width : 0;
    return result;
}

} // namespace widgets_test
