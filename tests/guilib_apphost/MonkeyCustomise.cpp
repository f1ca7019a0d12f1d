// The monkey's customisation steps: the sheet opened from the View menu and
// moved aside, commands dragged from its list onto a toolbar and into a menu,
// buttons dragged off a toolbar, a toolbar reset from the Toolbars page, the
// sheet closed.
#include "tests/guilib_apphost/HostMonkey.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/HostFixture.h"

#include <commctrl.h>

namespace apphost {

namespace {

const CPoint kNowhere(-1, -1);

std::string At(CPoint point)
{
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

std::string Text(const CString& text)
{
    return std::string(CStringA(text).GetString());
}

std::string ListText(HWND list, int index)
{
    const int length = static_cast<int>(::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
    if (length <= 0)
        return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return Text(CString(text.c_str()));
}

// The list box's items a user sees (inside its client area).
std::vector<int> VisibleItems(HWND list)
{
    std::vector<int> items;
    CRect client;
    ::GetClientRect(list, client);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        CRect rect;
        ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
        if (rect.top >= client.top && rect.bottom <= client.bottom && rect.Height() > 0)
            items.push_back(i);
    }
    return items;
}

CPoint Middle(const CWnd* wnd)
{
    return wnd != nullptr ? ScreenRect(wnd->GetSafeHwnd()).CenterPoint() : kNowhere;
}

// The page brought to the front by a click on its tab; whether it is.
bool ShowPage(CKGPToolbarCustomize& sheet, CPropertyPage* page)
{
    if (page == nullptr)
        return false;
    if (sheet.GetActivePage() == page)
        return true;
    CWnd* tabs = sheet.GetTabControl();
    CRect tab;
    tabs->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(sheet.GetPageIndex(page)), reinterpret_cast<LPARAM>(&tab));
    tabs->ClientToScreen(tab);
    Perform([&](CGestures& user) { user.Click(tab.CenterPoint()); });
    return WaitUntil([&] { return sheet.GetActivePage() == page; }, 1000);
}

// The buttons of the bar a user may take hold of: not separators, not the
// customise button, shown where the mouse reaches them (a button half under
// the frame's sizing border or under the sheet takes no press).
std::vector<int> TakeableButtons(CKGPToolBar& bar)
{
    std::vector<int> buttons;
    for (int i = 0; i < bar.GetCount(); ++i) {
        CKGPToolbarButton* button = bar.GetButton(i);
        CRect rect;
        bar.GetItemRect(i, rect);
        bar.ClientToScreen(rect);
        if (button != nullptr && !button->IsSeparator() && !button->IsKindOf(RUNTIME_CLASS(CCustomizeButton)) &&
            !rect.IsRectEmpty() && ShowsAt(bar.GetSafeHwnd(), rect.CenterPoint()))
            buttons.push_back(i);
    }
    return buttons;
}

CPoint ButtonCentre(CKGPToolBar& bar, int index, int dx = 0)
{
    CRect rect;
    bar.GetItemRect(index, rect);
    bar.ClientToScreen(rect);
    return rect.CenterPoint() + CSize(dx * rect.Width() / 3, 0);
}

// A command pressed in the list and dragged in one move to the point; a
// pause there first when asked (a menu opening under it), then to `then`.
void DragFromList(CPoint from, CPoint to, DWORD rest = 100, CPoint then = kNowhere)
{
    Perform([&](CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(to, 20, 20);
        user.Pause(rest);
        if (then != kNowhere) {
            user.DragTo(then, 8, 20);
            user.Pause(150);
        }
        user.Release();
    });
}

} // namespace

std::string CHostMonkey::OpenCustomiseSheet()
{
    CHostMainFrame& frame = Frame();
    if (!ChooseFromMenu(_T("&View"), _T("&Customize...")))
        return "(no View > Customize...)";
    if (!WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() != nullptr; }, 2000))
        return "View > Customize... (no sheet)";
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    WaitUntil([sheet] { return IsShown(*sheet); }, 1000);
    // Moved by its caption to the screen's bottom right corner, off the bars.
    const CRect opened = ScreenRect(*sheet);
    const CPoint caption(opened.left + 60, opened.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
    const CSize away(::GetSystemMetrics(SM_CXSCREEN) - 10 - opened.right,
                     ::GetSystemMetrics(SM_CYSCREEN) - 10 - opened.bottom);
    Perform([&](CGestures& user) {
        user.MoveTo(caption);
        user.Pause(50);
        user.Press();
        user.DragTo(caption + away, 12);
        user.Release();
    });
    static_cast<void>(frame);
    return "View > Customize..., the sheet moved to " + At(ScreenRect(*sheet).TopLeft());
}

