// The shared recording host and message pump under the menu tests' names, and
// pixels painted into a memory bitmap.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "tests/support/MessagePump.h"
#include "tests/support/RecordingHost.h"

namespace menus_test {

using CHostWnd = keyloft_test::CRecordingHost;
using Recorded = keyloft_test::RecordedMessage;
using keyloft_test::PointParam;
using keyloft_test::Pump;

// What paint(dc) draws into a fresh width x height bitmap, row by row.
inline std::vector<COLORREF> PaintedPixels(int width, int height, const std::function<void(HDC)>& paint)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    paint(dc);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

inline size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour)
{
    return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
}

} // namespace menus_test
