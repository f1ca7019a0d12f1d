#include "guilib/core/KGPToolBarImages.h"

#include "guilib/core/KGPDib.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPLocalResource.h"

#include <algorithm>
#include <cstring>
#include <set>

int CKGPToolBarImages::s_nColdImagePercent = 40;
BOOL CKGPToolBarImages::s_bRTL = FALSE;

namespace {

std::set<CKGPToolBarImages*>& LiveStrips()
{
    static std::set<CKGPToolBarImages*> strips;
    return strips;
}

std::uint32_t Premultiply(std::uint32_t argb)
{
    const std::uint32_t a = argb >> 24;
    auto scale = [a](std::uint32_t c) { return c * a / 255; };
    return (a << 24) | (scale((argb >> 16) & 0xFF) << 16) | (scale((argb >> 8) & 0xFF) << 8) | scale(argb & 0xFF);
}

// The bitmap's pixels as 32-bit top-down 0xAARRGGBB (alpha as stored).
bool ReadBitmap(HBITMAP bitmap, int& width, int& height, std::vector<std::uint32_t>& pixels)
{
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
        return false;
    }
    width = info.bmWidth;
    height = std::abs(info.bmHeight);
    BITMAPINFO header = kgp::Dib32Info(width, height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    const CWindowDCHandle screen(nullptr);
    return ::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &header, DIB_RGB_COLORS) == height;
}

} // namespace

CKGPToolBarImages::CKGPToolBarImages() : m_sizeImage(16, 15)
{
    LiveStrips().insert(this);
}

CKGPToolBarImages::~CKGPToolBarImages()
{
    LiveStrips().erase(this);
}

void CKGPToolBarImages::SetImageSize(CSize size)
{
    if (size != m_sizeImage) {
        Clear();
        m_sizeImage = size;
    }
}

void CKGPToolBarImages::Clear()
{
    m_nCount = 0;
    m_pixels.clear();
    m_resources.clear();
    RebuildDerivedImage(kLightImage);
    RebuildDerivedImage(kShadowImage);
}

void CKGPToolBarImages::RebuildDerivedImage(int nKind)
{
    ForgetRendered();
    if (nKind == kShadowImage) {
        m_shadow.clear();
    } else {
        m_pale.clear();
        m_disabled.clear();
    }
}

BOOL CKGPToolBarImages::Load(UINT uiResID, HINSTANCE hInstance, BOOL bAdd)
{
    CKGPLocalResource library;
    HINSTANCE module = hInstance != nullptr ? hInstance : CKGPLocalResource::GetLibraryModule();
    const CGdiHandle<HBITMAP> bitmap(static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(uiResID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) {
        return FALSE;
    }
    if (!bAdd) {
        Clear();
    }
    const int first = AddImage(bitmap.Get());
    if (first < 0) {
        return FALSE;
    }
    m_resources.push_back(LoadedResource{uiResID, module, m_clrTransparent});
    return TRUE;
}

int CKGPToolBarImages::AppendPixels(const Pixels& images, int nImages)
{
    const int first = m_nCount;
    m_pixels.insert(m_pixels.end(), images.begin(), images.end());
    m_nCount += nImages;
    RebuildDerivedImage(kLightImage);
    RebuildDerivedImage(kShadowImage);
    return first;
}

int CKGPToolBarImages::ReadImages(HBITMAP hBitmap, Pixels& images) const
{
    int width = 0;
    int height = 0;
    Pixels strip;
    const int cx = m_sizeImage.cx;
    const int cy = m_sizeImage.cy;
    if (cx <= 0 || cy <= 0 || !ReadBitmap(hBitmap, width, height, strip) || height != cy || width < cx) {
        return 0;
    }
    const bool hasAlpha = std::any_of(strip.begin(), strip.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
    const std::uint32_t key = m_clrTransparent == kNoTransparentColour
                                  ? 0xFFFFFFFFu
                                  : kgp::CDibCopy::FromColour(m_clrTransparent);
    const int count = width / cx;
    images.clear();
    images.reserve(static_cast<size_t>(count) * cx * cy);
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                std::uint32_t p = strip[static_cast<size_t>(y) * width + i * cx + x];
                if (!hasAlpha) {
                    p = (p & 0xFFFFFFu) == key ? 0 : (p | 0xFF000000u);
                }
                images.push_back(Premultiply(p));
            }
        }
    }
    return count;
}

