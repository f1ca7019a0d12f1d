// A page painted ahead while hidden, then shown, against the same page shown
// without it: the screen must show the same pixels, and the page's first paint
// must use what was made ahead.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <set>
#include <vector>

#include "app/transfer/TransferPages.h"
#include "core/profile/DeviceNames.h"
#include "pages/BaseDlg.h"
#include "tests/app_frame/ShellTestSupport.h"
#include "tests/app_frame/TestApp.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"
#include "widgets/GdiplusSession.h"
#include "widgets/PaintAhead.h"
#include "widgets/UiResources.h"

namespace {

class PaintAheadTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        TestApp();
        ASSERT_TRUE(m_gdiplus.IsStarted());
        ASSERT_GT(GetUiResources().LoadImages(KEYLOFT_PICTURES_FOLDER), 0);
        GetDeviceNames().m_deviceName.Empty();
        ASSERT_TRUE(m_host.CreateEx(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 700), nullptr, 0));
        PumpPending();
    }
    void TearDown() override
    {
        if (m_host.GetSafeHwnd() != nullptr)
            m_host.DestroyWindow();
        GetDeviceNames().m_deviceName.Empty();
        GetUiResources().ReleaseImages();
        ShellFolderTest::TearDown();
    }

    // The song page made hidden, painted ahead or not, then shown; what the
    // screen shows of it after its first paint, and its background buffer builds
    // before and after that paint.
    struct Shown {
        std::vector<DWORD> pixels;
        int asked = 0;
        int buildsBeforeShowing = 0;
        int buildsAfterFirstPaint = 0;
        bool visibleAfterPaintingAhead = true;
    };
    Shown ShowSongPage(bool paintAhead)
    {
        Shown shown;
        boost::shared_ptr<CBaseDlg> page = CreateTransferPage(TransferKind::Song, &m_host);
        EXPECT_TRUE(page);
        if (!page)
            return shown;
        page->ShowWindow(SW_HIDE);
        // Not the template's size: the page lays out its controls anew.
        const CRect place(0, 0, 860, 660);
        if (paintAhead)
            shown.asked = widgets::PaintAhead(page->GetSafeHwnd(), place);
        else
            page->MoveWindow(place);
        shown.visibleAfterPaintingAhead = page->IsWindowVisible() != FALSE;
        shown.buildsBeforeShowing = page->GetBackBufferBuilds();
        page->ShowWindow(SW_SHOW);
        page->UpdateWindow();
        PumpPending();
        shown.buildsAfterFirstPaint = page->GetBackBufferBuilds();
        CRect area;
        page->GetWindowRect(area);
        shown.pixels = keyloft_test::CaptureScreenArea(area);
        return shown;
    }

    CGdiplusSession m_gdiplus;
    CWnd m_host;
};

TEST_F(PaintAheadTest, APagePaintedAheadShowsTheSamePixelsAndItsFirstPaintUsesWhatWasMadeAhead)
{
    const Shown plain = ShowSongPage(false);
    const Shown ahead = ShowSongPage(true);

    // The page and every control on it were asked; none was shown by it.
    EXPECT_GT(ahead.asked, 10);
    EXPECT_FALSE(ahead.visibleAfterPaintingAhead);
    // The background was made ahead, once, at the size shown, and the first
    // paint drew with it.
    EXPECT_EQ(plain.buildsBeforeShowing, 0);
    EXPECT_EQ(plain.buildsAfterFirstPaint, 1);
    EXPECT_EQ(ahead.buildsBeforeShowing, 1);
    EXPECT_EQ(ahead.buildsAfterFirstPaint, 1);

    // The page drew something worth comparing: its pictures, lists and bars.
    ASSERT_GT(std::set<DWORD>(plain.pixels.begin(), plain.pixels.end()).size(), 20u);
    ASSERT_EQ(plain.pixels.size(), ahead.pixels.size());
    size_t differing = 0;
    for (size_t i = 0; i < plain.pixels.size(); ++i)
        differing += plain.pixels[i] != ahead.pixels[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "of " << plain.pixels.size() << " pixels";
}

TEST_F(PaintAheadTest, AWindowWithoutAClientAreaIsNotAsked)
{
    EXPECT_EQ(widgets::PaintAhead(nullptr), 0);
    CWnd empty;
    ASSERT_TRUE(empty.CreateEx(0, L"STATIC", L"", WS_CHILD, CRect(0, 0, 0, 0), &m_host, 1));
    EXPECT_EQ(widgets::PaintAhead(empty.GetSafeHwnd()), 0);
    empty.DestroyWindow();
}

} // namespace
