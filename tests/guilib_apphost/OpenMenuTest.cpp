// What the frame does while one of its menus is open: the pointer moving
// outside the menu leaves what lies under it alone (a toolbar does not light
// its buttons), but over the menu bar's items it still opens the next menu;
// a pane right-clicked meanwhile has the menu take its shadow anew.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"

#include <vector>

namespace {

// The sizes a window is given while the hook is set (one window at a time).
class CSizeWatch {
public:
    explicit CSizeWatch(HWND hWnd)
    {
        s_hWatched = hWnd;
        s_sizes.clear();
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CSizeWatch()
    {
        if (m_hook != nullptr)
            ::UnhookWindowsHookEx(m_hook);
        s_hWatched = nullptr;
    }
    CSizeWatch(const CSizeWatch&) = delete;
    CSizeWatch& operator=(const CSizeWatch&) = delete;
    static const std::vector<CSize>& Sizes() { return s_sizes; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && call->hwnd == s_hWatched && call->message == WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(call->lParam);
            if ((pos->flags & SWP_NOSIZE) == 0)
                s_sizes.push_back(CSize(pos->cx, pos->cy));
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hook = nullptr;
    static inline HWND s_hWatched = nullptr;
    static inline std::vector<CSize> s_sizes;
};

// The library popup menu open now, shown; null when none.
CKGPPopupMenu* OpenMenu()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    return popup != nullptr && popup->GetSafeHwnd() != nullptr && popup->IsWindowVisible() ? popup : nullptr;
}

} // namespace

TEST_F(AppHostTest, WhileAMenuIsOpenTheToolbarsDoNotFollowThePointerButTheMenuBarDoes)
{
    CHostMainFrame& frame = Frame();
    const CPoint help = MenuItemPoint(frame.m_wndMenuBar, _T("&Help"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(help); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&About")) != CPoint(-1, -1); }))
        << "the Help menu opened";

    // Over a toolbar button: it does not light up.
    const CPoint open = ButtonPoint(frame.m_wndToolBar, ID_FILE_OPEN);
    ASSERT_NE(CPoint(-1, -1), open);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DragTo(open, 6);
        user.Pause(60);
    }));
    apphost::PumpFor(60);
    EXPECT_EQ(-1, frame.m_wndToolBar.GetHotButton()) << "the toolbar stays as it was";
    EXPECT_NE(nullptr, OpenMenu()) << "the menu stays open";

    // Over the menu bar's File item: the File menu opens in the Help menu's place.
    const CPoint file = MenuItemPoint(frame.m_wndMenuBar, _T("&File"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DragTo(file, 6);
        user.Pause(60);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Close")) != CPoint(-1, -1); }))
        << "the File menu opened";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Key(VK_ESCAPE);
        user.Key(VK_ESCAPE);
    }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));

    // With no menu open the toolbar follows the pointer again.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DragTo(open, 4);
        user.Pause(60);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndToolBar.GetHotButton() >= 0; }));
}

TEST_F(AppHostTest, APaneRightClickedWhileAMenuIsOpenHasTheMenuTakeItsShadowAnew)
{
    CHostMainFrame& frame = Frame();
    const CPoint help = MenuItemPoint(frame.m_wndMenuBar, _T("&Help"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(help); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&About")) != CPoint(-1, -1); }));
    CKGPPopupMenu* menu = OpenMenu();
    ASSERT_NE(nullptr, menu);
    const int shadow = menu->GetShadowSize();
    ASSERT_GT(shadow, 0) << "the menu casts a shadow";
    const CSize withShadow = apphost::ScreenRect(*menu).Size();
    {
        // The click the pane is sent while the menu stays open (as over a
        // window the menu's own filter does not close it for).
        CSizeWatch watch(menu->GetSafeHwnd());
        frame.m_wndOutput.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
        frame.m_wndOutput.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
        apphost::PumpFor(30);
        const std::vector<CSize> sizes = CSizeWatch::Sizes();
        ASSERT_EQ(2u, sizes.size()) << "the menu shed its shadow and cast it again";
        EXPECT_EQ(withShadow - CSize(shadow, shadow), sizes[0]);
        EXPECT_EQ(withShadow, sizes[1]);
    }
    EXPECT_EQ(frame.m_wndOutput.GetSafeHwnd(), ::GetFocus()) << "the pane took the focus";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}
