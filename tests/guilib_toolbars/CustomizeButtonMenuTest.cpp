// The customise button's menu: the buttons without room, then the customise
// entry after a separator; no menu while the toolbars are customised.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

namespace {

using toolbar_test::ToolBarTest;

std::vector<UINT> ItemCommands(const menus_test::CRecordedPopup& popup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < popup.GetItemCount(); ++i)
        ids.push_back(popup.GetItem(i)->m_nCommand);
    return ids;
}

TEST_F(ToolBarTest, TheCustomiseButtonListsTheHiddenButtonsAndItsEntry)
{
    menus_test::CRecordedMenuBars menus;
    constexpr UINT kCustomize = ID_TEST_PRINT + 10;
    bar.EnableCustomizeButton(TRUE, kCustomize, _T("Add or remove"));
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 60, 23, SWP_NOMOVE | SWP_NOZORDER);
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_TRUE(chevron->HasHiddenButtons());

    EXPECT_TRUE(chevron->HandleClick(&bar, FALSE)) << "never a command of its own";
    ASSERT_NE(nullptr, menus.Last());
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT, 0, kCustomize}), ItemCommands(*menus.Last()))
        << "Print (the leading separator dropped), a separator, the customise entry";
    EXPECT_EQ(CString(_T("Add or remove")), menus.Last()->GetItem(2)->m_strCaption);

    // Nothing hidden and no entry: no menu.
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 300, 23, SWP_NOMOVE | SWP_NOZORDER);
    chevron->SetCustomizeCommand(0, CString());
    chevron->CancelState();
    EXPECT_EQ(nullptr, chevron->CreateMenu());

    const size_t popups = menus.popups.size();
    chevron->SetCustomizeCommand(kCustomize, _T("Add or remove"));
    CKGPToolBar::SetCustomizeMode(TRUE);
    EXPECT_TRUE(chevron->HandleClick(&bar, FALSE));
    EXPECT_EQ(popups, menus.popups.size()) << "no menu while customising";
    CKGPToolBar::SetCustomizeMode(FALSE);
}

} // namespace
