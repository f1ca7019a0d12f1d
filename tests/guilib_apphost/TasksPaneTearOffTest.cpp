// The tasks pane torn off by its caption follows the mouse in its floating
// frame, though the first move the pane sees lies over its own group caption
// (a busy application takes the mouse's moves together): the pane's hot
// tracking of its tasks does not take the mouse from the frame.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"

TEST_F(AppHostTest, TheTasksPaneTornOffOverItsGroupCaptionFollowsTheMouse)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& tasks = frame.m_wndTasks;
    const CPoint caption = CaptionPoint(tasks);
    ASSERT_NE(CPoint(-1, -1), caption);
    // Beside the frame, where no marker shows.
    const CRect window = apphost::ScreenRect(frame);
    const CPoint there(window.right + 120, window.top + 200);
    ASSERT_TRUE(apphost::IsOnScreen(there));
    const CPoint middle = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    const HWND hTasks = tasks.GetSafeHwnd();
    const HWND hFrame = frame.GetSafeHwnd();
    bool followed = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(50);
        user.Press();
        // Straight down onto the group caption "Note tasks" under the pane's caption.
        user.MoveTo(caption + CSize(0, 28));
        user.Pause(300);
        // Over the documents, where the markers hold the frame while one is
        // hot, then beyond the frame.
        user.DragTo(middle, 8);
        user.Pause(200);
        user.DragTo(there, 10);
        followed = user.WaitFor([&] {
            const HWND top = apphost::TopLevelOf(hTasks);
            return top != hFrame && apphost::ScreenRect(top).PtInRect(there);
        });
        user.Release();
        user.Pause(100);
    }));
    EXPECT_TRUE(followed) << "its floating frame came along to where the mouse went";
    CKGPMiniFrameWnd* floating = tasks.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating) << "floating where it was let go";
    EXPECT_TRUE(apphost::ScreenRect(*floating).PtInRect(there));
    EXPECT_TRUE(apphost::WaitUntil([] { return apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty(); }))
        << "the markers went with the drag";
    EXPECT_EQ(nullptr, ::GetCapture()) << "the drag is over";
}
