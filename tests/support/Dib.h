// 32-bit top-down DIB sections for tests that read pixels back exactly.
#pragma once

#include <afxwin.h>

namespace keyloft_test {

// The header of a top-down (row 0 first) 32 bits-per-pixel bitmap.
inline BITMAPINFO TopDown32BitInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A DIB section of that layout; *bits points at its pixels (0x00RRGGBB).
inline HBITMAP CreateTopDown32BitDib(HDC dc, int width, int height, void** bits)
{
    const BITMAPINFO info = TopDown32BitInfo(width, height);
    return ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

} // namespace keyloft_test
