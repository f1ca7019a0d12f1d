// The pages' pictures are black-frame statics of the dialog templates that the
// picture control takes over: it must draw its skin image over the parent's
// background and leave nothing black behind.
#include <gtest/gtest.h>

#include "widgets/GdiplusSession.h"
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
