// A floating toolbar dragged by its caption while the application is too busy
// to follow: the mouse's moves wait in its queue and come to it as one. The
// frame stays held where it was pressed, and a move that takes it over a dock
// bar docks it where the cursor holds it, as when each move comes on its own.
// (The frame took the cursor where the press was handled for its hold, and
// docking went by the frame where it stood before the moves: the bar landed
// short of the pointer, or never docked.)
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

namespace {

class BusyDragTest : public AppHostTest {
protected:
    // The Standard bar torn off over the notes; its floating frame.
    static CKGPMiniFrameWnd* FloatStandardBar(CHostMainFrame& frame)
    {
        return TearOffOverTheNotes(frame, frame.m_wndToolBar) ? frame.m_wndToolBar.GetParentMiniFrame(TRUE) : nullptr;
    }
    static CPoint CaptionPointOf(CKGPMiniFrameWnd& floating)
    {
        CRect caption;
        floating.GetCaptionRect(caption);
        return apphost::ScreenRect(floating).TopLeft() + CSize(caption.left + 12, caption.CenterPoint().y);
    }
    // Pressed on the caption and dragged to the first point as the
    // application follows, then on to the second while it handles nothing.
    static bool DragOnWhileBusy(CPoint from, CPoint via, CPoint to)
    {
        if (!apphost::Perform([&](apphost::CGestures& user) {
                user.MoveTo(from);
                user.Pause(60);
                user.Press();
                user.DragTo(via, 10);
            }))
            return false;
        apphost::CUserInput moves([to](apphost::CGestures& user) { user.DragTo(to, 14); });
        return moves.WaitWhileBusy() && moves.Finish();
    }
};

} // namespace

TEST_F(BusyDragTest, AFloatingToolbarStaysHeldWhereItWasPressed)
{
    CHostMainFrame& frame = Frame();
    CKGPMiniFrameWnd* floating = FloatStandardBar(frame);
    ASSERT_NE(nullptr, floating);
    const CRect before = apphost::ScreenRect(*floating);
    const CPoint caption = CaptionPointOf(*floating);
    const CPoint to = caption + CSize(120, 90);
    // The press and the first moves wait together.
    apphost::CUserInput gestures([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(60);
        user.Press();
        user.DragTo(caption + CSize(60, 45), 6);
    });
    ASSERT_TRUE(gestures.WaitWhileBusy());
    ASSERT_TRUE(gestures.Finish());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DragTo(to, 6);
        user.Pause(60);
        user.Release();
    }));
    ASSERT_EQ(floating, frame.m_wndToolBar.GetParentMiniFrame(TRUE)) << "floating still";
    EXPECT_EQ(before.TopLeft() + (to - caption), apphost::ScreenRect(*floating).TopLeft())
        << "the cursor holds the frame where it was pressed";
}

TEST_F(BusyDragTest, AFloatingToolbarDraggedToTheFootOfTheRightEdgeDocksThere)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    CKGPMiniFrameWnd* floating = FloatStandardBar(frame);
    ASSERT_NE(nullptr, floating);
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
    // Near the right edge, not docking yet; then down its length to its foot.
    const CPoint beside(client.right - 100, notes.top + 60);
    ASSERT_TRUE(DragOnWhileBusy(CaptionPointOf(*floating), beside, CPoint(client.right - 5, notes.bottom - 10)));
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) {
        user.Pause(60);
        user.Release();
    }));
    CKGPDockBar* right = frame.GetDockManager()->FindDockBar(CBRS_ALIGN_RIGHT, TRUE);
    ASSERT_NE(nullptr, right);
    ASSERT_TRUE(apphost::WaitUntil([&] { return standard.GetParentDockBar() == right; })) << "docked at the right edge";
    EXPECT_EQ(apphost::ScreenRect(*right).bottom, apphost::ScreenRect(standard).bottom) << "at the edge's foot";
}
