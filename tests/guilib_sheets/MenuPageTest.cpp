// The menu page over a frame with a menu bar: the default menu shown in the
// bar for editing, a change stored in the menu hash when another menu is
// chosen, the menu reset to its resource with the frame told, and the
// animation and shadow options written back when the page closes.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPMenuPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

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
