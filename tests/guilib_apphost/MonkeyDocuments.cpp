// The monkey's document steps: notes opened and closed, shown as tabs, tab
// groups or windows, maximised and restored, their tabs dragged to another
// group or a new one.
#include "tests/guilib_apphost/HostMonkey.h"

#include <afxmdi.h>

#include "guilib/frames/KGPMainClientAreaWnd.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/tabs/KGPTabWnd.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostFixture.h"

namespace apphost {

namespace {

const CPoint kNowhere(-1, -1);
constexpr int kMostDocuments = 8;

std::string At(CPoint point)
{
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

std::vector<CMDIChildWnd*> Documents(CHostMainFrame& frame)
{
    std::vector<CMDIChildWnd*> documents;
    for (HWND child = ::GetWindow(frame.m_hWndMDIClient, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (auto* document = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(child)))
            documents.push_back(document);
    }
    return documents;
}

std::vector<CKGPTabWnd*> TabGroups(CHostMainFrame& frame)
{
    std::vector<CKGPTabWnd*> groups;
    const CObList& list = frame.GetClientArea().GetMDITabGroups();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        groups.push_back(static_cast<CKGPTabWnd*>(list.GetNext(pos)));
    return groups;
}

CPoint ShowAllItemPoint()
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

// The keys go to the window in front: a click on the status bar brings the
// frame there first, as a user's would.
void BringFrameToFront(CHostMainFrame& frame)
{
    if (::GetForegroundWindow() == frame.GetSafeHwnd())
        return;
    const CPoint status = ScreenRect(frame.m_wndStatusBar).CenterPoint();
    Perform([&](CGestures& user) { user.Click(status); });
}

} // namespace

CPoint CHostMonkey::OpenToItem(LPCTSTR lpszMenu, LPCTSTR lpszItem)
{
    CHostMainFrame& frame = Frame();
    const CPoint menu = AppHostTest::MenuItemPoint(frame.m_wndMenuBar, lpszMenu);
    if (menu == kNowhere || !IsShown(frame.m_wndMenuBar))
        return kNowhere;
    if (ShowsAt(frame.m_wndMenuBar.GetSafeHwnd(), menu)) {
        Perform([&](CGestures& user) {
            user.Pause(::GetDoubleClickTime());
            user.Click(menu);
        });
    } else {
        // A floating pane or toolbar over the menu bar's item: its menu is
        // opened by its key instead, as a user would rather than move the
        // pane (the first round must reach the commands behind the menus).
        const CString caption(lpszMenu);
        const int amp = caption.Find(_T('&'));
        if (amp < 0 || amp + 1 >= caption.GetLength())
            return kNowhere;
        KeysToFrame();
        const UINT mnemonic = static_cast<UINT>(_totupper(caption[amp + 1]));
        Perform([&](CGestures& user) { user.Chord(VK_MENU, mnemonic); });
    }
    if (!WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() != nullptr; }, 1000))
        return kNowhere;
    // A command used rarely waits behind the show-all item.
    if (!WaitUntil([&] { return AppHostTest::PopupItemPoint(lpszItem) != kNowhere; }, 500)) {
        const CPoint showAll = ShowAllItemPoint();
        if (showAll != kNowhere) {
            Perform([&](CGestures& user) { user.Click(showAll); });
            WaitUntil([&] { return AppHostTest::PopupItemPoint(lpszItem) != kNowhere; }, 1000);
        }
    }
    return ShownItemPoint(lpszItem);
}

CPoint CHostMonkey::ShownItemPoint(LPCTSTR lpszItem)
{
    // An item is laid out before its popup shows on the screen: clicked
    // then, the click fell to whatever stood under it (a floating toolbar's
    // combo box dropped its list).
    CPoint item = kNowhere;
    const bool shows = WaitUntil(
        [&] {
            item = AppHostTest::PopupItemPoint(lpszItem);
            CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
            return item != kNowhere && popup != nullptr && ShowsAt(popup->GetSafeHwnd(), item);
        },
        1000);
    return shows ? item : kNowhere;
}

bool CHostMonkey::ChooseFromMenu(LPCTSTR lpszMenu, LPCTSTR lpszItem)
{
    const CPoint item = OpenToItem(lpszMenu, lpszItem);
    if (item == kNowhere)
        return false;
    Perform([&](CGestures& user) { user.Click(item); });
    WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }, 1000);
    return true;
}

std::string CHostMonkey::NewDocument()
{
    CHostMainFrame& frame = Frame();
    const size_t before = Documents(frame).size();
    if (before >= kMostDocuments)
        return "(enough notes open)";
    std::string how;
    switch (Pick(3)) {
    case 0:
        BringFrameToFront(frame);
        Perform([](CGestures& user) { user.Chord(VK_CONTROL, 'N'); });
        how = "Ctrl+N";
        break;
    case 1:
        how = ChooseFromMenu(_T("&File"), _T("&New")) ? "File > New" : "(no File > New)";
        break;
    default: {
        const CPoint button = AppHostTest::ButtonPoint(frame.m_wndToolBar, ID_FILE_NEW);
        if (button == kNowhere || !ShowsAt(frame.m_wndToolBar.GetSafeHwnd(), button))
            return "(no New button shows)";
        Perform([&](CGestures& user) { user.Click(button); });
        how = "the New button " + At(button);
        break;
    }
    }
    WaitUntil([&] { return Documents(frame).size() > before; }, 1000);
    return how + ", " + std::to_string(Documents(frame).size()) + " notes";
}

