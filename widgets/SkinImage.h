// A skin image decoded by GDI+ (PNG with alpha, or any format GDI+ reads) into a
// bitmap of its own, so neither the file nor the caller's memory stays in use.
// GDI+ must be started (through CGdiplusSession) while images are loaded or
// drawn; an image destroyed after the last session ends is not handed back to GDI+.
#pragma once

#include <afxhandle.h>

#include <cstddef>
#include <memory>

namespace Gdiplus {
class Bitmap;
}

class CSkinImage {
public:
    CSkinImage();
    ~CSkinImage();
    CSkinImage(CSkinImage&&) noexcept;
    CSkinImage& operator=(CSkinImage&&) noexcept;
    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

    bool LoadFromFile(LPCWSTR path);
    bool LoadFromMemory(const void* data, std::size_t size);
    void Release();

    bool IsValid() const { return m_bitmap != nullptr; }
    int GetWidth() const;
    int GetHeight() const;

    // Draws at its own size, or stretched to cx x cy, with its alpha. At its own
    // size it is blended from a premultiplied copy made on the first such draw,
    // with the pixels GDI+ gives (it premultiplies and blends the same way), but
    // without GDI+ asking the target for its device's resolution and abilities
    // on every draw (under Wine round trips to its server).
    bool Draw(HDC dc, int x, int y) const;
    bool Draw(HDC dc, int x, int y, int cx, int cy) const;

    // The colour of one pixel as 0xAARRGGBB; false outside the image.
    bool GetPixel(int x, int y, DWORD& argb) const;

    Gdiplus::Bitmap* GetBitmap() const { return m_bitmap.get(); }

private:
    struct BitmapDeleter {
        void operator()(Gdiplus::Bitmap* bitmap) const;
    };
    bool DrawPremultiplied(HDC dc, int x, int y) const;
    HBITMAP Premultiplied() const;

    std::unique_ptr<Gdiplus::Bitmap, BitmapDeleter> m_bitmap;
    mutable CGdiHandle<HBITMAP> m_premultiplied;
};