int CKGPToolBarImages::AddImage(HBITMAP hBitmap)
{
    Pixels images;
    const int count = ReadImages(hBitmap, images);
    return count > 0 ? AppendPixels(images, count) : -1;
}

BOOL CKGPToolBarImages::UpdateImage(int iImage, HBITMAP hBitmap)
{
    Pixels images;
    if (iImage < 0 || iImage >= m_nCount || ReadImages(hBitmap, images) <= 0) {
        return FALSE;
    }
    const size_t size = static_cast<size_t>(m_sizeImage.cx) * m_sizeImage.cy;
    std::copy(images.begin(), images.begin() + static_cast<std::ptrdiff_t>(size),
              m_pixels.begin() + static_cast<std::ptrdiff_t>(size * iImage));
    RebuildDerivedImage(kLightImage);
    RebuildDerivedImage(kShadowImage);
    return TRUE;
}

int CKGPToolBarImages::AddIcon(HICON hIcon, BOOL bAlpha)
{
    const int cx = m_sizeImage.cx;
    const int cy = m_sizeImage.cy;
    if (hIcon == nullptr || cx <= 0 || cy <= 0) {
        return -1;
    }
    // Drawn on black and on white: the difference gives each pixel's alpha.
    Pixels onBlack;
    Pixels onWhite;
    for (const COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
        void* bits = nullptr;
        const CGdiHandle<HBITMAP> dib = kgp::CreateDib32(cx, cy, &bits);
        if (!dib) {
            return -1;
        }
        const CMemoryDCHandle memory(::CreateCompatibleDC(nullptr));
        const CSelectionScope selected(memory.Get(), dib.Get());
        const RECT all{0, 0, cx, cy};
        ::FillRect(memory.Get(), &all, CGdiHandle<HBRUSH>(::CreateSolidBrush(background)).Get());
        ::DrawIconEx(memory.Get(), 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        (background == 0 ? onBlack : onWhite).assign(first, first + static_cast<size_t>(cx) * cy);
    }
    Pixels image(onBlack.size());
    for (size_t i = 0; i < image.size(); ++i) {
        const int alpha = 255 - std::clamp(static_cast<int>(onWhite[i] & 0xFF) - static_cast<int>(onBlack[i] & 0xFF),
                                           0, 255);
        const int a = bAlpha ? alpha : (alpha > 0 ? 255 : 0);
        image[i] = a == 0 ? 0 : (static_cast<std::uint32_t>(a) << 24) | (onBlack[i] & 0xFFFFFFu);
    }
    return AppendPixels(image, 1);
}

BOOL CKGPToolBarImages::CopyTo(CKGPToolBarImages& dest) const
{
    if (&dest == this) {
        return TRUE;
    }
    dest.Clear();
    dest.m_sizeImage = m_sizeImage;
    dest.m_clrTransparent = m_clrTransparent;
    dest.AppendPixels(m_pixels, m_nCount);
    dest.m_resources = m_resources;
    return TRUE;
}

BOOL CKGPToolBarImages::MakePale(int nPercent)
{
    if (IsEmpty()) {
        return FALSE;
    }
    for (auto& p : m_pixels) {
        p = kgp::PalePixel(p, nPercent);
    }
    RebuildDerivedImage(kLightImage);
    RebuildDerivedImage(kShadowImage);
    return TRUE;
}

void CKGPToolBarImages::RetintColors(COLORREF clrBase, COLORREF clrTone)
{
    for (auto& p : m_pixels) {
        const std::uint32_t a = p >> 24;
        if (a == 0) {
            continue;
        }
        const int grey = kgp::Red(kgp::GreyOf(kgp::CDibCopy::ToColour(p)));
        const COLORREF colour = kgp::BlendColours(clrTone, clrBase, a == 0 ? 0 : std::min(255, grey * 255 / int(a)));
        p = Premultiply((a << 24) | kgp::CDibCopy::FromColour(colour));
    }
    RebuildDerivedImage(kLightImage);
    RebuildDerivedImage(kShadowImage);
}

const CKGPToolBarImages::Pixels& CKGPToolBarImages::Derived(BOOL bDisabled, BOOL bFaded, BOOL bShadow)
{
    auto build = [this](Pixels& target, auto transform) -> const Pixels& {
        if (target.size() != m_pixels.size()) {
            target.resize(m_pixels.size());
            std::transform(m_pixels.begin(), m_pixels.end(), target.begin(), transform);
        }
        return target;
    };
    if (bShadow) {
        return build(m_shadow, kgp::ShadowPixel);
    }
    if (bDisabled) {
        return build(m_disabled, kgp::DisabledPixel);
    }
    if (bFaded) {
        return build(m_pale, [](std::uint32_t p) { return kgp::PalePixel(p, s_nColdImagePercent); });
    }
    return m_pixels;
}

void CKGPToolBarImages::ForgetRendered()
{
    m_renderDC.Reset();  // nothing of ours stays selected
    for (RenderedStrip& strip : m_rendered) {
        strip.dib.Reset();
    }
}

CGdiHandle<HBITMAP> CKGPToolBarImages::RenderImages(const Pixels& pixels, int iFirst, int nCount) const
{
    const int cx = m_sizeImage.cx;
    const int cy = m_sizeImage.cy;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> dib = kgp::CreateDib32(cx * nCount, cy, &bits);
    if (!dib) {
        return dib;
    }
    auto* target = static_cast<std::uint32_t*>(bits);
    const size_t imageSize = static_cast<size_t>(cx) * cy;
    const size_t stride = static_cast<size_t>(cx) * nCount;
    for (int i = 0; i < nCount; ++i) {
        const std::uint32_t* image = pixels.data() + imageSize * (iFirst + i);
        for (int row = 0; row < cy; ++row) {
            const std::uint32_t* from = image + static_cast<size_t>(row) * cx;
            std::uint32_t* to = target + static_cast<size_t>(row) * stride + static_cast<size_t>(i) * cx;
            if (s_bRTL) {
                std::reverse_copy(from, from + cx, to);
            } else {
                std::memcpy(to, from, static_cast<size_t>(cx) * sizeof(std::uint32_t));
            }
        }
    }
    return dib;
}

HBITMAP CKGPToolBarImages::Rendered(const Pixels& pixels) const
{
    const Pixels* sets[] = {&m_pixels, &m_pale, &m_disabled, &m_shadow};
    const auto slot = static_cast<size_t>(std::find(std::begin(sets), std::end(sets), &pixels) - std::begin(sets));
    if (slot >= m_rendered.size()) {
        return nullptr;
    }
    RenderedStrip& strip = m_rendered[slot];
    if (!strip.dib || strip.rtl != s_bRTL) {
        m_renderDC.Reset();
        strip.dib = RenderImages(pixels, 0, m_nCount);
        strip.rtl = s_bRTL;
    }
    return strip.dib.Get();
}

// Between BeginDrawImage and EndDrawImage the images are drawn from one
// section per pixel set, made once; otherwise from a section of the one image.
BOOL CKGPToolBarImages::Blit(CDC* pDC, int x, int y, int iImage, const Pixels& pixels, BYTE alpha) const
{
    CGdiHandle<HBITMAP> single;
    HBITMAP source = nullptr;
    int sourceX = 0;
    if (m_bDrawing) {
        source = Rendered(pixels);
        sourceX = iImage * m_sizeImage.cx;
        if (!m_renderDC) {
            m_renderDC.Reset(::CreateCompatibleDC(nullptr));
        }
    } else {
        single = RenderImages(pixels, iImage, 1);
        source = single.Get();
    }
    const CMemoryDCHandle ownDC(m_bDrawing ? nullptr : ::CreateCompatibleDC(pDC->m_hDC));
    const HDC memory = m_bDrawing ? m_renderDC.Get() : ownDC.Get();
    if (source == nullptr || memory == nullptr) {
        return FALSE;
    }
    const CSelectionScope selected(memory, source);
    const CSize dest = m_sizeDest.cx > 0 && m_sizeDest.cy > 0 ? m_sizeDest : m_sizeImage;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return ::AlphaBlend(pDC->m_hDC, x, y, dest.cx, dest.cy, memory, sourceX, 0, m_sizeImage.cx, m_sizeImage.cy,
                        blend);
}

BOOL CKGPToolBarImages::BeginDrawImage(BOOL bFaded, CSize sizeDest)
{
    if (IsEmpty()) {
        return FALSE;
    }
    m_sizeDest = sizeDest;
    if (bFaded) {
        Derived(FALSE, TRUE, FALSE);
    }
    m_bDrawing = TRUE;
    return TRUE;
}

void CKGPToolBarImages::EndDrawImage()
{
    m_sizeDest = CSize(0, 0);
    m_bDrawing = FALSE;
    ForgetRendered();
}

BOOL CKGPToolBarImages::DrawImage(CDC* pDC, int x, int y, int iImage, BOOL, BOOL bDisabled, BOOL bIndeterminate,
                                  BOOL bShadow, BOOL bFaded, BYTE alphaSrc)
{
    if (pDC == nullptr || iImage < 0 || iImage >= m_nCount) {
        return FALSE;
    }
    if (bShadow) {
        if (GetKGPGlobalData().m_nBitsPerPixel <= 8) {
            return TRUE;
        }
        // The shadow below and right, the image lifted above it.
        Blit(pDC, x + 1, y + 1, iImage, Derived(FALSE, FALSE, TRUE), alphaSrc);
        return Blit(pDC, x - 1, y - 1, iImage, m_pixels, alphaSrc);
    }
    const BYTE alpha = bIndeterminate ? static_cast<BYTE>(alphaSrc / 2) : alphaSrc;
    return Blit(pDC, x, y, iImage, Derived(bDisabled, bFaded, FALSE), alpha);
}

std::uint32_t CKGPToolBarImages::GetPixel(int iImage, int x, int y) const
{
    if (iImage < 0 || iImage >= m_nCount || x < 0 || y < 0 || x >= m_sizeImage.cx || y >= m_sizeImage.cy) {
        return 0;
    }
    return m_pixels[static_cast<size_t>(iImage) * m_sizeImage.cx * m_sizeImage.cy +
                    static_cast<size_t>(y) * m_sizeImage.cx + x];
}

HBITMAP CKGPToolBarImages::ExtractImage(int iImage) const
{
    if (iImage < 0 || iImage >= m_nCount) {
        return nullptr;
    }
    void* bits = nullptr;
    CGdiHandle<HBITMAP> dib = kgp::CreateDib32(m_sizeImage.cx, m_sizeImage.cy, &bits);
    if (dib) {
        const size_t size = static_cast<size_t>(m_sizeImage.cx) * m_sizeImage.cy;
        std::memcpy(bits, m_pixels.data() + size * iImage, size * sizeof(std::uint32_t));
    }
    return dib.Detach();
}

BOOL CKGPToolBarImages::CopyImageToClipboard(int iImage) const
{
    if (iImage < 0 || iImage >= m_nCount) {
        return FALSE;
    }
    CGdiHandle<HBITMAP> bitmap(
        ::CreateCompatibleBitmap(CWindowDCHandle(nullptr).Get(), m_sizeImage.cx, m_sizeImage.cy));
    if (!bitmap) {
        return FALSE;
    }
    {
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        const CSelectionScope selected(memory.m_hDC, bitmap.Get());
        const CRect all(CPoint(0, 0), m_sizeImage);
        memory.FillSolidRect(&all, GetKGPGlobalData().clrBtnFace);
        Blit(&memory, 0, 0, iImage, m_pixels, 255);
    }

    BOOL done = FALSE;
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        done = ::SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr;
        ::CloseClipboard();
    }
    if (done) {
        static_cast<void>(bitmap.Detach());  // the clipboard owns it only when it took it
    }
    return done;
}

