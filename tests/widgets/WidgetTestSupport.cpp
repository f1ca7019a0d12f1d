#include "tests/widgets/WidgetTestSupport.h"

#include "tests/support/Dib.h"

namespace widgets_test {

CRecordingParent::CRecordingParent() : CRecordingHost(RGB(236, 242, 250)) {}

std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = keyloft_test::CreateTopDown32BitDib(screen, width, height, &bits);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // The picture on the screen after a full repaint (PrintWindow does not
    // reach every child's WM_PAINT under Wine).
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(300);
    HDC windowDc = ::GetWindowDC(hWnd);
    ::BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, windowDc);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0x00FFFFFF;
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace widgets_test
