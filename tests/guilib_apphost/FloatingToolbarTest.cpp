// A toolbar floating in its own frame, as a user handles it: its frame's
// edge dragged by the mouse re-wraps its buttons, and its caption's menu
// button drops the toolbar's menu under it (its buttons to show or hide, the
// customise entry).
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>

#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/AppHostIds.h"

namespace {

// The main toolbar floated over the notes; its floating frame.
CKGPMiniFrameWnd* FloatMainToolBar(CHostMainFrame& frame)
{
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    if (!frame.m_wndToolBar.FloatBar(CRect(client.left + 60, client.top + 60, client.left + 260, client.top + 100)))
        return nullptr;
    CKGPMiniFrameWnd* floating = frame.m_wndToolBar.GetParentMiniFrame(TRUE);
    if (floating == nullptr || !apphost::WaitUntil([floating] { return apphost::IsShown(*floating); }))
        return nullptr;
    return floating;
}

} // namespace

TEST_F(AppHostTest, AFloatingToolbarsEdgeDraggedInWrapsItsButtonsIntoRows)
{
    CHostMainFrame& frame = Frame();
    CKGPMiniFrameWnd* floating = FloatMainToolBar(frame);
    ASSERT_NE(nullptr, floating);
    const CRect before = apphost::ScreenRect(*floating);
    CRect border;
    floating->CalcBorderSize(border);
    const CPoint edge(before.right - border.right / 2 - 1, before.top + border.top + floating->GetCaptionHeight() +
                                                                (before.bottom - before.top) / 4);
    ASSERT_EQ(HTRIGHT, floating->HitTest(edge, FALSE));
    const int target = before.left + before.Width() / 3;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(edge);
        user.Press();
        user.DragTo(CPoint(target, edge.y), 12);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(*floating).Width() < before.Width(); }))
        << "the frame follows the dragged edge";
    const CRect after = apphost::ScreenRect(*floating);
    EXPECT_EQ(before.left, after.left) << "the other edge stays";
    EXPECT_GT(after.Height(), before.Height()) << "the buttons wrapped into rows";
    // Every button shows inside the frame's client area.
    CRect client;
    floating->GetClientRect(client);
    floating->ClientToScreen(client);
    for (int i = 0; i < frame.m_wndToolBar.GetCount(); ++i) {
        CRect item;
        frame.m_wndToolBar.GetItemRect(i, item);
        frame.m_wndToolBar.ClientToScreen(item);
        CRect inside;
        inside.IntersectRect(item, client);
        if (!item.IsRectEmpty()) {
            EXPECT_EQ(item, inside) << i;
        }
    }
    apphost::Screenshot(L"apphost_floating_toolbar_wrapped.bmp");
}

namespace {

// The popup open last: its items, or none.
CKGPPopupMenu* OpenPopup()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    return popup != nullptr && popup->GetSafeHwnd() != nullptr && popup->IsWindowVisible() ? popup : nullptr;
}

CPoint ItemCentre(CKGPPopupMenu& popup, int nIndex)
{
    CRect rect;
    popup.GetMenuBar()->GetItemRect(nIndex, rect);
    popup.GetMenuBar()->ClientToScreen(rect);
    return rect.CenterPoint();
}

// The entry of the open sub-menu that stands for the command.
CKGPCustomizeMenuButton* EntryFor(UINT nCommand)
{
    CKGPPopupMenu* popup = OpenPopup();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(i));
        if (entry != nullptr && entry->m_nCommand == nCommand &&
            entry->GetItemIndex() != CKGPCustomizeMenuButton::kResetEntry)
            return entry;
    }
    return nullptr;
}

} // namespace

