// Customisation by drag, as a user does it: the customisation sheet opened
// from the View menu and moved off the toolbars, a category chosen, and a
// command pressed in the command list and dragged in one move onto a toolbar:
// the press selects the command, and the drop adds its button to the bar; a
// menu of the menu bar opened by a click takes one the same way.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_apphost/AppHostIds.h"

namespace {

constexpr UINT kCategoryList = 16601;
constexpr UINT kCommandList = 16602;

} // namespace

TEST_F(AppHostTest, ACommandPressedInTheListAndDraggedOntoAToolbarJoinsIt)
{
    CHostMainFrame& frame = Frame();
    // View > Customize... by the mouse.
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Customize...")) != CPoint(-1, -1); }));
    const CPoint customize = PopupItemPoint(_T("&Customize..."));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(customize); }));
    ASSERT_TRUE(apphost::WaitUntil([] {
        CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
        return sheet != nullptr && apphost::IsShown(*sheet);
    }));
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    const HWND sheetWnd = sheet->GetSafeHwnd();

    // Moved by its caption down, off the toolbars.
    const CRect sheetRect = apphost::ScreenRect(sheetWnd);
    const CPoint caption(sheetRect.left + 60, sheetRect.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 3);
    const CPoint moved(caption.x + 200 - sheetRect.left, caption.y + 300 - sheetRect.top);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(moved, 8);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(sheetWnd).top > sheetRect.top + 100; }));
    ASSERT_GT(apphost::ScreenRect(sheetWnd).top, apphost::ScreenRect(frame.m_wndFormatBar).bottom);

    // The Edit category.
    CKGPCustomizePage* page = sheet->GetCommandsPage();
    ASSERT_NE(nullptr, page);
    const HWND categories = ::GetDlgItem(page->GetSafeHwnd(), kCategoryList);
    const HWND commands = ::GetDlgItem(page->GetSafeHwnd(), kCommandList);
    ASSERT_TRUE(categories != nullptr && commands != nullptr);
    const int edit = apphost::FindListItem(categories, _T("Edit"));
    ASSERT_GE(edit, 0);
    const CPoint editPoint = apphost::ListItemPoint(categories, edit);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(editPoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::FindListItem(commands, _T("Copy")) >= 0; })) << "Edit's commands listed";
    const int copy = apphost::FindListItem(commands, _T("Copy"));
    ASSERT_NE(copy, static_cast<int>(::SendMessageW(commands, LB_GETCURSEL, 0, 0))) << "not the one selected";

    // Pressed and dragged in one move onto the format bar, after its last button.
    const int before = frame.m_wndFormatBar.GetCount();
    CRect last;
    frame.m_wndFormatBar.GetItemRect(before - 1, last);
    frame.m_wndFormatBar.ClientToScreen(last);
    const CPoint from = apphost::ListItemPoint(commands, copy);
    const CPoint onBar(last.right - 2, last.CenterPoint().y); // the last button's far half
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(onBar, 20, 20);
        user.Pause(100);
        user.Release();
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndFormatBar.CommandToIndex(ID_EDIT_COPY) >= 0; }))
        << "the bar took the command";
    EXPECT_EQ(before + 1, frame.m_wndFormatBar.GetCount());
    EXPECT_EQ(copy, static_cast<int>(::SendMessageW(commands, LB_GETCURSEL, 0, 0))) << "the press selected it";
    apphost::Screenshot(L"apphost_customize_drag.bmp");
    sheet->SendMessage(WM_CLOSE);
    apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() == nullptr; });
}

// A menu of the menu bar clicked while customising opens (a press that drags
// nothing away), so that a command can be dropped into it; clicked again, it
// closes and keeps the command.
TEST_F(AppHostTest, AMenuClickedWhileCustomisingOpensAndTakesACommandDroppedIntoIt)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    CKGPToolbarMenuButton* file = nullptr;
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (bar.GetButton(i)->m_strCaption == _T("&File"))
            file = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(i));
    }
    ASSERT_NE(nullptr, file);
    const int items = file->GetCommands().GetCount();
    const CPoint filePoint = MenuItemPoint(bar, _T("&File"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(filePoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return file->GetPopupMenu() != nullptr; })) << "the File menu opened";
    auto* popup = dynamic_cast<CKGPPopupMenu*>(file->GetPopupMenu());
    ASSERT_NE(nullptr, popup);
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*popup); }));

    // Help's About, from the sheet's list into the menu's middle.
    CKGPCustomizePage* page = sheet->GetCommandsPage();
    const HWND categories = ::GetDlgItem(page->GetSafeHwnd(), kCategoryList);
    const HWND commands = ::GetDlgItem(page->GetSafeHwnd(), kCommandList);
    const CPoint help = apphost::ListItemPoint(categories, apphost::FindListItem(categories, _T("Help")));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(help); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::FindListItem(commands, _T("About")) >= 0; }));
    ASSERT_NE(nullptr, file->GetPopupMenu()) << "the menu stays open while the sheet is used";
    const CPoint from = apphost::ListItemPoint(commands, apphost::FindListItem(commands, _T("About")));
    const CPoint into = apphost::ScreenRect(*popup).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(into, 20, 20);
        user.Pause(150);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return popup->GetMenuItemCount() == items + 1; })) << "the menu took it";

    // Clicked again, the menu closes and keeps it.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(filePoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return file->GetPopupMenu() == nullptr; })) << "it closed";
    EXPECT_EQ(items + 1, file->GetCommands().GetCount());
    bool about = false;
    for (POSITION pos = file->GetCommands().GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CKGPToolbarButton*>(file->GetCommands().GetNext(pos))->m_nCommand == ID_APP_ABOUT)
            about = true;
    }
    EXPECT_TRUE(about);
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
}
