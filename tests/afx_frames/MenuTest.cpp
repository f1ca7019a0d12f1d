// CMenu: loading, editing, and owner-drawn items reaching MeasureItem/DrawItem.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include "TestApp.h"
#include "tests/support/RecordingHost.h"
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

TEST(Menus, LoadQueryAndHandOverTheHandle)
{
    TestApp();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    CMenu* test = menu.GetSubMenu(0);
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(CMenu::FromHandle(test->m_hMenu), test); // one temporary per handle
    EXPECT_EQ(test->GetMenuItemID(1), static_cast<UINT>(ID_CMD_NOHANDLER));
    CString text;
    EXPECT_GT(test->GetMenuString(ID_CMD_PLAIN, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(text, CString(L"&Plain\tCtrl+N"));

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
    keyloft_test::CRecordingHost owner;
    ASSERT_TRUE(owner.CreateHost(300, 200));
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

    // Another menu with the same id: the one being opened answers, whatever the map order.
    OwnerDrawMenu other;
    ASSERT_TRUE(other.CreatePopupMenu());
    ASSERT_TRUE(other.AppendMenu(MF_OWNERDRAW, 41002, reinterpret_cast<LPCTSTR>(3)));
    for (OwnerDrawMenu* opened : {&other, &popup}) {
        const int before = opened->measured;
        owner.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(opened->m_hMenu), 0);
        owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        owner.SendMessage(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(opened->m_hMenu), 0);
        EXPECT_EQ(opened->measured, before + 1);
    }
    EXPECT_EQ(other.measured + popup.measured, 3);
}

TEST(Menus, WhatTheLanguageModuleLacksComesFromTheProgram)
{
    TestApp();
    AfxSetResourceHandle(::GetModuleHandleW(L"ntdll.dll")); // a module without these resources
    CMenu menu;
    CBitmap bitmap;
    CImageList images;
    EXPECT_TRUE(menu.LoadMenu(IDR_MAINFRAME));
    EXPECT_TRUE(bitmap.LoadBitmap(IDR_MAINFRAME));
    EXPECT_TRUE(images.Create(IDR_MAINFRAME, 16, 1, RGB(192, 192, 192)));
    AfxSetResourceHandle(nullptr);
}

} // namespace
