// Image strips: images counted from a keyed bitmap, one image replaced,
// indexes outside the strip refused, the shadow skipped on an 8-bit display, pale copies.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPToolBarImages.h"
#include "tests/support/Dib.h"

#include <vector>

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kPaper = RGB(10, 200, 30);

// width x 16 pixels: magenta with a dark blue 8 x 8 square in each 16 x 16 cell.
HBITMAP MakeStrip(int width, int height = 16)
{
    void* bits = nullptr;
    HBITMAP bitmap = keyloft_test::CreateTopDown32BitDib(nullptr, width, height, &bits);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = (x % 16) >= 4 && (x % 16) < 12 && y >= 4 && y < 12 ? 0x000040u : 0xFF00FFu;
    return bitmap;
}

// A strip of 16 x 16 images keyed by magenta, filled from a strip `width` wide.
void FillStrip(CKGPToolBarImages& images, int width)
{
    images.SetImageSize(CSize(16, 16));
    images.SetTransparentColor(kKey);
    HBITMAP bitmap = MakeStrip(width);
    ASSERT_EQ(0, images.AddImage(bitmap));
    ::DeleteObject(bitmap);
}

struct Canvas {
    Canvas()
    {
        bitmap = keyloft_test::CreateTopDown32BitDib(nullptr, 32, 32, &bits);
        dc.CreateCompatibleDC(nullptr);
        old = ::SelectObject(dc.m_hDC, bitmap);
        const CRect all(0, 0, 32, 32);
        dc.FillSolidRect(&all, kPaper);
    }
    ~Canvas()
    {
        ::SelectObject(dc.m_hDC, old);
        ::DeleteObject(bitmap);
    }
    std::vector<DWORD> Pixels() const
    {
        ::GdiFlush();
        const auto* first = static_cast<const DWORD*>(bits);
        std::vector<DWORD> pixels(first, first + 32 * 32);
        for (DWORD& pixel : pixels)
            pixel &= 0xFFFFFFu;  // blending may set the alpha byte
        return pixels;
    }
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

TEST(ToolBarImagesTest, StripCountsItsImagesAndRefusesIndexesOutsideIt)
{
    CKGPToolBarImages images;
    images.SetImageSize(CSize(16, 16));
    images.SetTransparentColor(kKey);
    HBITMAP three = MakeStrip(48);
    HBITMAP wrongHeight = MakeStrip(32, 15);
    EXPECT_EQ(0, images.AddImage(three));
    EXPECT_EQ(3, images.AddImage(three)) << "added images follow the first ones";
    EXPECT_EQ(-1, images.AddImage(wrongHeight));
    EXPECT_EQ(6, images.GetCount());
    EXPECT_EQ(0u, images.GetPixel(0, 0, 0)) << "the key colour is transparent";
    EXPECT_EQ(0xFF000040u, images.GetPixel(2, 5, 5));
    EXPECT_FALSE(images.Load(65000));

    // One image replaced by the first of a bitmap: the others stay.
    void* plainBits = nullptr;
    HBITMAP plain = keyloft_test::CreateTopDown32BitDib(nullptr, 16, 16, &plainBits);
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc.m_hDC, plain);
        const CRect all(0, 0, 16, 16);
        dc.FillSolidRect(&all, kPaper);
        ::SelectObject(dc.m_hDC, old);
    }
    EXPECT_TRUE(images.UpdateImage(4, plain));
    EXPECT_EQ(0xFF0AC81Eu, images.GetPixel(4, 0, 0));
    EXPECT_EQ(0xFF000040u, images.GetPixel(3, 5, 5)) << "its neighbours unchanged";
    EXPECT_EQ(0xFF000040u, images.GetPixel(5, 5, 5));
    EXPECT_FALSE(images.UpdateImage(6, plain)) << "no such image";
    EXPECT_FALSE(images.UpdateImage(0, wrongHeight));
    EXPECT_EQ(6, images.GetCount());
    ::DeleteObject(plain);

    Canvas canvas;
    ASSERT_TRUE(images.BeginDrawImage());
    EXPECT_FALSE(images.DrawImage(&canvas.dc, 0, 0, 6));
    EXPECT_FALSE(images.DrawImage(&canvas.dc, 0, 0, -1));
    EXPECT_EQ(std::vector<DWORD>(32 * 32, 0x0AC81Eu), canvas.Pixels()) << "nothing drawn for a bad index";
    EXPECT_TRUE(images.DrawImage(&canvas.dc, 0, 0, 5));
    EXPECT_EQ(0x000040u, canvas.Pixels()[5 * 32 + 5]);
    EXPECT_EQ(0x0AC81Eu, canvas.Pixels()[1 * 32 + 1]) << "transparent pixels keep the paper";
    images.EndDrawImage();

    CKGPToolBarImages empty;
    EXPECT_FALSE(empty.BeginDrawImage());
    ::DeleteObject(three);
    ::DeleteObject(wrongHeight);
}

