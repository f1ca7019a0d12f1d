// A pane closed where it is docked keeps its place while closed: a pane that
// comes back beside it does not squeeze it to nothing, a restart brings it
// back where it was saved, and shown again from View > Toolbars and Panes it
// takes its share of its place beside the other pane.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "tests/guilib_apphost/HostInvariants.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

const CPoint kNowhere(-1, -1);

// The middle of the close button on a docked pane's caption.
CPoint CloseButtonPoint(CKGPDockingControlBar& pane)
{
    const CRect rect = apphost::ScreenRect(pane);
    for (int y = rect.top; y < rect.top + 30 && y < rect.bottom; ++y) {
        for (int x = rect.right - 2; x > rect.right - 80 && x > rect.left; --x) {
            if (pane.HitTest(CPoint(x, y)) == KGP_PANE_HIT_CLOSE)
                return CPoint(x - 3, y + 3);
        }
    }
    return kNowhere;
}

bool DoubleClick(CPoint point)
{
    return apphost::Perform([&](apphost::CGestures& user) {
        user.DoubleClick(point);
    });
}

} // namespace

// Watch floated by a double click on its caption, Output (beside it at the
// bottom) closed by its caption's close button, and Watch docked back by a
// double click on its floating frame's caption: it takes the whole bottom
// place, and Output, closed, keeps the place it had.
TEST_F(AppHostTest, APaneClosedBesideOneDockedBackKeepsItsPlaceThroughARestartAndShowsThereAgain)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& output = frame.m_wndOutput;
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    ASSERT_TRUE(apphost::IsShown(output) && apphost::IsShown(watch)) << "Output and Watch share the bottom";
    const CPoint watchCaption = CaptionPoint(watch);
    ASSERT_NE(kNowhere, watchCaption);
    ASSERT_TRUE(DoubleClick(watchCaption));
    ASSERT_TRUE(apphost::WaitUntil([&] { return watch.GetParentMiniFrame(TRUE) != nullptr; })) << "Watch floats";

    const CPoint close = CloseButtonPoint(output);
    ASSERT_NE(kNowhere, close);
    const CRect outputBefore = apphost::ScreenRect(output);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(close); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !output.IsWindowVisible(); })) << "Output closed";

    const CPoint floatingCaption = CaptionPoint(watch);
    ASSERT_NE(kNowhere, floatingCaption);
    ASSERT_TRUE(DoubleClick(floatingCaption));
    const auto docked = [&] { return watch.GetParentMiniFrame(TRUE) == nullptr && apphost::IsShown(watch); };
    ASSERT_TRUE(apphost::WaitUntil(docked)) << "Watch docked back";
    apphost::PumpFor(200);
    EXPECT_EQ(outputBefore, apphost::ScreenRect(output)) << "Output, closed, keeps its place";

    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes())) << "the layout as saved";

    ASSERT_TRUE(ChooseFromViewBarsList(again, _T("Output")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(again.m_wndOutput); })) << "Output shown again";
    apphost::PumpFor(200);
    const CRect shownOutput = apphost::ScreenRect(again.m_wndOutput);
    const CRect shownWatch = apphost::ScreenRect(again.m_wndWatch);
    EXPECT_EQ(shownOutput.top, shownWatch.top) << "side by side at the bottom";
    EXPECT_LT(shownOutput.right, shownWatch.left) << "Output to the left of Watch, as it was";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(again, {})));
}
