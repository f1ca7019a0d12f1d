// Panes come back after a restart as the user left them, also where the
// frame's own layout puts them otherwise: a tabbed pane pinned by its pin
// button leaves its tabs on one strip as a group, and the group is what the
// next start shows; a pane the frame floats from the start, docked and
// pinned, slides in on its strip again.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

CPoint PinOf(CKGPDockingControlBar& pane)
{
    const CRect rect = apphost::ScreenRect(pane);
    for (int x = rect.right - 2; x > rect.right - 60; --x) {
        for (int y = rect.top; y < rect.top + 24; ++y) {
            if (pane.HitTest(CPoint(x, y)) == KGP_PANE_HIT_PIN)
                return CPoint(x - 3, y + 3);
        }
    }
    return CPoint(-1, -1);
}

} // namespace

TEST_F(AppHostTest, ATabbedPanePinnedByItsPinButtonComesBackPinnedAfterARestart)
{
    CHostMainFrame& frame = Frame();
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    const CPoint pin = PinOf(*tabbed);
    ASSERT_NE(CPoint(-1, -1), pin);
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(30, 60);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] {
        return frame.m_wndFiles.IsAutoHideMode() && frame.m_wndClasses.IsAutoHideMode() &&
               !apphost::IsShown(frame.m_wndFiles) && !apphost::IsShown(frame.m_wndClasses);
    }, 4000));
    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes()));
    EXPECT_TRUE(again.m_wndFiles.IsAutoHideMode());
    EXPECT_TRUE(again.m_wndClasses.IsAutoHideMode());
    EXPECT_EQ(again.m_wndFiles.GetAutoHideToolBar(), again.m_wndClasses.GetAutoHideToolBar()) << "one group";
}

TEST_F(AppHostTest, APaneFloatingFromTheStartDockedAndPinnedComesBackPinnedAfterARestart)
{
    CHostMainFrame& frame = Frame();
    CKGPMiniFrameWnd* floating = frame.m_wndFind.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating) << "Find floats from the start";
    // Docked by a double click on its floating frame's caption.
    const CPoint caption = CaptionPoint(frame.m_wndFind);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DoubleClick(caption);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return frame.m_wndFind.GetParentMiniFrame(TRUE) == nullptr; })) << "docked";
    const CPoint pin = PinOf(frame.m_wndFind);
    ASSERT_NE(CPoint(-1, -1), pin);
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] {
        return frame.m_wndFind.IsAutoHideMode() && !apphost::IsShown(frame.m_wndFind);
    }, 4000)) << "pinned, slid in";
    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes()));
    EXPECT_TRUE(again.m_wndFind.IsAutoHideMode());
    EXPECT_EQ(nullptr, again.m_wndFind.GetParentMiniFrame(TRUE)) << "not floating where the frame floats it first";
    EXPECT_TRUE(again.GetDockManager()->GetMiniFrames().IsEmpty()) << "the floating frame it leaves goes";
}

TEST_F(AppHostTest, ATabbedPaneFloatedByItsCaptionComesBackFloatingWithItsTabsAfterARestart)
{
    CHostMainFrame& frame = Frame();
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    const CPoint caption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);
    // Into the notes, below the centre marker shown there.
    const CPoint drop = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint() + CSize(-60, 90);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(50);
        user.Press();
        user.DragTo(drop, 16);
        user.Pause(100);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed->GetParentMiniFrame(TRUE) != nullptr; })) << "it floats";
    ASSERT_TRUE(frame.m_wndFiles.IsTabbed() && frame.m_wndClasses.IsTabbed());
    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes()));
    CKGPBaseControlBar* both = again.m_wndFiles.GetParentTabbedBar();
    ASSERT_NE(nullptr, both);
    EXPECT_EQ(both, again.m_wndClasses.GetParentTabbedBar());
    EXPECT_NE(nullptr, both->GetParentMiniFrame(TRUE)) << "floating";
}
