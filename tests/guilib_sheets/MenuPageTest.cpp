// The menu page over a frame with a menu bar: the default menu shown in the
// bar for editing, a change stored in the menu hash when another menu is
// chosen, the menu reset to its resource with the frame told, a context menu
// of the manager edited in a popup beside the sheet, kept, placed where it was
// left and reset, and the animation and shadow options written back when the
// page closes.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/menus/KGPContextMenuManager.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/sheets/KGPMenuPage.h"
#include "guilib/sheets/KGPOptionsPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>
#include <vector>

namespace {

// A frame that records the menus it is told were reset.
class CResetFrame : public menus_test::CCommandFrame {
public:
    std::vector<UINT> resetMenus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGTOOLBAR_RESETMENU) {
            resetMenus.push_back(static_cast<UINT>(wParam));
            return 0;
        }
        return menus_test::CCommandFrame::WindowProc(message, wParam, lParam);
    }
};

class MenuPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
        frame.GetFrameImpl().m_nIDDefaultResource = IDR_TEST_MENU;
        ASSERT_TRUE(menuBar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ASSERT_EQ(3, menuBar.GetCount());
        sheet = new CKGPToolbarCustomize(&frame, TRUE);
        ASSERT_NE(nullptr, sheet->GetMenuPage()) << "the frame has a menu bar";
        ASSERT_TRUE(sheet->Create());
        ASSERT_TRUE(sheet->SetActivePage(sheet->GetPageIndex(sheet->GetMenuPage())));
        page = sheet->GetMenuPage();
    }
    void TearDown() override
    {
        if (CKGPToolbarCustomize::GetOpenSheet() != nullptr)
            CKGPToolbarCustomize::GetOpenSheet()->DestroyWindow();
        menuBar.DestroyWindow();
        frame.DestroyWindow();
        g_menuHash.CleanUp();
    }

    CResetFrame frame;
    CKGPMenuBar menuBar;
    CKGPToolbarCustomize* sheet = nullptr;
    CKGPMenuPage* page = nullptr;
};

TEST_F(MenuPageTest, TheDefaultMenuIsEditedResetAndItsChangesKept)
{
    EXPECT_EQ(&menuBar, page->GetMenuBar());
    EXPECT_EQ(1, page->GetFrameMenus().GetCount()) << "the default menu (no templates)";
    CString text;
    page->GetDlgItemText(IDC_KGP_MENU_TEXT, text);
    EXPECT_FALSE(text.IsEmpty());
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-menu.bmp"));

    // A change to the bar is stored when the menu is chosen again.
    ASSERT_TRUE(menuBar.RemoveButton(2));
    const HMENU edited = menuBar.GetHMenu();
    page->SelectFrameMenu(0);
    EXPECT_TRUE(g_menuHash.HasMenu(edited));
    EXPECT_EQ(2, menuBar.GetCount()) << "read back from the store";

    ASSERT_TRUE(page->ResetFrameMenu());
    EXPECT_EQ(3, menuBar.GetCount()) << "the menu's resource again";
    EXPECT_NE(edited, menuBar.GetHMenu()) << "a fresh menu";
    EXPECT_EQ(menuBar.GetHMenu(), menuBar.GetDefaultMenu());
    EXPECT_EQ(menuBar.GetHMenu(), frame.GetFrameImpl().m_hDefaultMenu) << "the frame takes it as its default";
    EXPECT_FALSE(g_menuHash.HasMenu(edited)) << "the old menu's copy is gone";
    EXPECT_FALSE(::IsMenu(edited));
    EXPECT_EQ((std::vector<UINT>{IDR_TEST_MENU}), frame.resetMenus);
}

TEST_F(MenuPageTest, WithoutAContextMenuManagerTheContextMenusRest)
{
    EXPECT_FALSE(page->GetContextMenus().IsWindowEnabled());
    EXPECT_EQ(1, page->GetContextMenus().GetCount()) << "(none) only";
    EXPECT_FALSE(page->SelectContextMenu(0));
    EXPECT_FALSE(page->ResetContextMenu());
}

// The sheet opened while the application keeps its context menus in a manager.
class ContextMenuPageTest : public MenuPageTest {
protected:
    void SetUp() override
    {
        manager = std::make_unique<CKGPContextMenuManager>();
        ASSERT_TRUE(manager->AddMenu(L"Document", IDR_TEST_MENU));
        MenuPageTest::SetUp();
    }
    void TearDown() override
    {
        MenuPageTest::TearDown();
        manager.reset();
    }
    std::unique_ptr<CKGPContextMenuManager> manager;
};

