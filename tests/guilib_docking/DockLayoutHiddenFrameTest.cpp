// A saved layout loaded into a frame made hidden (as a program loads it at
// start, before showing its frame) comes out, once the frame is shown,
// exactly as one loaded into a frame already shown: every pane's place,
// size, edge, tab, auto-hide strip and visibility, and the floating frames,
// which stay out of sight until their frame shows.
#include <gtest/gtest.h>

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_docking/DockLayoutState.h"
#include "tests/support/WindowCapture.h"

namespace {

using namespace docking_test;

constexpr int kPanes = 8;

// Panes 0 and 1 in a tree at the left (the first wider), 2 at the bottom, 3
// floating alone, 4 and 5 floating together, 6 auto-hidden at the right, 7
// a tab beside 2.
void Arrange(CLayoutFrame& f)
{
    ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
    ASSERT_TRUE(f.Pane(3)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(f.Pane(4)->FloatBar(CRect(520, 200, 700, 380), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(f.Pane(5)->FloatBar(CRect(520, 420, 700, 600), KGP_DM_UNKNOWN, true));
    auto* pTogether = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(4)->GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, pTogether);
    ASSERT_EQ(0, pTogether->DockFrame(DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(5)->GetParentMiniFrame(TRUE)),
                                      KGP_DM_UNKNOWN));
    keyloft_test::Pump(20);
    ASSERT_EQ(2, pTogether->GetControlBarCount());
    ASSERT_TRUE(f.Pane(6)->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    f.frame.RecalcLayout();
    ASSERT_NE(nullptr, f.Pane(6)->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE));
    ASSERT_NE(nullptr, f.Pane(7)->AttachToTabWnd(f.Pane(2), KGP_DM_UNKNOWN, TRUE));
    CKGPSlider* slider = f.Pane(0)->GetDefaultPaneSlider();
    ASSERT_NE(nullptr, slider);
    slider->MoveSlider(CSize(40, 0));
    f.frame.RecalcLayout();
}

// The floating frames and auto-hide strips as they stand, with whether each
// shows.
std::string DescribeFramesAndStrips(CLayoutFrame& f)
{
    std::ostringstream out;
    CKGPDockManager& manager = f.Manager();
    for (POSITION pos = manager.GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, manager.GetMiniFrames().GetNext(pos));
        if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
            continue;
        CRect rect;
        pFrame->GetWindowRect(rect);
        out << "floating frame of " << pFrame->GetControlBarCount() << ' ' << rect.left << ',' << rect.top << ','
            << rect.Width() << 'x' << rect.Height() << (pFrame->IsWindowVisible() ? " shown" : " hidden") << '\n';
    }
    for (int i = 0; i < kPanes; ++i) {
        CKGPAutoHideToolBar* pStrip = f.Pane(i)->GetAutoHideToolBar();
        if (pStrip == nullptr)
            continue;
        const CRect rect = ClientRectIn(pStrip, &f.frame);
        out << "strip of " << f.Pane(i)->GetDlgCtrlID() << ' ' << rect.left << ',' << rect.top << ',' << rect.Width()
            << 'x' << rect.Height() << (pStrip->IsWindowVisible() ? " shown" : " hidden") << '\n';
    }
    return out.str();
}

// The layout checker over the panes and the tabbed pane holding 2 and 7.
void ExpectSound(CLayoutFrame& f, const char* step)
{
    layout_check::LayoutView layout = SnapshotLayout(f.Manager(), {});
    for (int i = 0; i < kPanes; ++i)
        layout.bars.push_back(ViewOfBar(f.Pane(i)));
    if (CKGPBaseControlBar* pTabbed = f.Pane(2)->GetParentTabbedBar())
        layout.bars.push_back(ViewOfBar(pTabbed));
    EXPECT_EQ("", Faults(layout_check::CheckDockLayout(layout))) << step;
}

// The screen over the frame and its floating frames.
CRect AreaOf(CLayoutFrame& f)
{
    CRect area;
    f.frame.GetWindowRect(area);
    for (POSITION pos = f.Manager().GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        CRect rect;
        static_cast<CWnd*>(f.Manager().GetMiniFrames().GetNext(pos))->GetWindowRect(rect);
        area.UnionRect(area, rect);
    }
    return area;
}

int VisibleFloatingFrames(CLayoutFrame& f)
{
    int shown = 0;
    for (POSITION pos = f.Manager().GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CWnd*>(f.Manager().GetMiniFrames().GetNext(pos));
        if (pFrame->GetSafeHwnd() != nullptr && pFrame->IsWindowVisible())
            ++shown;
    }
    return shown;
}

class DockLayoutHiddenFrameTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteLayoutProfile(); }
    void TearDown() override { DeleteLayoutProfile(); }
};

