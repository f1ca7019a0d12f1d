// A docked pane floated by a double click on its caption: the panes and the
// notes it stood beside take its place at once, as the frame laid out again
// would place them. Floating, a double click on the part of its frame's
// caption that another frame leaves uncovered docks it back.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

// The panes' places and the notes' area.
std::string Described(CHostMainFrame& frame)
{
    const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
    return apphost::DescribePanes(frame, frame.StoredPanes()) + "notes " + std::to_string(notes.left) + "," +
           std::to_string(notes.top) + " " + std::to_string(notes.Width()) + "x" + std::to_string(notes.Height()) +
           "\n";
}

} // namespace

TEST_F(AppHostTest, ADockedPaneFloatedByADoubleClickOnItsCaptionLeavesNoHole)
{
    CHostMainFrame& frame = Frame();
    // Tasks stands alone at the right edge; Files and Classes beside it.
    const CPoint caption = CaptionPoint(frame.m_wndTasks);
    ASSERT_NE(CPoint(-1, -1), caption);
    const CRect tabbedBefore = apphost::ScreenRect(*frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DoubleClick(caption);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return frame.m_wndTasks.GetParentMiniFrame(TRUE) != nullptr; })) << "floats";
    apphost::PumpFor(200);
    const std::string floated = Described(frame);
    EXPECT_GT(apphost::ScreenRect(*frame.m_wndFiles.GetParentTabbedBar()).right, tabbedBefore.right)
        << "Files and Classes moved into the place Tasks left";
    // The frame laid out again moves nothing.
    frame.RecalcLayout();
    apphost::PumpFor(100);
    EXPECT_EQ(Described(frame), floated);
}

TEST_F(AppHostTest, AFloatingFrameHalfCoveredDocksBackByADoubleClickOnWhatShowsOfItsCaption)
{
    CHostMainFrame& frame = Frame();
    const CPoint docked = CaptionPoint(frame.m_wndTasks);
    ASSERT_NE(CPoint(-1, -1), docked);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.DoubleClick(docked); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return frame.m_wndTasks.GetParentMiniFrame(TRUE) != nullptr; })) << "floats";
    CKGPMiniFrameWnd* tasksFrame = frame.m_wndTasks.GetParentMiniFrame(TRUE);
    CKGPMiniFrameWnd* findFrame = frame.m_wndFind.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, findFrame) << "Find floats as the host starts";
    // Find's frame, above, covers the left half of Tasks' caption.
    const CRect tasksRect = apphost::ScreenRect(*tasksFrame);
    const CRect findRect = apphost::ScreenRect(*findFrame);
    findFrame->SetWindowPos(&CWnd::wndTop, tasksRect.CenterPoint().x - findRect.Width(), tasksRect.top - 8, 0, 0,
                            SWP_NOSIZE | SWP_NOACTIVATE);
    apphost::PumpFor(100);
    const CPoint start = CaptionPoint(frame.m_wndTasks);
    ASSERT_NE(CPoint(-1, -1), start);
    ASSERT_FALSE(apphost::ShowsAt(tasksFrame->GetSafeHwnd(), start)) << "the caption's left end is covered";
    // What shows of the caption, short of its buttons.
    CPoint seen(-1, -1);
    for (int x = start.x; x < tasksRect.right && seen.x < 0; x += 4) {
        const CPoint at(x, start.y);
        if (apphost::ShowsAt(tasksFrame->GetSafeHwnd(), at) && tasksFrame->FindCaptionButtonAtPoint(at) == nullptr &&
            tasksFrame->FindCaptionButtonAtPoint(at + CSize(4, 0)) == nullptr)
            seen = at;
    }
    ASSERT_NE(CPoint(-1, -1), seen) << "part of the caption shows";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.DoubleClick(seen); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return frame.m_wndTasks.GetParentMiniFrame(TRUE) == nullptr; }))
        << "docked back";
    apphost::PumpFor(100);
    EXPECT_TRUE(apphost::IsShown(frame.m_wndTasks)) << "shown where it docked";
    EXPECT_NE(nullptr, frame.m_wndTasks.GetDefaultPaneSlider()) << "in a tree at an edge";
    EXPECT_TRUE(apphost::IsShown(*findFrame)) << "the frame above untouched";
}
