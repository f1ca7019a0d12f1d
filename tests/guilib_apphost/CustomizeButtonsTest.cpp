// Buttons a user takes off a toolbar while customising, and brings back: the
// customisation sheet opened from the View menu, a button dragged off the
// Format bar, the sheet closed, and the button chosen again in the menu of
// the bar's customise button. A bar left shorter than its minimum size while
// customising takes that size once the sheet closes, as a restart places it.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPMenuPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <commctrl.h>

#include <memory>

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

// The entry of the open customise menu with this text.
CKGPCustomizeMenuButton* EntryNamed(LPCTSTR lpszText)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(i));
        if (entry != nullptr && entry->m_strCaption == lpszText)
            return entry;
    }
    return nullptr;
}

// The point in the middle of a window (a control of the sheet, say).
CPoint MiddleOf(const CWnd* pWnd)
{
    return apphost::ScreenRect(pWnd->GetSafeHwnd()).CenterPoint();
}

} // namespace

// The bar's buttons to show or hide, as a user reaches them: the customise
// button at the bar's end, "Add or Remove Buttons" in its menu, then the
// bar's name. Whether they show.
static bool OpenAddRemoveButtons(CKGPToolBar& bar, CPoint (*popupItem)(LPCTSTR))
{
    CRect chevron;
    bar.GetItemRect(bar.GetCount() - 1, chevron);
    bar.ClientToScreen(chevron);
    const CString addRemove = CCustomizeButton::AddRemoveButtonsText();
    if (chevron.IsRectEmpty() || !apphost::Perform([&](apphost::CGestures& user) { user.Click(chevron.CenterPoint()); }) ||
        !apphost::WaitUntil([&] { return popupItem(addRemove) != CPoint(-1, -1); }))
        return false;
    const CPoint item = popupItem(addRemove);
    CString name;
    bar.GetWindowText(name);
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(item); }) ||
        !apphost::WaitUntil([&] { return popupItem(name) != CPoint(-1, -1); }))
        return false;
    const CPoint named = popupItem(name);
    // The last level lists the bar's buttons as the frame fills it.
    return apphost::Perform([&](apphost::CGestures& user) { user.Click(named); }) && apphost::WaitUntil([] {
               const CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
               return popup != nullptr && popup->GetMenuItemCount() > 0 &&
                      popup->GetMenuItem(0)->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton));
           });
}

TEST_F(AppHostTest, AButtonDraggedOffWhileCustomisingComesBackFromTheCustomiseMenu)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    format.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("&Customize..."));
    apphost::PumpFor(50);

    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
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
    ASSERT_TRUE(OpenAddRemoveButtons(format, &PopupItemPoint)) << "customise button > Add or Remove Buttons > Format";
    ASSERT_TRUE(apphost::WaitUntil([] { return EntryFor(ID_FORMAT_ITALIC) != nullptr; }))
        << "the menu lists the button the bar lost";
    const CKGPPopupMenu* buttons = CKGPPopupMenu::GetActiveMenu();
    ASSERT_TRUE(buttons->GetParentPopupMenu() != nullptr && buttons->GetParentPopupMenu()->GetParentPopupMenu() != nullptr)
        << "the third level of the customise button's menu";
    EXPECT_EQ(format.GetCustomizeButton(), buttons->GetParentPopupMenu()->GetParentPopupMenu()->GetParentButton());
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
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        for (int i = 0; i < 3; ++i)
            user.Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// A menu button has no command of its own: its entry in the Add or Remove
// Buttons menu stands for it all the same, and chosen takes it off the bar.
TEST_F(AppHostTest, AMenuButtonOfABarIsHiddenFromItsAddOrRemoveButtonsMenu)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    format.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("&Customize..."));
    ASSERT_GE(format.InsertButton(std::make_unique<CKGPToolbarMenuButton>(0, nullptr, -1, _T("&Styles"))), 0);
    format.AdjustLayout();
    apphost::PumpFor(50);
    ASSERT_TRUE(OpenAddRemoveButtons(format, &PopupItemPoint));
    CKGPCustomizeMenuButton* styles = EntryNamed(_T("&Styles"));
    ASSERT_NE(nullptr, styles) << "an entry for the menu button";
    EXPECT_EQ(CCustomizeButton::kNoCommandEntry, styles->m_nCommand) << "the entry of a button without a command";
    EXPECT_TRUE(styles->IsChecked());
    apphost::Screenshot(L"apphost_add_remove_menu_button.bmp");
    const CPoint point = EntryPoint(styles);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(point); }));
    const int index = [&format] {
        for (int i = 0; i < format.GetCount(); ++i) {
            if (format.GetButton(i)->m_strCaption == _T("&Styles"))
                return i;
        }
        return -1;
    }();
    ASSERT_GE(index, 0);
    EXPECT_TRUE(apphost::WaitUntil([&] { return !format.GetButton(index)->m_bShown; })) << "it no longer shows";
    EXPECT_TRUE(HostApp().m_commands.empty()) << "no command ran";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        for (int i = 0; i < 3; ++i)
            user.Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// While customising, a menu of the menu bar dragged into the menu of a new
