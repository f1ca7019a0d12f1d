// Owner-drawn menus: items turned owner-drawn, measured and drawn through the
// layer's dispatch (WM_MEASUREITEM reaching a CMenu is covered in afx_frames),
// mnemonics through the WM_MENUCHAR handler, and records released with the menu.
#include <gtest/gtest.h>

#include "tests/widgets_menus/MenusTestSupport.h"
#include "tests/widgets_menus/TestIds.h"
#include "widgets/MenuEx.h"
#include "widgets/OwnerDrawMenu.h"
#include "widgets/SkinMenuGlobals.h"

#include <vector>

using menus_test::CHostWnd;
using menus_test::CountOf;

namespace {

MENUITEMINFOW ItemInfo(HMENU menu, UINT position)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

MEASUREITEMSTRUCT Measure(HWND owner, HMENU menu, UINT position)
{
    const MENUITEMINFOW info = ItemInfo(menu, position);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = info.wID;
    measure.itemData = info.dwItemData;
    EXPECT_TRUE(AfxDispatchMenuMeasureItem(owner, &measure));
    return measure;
}

// Draws item `position` of `menu` over black into a 200 x 24 bitmap.
std::vector<COLORREF> Draw(HMENU menu, UINT position, UINT state)
{
    const MENUITEMINFOW info = ItemInfo(menu, position);
    return menus_test::PaintedPixels(200, 24, [&](HDC dc) {
        RECT all{0, 0, 200, 24};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = info.wID;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = state;
        draw.hwndItem = reinterpret_cast<HWND>(menu);
        draw.hDC = dc;
        draw.rcItem = all;
        draw.itemData = info.dwItemData;
        EXPECT_TRUE(AfxDispatchMenuDrawItem(&draw));
    });
}

TEST(OwnerDrawMenu, PopupItemsBecomeOwnerDrawnAndAreMeasured)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, file);
    for (UINT i = 0; i < file->GetMenuItemCount(); ++i) {
        EXPECT_NE(0u, ItemInfo(file->m_hMenu, i).fType & MFT_OWNERDRAW) << i;
    }
    const MEASUREITEMSTRUCT open = Measure(host.m_hWnd, file->m_hMenu, 0);
    EXPECT_GE(open.itemHeight, static_cast<UINT>(COwnerDrawMenu::kItemHeight));
    EXPECT_GT(open.itemWidth, 0u);
    const MEASUREITEMSTRUCT separator = Measure(host.m_hWnd, file->m_hMenu, 2);
    EXPECT_EQ(static_cast<UINT>(COwnerDrawMenu::kSeparatorHeight), separator.itemHeight);
    // Longer texts and accelerators make wider items.
    const MEASUREITEMSTRUCT exit = Measure(host.m_hWnd, file->m_hMenu, 4);
    EXPECT_GT(exit.itemWidth, open.itemWidth);
    const MEASUREITEMSTRUCT longer = Measure(host.m_hWnd, menu.GetSubMenu(1)->m_hMenu, 0);
    EXPECT_GT(longer.itemWidth, exit.itemWidth);
}

TEST(OwnerDrawMenu, ItemsAreDrawnWithTextAndAHighlight)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    HMENU file = menu.GetSubMenu(0)->m_hMenu;
    const auto normal = Draw(file, 0, 0);
    const auto selected = Draw(file, 1, ODS_SELECTED);
    const auto disabled = Draw(file, 0, ODS_GRAYED);
    // The whole item is painted (no black left) with text on a white face.
    EXPECT_EQ(0u, CountOf(normal, RGB(0, 0, 0)));
    EXPECT_GT(CountOf(normal, RGB(255, 255, 255)), normal.size() / 2);
    EXPECT_LT(CountOf(normal, RGB(255, 255, 255)), normal.size());
    // A highlighted item is no longer mostly white; a disabled one differs from a normal one.
    EXPECT_LT(CountOf(selected, RGB(255, 255, 255)), selected.size() / 2);
    EXPECT_NE(normal, disabled);
}

TEST(OwnerDrawMenu, DestroyReleasesTheRecords)
{
    auto& globals = GetSkinMenuGlobals();
    const size_t before = globals.m_itemRecords.size();
    {
        COwnerDrawMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
        EXPECT_EQ(before + 8, globals.m_itemRecords.size());  // 2 popups + 6 items
        EXPECT_EQ(1u, globals.m_menuOfHandle.count(menu.GetSubMenu(1)->m_hMenu));
        EXPECT_TRUE(menu.DestroyMenu());
        EXPECT_EQ(nullptr, menu.m_hMenu);
        EXPECT_EQ(before, globals.m_itemRecords.size());
        ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    }
    EXPECT_EQ(before, globals.m_itemRecords.size());
    EXPECT_FALSE(globals.m_manager.IsHookInstalled());
}

TEST(MenuEx, MenuBarItemsStayPlainAndPopupsAreSkinned)
{
    CMenuEx menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    ASSERT_NE(nullptr, menu.GetMenuHandle());
    EXPECT_EQ(0u, ItemInfo(menu.GetMenuHandle(), 0).fType & MFT_OWNERDRAW);
    EXPECT_NE(0u, ItemInfo(menu.GetSubMenu(0)->m_hMenu, 0).fType & MFT_OWNERDRAW);
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(CString(L"&File"), text);
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(nullptr, menu.GetMenuHandle());
    EXPECT_FALSE(menu.DestroyMenu());
}

TEST(SkinMenuChar, PicksTheItemByItsMnemonic)
{
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_TEST_MENU));
    CMenu* file = menu.GetSubMenu(0);
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), SkinMenuOnMenuChar(L'o', MF_POPUP, file));
    EXPECT_EQ(MAKELRESULT(0, MNC_EXECUTE), SkinMenuOnMenuChar(L'O', MF_POPUP, file));
    // The mnemonic inside a word, before the accelerator text.
    EXPECT_EQ(MAKELRESULT(4, MNC_EXECUTE), SkinMenuOnMenuChar(L'x', MF_POPUP, file));
    // "&Save" and "&Stop" share S: selected in turn, not run.
    EXPECT_EQ(MAKELRESULT(1, MNC_SELECT), SkinMenuOnMenuChar(L's', MF_POPUP, file));
    MENUITEMINFOW hilite{};
    hilite.cbSize = sizeof(hilite);
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    ASSERT_TRUE(::SetMenuItemInfoW(file->m_hMenu, 1, TRUE, &hilite));
    EXPECT_EQ(MAKELRESULT(3, MNC_SELECT), SkinMenuOnMenuChar(L's', MF_POPUP, file));
    EXPECT_EQ(MAKELRESULT(0, MNC_IGNORE), SkinMenuOnMenuChar(L'q', MF_POPUP, file));
    EXPECT_EQ(MAKELRESULT(0, MNC_IGNORE), SkinMenuOnMenuChar(L'o', MF_POPUP, static_cast<CMenu*>(nullptr)));

    // Plain menus too; "&&" is a literal ampersand, not a mnemonic.
    CMenu plain;
    ASSERT_TRUE(plain.CreatePopupMenu());
    plain.AppendMenu(MF_STRING, 1, L"&Alpha");
    plain.AppendMenu(MF_STRING, 2, L"B&&eta &Gamma");
    EXPECT_EQ(MAKELRESULT(1, MNC_EXECUTE), SkinMenuOnMenuChar(L'g', MF_POPUP, &plain));
    EXPECT_EQ(MAKELRESULT(0, MNC_IGNORE), SkinMenuOnMenuChar(L'e', MF_POPUP, &plain));
}

} // namespace
