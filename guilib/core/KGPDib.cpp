#include "guilib/core/KGPDib.h"

namespace kgp {

BITMAPINFO Dib32Info(int width, int height)
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

CGdiHandle<HBITMAP> CreateDib32(int width, int height, void** bits)
{
    BITMAPINFO info = Dib32Info(width, height);
    return CGdiHandle<HBITMAP>(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

CDibCopy::CDibCopy(HDC target, const RECT& area) : m_target(target), m_area(area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    void* bits = nullptr;
    const CGdiHandle<HBITMAP> dib = CreateDib32(width, height, &bits);
    if (!dib) {
        return;
    }
    const CMemoryDCHandle memory(::CreateCompatibleDC(target));
    const CSelectionScope selected(memory.Get(), dib.Get());
    ::BitBlt(memory.Get(), 0, 0, width, height, target, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    m_pixels.assign(first, first + static_cast<size_t>(width) * height);
}

CDibCopy::~CDibCopy() = default;

void CDibCopy::PutBack()
{
    const int width = m_area.right - m_area.left;
    const int height = m_area.bottom - m_area.top;
    if (m_pixels.empty()) {
        return;
    }
    BITMAPINFO info = Dib32Info(width, height);
    ::SetDIBitsToDevice(m_target, m_area.left, m_area.top, width, height, 0, 0, 0, height, m_pixels.data(), &info,
                        DIB_RGB_COLORS);
}

} // namespace kgp
