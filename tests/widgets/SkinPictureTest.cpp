// The pages' pictures are black-frame statics of the dialog templates that the
// picture control takes over: it must draw its skin image over the parent's
// background and leave nothing black behind.
#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include "widgets/GdiplusSession.h"
#include "widgets/PngButton.h"
#include "widgets/SkinImage.h"
#include "widgets/UiResources.h"
#include "tests/widgets/ChildCapture.h"
#include "widgets/ImageStatic.h"

namespace {

constexpr COLORREF kBackground = RGB(236, 242, 250);
constexpr DWORD kBackgroundPixel = 0xECF2FA;

struct AreaCount {
    size_t black = 0;
    size_t white = 0;
    size_t background = 0;
    size_t greenish = 0;
    size_t reddish = 0;
    size_t total = 0;
};

class SkinPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.IsStarted());
        ASSERT_GT(GetUiResources().LoadImages(KEYLOFT_PICTURES_FOLDER), 0);
        ASSERT_TRUE(m_host.CreateHost(240, 160, kBackground));
        // As a dialog template makes it: a black frame, taken over afterwards.
        HWND placeholder = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 20, 20, 60, 56,
                                             m_host.m_hWnd, reinterpret_cast<HMENU>(1036), nullptr, nullptr);
        ASSERT_NE(nullptr, placeholder);
        ASSERT_TRUE(m_picture.SubclassWindow(placeholder));
    }
    void TearDown() override { GetUiResources().ReleaseImages(); }

    AreaCount CountPictureArea()
    {
        widgets_test::Pump(300);
        AreaCount count;
        for (DWORD pixel : widgets_test::CaptureChild(m_host.m_hWnd, m_picture.m_hWnd).pixels) {
            count.black += pixel == 0 ? 1 : 0;
            count.white += pixel == 0xFFFFFF ? 1 : 0;
            count.background += pixel == kBackgroundPixel ? 1 : 0;
            const int red = static_cast<int>((pixel >> 16) & 0xFF);
            const int green = static_cast<int>((pixel >> 8) & 0xFF);
            count.greenish += green > red + 60 ? 1 : 0;
            count.reddish += red > green + 60 ? 1 : 0;
            ++count.total;
        }
        return count;
    }

    // What GDI+ itself blends for the image over the page colour, in the
    // picture's place inside a control of the picture's size.
    std::vector<DWORD> DrawnByGdiplus(const CSkinImage& image)
    {
        RECT client{};
        ::GetClientRect(m_picture.m_hWnd, &client);
        const int width = client.right;
        const int height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const CGdiHandle<HBITMAP> picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const CMemoryDCHandle dc(::CreateCompatibleDC(nullptr));
        {
            const CSelectionScope select(dc.Get(), picture.Get());
            const CGdiHandle<HBRUSH> page(::CreateSolidBrush(kBackground));
            ::FillRect(dc.Get(), &client, page.Get());
            const RECT place = FitImageRect(client, image.GetWidth(), image.GetHeight());
            Gdiplus::Graphics graphics(dc.Get());
            graphics.DrawImage(image.GetBitmap(), static_cast<INT>(place.left), static_cast<INT>(place.top),
                               static_cast<INT>(place.right - place.left), static_cast<INT>(place.bottom - place.top));
        }
        const auto* first = static_cast<const DWORD*>(bits);
        std::vector<DWORD> pixels(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
        for (DWORD& pixel : pixels)
            pixel &= 0x00FFFFFFu;
        return pixels;
    }

    CGdiplusSession m_gdiplus;
    widgets_test::CRecordingParent m_host;
    CImageStatic m_picture;
};

TEST_F(SkinPictureTest, APlaceholderFrameShowsTheImageOverThePageColour)
{
    const CSkinImage* document = GetUiResources().GetImage(L"pcFile.png");
    ASSERT_NE(nullptr, document);
    m_picture.SetImage(document);
    const AreaCount count = CountPictureArea();
    ASSERT_EQ(60u * 56u, count.total);
    EXPECT_EQ(0u, count.black) << "the picture left black pixels";
    // The document's white sheet, and the page colour around it (alpha respected).
    EXPECT_GT(count.white, count.total / 5);
    EXPECT_GT(count.background, count.total / 10);
}

// The picture blends an image shown at its own size from a premultiplied copy
// of its own, an image shown smaller through GDI+: either way the screen shows
// exactly what GDI+ blends, on the first paint and on later ones.
TEST_F(SkinPictureTest, ThePictureShowsThePixelsGdiplusBlendsAtAnySize)
{
    const CSkinImage* document = GetUiResources().GetImage(L"pcFile.png");
    ASSERT_NE(nullptr, document);
    m_picture.SetImage(document);
    const std::vector<DWORD> expected = DrawnByGdiplus(*document);
    ASSERT_EQ(60u * 56u, expected.size());
    const size_t blended = static_cast<size_t>(std::count_if(expected.begin(), expected.end(), [](DWORD pixel) {
        return pixel != kBackgroundPixel && pixel != 0xFFFFFF;
    }));
    ASSERT_GT(blended, 0u) << "the image has no pixel of its own over the page colour";
    for (int paint = 0; paint < 2; ++paint) {
        widgets_test::Pump(100);
        EXPECT_EQ(expected, widgets_test::CaptureChild(m_host.m_hWnd, m_picture.m_hWnd).pixels)
            << "at its own size, paint " << paint + 1;
    }

    // Smaller than the image: drawn scaled, as GDI+ scales it.
    ::SetWindowPos(m_picture.m_hWnd, nullptr, 0, 0, 30, 28, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::vector<DWORD> scaled = DrawnByGdiplus(*document);
    ASSERT_EQ(30u * 28u, scaled.size());
    widgets_test::Pump(100);
    EXPECT_EQ(scaled, widgets_test::CaptureChild(m_host.m_hWnd, m_picture.m_hWnd).pixels) << "scaled";
}

TEST_F(SkinPictureTest, WithoutAnImageThePlaceholderShowsOnlyThePageColour)
{
    m_picture.SetImage(GetUiResources().GetImage(L"no such picture.png"));
    const AreaCount count = CountPictureArea();
    EXPECT_EQ(count.total, count.background) << "no frame, no black block";
}

TEST_F(SkinPictureTest, ChangingTheImageRepaintsIt)
{
    m_picture.SetImage(GetUiResources().GetImage(L"connected.png"));
    const AreaCount connected = CountPictureArea();
    m_picture.SetImage(GetUiResources().GetImage(L"disconnect.png"));
    const AreaCount disconnected = CountPictureArea();
    EXPECT_EQ(0u, connected.black + disconnected.black);
    EXPECT_GT(connected.greenish, 100u);
    EXPECT_EQ(0u, connected.reddish);
    EXPECT_GT(disconnected.reddish, 100u) << "the new image was not drawn";
    EXPECT_EQ(0u, disconnected.greenish);
}

} // namespace
