// The host's menus as a user meets them: rarely used commands wait behind
// each menu's show-all item until asked for (Ctrl+Down, the item, the menu
// bar's double click, resting on the menu's button) and hide again in the
// next menu; the recently used files fill the File menu; the menu bar reset
// from the customisation sheet keeps its customise button.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxadv.h>

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/AppHostIds.h"

#include <atomic>
#include <vector>

namespace {

const CPoint kNowhere(-1, -1);

// The middle of the show-all item at the end of the open popup; kNowhere
// when its last item is no show-all item.
CPoint ShowAllPoint()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    if (popup == nullptr || popup->GetMenuItemCount() == 0)
        return kNowhere;
    const CKGPToolbarButton* last = popup->GetMenuItem(popup->GetMenuItemCount() - 1);
    if (last == nullptr || !last->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton)))
        return kNowhere;
    CRect rect = last->m_rcButton;
    popup->GetMenuBar()->ClientToScreen(rect);
    return rect.CenterPoint();
}

bool NoMenuOpen() { return CKGPPopupMenu::GetActiveMenu() == nullptr; }

// The index of the show-all item of the open popup; -1 when it has none.
int ShowAllIndex()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    if (popup == nullptr || ShowAllPoint() == kNowhere)
        return -1;
    return popup->GetMenuItemCount() - 1;
}

// Every item of the open popup as its menu made it: a separator only where
// the menu has one (an item without a caption), and no command pressed,
// checked, hidden or off (the host's format commands are all on).
::testing::AssertionResult ItemsAreWhole()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    if (popup == nullptr)
        return ::testing::AssertionFailure() << "no menu is open";
    constexpr UINT kNotInAMenu = TBBS_PRESSED | TBBS_CHECKED | TBBS_HIDDEN | TBBS_DISABLED | TBBS_INDETERMINATE;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        const CKGPToolbarButton* item = popup->GetMenuItem(i);
        if (item == nullptr)
            return ::testing::AssertionFailure() << "item " << i << " is no menu item";
        if (item->IsSeparator() != item->m_strCaption.IsEmpty() ||
            (!item->IsSeparator() && (item->m_nBits & kNotInAMenu) != 0))
            return ::testing::AssertionFailure() << "item " << i << " \"" << static_cast<const char*>(CW2A(item->m_strCaption))
                                                 << "\" has the style bits " << std::hex << item->m_nBits;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(AppHostTest, RarelyUsedCommandsWaitBehindTheMenusShowAllItemUntilAskedFor)
{
    CHostMainFrame& frame = Frame();
    // The popup open now shows an item with this text.
    const auto MenuShows = [](LPCTSTR lpszText) { return PopupItemPoint(lpszText) != kNowhere; };
    CKGPToolBar::s_usage.Reset();  // nothing used yet: what is not basic is rare
    const CPoint format = MenuItemPoint(frame.m_wndMenuBar, _T("&Format"));
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    ASSERT_NE(kNowhere, format);
    ASSERT_NE(kNowhere, view);

    // Opened, the Format menu shows only its show-all item; Ctrl+Down shows all.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(format); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return ShowAllPoint() != kNowhere; })) << "every format command is rare";
    EXPECT_FALSE(MenuShows(_T("&Bold")));
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_DOWN); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("&Bold")); }));
    EXPECT_EQ(kNowhere, ShowAllPoint());

    // Closed and opened again (not so soon that the clicks make a double
    // click): hidden again. The show-all item shows them.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Pause(::GetDoubleClickTime());
        user.Click(format);
    }));
    ASSERT_TRUE(apphost::WaitUntil([] { return ShowAllPoint() != kNowhere; }));
    EXPECT_FALSE(MenuShows(_T("&Bold")));
    const CPoint showAll = ShowAllPoint();
    const int showAllAt = ShowAllIndex();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(showAll); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("&Italic")); }));
    // The press went to the show-all item, which the menu rebuilt without:
    // the item now in its place, like every other, is as the menu made it.
    ASSERT_NE(nullptr, CKGPPopupMenu::GetActiveMenu()->GetMenuItem(showAllAt));
    EXPECT_TRUE(ItemsAreWhole());

    // The next menu of the bar (Right) hides its rare commands again.
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_RIGHT); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("&Status Bar")); })) << "the View menu";
    EXPECT_FALSE(MenuShows(_T("C&aption Bar")));
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) {
        user.Key(VK_ESCAPE);
        user.Key(VK_ESCAPE);
    }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));

    // A double click on the menu's button opens it whole.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(view);
        user.Click(view);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("C&aption Bar")); }));
    EXPECT_EQ(kNowhere, ShowAllPoint());
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));

    // Opening the menu starts the menu bar's 5-second timer; when it fires
    // (here at once) with the pointer resting on the button, all show.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Pause(::GetDoubleClickTime());
        user.Click(view);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("&Status Bar")); }));
    EXPECT_FALSE(MenuShows(_T("C&aption Bar")));
    EXPECT_TRUE(::KillTimer(frame.m_wndMenuBar.GetSafeHwnd(), 1)) << "the timer runs";
    frame.m_wndMenuBar.SendMessage(WM_TIMER, 1);
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("C&aption Bar")); }));
    apphost::Screenshot(L"apphost_menu_all_shown.bmp");
}