std::string CHostMonkey::CloseDocument()
{
    CHostMainFrame& frame = Frame();
    const size_t before = Documents(frame).size();
    if (before == 0)
        return "(no note open)";
    std::string how;
    if (Pick(2) == 0) {
        how = ChooseFromMenu(_T("&File"), _T("&Close")) ? "File > Close" : "(no File > Close)";
    } else {
        BringFrameToFront(frame);
        Perform([](CGestures& user) { user.Chord(VK_CONTROL, VK_F4); });
        how = "Ctrl+F4";
    }
    WaitUntil([&] { return Documents(frame).size() < before; }, 1000);
    return how + ", " + std::to_string(Documents(frame).size()) + " notes";
}

std::string CHostMonkey::ShowDocumentsAs()
{
    static const LPCTSTR items[] = {_T("As T&abs"), _T("As Tab &Groups"), _T("As &Windows")};
    const int way = Pick(3);
    const bool chosen = ChooseFromMenu(_T("&Window"), items[way]);
    return std::string(CStringA(items[way]).GetString()) + (chosen ? "" : " (not in the menus)");
}

std::string CHostMonkey::MaximiseOrRestore()
{
    CHostMainFrame& frame = Frame();
    const std::vector<CMDIChildWnd*> documents = Documents(frame);
    if (documents.empty())
        return "(no note open)";
    // Notes shown as tabs have no window of their own to maximise: they are
    // shown as windows first.
    std::string first;
    if (frame.AreMDITabs() || frame.IsMDITabbedGroup()) {
        if (!ChooseFromMenu(_T("&Window"), _T("As &Windows")) || frame.AreMDITabs() || frame.IsMDITabbedGroup())
            return "(the notes show as tabs; no Window > As Windows)";
        PumpFor(100);
        first = "Window > As Windows, then ";
    }
    BOOL maximised = FALSE;
    frame.MDIGetActive(&maximised);
    if (maximised) {
        // The menu bar's restore button.
        CKGPMenuBar& bar = frame.m_wndMenuBar;
        for (int i = 0; i < bar.GetCount(); ++i) {
            auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(i));
            if (button == nullptr || button->GetSystemCommand() != SC_RESTORE)
                continue;
            CRect rect;
            bar.GetItemRect(i, rect);
            bar.ClientToScreen(rect);
            Perform([&](CGestures& user) { user.Click(rect.CenterPoint()); });
            return first + "restored by the menu bar's button " + At(rect.CenterPoint());
        }
        return first + "(no restore button)";
    }
    CMDIChildWnd& document = *documents[static_cast<size_t>(Pick(static_cast<int>(documents.size())))];
    const CRect rect = ScreenRect(document);
    const int frameEdge = ::GetSystemMetrics(SM_CYFRAME);
    const CPoint caption(rect.left + 40, rect.top + frameEdge + ::GetSystemMetrics(SM_CYCAPTION) / 2);
    if (!ShowsAt(document.GetSafeHwnd(), caption))
        return first + "(its caption is covered)";
    Perform([&](CGestures& user) {
        user.DoubleClick(caption);
    });
    return first + "maximised by a double click on its caption " + At(caption);
}

std::string CHostMonkey::DragDocumentTab()
{
    CHostMainFrame& frame = Frame();
    // Notes shown as windows have no tabs: they are shown as tabs or tab
    // groups first.
    std::string first;
    if (!frame.AreMDITabs() && !frame.IsMDITabbedGroup()) {
        const LPCTSTR way = Pick(2) == 0 ? _T("As T&abs") : _T("As Tab &Groups");
        if (!ChooseFromMenu(_T("&Window"), way))
            return "(the notes show as windows; no Window > " + std::string(CStringA(way).GetString()) + ")";
        PumpFor(100);
        first = "Window > " + std::string(CStringA(way).GetString()) + ", then ";
    }
    std::vector<CKGPTabWnd*> groups = TabGroups(frame);
    if (frame.AreMDITabs())
        groups = {&frame.GetClientArea().GetMDITabs()};
    if (groups.empty())
        return first + "(no tabs)";
    CKGPTabWnd& group = *groups[static_cast<size_t>(Pick(static_cast<int>(groups.size())))];
    if (group.GetSafeHwnd() == nullptr || group.GetTabsNum() == 0)
        return first + "(an empty group)";
    const int tab = Pick(group.GetTabsNum());
    CRect tabRect;
    if (!group.GetTabRect(tab, tabRect) || tabRect.IsRectEmpty())
        return first + "(the tab does not show)";
    group.ClientToScreen(tabRect);
    if (!ShowsAt(group.GetSafeHwnd(), tabRect.CenterPoint()))
        return first + "(the tab is under another window or beyond the screen)";
    const CRect whole = ScreenRect(group);
    CKGPTabWnd& other = *groups[static_cast<size_t>(Pick(static_cast<int>(groups.size())))];
    CRect strip;
    other.GetTabsRect(strip);
    other.ClientToScreen(strip);
    CPoint to;
    std::string where;
    switch (Pick(4)) {
    case 0:
        to = CPoint(whole.right - 12, whole.CenterPoint().y);
        where = "the group's right edge";
        break;
    case 1:
        to = CPoint(whole.CenterPoint().x, whole.bottom - 12);
        where = "the group's bottom edge";
        break;
    case 2:
        to = PointIn(strip, 3);
        where = "a group's tab strip";
        break;
    default:
        to = PointIn(whole, 20);
        where = "the middle of a group";
        break;
    }
    Perform([&](CGestures& user) {
        user.MoveTo(tabRect.CenterPoint());
        user.Pause(60);
        user.Press();
        user.DragTo(to, 12);
        user.Pause(100);
        user.Release();
    });
    return first + "tab " + std::to_string(tab) + " " + At(tabRect.CenterPoint()) + " to " + where + " " + At(to) + ", " +
           std::to_string(TabGroups(frame).size()) + " groups";
}

} // namespace apphost