HWND CHostMonkey::ChooseCategory(std::string& what)
{
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    if (sheet == nullptr || !ShowPage(*sheet, sheet->GetCommandsPage()))
        return nullptr;
    const HWND page = sheet->GetCommandsPage()->GetSafeHwnd();
    const HWND categories = ::GetDlgItem(page, IDC_KGP_CATEGORIES);
    const HWND commands = ::GetDlgItem(page, IDC_KGP_COMMANDS);
    const std::vector<int> shown = VisibleItems(categories);
    if (shown.empty())
        return nullptr;
    const int category = shown[static_cast<size_t>(Pick(static_cast<int>(shown.size())))];
    const CPoint point = apphost::ListItemPoint(categories, category);
    Perform([&](CGestures& user) { user.Click(point); });
    WaitUntil([&] { return static_cast<int>(::SendMessageW(categories, LB_GETCURSEL, 0, 0)) == category; }, 1000);
    what = "category " + ListText(categories, category);
    return commands;
}

std::string CHostMonkey::DragCommandToToolBar()
{
    CHostMainFrame& frame = Frame();
    std::string what;
    const HWND commands = ChooseCategory(what);
    if (commands == nullptr)
        return "(no commands page)";
    const std::vector<int> shown = VisibleItems(commands);
    std::vector<CKGPToolBar*> bars;
    for (CKGPToolBar* bar : MonkeyBars(frame)) {
        if (IsShown(*bar) && !TakeableButtons(*bar).empty())
            bars.push_back(bar);
    }
    if (shown.empty() || bars.empty())
        return what + " (no command or no bar)";
    const int command = shown[static_cast<size_t>(Pick(static_cast<int>(shown.size())))];
    CKGPToolBar& bar = *bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
    const std::vector<int> buttons = TakeableButtons(bar);
    const int index = buttons[static_cast<size_t>(Pick(static_cast<int>(buttons.size())))];
    const CPoint from = apphost::ListItemPoint(commands, command);
    const CPoint to = ButtonCentre(bar, index, Pick(3) - 1);
    CString title;
    bar.GetWindowText(title);
    DragFromList(from, to);
    return what + ", " + ListText(commands, command) + " onto " + Text(title) + " at button " + std::to_string(index) +
           " " + At(to);
}

std::string CHostMonkey::DragCommandToMenu()
{
    CHostMainFrame& frame = Frame();
    std::string what;
    const HWND commands = ChooseCategory(what);
    if (commands == nullptr)
        return "(no commands page)";
    const std::vector<int> shown = VisibleItems(commands);
    const std::vector<int> menus = TakeableButtons(frame.m_wndMenuBar);
    if (shown.empty() || menus.empty() || !IsShown(frame.m_wndMenuBar))
        return what + " (no command or no menu)";
    const int command = shown[static_cast<size_t>(Pick(static_cast<int>(shown.size())))];
    const int menu = menus[static_cast<size_t>(Pick(static_cast<int>(menus.size())))];
    const CPoint from = apphost::ListItemPoint(commands, command);
    const CPoint onMenu = ButtonCentre(frame.m_wndMenuBar, menu);
    const int item = Pick(8);
    // The menu opened by a click (it stays open while customising), then the
    // command dragged into it, onto one of its items.
    Perform([&](CGestures& user) { user.Click(onMenu); });
    CKGPPopupMenu* popup = nullptr;
    WaitUntil([&] {
        popup = CKGPPopupMenu::GetActiveMenu();
        return popup != nullptr && ::IsWindowVisible(popup->GetSafeHwnd());
    }, 1000);
    if (popup == nullptr || popup->GetMenuBar()->GetCount() == 0)
        return what + ", menu " + std::to_string(menu) + " " + At(onMenu) + " (did not open)";
    CKGPToolBar& items = *popup->GetMenuBar();
    const int index = item % items.GetCount();
    CRect rect;
    items.GetItemRect(index, rect);
    items.ClientToScreen(rect);
    const CPoint into = rect.CenterPoint() + CSize(0, Pick(2) == 0 ? -rect.Height() / 4 : rect.Height() / 4);
    DragFromList(from, into, 150);
    return what + ", " + ListText(commands, command) + " into menu " + std::to_string(menu) + " " + At(onMenu) +
           " at item " + std::to_string(index) + " " + At(into);
}