TEST_F(DockLayoutHiddenFrameTest, ALayoutLoadedIntoAHiddenFrameShowsAsOneLoadedIntoAShownFrame)
{
    const std::vector<CSize> minimums(kPanes, CSize(40, 40));
    std::string saved;
    {
        CLayoutFrame f(minimums);
        Arrange(f);
        ExpectSound(f, "arranged");
        saved = f.Describe() + DescribeFramesAndStrips(f);
        ASSERT_TRUE(f.Save());
    }

    std::string intoShown;
    CRect area;
    std::vector<DWORD> shownPixels;
    {
        CLayoutFrame g(minimums);
        ASSERT_TRUE(g.Load());
        keyloft_test::Pump(20);
        ExpectSound(g, "loaded into a shown frame");
        intoShown = g.Describe() + DescribeFramesAndStrips(g);
        EXPECT_EQ(saved, intoShown);
        area = AreaOf(g);
        shownPixels = keyloft_test::CaptureScreenArea(area);
        keyloft_test::SaveScreenArea(area, L"layout-loaded-into-shown-frame.bmp");
    }

    CLayoutFrame h(minimums, KGP_CBRS_FLOAT_MULTI, false);
    ASSERT_FALSE(h.frame.IsWindowVisible());
    ASSERT_TRUE(h.Load());
    keyloft_test::Pump(20);
    // Nothing of the frame shows before the frame does.
    EXPECT_EQ(2, h.Manager().GetMiniFrames().GetCount());
    EXPECT_EQ(0, VisibleFloatingFrames(h));
    for (int i = 0; i < kPanes; ++i)
        EXPECT_FALSE(h.Pane(i)->IsWindowVisible()) << i;

    h.frame.ShowWindow(SW_SHOW);
    h.frame.UpdateWindow();
    keyloft_test::Pump(20);
    ExpectSound(h, "loaded into a hidden frame, then shown");
    EXPECT_EQ(2, VisibleFloatingFrames(h));
    EXPECT_EQ(intoShown, h.Describe() + DescribeFramesAndStrips(h));
    // And it looks the same, pixel for pixel.
    ASSERT_EQ(area, AreaOf(h));
    keyloft_test::SaveScreenArea(area, L"layout-loaded-into-hidden-frame.bmp");
    EXPECT_TRUE(shownPixels == keyloft_test::CaptureScreenArea(area));
}

// Panes the layout does not name stay in the trees they stood in, which the
// others leave: placed alike whether the frame showed during the load or not.
TEST_F(DockLayoutHiddenFrameTest, PanesTheLayoutDoesNotNameStayAlikeInAHiddenFrameAndAShownOne)
{
    {
        CLayoutFrame f(4);
        ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        ASSERT_TRUE(f.Pane(3)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
        f.frame.RecalcLayout();
        ASSERT_TRUE(f.Save());
    }
    const std::vector<CSize> minimums(7, CSize(40, 40));
    std::string intoShown;
    {
        CLayoutFrame g(minimums);
        ASSERT_TRUE(g.Load());
        keyloft_test::Pump(20);
        g.ExpectSound("loaded into a shown frame");
        intoShown = g.Describe();
        // The three panes not named stay docked at the left.
        for (int i = 4; i < 7; ++i) {
            EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), g.Pane(i)->GetCurrentAlignment()) << i;
            EXPECT_TRUE(g.Pane(i)->IsWindowVisible()) << i;
        }
    }
    CLayoutFrame h(minimums, KGP_CBRS_FLOAT_MULTI, false);
    ASSERT_TRUE(h.Load());
    h.frame.ShowWindow(SW_SHOW);
    h.frame.UpdateWindow();
    keyloft_test::Pump(20);
    h.ExpectSound("loaded into a hidden frame, then shown");
    EXPECT_EQ(intoShown, h.Describe());
}

// Loaded twice before the frame shows (the second load takes over the
// floating frames the first made, still hidden), or loaded into a frame hidden
// after it showed: the frame shows the layout once, its floating frames with it.
TEST_F(DockLayoutHiddenFrameTest, LoadsIntoAFrameHiddenOnceOrTwiceShowTheLayoutWhenItShows)
{
    const std::vector<CSize> minimums(kPanes, CSize(40, 40));
    std::string saved;
    {
        CLayoutFrame f(minimums);
        Arrange(f);
        saved = f.Describe() + DescribeFramesAndStrips(f);
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame h(minimums, KGP_CBRS_FLOAT_MULTI, false);
    ASSERT_TRUE(h.Load());
    ASSERT_TRUE(h.Load());
    keyloft_test::Pump(20);
    EXPECT_EQ(2, h.Manager().GetMiniFrames().GetCount());
    auto expectShownOnlyWithTheFrame = [&](const char* step) {
        EXPECT_EQ(0, VisibleFloatingFrames(h)) << step;
        h.frame.ShowWindow(SW_SHOW);
        keyloft_test::Pump(20);
        ExpectSound(h, step);
        EXPECT_EQ(2, VisibleFloatingFrames(h)) << step;
        EXPECT_EQ(saved, h.Describe() + DescribeFramesAndStrips(h)) << step;
    };
    expectShownOnlyWithTheFrame("loaded twice into a hidden frame, then shown");

    // Hidden again (its floating frames stay as they are), loaded, shown.
    h.frame.ShowWindow(SW_HIDE);
    keyloft_test::Pump(20);
    ASSERT_TRUE(h.Load());
    keyloft_test::Pump(20);
    expectShownOnlyWithTheFrame("loaded into the frame hidden again, then shown");
}

} // namespace