void CKGPToolBarImages::OnSysColorChange()
{
    for (CKGPToolBarImages* strip : LiveStrips()) {
        const auto resources = strip->m_resources;
        if (resources.empty()) {
            continue;
        }
        // Each resource is keyed as when it was first loaded, whatever key
        // the strip holds now for the images added since.
        const COLORREF key = strip->m_clrTransparent;
        strip->Clear();
        for (const LoadedResource& resource : resources) {
            strip->m_clrTransparent = resource.key;
            strip->Load(resource.id, resource.module, TRUE);
        }
        strip->m_clrTransparent = key;
    }
}

HRGN CKGPToolBarImages::CreateRegionFromImage(HBITMAP hBitmap, COLORREF clrTransparent)
{
    int width = 0;
    int height = 0;
    Pixels pixels;
    if (!ReadBitmap(hBitmap, width, height, pixels)) {
        return nullptr;
    }
    const std::uint32_t key = kgp::CDibCopy::FromColour(clrTransparent);
    CGdiHandle<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            while (x < width && (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu) == key) {
                ++x;
            }
            const int start = x;
            while (x < width && (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFFu) != key) {
                ++x;
            }
            if (x > start) {
                const CGdiHandle<HRGN> run(::CreateRectRgn(start, y, x, y + 1));
                ::CombineRgn(region.Get(), region.Get(), run.Get(), RGN_OR);
            }
        }
    }
    return region.Detach();
}