// A letter no shown item of a menu takes runs the hidden item with that
// mnemonic, while the library lets hidden items take their letters.
TEST_F(AppHostTest, AHiddenItemsLetterRunsItOnlyWhileHiddenItemsTakeTheirLetters)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar::s_usage.Reset();  // every format command is rare: all hide
    const CPoint format = MenuItemPoint(frame.m_wndMenuBar, _T("&Format"));
    ASSERT_NE(kNowhere, format);

    CKGPPopupMenuBar::EnableHiddenItemsMnemonics(FALSE);
    const bool offOpened = apphost::Perform([&](apphost::CGestures& user) { user.Click(format); }) &&
                           apphost::WaitUntil([] { return ShowAllPoint() != kNowhere; });
    const bool offKeyed = offOpened && apphost::Perform([](apphost::CGestures& user) { user.Key('U'); });
    apphost::PumpFor(150);
    const std::vector<UINT> offCommands = HostApp().m_commands;
    CKGPPopupMenuBar::EnableHiddenItemsMnemonics(TRUE);
    ASSERT_TRUE(offOpened && offKeyed);
    EXPECT_TRUE(offCommands.empty()) << "switched off, the hidden Underline does not run";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));

    // Switched on (as by default), the letter runs it.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Pause(::GetDoubleClickTime());
        user.Click(format);
    }));
    ASSERT_TRUE(apphost::WaitUntil([] { return ShowAllPoint() != kNowhere; }));
    EXPECT_EQ(kNowhere, PopupItemPoint(_T("&Underline"))) << "hidden";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key('U'); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FORMAT_UNDERLINE}, HostApp().m_commands);
    EXPECT_TRUE(apphost::WaitUntil(NoMenuOpen)) << "the menu closed as the command ran";
}