TEST_F(AppHostTest, AFloatingToolbarsMenuButtonDropsItsCustomiseMenuUnderIt)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& bar = frame.m_wndToolBar;
    bar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("Customize..."));
    bar.SetLibraryBarStyle(bar.GetLibraryBarStyle() | KGP_BARSTYLE_CLOSE);
    CKGPMiniFrameWnd* floating = FloatMainToolBar(frame);
    ASSERT_NE(nullptr, floating);
    CKGPCaptionButton* button = floating->FindCaptionButton(KGPCaption::kHitPageMenu);
    ASSERT_NE(nullptr, button) << "a toolbar with a customise entry has the menu button";
    ASSERT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    CRect rect = button->GetRect();
    rect.OffsetRect(apphost::ScreenRect(*floating).TopLeft());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(rect.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("Customize...")) != CPoint(-1, -1); }))
        << "the customise menu opened";
    CKGPPopupMenu* menu = OpenPopup();
    ASSERT_NE(nullptr, menu);
    const CRect popup = apphost::ScreenRect(menu->GetSafeHwnd());
    EXPECT_GE(popup.top, rect.bottom - 2) << "under the button";
    EXPECT_LE(std::abs(popup.left - rect.left), rect.Width() + 4);
    EXPECT_TRUE(button->m_bPushed) << "the button looks pushed while its menu is open";
    EXPECT_EQ(bar.GetCustomizeButton(), menu->GetParentButton()) << "the customise button owns the menu";
    // The bar's name leads to its buttons; the customise entry follows.
    ASSERT_EQ(2, menu->GetMenuItemCount());
    EXPECT_EQ(CString(_T("Standard")), menu->GetMenuItem(0)->m_strCaption);
    EXPECT_FALSE(menu->GetMenuItem(0)->GetCommands().IsEmpty()) << "a sub-menu";
    EXPECT_EQ(UINT{ID_VIEW_CUSTOMIZE}, menu->GetMenuItem(1)->m_nCommand);
    apphost::Screenshot(L"apphost_floating_toolbar_menu.bmp");

    // The sub-menu lists the bar's buttons to show or hide, and its reset.
    const CPoint named = ItemCentre(*menu, 0);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(named); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return EntryFor(ID_FILE_OPEN) != nullptr; })) << "the bar's buttons";
    CKGPPopupMenu* buttons = OpenPopup();
    apphost::Screenshot(L"apphost_floating_toolbar_buttons_menu.bmp");
    EXPECT_EQ(menu, buttons->GetParentPopupMenu());
    for (UINT command : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT})
        EXPECT_TRUE(EntryFor(command) != nullptr && EntryFor(command)->IsChecked()) << command;
    EXPECT_TRUE([&] {
        for (int i = 0; i < buttons->GetMenuItemCount(); ++i) {
            const auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, buttons->GetMenuItem(i));
            if (entry != nullptr && entry->GetItemIndex() == CKGPCustomizeMenuButton::kResetEntry)
                return true;
        }
        return false;
    }()) << "and the bar's reset";
    EXPECT_TRUE(buttons->GetMenuItem(0)->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton)))
        << "the entries alone, no heading";
    // Chosen, an entry takes its button off the bar.
    const CPoint open = [&] {
        CKGPToolbarButton* entry = EntryFor(ID_FILE_OPEN);
        return ItemCentre(*buttons, buttons->GetMenuBar()->ButtonToIndex(entry));
    }();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(open); }));
    EXPECT_TRUE(apphost::WaitUntil([&] {
        const int index = bar.CommandToIndex(ID_FILE_OPEN);
        return index >= 0 && !bar.GetButton(index)->m_bShown;
    })) << "the button no longer shows";

    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Key(VK_ESCAPE);
        user.Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return !button->m_bPushed; })) << "the menu gone, the button is up";

    // A bar without a name: the library's name for a toolbar.
    bar.SetWindowText(_T(""));
    rect = button->GetRect(); // the frame fitted the bar again
    rect.OffsetRect(apphost::ScreenRect(*floating).TopLeft());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(rect.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return OpenPopup() != nullptr; }));
    EXPECT_EQ(KGPLoadLibraryString(IDS_KGP_UNTITLED_TOOLBAR, _T("?")), OpenPopup()->GetMenuItem(0)->m_strCaption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// A floating toolbar resized by its frame's edge keeps that size through a
// restart: the frame dragged to a size holds the bar with its borders, as the
// frame made around the bar at the next start does (the dragged frame was
// the bar's borders short, and came back 2 px larger each way).
TEST_F(AppHostTest, AFloatingToolbarResizedByItsEdgeComesBackAtThatSizeAfterARestart)
{
    CKGPMiniFrameWnd* floating = FloatMainToolBar(Frame());
    ASSERT_NE(nullptr, floating);
    const CRect before = apphost::ScreenRect(*floating);
    CRect border;
    floating->CalcBorderSize(border);
    const CPoint edge(before.right - border.right / 2 - 1, before.top + border.top + floating->GetCaptionHeight() +
                                                                (before.bottom - before.top) / 4);
    ASSERT_EQ(HTRIGHT, floating->HitTest(edge, FALSE));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(edge);
        user.Press();
        user.DragTo(CPoint(before.left + before.Width() / 2, edge.y), 12);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(*floating).Height() > before.Height(); }))
        << "the buttons wrapped into rows";
    const CSize resized = apphost::ScreenRect(*floating).Size();
    CRect client;
    floating->GetClientRect(client);
    EXPECT_EQ(client.Size(), apphost::ScreenRect(Frame().m_wndToolBar).Size()) << "the bar fills the frame";

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "the first restart" : "the second restart");
        ASSERT_TRUE(Close());
        ASSERT_TRUE(Start());
        CKGPMiniFrameWnd* again = Frame().m_wndToolBar.GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, again) << "floating still";
        EXPECT_EQ(resized, apphost::ScreenRect(*again).Size());
    }
}

namespace {

int OpenNotes(CHostMainFrame& frame)
{
    int notes = 0;
    for (HWND child = ::GetWindow(frame.m_hWndMDIClient, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        notes += DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child)) != nullptr ? 1 : 0;
    return notes;
}

bool TooltipShows()
{
    for (HWND hWnd = ::GetTopWindow(nullptr); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        ::GetClassNameW(hWnd, className, 32);
        if (::IsWindowVisible(hWnd) && std::wcscmp(className, TOOLTIPS_CLASSW) == 0)
            return true;
    }
    return false;
}

} // namespace

// The button's tooltip, still up when the menu bar is clicked, stood above
// the menu: the menu opened out of sight and its items took no click.
TEST_F(AppHostTest, AMenuOpenedWhileAFloatingToolbarsTooltipShowsComesInFrontAndTakesTheClick)
{
    CHostMainFrame& frame = Frame();
    CKGPMiniFrameWnd* floating = FloatMainToolBar(frame);
    ASSERT_NE(nullptr, floating);
    const int before = OpenNotes(frame);
    const CPoint newButton = ButtonPoint(frame.m_wndToolBar, ID_FILE_NEW);
    ASSERT_TRUE(apphost::ShowsAt(frame.m_wndToolBar.GetSafeHwnd(), newButton));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(newButton); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return OpenNotes(frame) == before + 1; })) << "the button made a note";
    ASSERT_TRUE(apphost::WaitUntil(TooltipShows, 3000)) << "the button's tooltip came up";

    const CPoint file = MenuItemPoint(frame.m_wndMenuBar, _T("&File"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(file); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&New")) != CPoint(-1, -1); }));
    const CPoint item = PopupItemPoint(_T("&New"));
    apphost::Screenshot(L"apphost_menu_over_a_tooltip.bmp");
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(item); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return OpenNotes(frame) == before + 2; })) << "File > New made a note";
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}
