// CMenu: loading, editing, and owner-drawn items reaching MeasureItem/DrawItem.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "TestApp.h"
#include "frames_resource.h"

namespace {

class OwnerDrawMenu : public CMenu {
public:
    int measured = 0;
    int drawn = 0;
    UINT lastId = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        ++measured;
        lastId = lpMeasureItemStruct->itemID;
        lpMeasureItemStruct->itemWidth = 120;
        lpMeasureItemStruct->itemHeight = 22;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++drawn;
        lastId = lpDrawItemStruct->itemID;
    }
};

class MenuOwner : public CWnd {
public:
    MenuOwner()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Menu owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300, 200,
                 nullptr, nullptr);
    }
    ~MenuOwner() override { DestroyWindow(); }
};

TEST(Menus, LoadEditAndQuery)
{
    TestApp();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    CMenu* test = menu.GetSubMenu(0);
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(CMenu::FromHandle(test->m_hMenu), test);  // one temporary per handle
    EXPECT_EQ(test->GetMenuItemID(1), static_cast<UINT>(ID_CMD_NOHANDLER));
    CString text;
    EXPECT_GT(test->GetMenuString(ID_CMD_PLAIN, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(text, CString(L"&Plain\tCtrl+N"));
    test->CheckMenuItem(ID_CMD_CHECKED, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_TRUE(test->GetMenuState(ID_CMD_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    test->EnableMenuItem(ID_CMD_PLAIN, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_TRUE(test->GetMenuState(ID_CMD_PLAIN, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(test->CheckMenuRadioItem(ID_CMD_CHECKED, ID_CMD_PLAIN, ID_CMD_NOHANDLER, MF_BYCOMMAND));
    EXPECT_TRUE(test->DeleteMenu(ID_CMD_DOCUMENT, MF_BYCOMMAND));
    EXPECT_TRUE(test->RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(test->GetMenuItemCount(), 2u);
    EXPECT_TRUE(test->InsertMenu(0, MF_BYPOSITION | MF_STRING, 999, L"Inserted"));
    EXPECT_EQ(test->GetMenuItemID(0), 999u);
    EXPECT_TRUE(test->ModifyMenu(999, MF_BYCOMMAND | MF_STRING, 998, L"Modified"));
    EXPECT_EQ(test->GetMenuItemID(0), 998u);

    HMENU handle = menu.Detach();
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
    CMenu again;
    ASSERT_TRUE(again.Attach(handle));
    EXPECT_TRUE(again.DestroyMenu());
    EXPECT_FALSE(::IsMenu(handle));
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(4242));
}

TEST(Menus, OwnerDrawnItemsReachTheirMenu)
{
    TestApp();
    MenuOwner owner;
    OwnerDrawMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 41001, reinterpret_cast<LPCTSTR>(1)));
    // An item of a submenu without its own CMenu goes to the parent's object.
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    ASSERT_TRUE(sub.AppendMenu(MF_OWNERDRAW, 41002, reinterpret_cast<LPCTSTR>(2)));
    HMENU subHandle = sub.Detach();
    ASSERT_TRUE(popup.AppendMenu(MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(subHandle), L"More"));

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = 41002;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(popup.measured, 1);
    EXPECT_EQ(popup.lastId, 41002u);
    EXPECT_EQ(measure.itemHeight, 22u);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 41001;
    draw.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
    draw.hDC = dc.m_hDC;
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(popup.drawn, 1);
    EXPECT_EQ(popup.lastId, 41001u);

    // The real thing: the menu is shown, measured and drawn, then dismissed.
    const int measuredBefore = popup.measured;
    owner.SetForegroundWindow();
    ::SetTimer(owner.m_hWnd, 1, 300, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
    const BOOL chosen = popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 50, 50, &owner);
    ::KillTimer(owner.m_hWnd, 1);
    EXPECT_EQ(chosen, 0);  // dismissed without a choice
    EXPECT_GT(popup.measured, measuredBefore);
}

} // namespace
