// The menu bar docked at the frame's right edge as its menus change: the last
// note closed (the frame's own menus), then a note opened again (a note's
// menus). The bar fills its column each time, as thick as the column (the
// frame's menus came back laid out across the column as in a row: a bar
// twice the column's thickness and as long as its three menus), and a
// restart brings it back so.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

// The bar's window against the dock bar's: the same size, or what differs.
::testing::AssertionResult FillsItsColumn(CKGPMenuBar& bar)
{
    const CKGPDockBar* column = bar.GetParentDockBar();
    if (column == nullptr || column->GetCurrentAlignment() != static_cast<DWORD>(CBRS_ALIGN_RIGHT))
        return ::testing::AssertionFailure() << "not docked at the right edge";
    const CSize own = apphost::ScreenRect(bar).Size();
    const CSize dock = apphost::ScreenRect(*column).Size();
    if (own == dock)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the bar " << own.cx << "x" << own.cy << " in its column " << dock.cx
                                         << "x" << dock.cy;
}

bool ShowsMenu(CKGPMenuBar& bar, LPCTSTR text)
{
    return AppHostTest::MenuItemPoint(bar, text) != CPoint(-1, -1);
}

// Ctrl+F4 until no note is left; whether none is.
bool CloseEveryNote(CHostMainFrame& frame)
{
    for (int notes = 0; notes < 8 && frame.MDIGetActive() != nullptr; ++notes) {
        apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_F4); });
        apphost::WaitUntil([&] { return frame.MDIGetActive() == nullptr; }, 300);
    }
    return apphost::WaitUntil([&] { return frame.MDIGetActive() == nullptr; });
}

} // namespace

TEST_F(AppHostTest, AMenuBarAtTheRightEdgeFillsItsColumnWhicheverMenusItShows)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    // Taken by its gripper to the middle of the frame's right edge.
    const CRect docked = apphost::ScreenRect(bar);
    const CPoint gripper(docked.left + 2, docked.CenterPoint().y);
    const CPoint edge(apphost::ScreenRect(frame).right - 12, Middle(frame.m_hWndMDIClient).y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(gripper, edge, 20); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !bar.IsFloating() && !bar.IsHorizontal(); }))
        << apphost::DescribeBars(frame, {&bar});
    EXPECT_TRUE(FillsItsColumn(bar)) << "a note's menus";

    // Every note closed: the frame's own menus.
    ASSERT_TRUE(CloseEveryNote(frame));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !ShowsMenu(bar, _T("&Format")); }));
    EXPECT_TRUE(FillsItsColumn(bar)) << "the frame's menus";
    const std::string saved = apphost::DescribeBars(frame, {&bar});

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    EXPECT_TRUE(FillsItsColumn(again.m_wndMenuBar)) << "after the restart, with a note's menus";
    // A note opened after the last one closed: its menus again.
    ASSERT_TRUE(CloseEveryNote(again));
    EXPECT_EQ(saved, apphost::DescribeBars(again, {&again.m_wndMenuBar})) << "the frame's menus as before the restart";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'N'); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ShowsMenu(again.m_wndMenuBar, _T("&Format")); }));
    EXPECT_TRUE(FillsItsColumn(again.m_wndMenuBar)) << "a new note's menus";
}
