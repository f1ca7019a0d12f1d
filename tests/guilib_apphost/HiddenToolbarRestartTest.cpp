// A toolbar hidden by the bars' context menu (a right click on the menu bar's
// gripper) across a restart: the rows of the top edge come back as they were
// saved, the hidden bar's row too.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

const CPoint kNowhere(-1, -1);

class HiddenToolbarRestartTest : public AppHostTest {
protected:
    // The bar's entry chosen in the bars' context menu: it hides the bar or
    // shows it again.
    static bool ToggleByContextMenu(CHostMainFrame& frame, CKGPToolBar& bar, bool shown)
    {
        CString name;
        bar.GetWindowText(name);
        const CRect menuBar = apphost::ScreenRect(frame.m_wndMenuBar);
        const CPoint gripper(menuBar.left + 3, menuBar.CenterPoint().y);
        bool chosen = false;
        if (!apphost::Perform([&](apphost::CGestures& user) {
                user.RightClick(gripper);
                if (!user.WaitFor([&] { return AppHostTest::PopupItemPoint(name) != kNowhere; })) {
                    user.Key(VK_ESCAPE);
                    return;
                }
                user.Click(AppHostTest::PopupItemPoint(name));
                chosen = user.WaitFor([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
            }))
            return false;
        return chosen && apphost::WaitUntil([&] { return (bar.IsBarVisible() != FALSE) == shown; });
    }
    static std::string DescribeTopBars(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndMenuBar, &frame.m_wndToolBar, &frame.m_wndFormatBar});
    }
    static int RowOf(CKGPToolBar& bar)
    {
        CKGPDockBar* dockBar = bar.GetParentDockBar();
        return dockBar != nullptr ? dockBar->GetRowIndex(bar.GetDockBarRow()) : -1;
    }
};

} // namespace

// The menu bar moved to the top edge's last row, below both toolbars, and
// the Standard bar hidden alone in the first row: a restart brings every bar
// back in its row, and the Standard bar shown again stands in its own row
// still. The menu bar came back in the first row, the one it stood in while
// the layout was read (storing its menus and taking the shown one back gave
// it the row it stood in), and the Standard bar shown again shared it.
TEST_F(HiddenToolbarRestartTest, TheMenuBarAndAHiddenToolbarComeBackInTheirSavedRows)
{
    CHostMainFrame& frame = Frame();
    const CRect format = apphost::ScreenRect(frame.m_wndFormatBar);
    frame.DockControlBar(&frame.m_wndMenuBar, AFX_IDW_DOCKBAR_TOP,
                         CRect(format.left, format.bottom + 2, format.left + 300, format.bottom + 22));
    frame.RecalcLayout();
    ASSERT_TRUE(apphost::WaitUntil([&] { return RowOf(frame.m_wndMenuBar) == 2; })) << DescribeTopBars(frame);
    ASSERT_EQ(0, RowOf(frame.m_wndToolBar));
    ASSERT_EQ(1, RowOf(frame.m_wndFormatBar));
    ASSERT_TRUE(ToggleByContextMenu(frame, frame.m_wndToolBar, false)) << "hidden";
    const std::string saved = DescribeTopBars(frame);

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, DescribeTopBars(again));
    ASSERT_TRUE(ToggleByContextMenu(again, again.m_wndToolBar, true)) << "shown again";
    EXPECT_EQ(0, RowOf(again.m_wndToolBar));
    EXPECT_EQ(1, RowOf(again.m_wndFormatBar));
    EXPECT_EQ(2, RowOf(again.m_wndMenuBar));
    EXPECT_NE(again.m_wndToolBar.GetDockBarRow(), again.m_wndMenuBar.GetDockBarRow()) << "a row of its own still";
}
