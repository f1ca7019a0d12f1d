// Buttons a user takes off a toolbar while customising, and brings back: the
// customisation sheet opened from the View menu, a button dragged off the
// Format bar, the sheet closed, and the button chosen again in the menu of
// the bar's customise button.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPMenuPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/AppHostIds.h"

#include <commctrl.h>

namespace {

// The entry of the open customise menu that stands for the command.
CKGPCustomizeMenuButton* EntryFor(UINT nCommand)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(i));
        if (entry != nullptr && entry->m_nCommand == nCommand &&
            entry->GetItemIndex() != CKGPCustomizeMenuButton::kResetEntry)
            return entry;
    }
    return nullptr;
}

CPoint EntryPoint(CKGPCustomizeMenuButton* pEntry)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    CKGPToolBar* items = popup != nullptr ? popup->GetMenuBar() : nullptr;
    if (items == nullptr || pEntry == nullptr)
        return CPoint(-1, -1);
    CRect rect;
    items->GetItemRect(items->ButtonToIndex(pEntry), rect);
    items->ClientToScreen(rect);
    return rect.CenterPoint();
}

// The point in the middle of a window (a control of the sheet, say).
CPoint MiddleOf(const CWnd* pWnd)
{
    return apphost::ScreenRect(pWnd->GetSafeHwnd()).CenterPoint();
}

} // namespace

// Opens the customisation sheet from View > Customize... and moves it by its
// caption to the screen's bottom right corner, its Close button clear of the
// frame (it opens over the bars). Null when it did not open.
static CKGPToolbarCustomize* OpenCustomizeSheetAside(CHostMainFrame& frame, CPoint (*menuItem)(const CKGPMenuBar&, LPCTSTR),
                                                     CPoint (*popupItem)(LPCTSTR))
{
    const CPoint view = menuItem(frame.m_wndMenuBar, _T("&View"));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }) ||
        !apphost::WaitUntil([popupItem] { return popupItem(_T("&Customize...")) != CPoint(-1, -1); }))
        return nullptr;
    const CPoint customize = popupItem(_T("&Customize..."));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(customize); }) ||
        !apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() != nullptr; }))
        return nullptr;
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    const CRect opened = apphost::ScreenRect(*sheet);
    const CPoint caption(opened.left + 60, opened.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
    const CSize away(::GetSystemMetrics(SM_CXSCREEN) - 10 - opened.right,
                     ::GetSystemMetrics(SM_CYSCREEN) - 10 - opened.bottom);
    apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + away, 12);
        user.Release();
    });
    if (!apphost::WaitUntil([&] { return apphost::ScreenRect(*sheet).left > opened.left + 300; }) ||
        apphost::ScreenRect(frame).PtInRect(MiddleOf(sheet->GetDlgItem(IDCANCEL))))
        return nullptr;
    return sheet;
}

static bool CloseCustomizeSheet(CKGPToolbarCustomize* sheet)
{
    const CPoint close = MiddleOf(sheet->GetDlgItem(IDCANCEL));
    return apphost::Perform([&](apphost::CGestures& user) { user.Click(close); }) &&
           apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() == nullptr; });
}

