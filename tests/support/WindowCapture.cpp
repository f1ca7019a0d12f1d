#include "tests/support/WindowCapture.h"

#include "tests/support/Dib.h"
#include "tests/support/MessagePump.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace keyloft_test {

size_t ColoursIn(const std::vector<DWORD>& pixels, int width, const CWnd& top, const CWnd& child)
{
    CRect frame;
    CRect area;
    top.GetWindowRect(frame);
    child.GetWindowRect(area);
    area.OffsetRect(-frame.left, -frame.top);
    std::set<DWORD> colours;
    for (int y = std::max<LONG>(area.top, 0); y < area.bottom; ++y)
        for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width); ++x)
            if (static_cast<size_t>(y) * width + x < pixels.size())
                colours.insert(pixels[static_cast<size_t>(y) * width + x]);
    return colours.size();
}

namespace {

// The pixels of an area of a DC, through a 32-bit copy.
std::vector<DWORD> CopyPixels(HDC source, int x, int y, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(std::max(0, width)) * std::max(0, height));
    if (pixels.empty())
        return pixels;
    HDC memory = ::CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = keyloft_test::CreateTopDown32BitDib(source, width, height, &bits);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    ::GdiFlush();
    const auto* copied = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = copied[i] & 0x00FFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return pixels;
}

} // namespace

std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    // The picture on the screen after a full repaint (PrintWindow does not
    // reach every child's WM_PAINT under Wine).
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(300);
    HDC windowDc = ::GetWindowDC(hWnd);
    std::vector<DWORD> pixels = CopyPixels(windowDc, 0, 0, width, height);
    ::ReleaseDC(hWnd, windowDc);
    return pixels;
}

namespace {

BOOL WriteBitmapFile(const std::vector<DWORD>& pixels, int width, int height, const wchar_t* path)
{
    BITMAPINFO info = TopDown32BitInfo(width, height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * sizeof(DWORD));
    FILE* out = _wfopen(path, L"wb");
    if (out == nullptr)
        return FALSE;
    const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                         fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                         fwrite(pixels.data(), sizeof(DWORD), pixels.size(), out) == pixels.size();
    return fclose(out) == 0 && written ? TRUE : FALSE;
}

} // namespace

BOOL SaveScreenshot(HWND hWnd, const wchar_t* path)
{
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = CaptureWindow(hWnd, width, height);
    return WriteBitmapFile(pixels, width, height, path);
}

std::vector<DWORD> CaptureScreenArea(const RECT& area)
{
    HDC screen = ::GetDC(nullptr);
    std::vector<DWORD> pixels = CopyPixels(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<DWORD> CaptureSettledScreenArea(const RECT& area)
{
    std::vector<DWORD> last = CaptureScreenArea(area);
    for (int attempt = 0; attempt < 100; ++attempt) {
        PumpPending();
        ::Sleep(20);
        std::vector<DWORD> next = CaptureScreenArea(area);
        if (next == last)
            break;
        last = std::move(next);
    }
    return last;
}

BOOL SaveScreenArea(const RECT& area, const wchar_t* path)
{
    return WriteBitmapFile(CaptureScreenArea(area), area.right - area.left, area.bottom - area.top, path);
}

} // namespace keyloft_test
