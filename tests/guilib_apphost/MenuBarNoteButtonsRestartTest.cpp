// A maximised note's icon and window buttons join the menu bar's menus: the
// bar floating partly beyond the screen's right edge has a larger frame, the
// bar docked at the frame's right edge a wider column. A restart (the notes
// come back as tabs) brings the bar back at its place, as large as its own
// menus, until a note is maximised again: then it is as large as it was saved.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

bool IsMaximised(CHostMainFrame& frame)
{
    BOOL maximised = FALSE;
    frame.MDIGetActive(&maximised);
    return maximised != FALSE;
}

// The notes shown as windows, the active one maximised by a double click on
// its caption.
bool MaximiseTheNote(CHostMainFrame& frame)
{
    frame.SendMessage(WM_COMMAND, ID_WINDOW_AS_WINDOWS);
    if (!apphost::WaitUntil([&] { return !frame.AreMDITabs() && frame.MDIGetActive() != nullptr; }))
        return false;
    const CRect note = apphost::ScreenRect(*frame.MDIGetActive());
    const CPoint caption(note.left + 40, note.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2);
    return apphost::Perform([&](apphost::CGestures& user) { user.DoubleClick(caption); }) &&
           apphost::WaitUntil([&] { return IsMaximised(frame) && frame.m_wndMenuBar.IsMaximizeMode(); });
}

CRect FloatingFrameOf(CKGPToolBar& bar)
{
    CKGPMiniFrameWnd* floating = bar.GetParentMiniFrame(TRUE);
    return floating != nullptr ? apphost::ScreenRect(*floating) : CRect();
}

} // namespace

TEST_F(AppHostTest, AFloatingMenuBarSizedForAMaximisedNoteComesBackAtItsPlace)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    // Torn off its dock by its gripper over the notes.
    const CRect docked = apphost::ScreenRect(bar);
    const CPoint gripper(docked.left + 2, docked.CenterPoint().y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Drag(gripper, Middle(frame.m_hWndMDIClient), 14);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return bar.IsFloating() && apphost::IsShown(bar); }));
    // Carried in one long move to below the main frame, half beyond the
    // screen's right edge (on the way the cursor meets no dock row).
    const int below = apphost::ScreenRect(frame).bottom + 40;
    const int screenRight = ::GetSystemMetrics(SM_CXSCREEN);
    const CRect floated = FloatingFrameOf(bar);
    const CPoint caption(floated.left + 20, floated.top + 6);
    const CPoint beyond(screenRight - floated.Width() / 2 + 20, below);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(caption, beyond, 2); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return FloatingFrameOf(bar).TopLeft() == beyond - CSize(20, 6); }))
        << apphost::DescribeBars(frame, {&bar});
    const CRect own = FloatingFrameOf(bar);
    ASSERT_GT(own.right, screenRight) << "the frame stands partly beyond the screen";

    // A maximised note's buttons join the bar's menus.
    ASSERT_TRUE(MaximiseTheNote(frame));
    const CRect withNote = FloatingFrameOf(bar);
    EXPECT_EQ(own.TopLeft(), withNote.TopLeft());
    EXPECT_GT(withNote.Width(), own.Width()) << "the frame holds the note's buttons";
    EXPECT_GE(withNote.Height(), own.Height());
    const std::string saved = apphost::DescribeBars(frame, {&bar});

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    ASSERT_TRUE(again.m_wndMenuBar.IsFloating());
    ASSERT_FALSE(again.m_wndMenuBar.IsMaximizeMode()) << "the notes come back as tabs";
    EXPECT_EQ(own, FloatingFrameOf(again.m_wndMenuBar)) << "the bar's own menus, at the place saved";
    ASSERT_TRUE(MaximiseTheNote(again));
    EXPECT_EQ(saved, apphost::DescribeBars(again, {&again.m_wndMenuBar}));
}

TEST_F(AppHostTest, AMenuBarDockedAtTheRightEdgeWithAMaximisedNoteComesBackAsWideAgain)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    // Taken by its gripper to the middle of the frame's right edge.
    const CRect docked = apphost::ScreenRect(bar);
    const CPoint gripper(docked.left + 2, docked.CenterPoint().y);
    const CRect area = apphost::ScreenRect(frame.m_hWndMDIClient);
    const CPoint edge(apphost::ScreenRect(frame).right - 12, area.CenterPoint().y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(gripper, edge, 20); }));
    ASSERT_TRUE(apphost::WaitUntil([&] {
        return !bar.IsFloating() && !bar.IsHorizontal() && bar.GetCurrentAlignment() == static_cast<DWORD>(CBRS_ALIGN_RIGHT);
    })) << apphost::DescribeBars(frame, {&bar});
    const CRect own = apphost::ScreenRect(bar);

    ASSERT_TRUE(MaximiseTheNote(frame));
    const CRect withNote = apphost::ScreenRect(bar);
    EXPECT_GT(withNote.Width(), own.Width()) << "the column holds the note's icon";
    EXPECT_EQ(own.right, withNote.right) << "at the frame's edge still";
    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes()) + apphost::DescribeMenuBar(frame, bar);

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    ASSERT_FALSE(again.m_wndMenuBar.IsMaximizeMode()) << "the notes come back as tabs";
    EXPECT_EQ(own, apphost::ScreenRect(again.m_wndMenuBar)) << "as wide as its own menus, at the edge";
    ASSERT_TRUE(MaximiseTheNote(again));
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes()) +
                         apphost::DescribeMenuBar(again, again.m_wndMenuBar));
}
