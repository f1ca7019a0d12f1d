// A 32-bit top-down copy of an area of a device context, for pixel work:
// made from the DC, changed in place, put back.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

#include <vector>

namespace kgp {

class CDibCopy {
public:
    CDibCopy(HDC target, const RECT& area);
    ~CDibCopy();
    CDibCopy(const CDibCopy&) = delete;
    CDibCopy& operator=(const CDibCopy&) = delete;

    // 0x00RRGGBB per pixel, row by row; empty when the copy could not be made.
    std::vector<DWORD>& Pixels() { return m_pixels; }
    void PutBack();

    static COLORREF ToColour(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }
    static DWORD FromColour(COLORREF colour)
    {
        return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
               GetBValue(colour);
    }

private:
    HDC m_target;
    RECT m_area;
    std::vector<DWORD> m_pixels;
};

// The header of a 32-bit top-down DIB of the given size.
BITMAPINFO Dib32Info(int width, int height);
// A 32-bit top-down DIB section of the given size; bits receives its pixels.
CGdiHandle<HBITMAP> CreateDib32(int width, int height, void** bits);

} // namespace kgp