TEST(ToolBarImagesTest, ShadowIsSkippedOnAnEightBitDisplayAndPaleCopiesLighten)
{
    CKGPToolBarImages images;
    FillStrip(images, 16);

    CKGPGlobalData& data = GetKGPGlobalData();
    const int depth = data.m_nBitsPerPixel;
    Canvas canvas;
    data.m_nBitsPerPixel = 8;
    EXPECT_TRUE(images.DrawImage(&canvas.dc, 4, 4, 0, FALSE, FALSE, FALSE, TRUE));
    EXPECT_EQ(std::vector<DWORD>(32 * 32, 0x0AC81Eu), canvas.Pixels());
    data.m_nBitsPerPixel = 32;
    EXPECT_TRUE(images.DrawImage(&canvas.dc, 4, 4, 0, FALSE, FALSE, FALSE, TRUE));
    EXPECT_NE(std::vector<DWORD>(32 * 32, 0x0AC81Eu), canvas.Pixels());
    data.m_nBitsPerPixel = depth;

    CKGPToolBarImages pale;
    ASSERT_TRUE(images.CopyTo(pale));
    ASSERT_TRUE(pale.MakePale(50));
    EXPECT_EQ(1, pale.GetCount());
    EXPECT_EQ(0xFF000040u, images.GetPixel(0, 5, 5)) << "the source strip is left alone";
    EXPECT_EQ(0xFF7F7F9Fu, pale.GetPixel(0, 5, 5));
    EXPECT_EQ(0u, pale.GetPixel(0, 0, 0));
}

TEST(ToolBarImagesTest, DrawnImagesFollowChangedPixelsAndMirroring)
{
    CKGPToolBarImages images;
    FillStrip(images, 32);

    Canvas first;
    ASSERT_TRUE(images.DrawImage(&first.dc, 0, 0, 1));
    EXPECT_EQ(0x000040u, first.Pixels()[5 * 32 + 5]);
    ASSERT_TRUE(images.MakePale(50));
    Canvas pale;
    ASSERT_TRUE(images.DrawImage(&pale.dc, 0, 0, 1));
    EXPECT_EQ(0x7F7F9Fu, pale.Pixels()[5 * 32 + 5]) << "drawn from the changed pixels";

    // An image with its square off centre shows it on the other side mirrored.
    CKGPToolBarImages shifted;
    shifted.SetImageSize(CSize(16, 16));
    void* bits = nullptr;
    HBITMAP left = keyloft_test::CreateTopDown32BitDib(nullptr, 16, 16, &bits);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 16 * 16; ++i)
        pixels[i] = (i % 16) < 2 ? 0x000040u : 0xFFFFFFu;
    ASSERT_EQ(0, shifted.AddImage(left));
    ::DeleteObject(left);
    Canvas plain;
    ASSERT_TRUE(shifted.DrawImage(&plain.dc, 0, 0, 0));
    CKGPToolBarImages::EnableRTL(TRUE);
    Canvas mirrored;
    const BOOL drawn = shifted.DrawImage(&mirrored.dc, 0, 0, 0);
    CKGPToolBarImages::EnableRTL(FALSE);
    ASSERT_TRUE(drawn);
    EXPECT_EQ(0x000040u, plain.Pixels()[3 * 32 + 0]);
    EXPECT_EQ(0xFFFFFFu, mirrored.Pixels()[3 * 32 + 0]);
    EXPECT_EQ(0x000040u, mirrored.Pixels()[3 * 32 + 15]) << "the left columns drawn on the right";
}

} // namespace
