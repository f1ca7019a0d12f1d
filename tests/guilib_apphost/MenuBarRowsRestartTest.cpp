// A menu bar whose menus wrap into a second row across a restart: new menus
// dropped on it from the customisation sheet until its row no longer holds
// them, the layout saved and read again. The bar stands as high as its two
// rows and the gap between them (the gap was left out, the second row's
// bottom cut off), and comes back so with its buttons (it came back one row
// high, its second row of menus cut off, while its dock row stood two rows
// high).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

constexpr UINT kCategoryList = 16601;
constexpr UINT kCommandList = 16602;
constexpr int kMostDrops = 16;

class MenuBarRowsRestartTest : public AppHostTest {
protected:
    static std::string DescribeMenuBar(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndMenuBar});
    }
    // The shown buttons that stand partly below the bar's window (cut off).
    static std::string ButtonsBeyondTheBar(CKGPMenuBar& bar)
    {
        const CRect window = apphost::ScreenRect(bar);
        std::string beyond;
        for (int i = 0; i < bar.GetCount(); ++i) {
            const CKGPToolbarButton* button = bar.GetButton(i);
            if (!button->m_bShown || button->IsSeparator())
                continue;
            CRect shown = button->m_rcButton;
            bar.ClientToScreen(shown);
            if (shown.bottom > window.bottom)
                beyond += "button " + std::to_string(i) + " ends at " + std::to_string(shown.bottom) + ", the bar at " +
                          std::to_string(window.bottom) + "\n";
        }
        return beyond;
    }
    // New menus dragged from the sheet's New Menu category onto the menu
    // bar's first menu, one at a time, until the bar stands higher than
    // one row.
    static bool DropNewMenusUntilTheBarWraps(CHostMainFrame& frame, CKGPToolbarCustomize& sheet)
    {
        CKGPMenuBar& bar = frame.m_wndMenuBar;
        const int oneRow = apphost::ScreenRect(bar).Height();
        CKGPCustomizePage* page = sheet.GetCommandsPage();
        const HWND categories = ::GetDlgItem(page->GetSafeHwnd(), kCategoryList);
        const HWND commands = ::GetDlgItem(page->GetSafeHwnd(), kCommandList);
        const CPoint category = apphost::ListItemPoint(categories, apphost::FindListItem(categories, _T("New Menu")));
        if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(category); }) ||
            !apphost::WaitUntil([&] { return apphost::FindListItem(commands, _T("New Menu")) >= 0; }))
            return false;
        for (int drop = 0; drop < kMostDrops && apphost::ScreenRect(bar).Height() <= oneRow; ++drop) {
            const int count = bar.GetCount();
            const CPoint from = apphost::ListItemPoint(commands, apphost::FindListItem(commands, _T("New Menu")));
            const CPoint onto = MenuItemPoint(bar, _T("&File"));
            if (!apphost::Perform([&](apphost::CGestures& user) {
                    user.MoveTo(from);
                    user.Pause(50);
                    user.Press();
                    user.DragTo(onto, 20, 20);
                    user.Pause(150);
                    user.Release();
                }) ||
                !apphost::WaitUntil([&] { return bar.GetCount() == count + 1; }))
                return false;
        }
        return apphost::ScreenRect(bar).Height() > oneRow;
    }
};

} // namespace

TEST_F(MenuBarRowsRestartTest, AMenuBarWrappedIntoTwoRowsComesBackAsHighWithItsMenus)
{
    CHostMainFrame& frame = Frame();
    const int oneRow = apphost::ScreenRect(frame.m_wndMenuBar).Height();
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(DropNewMenusUntilTheBarWraps(frame, *sheet)) << DescribeMenuBar(frame);
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    const std::string saved = DescribeMenuBar(frame);
    ASSERT_GT(apphost::ScreenRect(frame.m_wndMenuBar).Height(), oneRow) << saved;
    EXPECT_EQ("", ButtonsBeyondTheBar(frame.m_wndMenuBar)) << "before the restart";

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, DescribeMenuBar(again));
    EXPECT_EQ("", ButtonsBeyondTheBar(again.m_wndMenuBar)) << "after the restart";
}