TEST_F(ContextMenuPageTest, AContextMenuIsEditedBesideTheSheetKeptPlacedAndReset)
{
    ASSERT_TRUE(page->GetContextMenus().IsWindowEnabled());
    ASSERT_EQ(2, page->GetContextMenus().GetCount()) << "(none) and the manager's menu";
    const HMENU file = ::GetSubMenu(manager->GetMenuByName(L"Document"), 0);

    ASSERT_TRUE(page->SelectContextMenu(1));
    CKGPPopupMenu* popup = page->GetContextMenuPopup();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(file, popup->GetHMenu()) << "the menu's first sub-menu";
    ASSERT_EQ(4, popup->GetMenuBar()->GetCount()) << "New, Open..., a separator, Save";
    CRect sheetRect;
    CRect popupRect;
    sheet->GetWindowRect(sheetRect);
    popup->GetWindowRect(popupRect);
    EXPECT_GE(popupRect.left, sheetRect.right) << "beside the sheet";
    EXPECT_TRUE(popup->GetStyle() & WS_CAPTION) << "a window of its own to move";

    // An item taken out is kept when the popup closes, and the popup comes back where it was left.
    ASSERT_TRUE(popup->GetMenuBar()->RemoveButton(0));
    popup->SetWindowPos(static_cast<const CWnd*>(nullptr), 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(page->SelectContextMenu(0)) << "(none) only closes";
    EXPECT_EQ(nullptr, page->GetContextMenuPopup());
    EXPECT_TRUE(g_menuHash.HasMenu(file));
    ASSERT_TRUE(page->SelectContextMenu(1));
    popup = page->GetContextMenuPopup();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(3, popup->GetMenuBar()->GetCount()) << "the edit read back";
    popup->GetWindowRect(popupRect);
    EXPECT_EQ(CPoint(60, 70), popupRect.TopLeft());
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(popup->GetSafeHwnd(), L"customize-context-menu.bmp"));

    ASSERT_TRUE(page->ResetContextMenu());
    EXPECT_EQ(4, popup->GetMenuBar()->GetCount()) << "the resource's items again";
    EXPECT_EQ(popup, page->GetContextMenuPopup()) << "the same popup, filled afresh";

    // The sheet closing closes the popup and keeps what it shows.
    const HWND popupWindow = popup->GetSafeHwnd();
    sheet->DestroyWindow();
    EXPECT_FALSE(::IsWindow(popupWindow));
    EXPECT_TRUE(g_menuHash.HasMenu(file));
}

TEST_F(MenuPageTest, TheAnimationAndShadowChoicesAreWrittenBackOnClosing)
{
    const int animation = CKGPPopupMenu::m_AnimationType;
    const BOOL shadows = CKGPPopupMenu::m_bMenuShadows;
    ASSERT_EQ(5, page->GetAnimations().GetCount()) << "none, unfold, slide, fade, the system's";
    page->GetAnimations().SetCurSel(4);
    page->CheckDlgButton(IDC_KGP_MENU_SHADOWS, shadows ? BST_UNCHECKED : BST_CHECKED);
    sheet->DestroyWindow();
    EXPECT_EQ(kgp::kAnimationSystem, CKGPPopupMenu::m_AnimationType);
    EXPECT_EQ(!shadows, CKGPPopupMenu::m_bMenuShadows);
    CKGPPopupMenu::m_AnimationType = animation;
    CKGPPopupMenu::m_bMenuShadows = shadows;
}

} // namespace

namespace {

// With a menu bar the options page offers personalised menus, unless the
// library's menu personalisation is off.
TEST_F(MenuPageTest, TheOptionsPageOffersPersonalisedMenusOnlyWhileTheLibraryDoes)
{
    sheet->DestroyWindow();
    auto recentShown = [this](BOOL bPersonalised) {
        CKGPMenuBar::EnableMenuPersonalization(bPersonalised);
        auto* options = new CKGPToolbarCustomize(&frame, TRUE);
        EXPECT_TRUE(options->Create());
        EXPECT_TRUE(options->SetActivePage(options->GetPageIndex(options->GetOptionsPage())));
        CKGPOptionsPage* page = options->GetOptionsPage();
        const bool shown = page->GetDlgItem(IDC_KGP_RECENT_MENUS)->IsWindowVisible() != FALSE;
        EXPECT_EQ(shown, page->GetDlgItem(IDC_KGP_RESET_USAGE)->IsWindowVisible() != FALSE);
        EXPECT_EQ(shown, page->GetDlgItem(IDC_KGP_SHOW_ALL_DELAY)->IsWindowVisible() != FALSE);
        options->DestroyWindow();
        return shown;
    };
    EXPECT_TRUE(recentShown(TRUE)) << "a menu bar and personalisation on";
    EXPECT_TRUE(CKGPMenuBar::IsRecentlyUsedMenus());
    EXPECT_FALSE(recentShown(FALSE)) << "personalisation off";
    EXPECT_FALSE(CKGPMenuBar::IsRecentlyUsedMenus()) << "and the menus show every command";
    CKGPMenuBar::EnableMenuPersonalization(TRUE);
}

} // namespace
