#include "widgets/KeyedImage.h"

#include "widgets/WidgetLook.h"

namespace widgets {

CKeyedImage::CKeyedImage(HBITMAP bitmap, COLORREF key)
{
    const SIZE size = GetBitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) {
        return;
    }
    const CWindowDCHandle screen(nullptr);
    if (::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), bits, &info, DIB_RGB_COLORS) != size.cy) {
        return;
    }
    // The pixels read are 0x00RRGGBB; opaque ones need no premultiplying.
    const DWORD keyPixel = (static_cast<DWORD>(GetRValue(key)) << 16) | (static_cast<DWORD>(GetGValue(key)) << 8) |
                           GetBValue(key);
    auto* pixel = static_cast<DWORD*>(bits);
    for (auto* end = pixel + static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy); pixel != end; ++pixel) {
        const DWORD colour = *pixel & 0x00FFFFFFu;
        *pixel = colour == keyPixel ? 0u : colour | 0xFF000000u;
    }
    m_picture = std::move(picture);
    m_size = size;
}

void CKeyedImage::Draw(HDC dc, const RECT& rect) const
{
    if (!m_picture) {
        return;
    }
    const CMemoryDCHandle source(::CreateCompatibleDC(dc));
    if (!source) {
        return;
    }
    CSelectionScope select(source.Get(), m_picture.Get());
    const int x = rect.left + (rect.right - rect.left - m_size.cx) / 2;
    const int y = rect.top + (rect.bottom - rect.top - m_size.cy) / 2;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(dc, x, y, m_size.cx, m_size.cy, source.Get(), 0, 0, m_size.cx, m_size.cy, blend);
}

} // namespace widgets
