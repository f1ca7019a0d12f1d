// The MDI buttons of a menu bar: the child's system-menu button (its popup
// mirrors the child's system menu; a double click on it is no press) and the
// minimise, restore and close buttons.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "tests/guilib_menus/MenusTestSupport.h"

namespace {

using menus_test::BarTest;
using menus_test::CRecordedMenuBars;

// An MDI client in the test frame with one child.
class MdiButtonsTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        m_child = menus_test::MakeMdiChild(frame, 40, WS_VISIBLE, m_client);
        ASSERT_NE(nullptr, m_client);
        ASSERT_NE(nullptr, m_child);
    }
    void TearDown() override
    {
        if (::IsWindow(m_client))
            ::DestroyWindow(m_client);
        BarTest::TearDown();
    }
    void SetCloseEnabled(BOOL bEnabled)
    {
        ::EnableMenuItem(::GetSystemMenu(m_child, FALSE), SC_CLOSE, MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED));
    }

    HWND m_client = nullptr;
    HWND m_child = nullptr;
};

TEST_F(MdiButtonsTest, TheSystemMenuPopupMirrorsTheChildsItemStates)
{
    CRecordedMenuBars menus;
    const HMENU systemMenu = ::GetSystemMenu(m_child, FALSE);
    ASSERT_NE(nullptr, systemMenu);
    CKGPToolbarSystemMenuButton button(systemMenu, ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    ASSERT_FALSE(button.GetCommands().IsEmpty());
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXMENUSIZE), 30), CSize(button.MeasureOnBar(nullptr, CSize(23, 30), TRUE)));

    SetCloseEnabled(FALSE);  // after the button took its items
    button.OnChangeParentWnd(&bar);
    ASSERT_TRUE(button.OpenPopupMenu());
    CKGPToolbarButton* close = nullptr;
    for (int i = 0; i < menus.Last()->GetItemCount(); ++i) {
        if (menus.Last()->GetItem(i)->m_nCommand == SC_CLOSE)
            close = menus.Last()->GetItem(i);
    }
    ASSERT_NE(nullptr, close);
    EXPECT_NE(0u, close->m_nBits & TBBS_DISABLED) << "as the child's menu has it now";

    menus.Last()->modalLoop = TRUE;
    button.CancelState();
    EXPECT_FALSE(menus.Last()->closed) << "a popup in its own modal loop stays";
    menus.Last()->modalLoop = FALSE;
    button.CancelState();
    EXPECT_TRUE(menus.Last()->closed);
}

// A double click that closes the active child (unless its close item is
// off), through the pointer on a maximised document of the application
// host, is MaximisedNotesTest.cpp's.

TEST_F(MdiButtonsTest, ADoubleClickOnTheSystemMenuButtonIsNoPress)
{
    CRecordedMenuBars menus;
    bar.InsertButtonCopy(CKGPToolbarSystemMenuButton(::GetSystemMenu(m_child, FALSE), nullptr));
    bar.AdjustLayout();
    SetCloseEnabled(FALSE);
    const CPoint centre = bar.GetButton(0)->m_rcButton.CenterPoint();
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(menus.popups.empty()) << "a press would have opened the menu";
    EXPECT_EQ(0u, bar.GetButton(0)->m_nBits & TBBS_PRESSED);
    EXPECT_TRUE(::IsWindow(m_child)) << "its close item is off";
}

TEST(MdiCaptionButtonTest, SizedByTheSystemAndCopiedWithTheirCommand)
{
    CKGPToolbarMenuButtonsButton close(SC_CLOSE);
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE)),
              CSize(close.MeasureOnBar(nullptr, CSize(40, 40), TRUE)));
    CKGPToolbarMenuButtonsButton copy;
    copy.CopyButton(close);
    EXPECT_EQ(UINT(SC_CLOSE), copy.GetSystemCommand());
    EXPECT_FALSE(copy.IsArchivable());
}

} // namespace