// menu button stays a sub-menu there once that menu closed, and shows as one
// when it opens again (it came back as a separator).
TEST_F(AppHostTest, AMenuDroppedIntoAMenuWhileCustomisingStaysASubMenu)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    const CPoint help = MenuItemPoint(bar, _T("&Help"));
    ASSERT_NE(CPoint(-1, -1), help);

    // A new menu, by the customise menu of the bar's Help button, named in
    // the appearance dialog; it opens, empty.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.RightClick(help);
        user.WaitFor([] { return ::FindWindowW(L"#32768", nullptr) != nullptr; });
        user.Pause(100);
        user.Key('N');  // New Menu
        user.WaitFor([] { return !apphost::ShownTopLevels(L"#32770").empty(); });
        user.Pause(100);
        const HWND dialog = apphost::ShownTopLevels(L"#32770").front();
        user.Click(apphost::ScreenRect(::GetDlgItem(dialog, 16500)).CenterPoint());
        for (UINT key : {'E', 'X', 'T', 'R', 'A'})
            user.Key(key);
        user.Key(VK_RETURN);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuItemPoint(bar, _T("extra")) != CPoint(-1, -1); }))
        << "the new menu stands on the bar";
    CKGPToolbarMenuButton* extra = nullptr;
    for (int i = 0; i < bar.GetCount(); ++i) {
        if (bar.GetButton(i)->m_strCaption == _T("extra"))
            extra = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(i));
    }
    ASSERT_NE(nullptr, extra);
    ASSERT_TRUE(apphost::WaitUntil([&] { return extra->GetPopupMenu() != nullptr; })) << "its menu opened";
    auto* popup = dynamic_cast<CKGPPopupMenu*>(extra->GetPopupMenu());
    ASSERT_NE(nullptr, popup);

    // Help dragged from the bar into it.
    const CPoint from = MenuItemPoint(bar, _T("&Help"));
    const CPoint into = apphost::ScreenRect(*popup).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(into, 16, 20);
        user.Pause(150);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return popup->GetMenuItemCount() == 1; })) << "the menu took Help";
    EXPECT_EQ(CString(_T("&Help")), popup->GetMenuItem(0)->m_strCaption);

    // The menu closed (a click on its button), the sheet closed, the menu opened again.
    const CPoint extraPoint = MenuItemPoint(bar, _T("extra"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(extraPoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return extra->GetPopupMenu() == nullptr; })) << "its menu closed";
    ASSERT_EQ(1, extra->GetCommands().GetCount()) << "it keeps what it held";
    const auto* kept = static_cast<const CKGPToolbarButton*>(extra->GetCommands().GetHead());
    EXPECT_FALSE(kept->IsSeparator()) << "not a separator";
    EXPECT_EQ(CString(_T("&Help")), kept->m_strCaption);
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(extraPoint); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Help")) != CPoint(-1, -1); }))
        << "the menu shows Help again";
    const CKGPPopupMenu* again = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, again);
    EXPECT_FALSE(again->GetMenuItem(0)->GetCommands().IsEmpty()) << "a sub-menu with Help's items";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(PopupItemPoint(_T("&Help"))); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&About")) != CPoint(-1, -1); }))
        << "which opens";
    apphost::Screenshot(L"apphost_menu_dropped_into_menu.bmp");
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        for (int i = 0; i < 3; ++i)
            user.Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// The menu page edits a menu in the menu bar; once closed, the bar shows the
// menu of the document in front again, also after that menu was reset.
TEST_F(AppHostTest, AfterTheMenuPageTheBarShowsTheFrontDocumentsMenuEvenOnceItWasReset)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    ASSERT_NE(CPoint(-1, -1), MenuItemPoint(bar, _T("&Format"))) << "a note is in front: its menu shows";
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
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

TEST_F(AppHostTest, ABarLeftShorterThanItsMinimumWhileCustomisingComesBackAsLong)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet) << "View > Customize... opens the sheet";
    // Every button but Align Center dragged from the bar onto the notes.
    const CPoint notes = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    for (UINT command : {ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, ID_FORMAT_ZOOM, ID_FORMAT_LEFT}) {
        const CPoint button = ButtonPoint(format, command);
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(button, notes, 16); }));
        ASSERT_TRUE(apphost::WaitUntil([&] { return format.CommandToIndex(command) < 0; })) << command;
    }
    CSize minimum;
    format.GetMinSize(minimum);
    ASSERT_LT(apphost::ScreenRect(format).Width(), minimum.cx) << "shorter than its minimum while customising";
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(format).Width() == minimum.cx; }))
        << "its minimum once customising ends: " << apphost::DescribeBars(frame, {&format});
    const std::string saved = apphost::DescribeBars(frame, {&format});

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_EQ(saved, apphost::DescribeBars(Frame(), {&Frame().m_wndFormatBar})) << "as saved";
}