TEST_F(AppHostTest, AButtonDraggedOffWhileCustomisingComesBackFromTheCustomiseMenu)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    format.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("&Customize..."));
    apphost::PumpFor(50);

    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame, &MenuItemPoint, &PopupItemPoint);
    ASSERT_NE(nullptr, sheet) << "View > Customize... opens the sheet";

    // Italic dragged from the bar onto the notes: it leaves the bar.
    const CPoint italic = ButtonPoint(format, ID_FORMAT_ITALIC);
    const CPoint notes = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(italic);
        user.Press();
        user.DragTo(notes, 16);
        user.Pause(200);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return format.CommandToIndex(ID_FORMAT_ITALIC) < 0; }))
        << "dropped where no bar takes it, the button is gone";
    ASSERT_TRUE(CloseCustomizeSheet(sheet));

    // The customise button's menu offers it, unchecked; a click brings it back.
    CRect chevron;
    format.GetItemRect(format.GetCount() - 1, chevron);
    format.ClientToScreen(chevron);
    ASSERT_FALSE(chevron.IsRectEmpty()) << "the customise button shows at the bar's end";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(chevron.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return EntryFor(ID_FORMAT_ITALIC) != nullptr; }))
        << "the menu lists the button the bar lost";
    EXPECT_FALSE(EntryFor(ID_FORMAT_ITALIC)->IsChecked());
    EXPECT_TRUE(EntryFor(ID_FORMAT_BOLD)->IsChecked());
    apphost::Screenshot(L"apphost_customise_menu_offers_the_lost_button.bmp");
    const CPoint entry = EntryPoint(EntryFor(ID_FORMAT_ITALIC));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(entry); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return format.CommandToIndex(ID_FORMAT_ITALIC) == 1; }))
        << "back between Bold and Underline, where the resource has it";
    EXPECT_TRUE(apphost::IsShown(format));
    EXPECT_FALSE(apphost::ScreenRect(format).IsRectEmpty());
    CRect back;
    format.GetItemRect(1, back);
    EXPECT_GT(back.Width(), 8) << "with its image, room on the bar";
    EXPECT_TRUE(HostApp().m_commands.empty()) << "no command ran";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// The menu page edits a menu in the menu bar; once closed, the bar shows the
// menu of the document in front again, also after that menu was reset.
TEST_F(AppHostTest, AfterTheMenuPageTheBarShowsTheFrontDocumentsMenuEvenOnceItWasReset)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    ASSERT_NE(CPoint(-1, -1), MenuItemPoint(bar, _T("&Format"))) << "a note is in front: its menu shows";
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame, &MenuItemPoint, &PopupItemPoint);
    ASSERT_NE(nullptr, sheet);
    CWnd* tabs = sheet->GetTabControl();
    CRect tab;
    tabs->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(sheet->GetPageIndex(sheet->GetMenuPage())),
                      reinterpret_cast<LPARAM>(&tab));
    tabs->ClientToScreen(tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([sheet] { return sheet->GetActivePage() == sheet->GetMenuPage(); }));
    CKGPMenuPage* page = sheet->GetMenuPage();
    CComboBox& menus = page->GetFrameMenus();

    // The note's menu chosen in the list (the keys move in it) and reset, as asked.
    const CPoint list = MiddleOf(&menus);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(list);
        user.Pause(100);
        user.Key(VK_ESCAPE);  // the list closed again, the focus kept
        user.Key(VK_DOWN);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return menus.GetCurSel() == 1; }));
    CMultiDocTemplate* note = reinterpret_cast<CMultiDocTemplate*>(menus.GetItemData(1));
    ASSERT_NE(nullptr, note);
    const HMENU before = note->m_hMenuShared.Get();
    const CPoint reset = MiddleOf(page->GetDlgItem(IDC_KGP_RESET_FRAME_MENU));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(reset);
        user.WaitFor([] { return !apphost::ShownTopLevels(L"#32770").empty(); });
        user.Pause(100);
        user.Key(VK_RETURN);  // Yes
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return note->m_hMenuShared.Get() != before; })) << "a fresh menu";
    auto* noteWindow = DYNAMIC_DOWNCAST(CMDIChildWnd, frame.MDIGetActive());
    ASSERT_NE(nullptr, noteWindow);
    EXPECT_EQ(note->m_hMenuShared.Get(), noteWindow->m_hMenuShared) << "the note's window holds the fresh menu";
    EXPECT_TRUE(::IsMenu(noteWindow->m_hMenuShared)) << "not the destroyed one";

    // The default menu chosen last, then the sheet closed.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(list);
        user.Pause(100);
        user.Key(VK_ESCAPE);
        user.Key(VK_UP);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return menus.GetCurSel() == 0; }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuItemPoint(bar, _T("&Format")) == CPoint(-1, -1); }))
        << "the default menu shows while edited";
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    EXPECT_EQ(note->m_hMenuShared.Get(), bar.GetHMenu()) << "the note's fresh menu is the current one";
    EXPECT_NE(CPoint(-1, -1), MenuItemPoint(bar, _T("&Format"))) << "the bar shows the note's menu again";
    // Its Window menu lists the notes.
    const CPoint window = MenuItemPoint(bar, _T("&Window"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(window); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return ListedWindows() == 2; })) << "both notes are listed";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
    apphost::Screenshot(L"apphost_menu_page_closed.bmp");
}
