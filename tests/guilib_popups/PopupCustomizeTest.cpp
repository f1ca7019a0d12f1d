// Popup menus while the toolbars are customised: where a button dragged over
// a palette would land, and a menu button dragged with the real mouse that
// is never dropped into its own popup.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/core/KGPGlobalData.h"
#include "tests/support/InputScript.h"
#include "tests/support/MenuDriver.h"

namespace {

using namespace popup_test;
using keyloft_test::Pump;

// Customisation mode for one test.
class CustomizeScope {
public:
    CustomizeScope() { CKGPToolBar::SetCustomizeMode(TRUE); }
    ~CustomizeScope() { CKGPToolBar::SetCustomizeMode(FALSE); }
};

TEST_F(PopupTest, ADropAfterAPalettesItemMarksTheBandBelowItAcrossTheMenu)
{
    CKGPToolbarMenuButton palette(0, LongMenu(6), -1, L"&Colours");
    palette.SetMenuPaletteMode(TRUE, 2);
    bar->InsertButtonCopy(palette);
    bar->AdjustLayout();
    CustomizeScope customizing;
    CKGPPopupMenu* popup = Open(1);
    ASSERT_NE(nullptr, popup);
    CKGPPopupMenuBar& items = *popup->GetMenuBar();
    ASSERT_TRUE(items.m_bPaletteMode);
    const CRect first = items.GetButton(0)->m_rcButton;
    ASSERT_EQ(first.top, items.GetButton(1)->m_rcButton.top) << "the palette's first row holds more than one item";
    CRect client;
    items.GetClientRect(client);

    CRect marker;
    EXPECT_EQ(1, items.DropIndexAt(CPoint(first.right - 2, first.CenterPoint().y), marker));
    EXPECT_EQ(CRect(client.left, first.bottom, client.right, first.bottom + 5), marker) << "the band below it";
    EXPECT_EQ(0, items.DropIndexAt(CPoint(first.left + 2, first.CenterPoint().y), marker));
    EXPECT_EQ(first.left, marker.left) << "before an item: the toolbar's mark at its edge";
    EXPECT_EQ(first.left, marker.right);

    // The band shows in the button text's colour.
    items.DropIndexAt(CPoint(first.right - 2, first.CenterPoint().y), marker);
    items.SetInsertMarker(1, marker);
    items.UpdateWindow();
    Pump(50);
    CPoint line(client.CenterPoint().x, first.bottom + 2);
    items.ClientToScreen(&line);
    const std::vector<DWORD> pixel = ScreenPixels(CRect(line, CSize(1, 1)));
    const COLORREF text = GetKGPGlobalData().clrBtnText;
    EXPECT_EQ(DWORD((GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text)), pixel[0]);
    items.SetInsertMarker(-1, CRect());
}

// A toolbar that opens the popup of a menu button a dragged button hovers
// (so that buttons may be dropped into menus) and keeps a button dragged off it.
class CHoverOpeningBar : public CKGPToolBar {
public:
    DROPEFFECT DragOverBar(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(HitTest(point)));
        if (menu != nullptr && !menu->IsDroppedDown())
            menu->OpenPopupMenu();
        return CKGPToolBar::DragOverBar(pDataObject, dwKeyState, point);
    }
    BOOL AllowsRemoveOnDragOut(CKGPToolbarButton*, DWORD) override { return FALSE; }

};

TEST_F(PopupTest, AMenuButtonDraggedIntoItsOwnPopupIsNotDroppedThere)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    auto& hovering = host.Make<CHoverOpeningBar>();
    ASSERT_TRUE(hovering.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE832));
    hovering.SetWindowPos(static_cast<const CWnd*>(nullptr), 20, 120, 300, 30, SWP_NOZORDER);
    const CMenuHandle menu(FileMenu());
    hovering.InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, L"&File"));
    hovering.AdjustLayout();
    host.SetForegroundWindow();
    Pump(30);
    auto* file = static_cast<CKGPToolbarMenuButton*>(hovering.GetButton(0));
    const INT_PTR itemsBefore = file->GetCommands().GetCount();
    CPoint face = file->m_rcButton.CenterPoint();
    hovering.ClientToScreen(&face);
    const CPoint below(face.x, face.y + 40);

    {
        CustomizeScope customizing;
        // Out of its place, back over it (its popup opens), down into the popup.
        test_support::CInputScript()
            .MoveTo(face)
            .LeftDown()
            .MoveTo(CPoint(face.x + 60, face.y), 6)
            .MoveTo(face, 6)
            .WaitUntil([] { return test_support::CMenuDriver::FindShownMenu() != nullptr; })
            .MoveTo(below, 8)
            .Wait(100)
            .LeftUp()
            .Run();
        Pump(30);
        EXPECT_EQ(file, hovering.GetButton(0)) << "still on its bar";
        const IKGPMenuPopup* popup = file->GetPopupMenu();
        ASSERT_NE(nullptr, popup) << "its popup opened as it was dragged back over its place";
        EXPECT_EQ(itemsBefore, popup->GetItemCount()) << "its popup did not take it";
        for (int i = 0; i < popup->GetItemCount(); ++i)
            EXPECT_NE(CString(L"&File"), popup->GetItem(i)->m_strCaption);
        if (CKGPPopupMenu* open = CKGPPopupMenu::GetActiveMenu())
            open->CloseChain();
        Pump(20);
    }
    hovering.DestroyWindow();
    ::OleUninitialize();
}

// A menu's bar registers for drops no sooner than customisation starts (only
// then do drops land): a menu still open when it starts takes a button
// dragged into it with the real mouse.
TEST_F(PopupTest, AMenuOpenWhenCustomisationStartsTakesAButtonDraggedIntoIt)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    auto& source = host.Make<CKGPToolBar>();
    ASSERT_TRUE(source.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE833));
    source.SetWindowPos(static_cast<const CWnd*>(nullptr), 20, 120, 300, 30, SWP_NOZORDER);
    source.InsertButtonCopy(CKGPToolbarMenuButton(kExit, nullptr, -1, L"E&xit"));
    source.AdjustLayout();
    host.SetForegroundWindow();
    // A menu no button opened (a context menu): customisation leaves it open.
    auto* popup = new CKGPPopupMenu;
    ASSERT_TRUE(popup->Create(&host, 380, 100, LongMenu(4), FALSE));
    Pump(30);
    const HWND window = popup->GetSafeHwnd();
    CPoint from = source.GetButton(0)->m_rcButton.CenterPoint();
    source.ClientToScreen(&from);
    CRect items;
    popup->GetMenuBar()->GetWindowRect(items);
    const CPoint into(items.CenterPoint().x, items.top + 3 * items.Height() / 4);

    {
        CustomizeScope customizing;
        ASSERT_TRUE(::IsWindow(window)) << "the menu stays open as customisation starts";
        test_support::CInputScript()
            .MoveTo(from)
            .LeftDown()
            .MoveTo(CPoint(from.x + 40, from.y), 6)
            .MoveTo(into, 10)
            .Wait(100)
            .LeftUp()
            .Run();
        Pump(30);
        ASSERT_TRUE(::IsWindow(window));
        EXPECT_EQ(5, popup->GetMenuItemCount()) << "the menu took the button";
        bool exit = false;
        for (int i = 0; i < popup->GetMenuItemCount(); ++i)
            exit = exit || popup->GetMenuItem(i)->m_nCommand == kExit;
        EXPECT_TRUE(exit);
        popup->CloseChain();
        Pump(20);
    }
    source.DestroyWindow();
    ::OleUninitialize();
}

}  // namespace
