#include "tests/widgets/WidgetTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cwchar>

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

bool SavePng(const wchar_t* path, const std::vector<DWORD>& pixels, int width, int height)
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) {
        return false;
    }
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    const CLSID* png = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            png = &encoders[i].Clsid;
        }
    }
    if (png == nullptr) {
        return false;
    }
    std::vector<DWORD> opaque(pixels);
    for (DWORD& p : opaque) {
        p |= 0xFF000000;
    }
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(opaque.data()));
    return bitmap.Save(path, png, nullptr) == Gdiplus::Ok;
}

} // namespace widgets_test
