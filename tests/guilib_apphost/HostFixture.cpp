#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
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
