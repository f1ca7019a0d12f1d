// A toolbar that keeps its dock row to itself, as a user moves it: dragged
// along its row by its gripper it stays there, and when the frame narrows
// (restored from maximised, or by its edge) it comes back inside the row
// without being shrunk.
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
