// Toolbars moved along their dock row by a user. One that keeps its row to
// itself stays there when dragged by its gripper, and when the frame narrows
// (restored from maximised, or by its edge) it comes back inside the row
// without being shrunk; two sharing a row change places.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"

namespace {

// A point on the frame's right border where a drag resizes it.
CPoint RightBorderOf(CWnd& frame)
{
    const CRect rect = apphost::ScreenRect(frame);
    const int y = rect.CenterPoint().y;
    for (int x = rect.right - 1; x > rect.right - 12; --x) {
        if (frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTRIGHT)
            return CPoint(x, y);
    }
    return CPoint(-1, -1);
}

} // namespace

TEST_F(AppHostTest, ABarKeepingItsRowToItselfComesBackInsideTheRowWhenTheFrameNarrows)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& bar = frame.m_wndFormatBar;
    bar.SetExclusiveRow(1);
    CKGPDockBarRow* row = bar.GetDockBarRow();
    ASSERT_NE(nullptr, row);
    ASSERT_EQ(1, row->GetBarCount()) << "the bar has its row to itself";
    const CRect normal = apphost::ScreenRect(frame);
    frame.ShowWindow(SW_MAXIMIZE);
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(frame).Width() > normal.Width(); }));
    apphost::PumpFor(100);
    const CRect before = apphost::ScreenRect(bar);

    // Dragged by its gripper along its row, past where the frame ends when restored.
    const CPoint gripper(before.left + 3, before.CenterPoint().y);
    const int farther = normal.right - before.left - before.Width() / 2;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Drag(gripper, gripper + CSize(farther, 0), 14);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(bar).right > normal.right; }))
        << "the bar went along its row";
    ASSERT_EQ(row, bar.GetDockBarRow()) << "in the same row";
    const int width = apphost::ScreenRect(bar).Width();
    auto expectInside = [&](const char* step) {
        CRect rowRect;
        row->GetRowRect(rowRect);
        const CRect now = apphost::ScreenRect(bar);
        EXPECT_LE(now.right, rowRect.right) << step << ": inside its row again";
        EXPECT_GE(now.left, rowRect.left) << step;
        EXPECT_EQ(width, now.Width()) << step << ": at its size";
    };

    // Restored by a double click on its caption: the frame narrows at once.
    const CPoint caption(normal.CenterPoint().x, apphost::ScreenRect(frame).top + ::GetSystemMetrics(SM_CYCAPTION) / 2);
    ASSERT_EQ(HTCAPTION, frame.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(caption);
        user.Click(caption);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !frame.IsZoomed(); })) << "restored";
    apphost::PumpFor(100);
    expectInside("restored");
    apphost::Screenshot(L"apphost_exclusive_row_restored.bmp");

    // It ends where its row ends: the frame's right edge dragged in past it.
    const CPoint edge = RightBorderOf(frame);
    ASSERT_NE(CPoint(-1, -1), edge);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(edge);
        user.Press();
        user.DragTo(edge - CSize(300, 0), 6);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(frame).Width() < normal.Width() - 200; }))
        << "the frame narrowed";
    apphost::PumpFor(100);
    expectInside("narrowed by its edge");
}

// Two toolbars in one row, the second dragged back by its gripper over the
// first, which stood away from the row's start: the first jumps over it, and
// both stay in the row, in their new order (the jump wrote past the row's
// list of bars, and the drag crashed).
TEST_F(AppHostTest, AToolbarDraggedBackOverItsNeighbourInTheRowJumpsIt)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& first = frame.m_wndToolBar;
    CKGPToolBar& second = frame.m_wndFormatBar;
    const CRect firstAt = apphost::ScreenRect(first);
    const CPoint firstGripper(firstAt.left + 3, firstAt.CenterPoint().y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Drag(firstGripper, firstGripper + CSize(120, 0), 10);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(first).left >= firstAt.left + 100; }))
        << "the first bar went along its row";
    CKGPDockBarRow* row = first.GetDockBarRow();
    ASSERT_NE(nullptr, row);

    // The second bar into the first's row, after it.
    const CRect moved = apphost::ScreenRect(first);
    const CRect secondAt = apphost::ScreenRect(second);
    const CPoint secondGripper(secondAt.left + 3, secondAt.CenterPoint().y);
    const CPoint afterFirst(moved.right + 40, moved.CenterPoint().y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(secondGripper, afterFirst, 12); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return second.GetDockBarRow() == row; })) << "in the first bar's row";
    ASSERT_EQ(2, row->GetBarCount());
    apphost::PumpFor(100);

    // Dragged back over the first, to the row's start.
    const CRect secondInRow = apphost::ScreenRect(second);
    const CPoint grip(secondInRow.left + 3, secondInRow.CenterPoint().y);
    CRect rowRect;
    row->GetRowRect(rowRect);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Drag(grip, CPoint(rowRect.left + 3, grip.y), 16);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(second).left < apphost::ScreenRect(first).left; }))
        << "the second bar now stands before the first";
    EXPECT_EQ(row, first.GetDockBarRow());
    EXPECT_EQ(row, second.GetDockBarRow());
    EXPECT_EQ(2, row->GetBarCount());
    EXPECT_LE(apphost::ScreenRect(second).right, apphost::ScreenRect(first).left) << "apart";
    EXPECT_TRUE(apphost::IsShown(first) && apphost::IsShown(second));
}
