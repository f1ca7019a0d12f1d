#include "tests/guilib_apphost/HostFixture.h"

#include <commctrl.h>

#include "guilib/core/KGPRegistry.h"

#include <cstdlib>
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarButton.h"

namespace {

// The program's start before InitInstance (what its entry point does once).
void InitialiseOnce()
{
    static const bool done = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
        AfxOleInit();
        return true;
    }();
    static_cast<void>(done);
}

} // namespace

void AppHostTest::SetUp()
{
    InitialiseOnce();
    ForgetStoredState();
    ASSERT_TRUE(Start());
}

void AppHostTest::TearDown()
{
    if (IsRunning()) {
        EXPECT_TRUE(Close());
    }
    ForgetStoredState();
}

bool AppHostTest::Start()
{
    CHostApp& app = HostApp();
    if (!app.InitInstance())
        return false;
    CWnd* frame = app.m_pMainWnd;
    if (frame == nullptr)
        return false;
    const HWND hFrame = frame->GetSafeHwnd();
    if (!apphost::WaitUntil([hFrame] { return apphost::IsShown(hFrame); }))
        return false;
    // Keys go to the window in front: a busy machine may take a while to
    // bring the frame there, so it is asked again until it is.
    for (int attempt = 0; attempt < 5 && ::GetForegroundWindow() != hFrame; ++attempt) {
        ::SetForegroundWindow(hFrame);
        apphost::WaitUntil([hFrame] { return ::GetForegroundWindow() == hFrame; }, 1000);
    }
    return true;
}

bool AppHostTest::Close()
{
    CHostApp& app = HostApp();
    if (app.m_pMainWnd == nullptr)
        return true;
    const HWND frame = app.m_pMainWnd->GetSafeHwnd();
    ::PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool gone = apphost::WaitUntil([frame] { return !::IsWindow(frame); }, 5000);
    if (gone)
        app.ExitInstance();
    return gone;
}

bool AppHostTest::IsRunning()
{
    const CWnd* frame = HostApp().m_pMainWnd;
    return frame != nullptr && ::IsWindow(frame->GetSafeHwnd());
}

void AppHostTest::ForgetStoredState()
{
    CKGPRegistry registry(FALSE, FALSE);
    registry.DeleteKey(CString(L"Software\\") + kHostRegistryKey + L"\\" + kHostProfileName, TRUE);
}

CHostMainFrame& AppHostTest::Frame()
{
    return *HostApp().MainFrame();
}

bool AppHostTest::TearOffOverTheNotes(CHostMainFrame& frame, CKGPToolBar& bar)
{
    const CRect docked = apphost::ScreenRect(bar);
    const CPoint gripper(docked.left + 3, docked.CenterPoint().y);
    const CPoint notes = Middle(frame.m_hWndMDIClient);
    return apphost::Perform([&](apphost::CGestures& user) {
               user.Drag(gripper, CPoint(gripper.x + 80, notes.y - 60), 14);
           }) &&
           apphost::WaitUntil([&] { return bar.IsFloating() && apphost::IsShown(bar); });
}

CPoint AppHostTest::CaptionPoint(CKGPDockingControlBar& pane)
{
    CKGPMiniFrameWnd* floating = pane.GetParentMiniFrame(TRUE);
    const CRect rect = apphost::ScreenRect(floating != nullptr ? floating->GetSafeHwnd() : pane.GetSafeHwnd());
    auto onCaption = [&](int y) {
        const CPoint point(rect.left + 16, y);
        return (floating != nullptr ? floating->HitTest(point, TRUE) : pane.HitTest(point, TRUE)) == HTCAPTION;
    };
    int top = rect.top;
    while (top < rect.top + 40 && top < rect.bottom && !onCaption(top))
        ++top;
    int bottom = top;
    while (bottom < rect.bottom && onCaption(bottom))
        ++bottom;
    return bottom > top ? CPoint(rect.left + 16, (top + bottom) / 2) : CPoint(-1, -1);
}

CPoint AppHostTest::ButtonPoint(const CKGPToolBar& bar, UINT nCommand)
{
    const int index = bar.CommandToIndex(nCommand);
    if (index < 0)
        return CPoint(-1, -1);
    CRect rect;
    bar.GetItemRect(index, rect);
    bar.ClientToScreen(rect);
    return rect.CenterPoint();
}

namespace {

CPoint ItemPoint(const CKGPToolBar& bar, LPCTSTR lpszText)
{
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CKGPToolbarButton* button = bar.GetButton(i);
        const CString caption = button != nullptr ? button->m_strCaption.SpanExcluding(_T("\t")) : CString();
        if (button != nullptr && caption == lpszText) {
            CRect rect;
            bar.GetItemRect(i, rect);
            if (rect.IsRectEmpty())
                return CPoint(-1, -1); // not laid out yet: nowhere a user could click it
            bar.ClientToScreen(rect);
            return rect.CenterPoint();
        }
    }
    return CPoint(-1, -1);
}

} // namespace

CPoint AppHostTest::MenuItemPoint(const CKGPMenuBar& bar, LPCTSTR lpszText)
{
    return ItemPoint(bar, lpszText);
}

CPoint AppHostTest::PopupItemPoint(LPCTSTR lpszText)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    if (popup == nullptr || popup->GetSafeHwnd() == nullptr)
        return CPoint(-1, -1);
    return ItemPoint(*popup->GetMenuBar(), lpszText);
}