std::string CHostMonkey::DragButtonOff()
{
    CHostMainFrame& frame = Frame();
    std::vector<CKGPToolBar*> bars;
    for (CKGPToolBar* bar : {static_cast<CKGPToolBar*>(&frame.m_wndToolBar), static_cast<CKGPToolBar*>(&frame.m_wndFormatBar)}) {
        if (IsShown(*bar) && !TakeableButtons(*bar).empty())
            bars.push_back(bar);
    }
    if (bars.empty())
        return "(no bar with buttons shows)";
    CKGPToolBar& bar = *bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
    const std::vector<int> buttons = TakeableButtons(bar);
    const int index = buttons[static_cast<size_t>(Pick(static_cast<int>(buttons.size())))];
    const CPoint from = ButtonCentre(bar, index);
    const CPoint to = PointIn(ScreenRect(frame.m_hWndMDIClient), 30);
    if (!IsOnScreen(from))
        return "(the button is off the screen) " + At(from);
    CString title;
    bar.GetWindowText(title);
    Perform([&](CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(to, 16);
        user.Pause(150);
        user.Release();
    });
    return Text(title) + " button " + std::to_string(index) + " " + At(from) + " to " + At(to);
}

std::string CHostMonkey::ResetToolBar()
{
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    if (sheet == nullptr || !ShowPage(*sheet, sheet->GetToolbarsPage()))
        return "(no toolbars page)";
    const HWND page = sheet->GetToolbarsPage()->GetSafeHwnd();
    const HWND list = ::GetDlgItem(page, IDC_KGP_TOOLBAR_LIST);
    const std::vector<int> shown = VisibleItems(list);
    if (shown.empty())
        return "(no toolbar listed)";
    const int index = shown[static_cast<size_t>(Pick(static_cast<int>(shown.size())))];
    // On its name, clear of its check box.
    const CPoint point = apphost::ListItemPoint(list, index, 40);
    Perform([&](CGestures& user) { user.Click(point); });
    WaitUntil([&] { return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)) == index; }, 1000);
    const HWND reset = ::GetDlgItem(page, IDC_KGP_RESET);
    if (reset == nullptr || !::IsWindowEnabled(reset))
        return ListText(list, index) + " (Reset is off)";
    const CPoint button = ScreenRect(reset).CenterPoint();
    bool asked = false;
    Perform([&](CGestures& user) {
        user.Click(button);
        asked = user.WaitFor([] { return !ShownTopLevels(L"#32770").empty(); }, 1500);
        user.Pause(100);
        if (asked)
            user.Key(VK_RETURN); // Yes
    });
    return ListText(list, index) + " reset" + (asked ? ", confirmed" : "");
}

std::string CHostMonkey::CloseCustomiseSheet()
{
    CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
    if (sheet == nullptr)
        return "(no sheet)";
    const CPoint close = Middle(sheet->GetDlgItem(IDCANCEL));
    Perform([&](CGestures& user) { user.Click(close); });
    WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() == nullptr; }, 2000);
    return "Close " + At(close);
}

} // namespace apphost
