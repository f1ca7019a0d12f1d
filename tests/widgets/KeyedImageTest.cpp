// A keyed image draws what a colour-keyed blit draws: every pixel but the key's
// copied as it is, the key's leaving what lies beneath, centred in the rectangle
// given, from a DIB or a screen-compatible bitmap alike.
#include <gtest/gtest.h>

#include "tests/support/Dib.h"
#include "widgets/KeyedImage.h"
#include "widgets/WidgetLook.h"

#include <vector>

namespace {

constexpr int kImageSize = 12;
constexpr int kCanvasWidth = 40;
constexpr int kCanvasHeight = 30;
constexpr DWORD kBackgroundPixel = 0x3C6E96;
constexpr DWORD kKeyPixel = 0xFF00FF;

// A picture of many colours: a magenta frame two pixels wide around colours
// that include the key's near neighbours (which must stay opaque) and black.
std::vector<DWORD> ImagePixels()
{
    std::vector<DWORD> pixels(kImageSize * kImageSize);
    for (int y = 0; y < kImageSize; ++y) {
        for (int x = 0; x < kImageSize; ++x) {
            const bool frame = x < 2 || y < 2 || x >= kImageSize - 2 || y >= kImageSize - 2;
            DWORD pixel = static_cast<DWORD>((x * 21) << 16 | (y * 19) << 8 | ((x + y) * 7));
            if (x == 5 && y == 5)
                pixel = 0xFE00FF; // one step from the key
            if (x == 6 && y == 6)
                pixel = 0x000000;
            pixels[y * kImageSize + x] = frame ? kKeyPixel : pixel;
        }
    }
    return pixels;
}

// Draws with `draw` into a canvas filled with the background; returns its pixels.
template <typename Draw>
std::vector<DWORD> Paint(Draw draw)
{
    void* bits = nullptr;
    const CGdiHandle<HBITMAP> canvas(keyloft_test::CreateTopDown32BitDib(nullptr, kCanvasWidth, kCanvasHeight, &bits));
    const CMemoryDCHandle dc(::CreateCompatibleDC(nullptr));
    EXPECT_TRUE(canvas && dc);
    if (!canvas || !dc)
        return {};
    CSelectionScope select(dc.Get(), canvas.Get());
    auto* pixels = static_cast<DWORD*>(bits);
    std::fill(pixels, pixels + kCanvasWidth * kCanvasHeight, kBackgroundPixel);
    draw(dc.Get());
    ::GdiFlush();
    std::vector<DWORD> result(pixels, pixels + kCanvasWidth * kCanvasHeight);
    for (DWORD& pixel : result)
        pixel &= 0x00FFFFFF;
    return result;
}

CGdiHandle<HBITMAP> MakeDib(const std::vector<DWORD>& pixels, DWORD alphaBits)
{
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(keyloft_test::CreateTopDown32BitDib(nullptr, kImageSize, kImageSize, &bits));
    if (bitmap) {
        auto* target = static_cast<DWORD*>(bits);
        for (size_t i = 0; i < pixels.size(); ++i)
            target[i] = pixels[i] | alphaBits;
    }
    return bitmap;
}

// The same picture as a bitmap of the screen's format, as LoadImage gives one.
CGdiHandle<HBITMAP> MakeScreenBitmap(const std::vector<DWORD>& pixels)
{
    const CWindowDCHandle screen(nullptr);
    CGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(screen.Get(), kImageSize, kImageSize));
    const BITMAPINFO info = keyloft_test::TopDown32BitInfo(kImageSize, kImageSize);
    if (bitmap)
        ::SetDIBits(screen.Get(), bitmap.Get(), 0, kImageSize, pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

TEST(KeyedImage, DrawsEveryPixelButTheKeysCentredInItsRectangle)
{
    const std::vector<DWORD> source = ImagePixels();
    const RECT area{5, 4, 35, 26}; // 30 x 22: the picture lands at (14, 9)
    // Garbage in the unused byte of a 32-bit DIB must not leak into the picture.
    for (DWORD alphaBits : {0x00000000u, 0x7F000000u}) {
        SCOPED_TRACE(alphaBits);
        const CGdiHandle<HBITMAP> bitmap = MakeDib(source, alphaBits);
        ASSERT_TRUE(bitmap);
        const widgets::CKeyedImage image(bitmap.Get(), widgets::kLookMagentaKey);
        ASSERT_TRUE(image);
        EXPECT_EQ(kImageSize, image.Size().cx);
        EXPECT_EQ(kImageSize, image.Size().cy);

        const std::vector<DWORD> drawn = Paint([&](HDC dc) { image.Draw(dc, area); });
        for (int y = 0; y < kCanvasHeight; ++y) {
            for (int x = 0; x < kCanvasWidth; ++x) {
                const int ix = x - 14;
                const int iy = y - 9;
                const bool inside = ix >= 0 && iy >= 0 && ix < kImageSize && iy < kImageSize;
                const DWORD sourcePixel = inside ? source[iy * kImageSize + ix] : kKeyPixel;
                const DWORD expected = sourcePixel == kKeyPixel ? kBackgroundPixel : sourcePixel;
                ASSERT_EQ(expected, drawn[y * kCanvasWidth + x]) << "at " << x << ", " << y;
            }
        }
    }
}

TEST(KeyedImage, TakesABitmapOfTheScreensFormatAndLeavesNothingWhenThereIsNone)
{
    const std::vector<DWORD> source = ImagePixels();
    const CGdiHandle<HBITMAP> dib = MakeDib(source, 0);
    const CGdiHandle<HBITMAP> screenBitmap = MakeScreenBitmap(source);
    ASSERT_TRUE(dib && screenBitmap);
    const RECT area{0, 0, kCanvasWidth, kCanvasHeight};
    const widgets::CKeyedImage fromDib(dib.Get(), widgets::kLookMagentaKey);
    const widgets::CKeyedImage fromScreen(screenBitmap.Get(), widgets::kLookMagentaKey);
    ASSERT_TRUE(fromScreen);
    const std::vector<DWORD> expected = Paint([&](HDC dc) { fromDib.Draw(dc, area); });
    EXPECT_TRUE(expected == Paint([&](HDC dc) { fromScreen.Draw(dc, area); }));
    EXPECT_NE(expected, std::vector<DWORD>(expected.size(), kBackgroundPixel));

    const widgets::CKeyedImage none(nullptr, widgets::kLookMagentaKey);
    EXPECT_FALSE(none);
    EXPECT_EQ(0, none.Size().cx);
    const std::vector<DWORD> untouched = Paint([&](HDC dc) { none.Draw(dc, area); });
    EXPECT_TRUE(untouched == std::vector<DWORD>(untouched.size(), kBackgroundPixel));
}

} // namespace