bool AppHostTest::ChooseFromViewBarsList(CHostMainFrame& frame, LPCTSTR lpszEntry)
{
    const CPoint nowhere(-1, -1);
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }) ||
        !apphost::WaitUntil([&] { return PopupItemPoint(_T("&Toolbars and Panes")) != nowhere; }))
        return false;
    const CPoint list = PopupItemPoint(_T("&Toolbars and Panes"));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(list); }))
        return false;
    if (!apphost::WaitUntil([&] { return PopupItemPoint(lpszEntry) != nowhere; }, 800)) {
        if (!apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_DOWN); }) ||
            !apphost::WaitUntil([&] { return PopupItemPoint(lpszEntry) != nowhere; }))
            return false;
    }
    const CPoint entry = PopupItemPoint(lpszEntry);
    return apphost::Perform([&](apphost::CGestures& user) { user.Click(entry); }) &&
           apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
}

namespace {

// The entry of the open buttons' menu that shows or hides the command.
CPoint ShowHideEntryPoint(UINT nCommand)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(i));
        if (entry == nullptr || entry->m_nCommand != nCommand ||
            entry->GetItemIndex() == CKGPCustomizeMenuButton::kResetEntry)
            continue;
        CRect rect;
        popup->GetMenuBar()->GetItemRect(i, rect);
        popup->GetMenuBar()->ClientToScreen(rect);
        return rect.CenterPoint();
    }
    return CPoint(-1, -1);
}

} // namespace

bool AppHostTest::HideFromCustomiseMenu(CKGPToolBar& bar, std::initializer_list<UINT> commands)
{
    CRect chevron;
    bar.GetItemRect(bar.ButtonToIndex(bar.GetCustomizeButton()), chevron);
    bar.ClientToScreen(chevron);
    const CString addRemove = CCustomizeButton::AddRemoveButtonsText();
    CString name;
    bar.GetWindowText(name);
    for (LPCTSTR item : {static_cast<LPCTSTR>(nullptr), addRemove.GetString(), name.GetString()}) {
        if (item != nullptr && !apphost::WaitUntil([&] { return PopupItemPoint(item) != CPoint(-1, -1); }))
            return false;
        const CPoint point = item == nullptr ? chevron.CenterPoint() : PopupItemPoint(item);
        if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(point); }))
            return false;
    }
    for (UINT command : commands) {
        if (!apphost::WaitUntil([&] { return ShowHideEntryPoint(command) != CPoint(-1, -1); }))
            return false;
        const CPoint point = ShowHideEntryPoint(command);
        const int index = bar.CommandToIndex(command);
        if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(point); }) ||
            !apphost::WaitUntil([&] { return !bar.GetButton(index)->m_bShown; }))
            return false;
    }
    return apphost::Perform([](apphost::CGestures& user) {
               for (int i = 0; i < 3; ++i)
                   user.Key(VK_ESCAPE);
           }) &&
           apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
}

int AppHostTest::ListedWindows()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    if (popup == nullptr || popup->GetSafeHwnd() == nullptr)
        return 0;
    const CKGPPopupMenuBar& items = *popup->GetMenuBar();
    int windows = 0;
    for (int i = 0; i < items.GetCount(); ++i) {
        const CKGPToolbarButton* item = items.GetButton(i);
        windows += item->m_nCommand >= AFX_IDM_FIRST_MDICHILD && !item->m_strCaption.IsEmpty() ? 1 : 0;
    }
    return windows;
}

CKGPToolbarCustomize* AppHostTest::OpenCustomizeSheetAside(CHostMainFrame& frame)
{
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }) ||
        !apphost::WaitUntil([] { return PopupItemPoint(_T("&Customize...")) != CPoint(-1, -1); }))
        return nullptr;
    const CPoint customize = PopupItemPoint(_T("&Customize..."));
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
        apphost::ScreenRect(frame).PtInRect(Middle(sheet->GetDlgItem(IDCANCEL)->GetSafeHwnd())))
        return nullptr;
    return sheet;
}

bool AppHostTest::CloseCustomizeSheet(CKGPToolbarCustomize* sheet)
{
    const CPoint close = Middle(sheet->GetDlgItem(IDCANCEL)->GetSafeHwnd());
    return apphost::Perform([&](apphost::CGestures& user) { user.Click(close); }) &&
           apphost::WaitUntil([] { return CKGPToolbarCustomize::GetOpenSheet() == nullptr; });
}

bool AppHostTest::ShowSheetPage(CKGPToolbarCustomize* sheet, CPropertyPage* page)
{
    const int index = sheet->GetPageIndex(page);
    if (index < 0)
        return false;
    CRect tab;
    CWnd* tabs = sheet->GetTabControl();
    tabs->SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    tabs->ClientToScreen(tab);
    return apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }) &&
           apphost::WaitUntil([sheet, page] { return sheet->GetActivePage() == page; });
}

::testing::AssertionResult AppHostTest::NearlyAt(const CRect& expected, const CRect& actual, int tolerance)
{
    const bool within = std::abs(expected.left - actual.left) <= tolerance &&
                        std::abs(expected.top - actual.top) <= tolerance &&
                        std::abs(expected.right - actual.right) <= tolerance &&
                        std::abs(expected.bottom - actual.bottom) <= tolerance;
    if (within)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ::testing::PrintToString(actual) << " is not within " << tolerance
                                         << " pixels of " << ::testing::PrintToString(expected);
}