TEST_F(AppHostTest, ThePointerRestingOnAnItemOpensItsMenuAfterTheDelayAndOnTheShowAllItemAfterTwice)
{
    CHostMainFrame& frame = Frame();
    const auto MenuShows = [](LPCTSTR lpszText) { return PopupItemPoint(lpszText) != kNowhere; };
    CKGPToolBar::s_usage.Reset();  // the rare commands wait behind the show-all item
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    ASSERT_NE(kNowhere, view);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return ShowAllPoint() != kNowhere; }));
    CKGPPopupMenu* viewMenu = CKGPPopupMenu::GetActiveMenu();
    const CPoint toolbars = PopupItemPoint(_T("&Toolbars and Panes"));
    const CPoint showAll = ShowAllPoint();
    ASSERT_NE(kNowhere, toolbars);
    const DWORD delay = static_cast<DWORD>(CKGPPopupMenuBar::GetMenuShowDelay());
    constexpr DWORD kTickSlack = 50;

    // On the Toolbars and Panes item: its menu (the list of the bars) opens after the delay.
    // The time the pointer reaches the item; then it rests there with a
    // hand's small move (a popup takes no first move, and a busy queue may
    // join the moves into one).
    std::atomic<DWORD> restedAt{0};
    const auto restOn = [&restedAt](apphost::CGestures& user, CPoint point) {
        user.DragTo(point, 4);
        restedAt = ::GetTickCount();
        user.Pause(80);
        user.MoveTo(point + CSize(1, 0));
    };
    apphost::CUserInput onToolbars([&](apphost::CGestures& user) { restOn(user, toolbars); });
    EXPECT_TRUE(apphost::WaitUntil(
        [&] {
            const CKGPPopupMenu* open = CKGPPopupMenu::GetActiveMenu();
            return open != nullptr && open->GetParentPopupMenu() == viewMenu;
        },
        6000))
        << "the sub-menu opens";
    const DWORD subMenuAfter = ::GetTickCount() - restedAt;
    ASSERT_TRUE(onToolbars.Finish());
    EXPECT_GE(subMenuAfter + kTickSlack, delay) << "not before the menu delay";
    EXPECT_TRUE(MenuShows(_T("Standard"))) << "the toolbars are listed";

    // On the show-all item: every item shows after twice the delay.
    apphost::CUserInput onShowAll([&](apphost::CGestures& user) { restOn(user, showAll); });
    EXPECT_TRUE(
        apphost::WaitUntil([&] { return ShowAllPoint() == kNowhere && MenuShows(_T("C&aption Bar")); }, 6000))
        << "the rare commands show";
    const DWORD showAllAfter = ::GetTickCount() - restedAt;
    ASSERT_TRUE(onShowAll.Finish());
    EXPECT_GE(showAllAfter + kTickSlack, 2 * delay) << "hovering there waits twice the delay";
    EXPECT_EQ(viewMenu, CKGPPopupMenu::GetActiveMenu()) << "the View menu, its sub-menu closed";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));
}

TEST_F(AppHostTest, TheRecentlyUsedFilesFillTheFileMenuAndOneChosenOpens)
{
    CHostMainFrame& frame = Frame();
    CHostApp& app = HostApp();
    const auto MenuShows = [](LPCTSTR lpszText) { return PopupItemPoint(lpszText) != kNowhere; };
    WCHAR folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    app.m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, _T("Recent File"), _T("File%d"), 4);
    app.m_pRecentFileList->Add(_T("C:\\Archive\\2023\\Quarterly reports\\Summary & notes.txt"));
    app.m_pRecentFileList->Add(CString(folder) + _T("\\Here.txt"));
    const CPoint file = MenuItemPoint(frame.m_wndMenuBar, _T("&File"));
    ASSERT_NE(kNowhere, file);

    // Newest first, numbered; the one in the current folder by its name, the
    // other shortened, its "&" shown as one.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(file); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("&1 Here.txt")); }));
    CKGPPopupMenuBar& items = *CKGPPopupMenu::GetActiveMenu()->GetMenuBar();
    const int first = items.CommandToIndex(ID_FILE_MRU_FILE1);
    ASSERT_GE(first, 0);
    EXPECT_EQ(CString(_T("&2 C:\\...\\Summary && notes.txt")), items.GetButton(first + 1)->m_strCaption);
    EXPECT_EQ(UINT(ID_FILE_MRU_FILE1 + 1), items.GetButton(first + 1)->m_nCommand);
    EXPECT_TRUE(items.GetButton(first - 1)->IsSeparator());
    EXPECT_TRUE(items.GetButton(first + 2)->IsSeparator());
    const CPoint second = PopupItemPoint(_T("&2 C:\\...\\Summary && notes.txt"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(second); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return !app.m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FILE_MRU_FILE1 + 1}, app.m_commands);

    // Without files the entry goes, and the separator that would double.
    app.m_pRecentFileList->Remove(0);
    app.m_pRecentFileList->Remove(0);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Pause(::GetDoubleClickTime());
        user.Click(file);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuShows(_T("E&xit")); }));
    CKGPPopupMenuBar& left = *CKGPPopupMenu::GetActiveMenu()->GetMenuBar();
    EXPECT_LT(left.CommandToIndex(ID_FILE_MRU_FILE1), 0);
    for (int i = 1; i < left.GetCount(); ++i)
        EXPECT_FALSE(left.GetButton(i - 1)->IsSeparator() && left.GetButton(i)->IsSeparator()) << i;
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    delete std::exchange(app.m_pRecentFileList, nullptr);
}

