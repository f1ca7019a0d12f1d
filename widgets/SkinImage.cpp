#include "widgets/SkinImage.h"

#include "core/files/WholeFile.h"
#include "widgets/GdiplusSession.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <vector>

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const
    {
        if (object != nullptr)
            object->Release();
    }
};

} // namespace

void CSkinImage::BitmapDeleter::operator()(Gdiplus::Bitmap* bitmap) const
{
    if (CGdiplusSession::IsAnyStarted())
        delete bitmap;
}

CSkinImage::CSkinImage() = default;
CSkinImage::~CSkinImage() = default;
CSkinImage::CSkinImage(CSkinImage&&) noexcept = default;
CSkinImage& CSkinImage::operator=(CSkinImage&&) noexcept = default;

void CSkinImage::Release()
{
    m_premultiplied = CGdiHandle<HBITMAP>();
    m_bitmap.reset();
}

bool CSkinImage::LoadFromFile(LPCWSTR path)
{
    Release();
    // Skin images are small; anything of 64 MiB or more is not one.
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, (64LL << 20) - 1) || bytes.empty())
        return false;
    return LoadFromMemory(bytes.data(), bytes.size());
}

bool CSkinImage::LoadFromMemory(const void* data, std::size_t size)
{
    Release();
    if (data == nullptr || size == 0 || size > 0xFFFFFFFFu)
        return false;
    CGdiplusSession::EnsureStarted();
    const std::unique_ptr<IStream, ComRelease> stream(
        ::SHCreateMemStream(static_cast<const BYTE*>(data), static_cast<UINT>(size)));
    if (!stream)
        return false;
    const std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream.get()));
    if (!decoded || decoded->GetLastStatus() != Gdiplus::Ok)
        return false;
    const auto width = static_cast<INT>(decoded->GetWidth());
    const auto height = static_cast<INT>(decoded->GetHeight());
    if (width <= 0 || height <= 0)
        return false;
    // Copy into a bitmap of our own: the decoded one keeps reading the stream.
    std::unique_ptr<Gdiplus::Bitmap, BitmapDeleter> copy(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
    if (copy->GetLastStatus() != Gdiplus::Ok)
        return false;
    {
        Gdiplus::Graphics graphics(copy.get());
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        if (graphics.DrawImage(decoded.get(), 0, 0, width, height) != Gdiplus::Ok)
            return false;
    }
    m_bitmap = std::move(copy);
    return true;
}

int CSkinImage::GetWidth() const { return m_bitmap ? static_cast<int>(m_bitmap->GetWidth()) : 0; }

int CSkinImage::GetHeight() const { return m_bitmap ? static_cast<int>(m_bitmap->GetHeight()) : 0; }

bool CSkinImage::Draw(HDC dc, int x, int y) const { return Draw(dc, x, y, GetWidth(), GetHeight()); }

bool CSkinImage::Draw(HDC dc, int x, int y, int cx, int cy) const
{
    if (!m_bitmap || dc == nullptr)
        return false;
    if (cx == GetWidth() && cy == GetHeight() && DrawPremultiplied(dc, x, y))
        return true;
    Gdiplus::Graphics graphics(dc);
    return graphics.DrawImage(m_bitmap.get(), x, y, cx, cy) == Gdiplus::Ok;
}

HBITMAP CSkinImage::Premultiplied() const
{
    if (m_premultiplied)
        return m_premultiplied.Get();
    const INT width = GetWidth();
    const INT height = GetHeight();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, as GDI+ hands the rows out
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture)
        return nullptr;
    // GDI+ premultiplies the pixels itself into the rows it hands out.
    Gdiplus::BitmapData rows{};
    rows.Width = static_cast<UINT>(width);
    rows.Height = static_cast<UINT>(height);
    rows.Stride = width * 4;
    rows.PixelFormat = PixelFormat32bppPARGB;
    rows.Scan0 = bits;
    const Gdiplus::Rect all(0, 0, width, height);
    if (m_bitmap->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                           PixelFormat32bppPARGB, &rows) != Gdiplus::Ok)
        return nullptr;
    m_bitmap->UnlockBits(&rows);
    m_premultiplied = std::move(picture);
    return m_premultiplied.Get();
}

bool CSkinImage::DrawPremultiplied(HDC dc, int x, int y) const
{
    const HBITMAP picture = Premultiplied();
    if (picture == nullptr)
        return false;
    const CMemoryDCHandle source(::CreateCompatibleDC(nullptr));
    if (!source)
        return false;
    const CSelectionScope select(source.Get(), picture);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(dc, x, y, GetWidth(), GetHeight(), source.Get(), 0, 0, GetWidth(), GetHeight(), blend) !=
           FALSE;
}

bool CSkinImage::GetPixel(int x, int y, DWORD& argb) const
{
    if (!m_bitmap || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return false;
    Gdiplus::Color colour;
    if (m_bitmap->GetPixel(x, y, &colour) != Gdiplus::Ok)
        return false;
    argb = colour.GetValue();
    return true;
}
