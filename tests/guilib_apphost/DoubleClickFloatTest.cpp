// A docked pane floated by a double click on its caption: the panes and the
// notes it stood beside take its place at once, as the frame laid out again
// would place them.
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