TEST_F(AppHostTest, AUserToolsManagerWithoutAMenuEntryLeavesTheMenusSeparatorsAlone)
{
    CHostMainFrame& frame = Frame();
    const CPoint file = MenuItemPoint(frame.m_wndMenuBar, _T("&File"));
    ASSERT_NE(kNowhere, file);
    // "&New", "&Close", "&Save", a separator, "Recent File", a separator, "E&xit".
    const auto separatorsShown = [] {
        std::vector<int> at;
        const CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
        for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
            if (popup->GetMenuItem(i)->IsSeparator())
                at.push_back(i);
        }
        return at;
    };
    const auto openFile = [&] {
        return apphost::Perform([&](apphost::CGestures& user) {
                   user.Pause(::GetDoubleClickTime());
                   user.Click(file);
               }) &&
               apphost::WaitUntil([] { return PopupItemPoint(_T("E&xit")) != kNowhere; });
    };
    const std::vector<int> menuSeparators{3, 5};

    {
        // The default: no command stands for the tools in any menu.
        CKGPUserToolsManager tools;
        ASSERT_EQ(0u, tools.GetToolsEntryCmd());
        ASSERT_TRUE(openFile());
        EXPECT_EQ(menuSeparators, separatorsShown()) << "no separator is taken for the tools' entry";
        ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
        ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));
    }
    // With a range and a tool, still no menu lists the tools.
    CKGPUserToolsManager tools(0, ID_TOOL_FIRST, ID_TOOL_LAST);
    CKGPUserTool* tool = tools.CreateNewTool();
    ASSERT_NE(nullptr, tool);
    tool->m_strLabel = _T("Notepad");
    ASSERT_TRUE(openFile());
    EXPECT_EQ(menuSeparators, separatorsShown());
    EXPECT_EQ(kNowhere, PopupItemPoint(_T("Notepad")));
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil(NoMenuOpen));
}

namespace {

// The first shown message box of this process; null when none shows.
HWND ShownMessageBox()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(hWnd, name, 16);
            DWORD process = 0;
            ::GetWindowThreadProcessId(hWnd, &process);
            if (::wcscmp(name, L"#32770") != 0 || process != ::GetCurrentProcessId() || !::IsWindowVisible(hWnd) ||
                ::GetDlgItem(hWnd, IDYES) == nullptr)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

TEST_F(AppHostTest, TheMenuBarResetFromTheCustomisationSheetKeepsItsCustomiseButton)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& menuBar = frame.m_wndMenuBar;
    menuBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("Customize..."));
    ASSERT_NE(nullptr, menuBar.GetCustomizeButton());
    int windowMenu = -1;
    for (int i = 0; i < menuBar.GetCount(); ++i) {
        if (menuBar.GetButton(i)->m_strCaption == _T("&Window"))
            windowMenu = i;
    }
    ASSERT_TRUE(menuBar.RemoveButton(windowMenu)) << "the user took the Window menu away";
    menuBar.AdjustLayout();

    // View, Customize..., the Toolbars page, the menu bar in its list, Reset, Yes.
    const CPoint view = MenuItemPoint(menuBar, _T("&View"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Customize...")) != kNowhere; }));
    const CPoint customize = PopupItemPoint(_T("&Customize..."));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(customize); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() != nullptr; }));
    CKGPToolbarCustomize& sheet = *CKGPToolbarCustomize::GetOpenSheet();
    CWnd* tabs = sheet.GetTabControl();
    ASSERT_NE(nullptr, tabs);
    CRect tab;
    ASSERT_TRUE(tabs->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(sheet.GetPageIndex(sheet.GetToolbarsPage())),
                                  reinterpret_cast<LPARAM>(static_cast<RECT*>(&tab))));
    tabs->ClientToScreen(tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return sheet.GetActivePage() == sheet.GetToolbarsPage(); }));
    CKGPToolbarsPage& page = *sheet.GetToolbarsPage();
    auto* list = static_cast<CListBox*>(page.GetDlgItem(IDC_KGP_TOOLBAR_LIST));
    ASSERT_NE(nullptr, list);
    int menuBarItem = -1;
    for (int i = 0; i < list->GetCount(); ++i) {
        if (reinterpret_cast<CKGPToolBar*>(list->GetItemData(i)) == &menuBar)
            menuBarItem = i;
    }
    ASSERT_GE(menuBarItem, 0) << "the menu bar is listed";
    CRect item;
    list->GetItemRect(menuBarItem, item);
    list->ClientToScreen(item);
    const CPoint name(item.left + item.Width() * 2 / 3, item.CenterPoint().y);  // the name, not its check box
    CWnd* reset = page.GetDlgItem(IDC_KGP_RESET);
    ASSERT_NE(nullptr, reset);
    const CPoint resetPoint = apphost::ScreenRect(*reset).CenterPoint();
    const HWND resetButton = reset->GetSafeHwnd();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(name);
        user.WaitFor([resetButton] { return ::IsWindowEnabled(resetButton) != FALSE; });
        user.Click(resetPoint);
        user.WaitFor([] { return ShownMessageBox() != nullptr; });
        user.Key(VK_RETURN);  // Yes
        user.WaitFor([] { return ShownMessageBox() == nullptr; });
    }));

    EXPECT_NE(kNowhere, MenuItemPoint(menuBar, _T("&Window"))) << "the menus as their resources made them";
    CCustomizeButton* chevron = menuBar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron) << "the reset keeps it";
    EXPECT_EQ(chevron, menuBar.GetButton(menuBar.GetCount() - 1)) << "last";
    EXPECT_TRUE(apphost::IsShown(menuBar));

    // The sheet closed, the customise button opens its menu.
    CWnd* close = sheet.GetDlgItem(IDCANCEL);
    ASSERT_NE(nullptr, close);
    const CPoint closePoint = apphost::ScreenRect(*close).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(closePoint); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() == nullptr; }));
    CRect chevronRect;
    menuBar.GetItemRect(menuBar.GetCount() - 1, chevronRect);
    menuBar.ClientToScreen(chevronRect);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(chevronRect.CenterPoint()); }));
    EXPECT_TRUE(apphost::WaitUntil([&] {
        const CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
        return popup != nullptr && popup->GetParentButton() == menuBar.GetCustomizeButton();
    }));
    apphost::Screenshot(L"apphost_menu_bar_reset.bmp");
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));

    // The Window menu of the fresh menus lists the documents' windows.
    const CPoint window = MenuItemPoint(menuBar, _T("&Window"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(window); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() != nullptr; }));
    EXPECT_TRUE(apphost::WaitUntil([] { return ListedWindows() == 2; })) << "both notes are listed";
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));

    // Every document closed (Ctrl+F4): the frame shows its default menu, the
    // one the reset loaded.
    ASSERT_NE(nullptr, frame.MDIGetActive());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Chord(VK_CONTROL, VK_F4);
        user.Pause(100);
        user.Chord(VK_CONTROL, VK_F4);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return frame.MDIGetActive() == nullptr; })) << "no document is left";
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuItemPoint(menuBar, _T("&Edit")) == kNowhere; }))
        << "the documents' menu went with them";
    EXPECT_TRUE(::IsMenu(menuBar.GetHMenu()));
    EXPECT_EQ(menuBar.GetDefaultMenu(), menuBar.GetHMenu());
    EXPECT_NE(kNowhere, MenuItemPoint(menuBar, _T("&Help"))) << "the default menu's items show";
}
