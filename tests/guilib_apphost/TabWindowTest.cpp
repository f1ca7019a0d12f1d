// A tab window as the user meets it in a pane: resting the mouse on a tab
// whose label is cut shows its tip over every window, even one kept on top;
// in the flat style whose scroll bar the tabs' windows share, a list's
// column dragged to another place by its header leaves that scroll bar
// showing where the list is.
#include "tests/guilib_apphost/HostFixture.h"

#include <commctrl.h>

#include "guilib/tabs/KGPTabWnd.h"

#include <memory>
#include <vector>

namespace {

// A tab window over the whole client area of the Output pane, with the windows of its tabs.
class CPaneTabs {
public:
    CPaneTabs(CWnd& pane, int style)
    {
        CRect client;
        pane.GetClientRect(client);
        m_tabs.Create(style, client, &pane, 0x5A00);
    }
    ~CPaneTabs()
    {
        if (m_tabs.GetSafeHwnd() != nullptr)
            m_tabs.DestroyWindow(); // its tabs' windows go with it
    }
    CPaneTabs(const CPaneTabs&) = delete;
    CPaneTabs& operator=(const CPaneTabs&) = delete;

    CKGPTabWnd& Tabs() { return m_tabs; }
    // A window of the given class as the last tab.
    CWnd* Add(LPCTSTR lpszClass, DWORD dwStyle, LPCTSTR lpszLabel)
    {
        auto wnd = std::make_unique<CWnd>();
        if (!wnd->CreateEx(0, lpszClass, _T(""), WS_CHILD | dwStyle, CRect(0, 0, 10, 10), &m_tabs,
                           0x5A10 + static_cast<UINT>(m_windows.size())))
            return nullptr;
        m_tabs.AddTab(wnd.get(), lpszLabel, static_cast<UINT>(-1), FALSE); // the window itself, not wrapped
        m_windows.push_back(std::move(wnd));
        return m_windows.back().get();
    }

private:
    CKGPTabWnd m_tabs;
    std::vector<std::unique_ptr<CWnd>> m_windows;
};

// The visible tooltip windows of this thread.
std::vector<HWND> ShownTooltips()
{
    std::vector<HWND> shown;
    for (HWND hWnd : apphost::ShownTopLevels(TOOLTIPS_CLASSW))
        shown.push_back(hWnd);
    return shown;
}

} // namespace

TEST_F(AppHostTest, ACutTabsTipShowsOverAWindowKeptOnTop)
{
    CHostMainFrame& frame = Frame();
    CPaneTabs pane(frame.m_wndOutput, CKGPTabWnd::STYLE_3D);
    ASSERT_NE(nullptr, pane.Tabs().GetSafeHwnd());
    for (LPCTSTR label : {_T("Build output of the whole solution"), _T("Debug output of the running program"),
                          _T("Find results in every open file")})
        ASSERT_NE(nullptr, pane.Add(WC_STATIC, 0, label));
    pane.Tabs().SetActiveTab(0);
    CRect tab;
    ASSERT_TRUE(pane.Tabs().GetTabRect(1, tab));
    pane.Tabs().ClientToScreen(tab);

    // A window kept on top, over the tab (as a tool palette may be).
    CWnd palette;
    const CRect paletteRect(tab.left, tab.top - 40, tab.right, tab.top - 2);
    ASSERT_TRUE(palette.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("Palette"),
                                 WS_POPUP | WS_VISIBLE, paletteRect, &frame, 0));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab.CenterPoint() + CSize(0, 30));
        user.Pause(30);
        user.MoveTo(tab.CenterPoint());
    }));
    ASSERT_TRUE(apphost::WaitUntil([] { return !ShownTooltips().empty(); }, 4000)) << "the tip shows";
    const HWND tip = ShownTooltips().front();
    EXPECT_NE(0u, static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_EXSTYLE)) & WS_EX_TOPMOST) << "kept on top";
    EXPECT_TRUE(apphost::IsAbove(tip, palette.GetSafeHwnd())) << "over the window kept on top";
    wchar_t text[128] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszText = text;
    if (::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0) {
        EXPECT_STREQ(L"Debug output of the running program", text);
    }
    apphost::Screenshot(L"apphost_tab_tip.bmp");
    palette.DestroyWindow();
}

TEST_F(AppHostTest, AListsColumnDraggedByItsHeaderLeavesTheSharedScrollBarWhereTheListIs)
{
    CHostMainFrame& frame = Frame();
    // The pane wide enough for the tabs' scroll bar beside the tabs.
    frame.m_wndOutput.SetWindowPos(HWND{}, 0, 0, 520, 200, SWP_NOMOVE | SWP_NOZORDER);
    CPaneTabs pane(frame.m_wndOutput, CKGPTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL);
    ASSERT_NE(nullptr, pane.Tabs().GetSafeHwnd());
    CWnd* list = pane.Add(WC_LISTVIEW, WS_VISIBLE | LVS_REPORT, _T("Errors"));
    ASSERT_NE(nullptr, list);
    ListView_SetExtendedListViewStyle(list->GetSafeHwnd(), LVS_EX_HEADERDRAGDROP);
    for (int i = 0; i < 6; ++i) {
        wchar_t title[16];
        ::wsprintfW(title, L"Column %d", i);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 180;
        column.pszText = title;
        ::SendMessageW(list->GetSafeHwnd(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"unused variable");
    ::SendMessageW(list->GetSafeHwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    pane.Tabs().SetActiveTab(0);
    pane.Tabs().RecalcLayout();
    apphost::PumpFor(50);
    const HWND shared = ::FindWindowExW(pane.Tabs().GetSafeHwnd(), nullptr, L"ScrollBar", nullptr);
    ASSERT_NE(nullptr, shared) << "the tabs' shared scroll bar";

    // The list scrolled by itself, as a program does: the shared bar does not know.
    ::SendMessageW(list->GetSafeHwnd(), LVM_SCROLL, 200, 0);
    apphost::PumpFor(30);
    const int listPos = list->GetScrollPos(SB_HORZ);
    ASSERT_GT(listPos, 0);
    ASSERT_NE(listPos, ::GetScrollPos(shared, SB_CTL));

    // The user drags a column wholly in view by its header past the next.
    const HWND header = ListView_GetHeader(list->GetSafeHwnd());
    CRect rect;
    ASSERT_TRUE(Header_GetItemRect(header, Header_OrderToIndex(header, 2), &rect));
    ::MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const CPoint from(rect.left + 20, rect.CenterPoint().y);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Press();
        user.DragTo(from + CSize(rect.Width() + 60, 0), 10);
        user.Pause(30);
        user.Release();
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return ::GetScrollPos(shared, SB_CTL) == list->GetScrollPos(SB_HORZ); }))
        << "the shared bar shows where the list is";
}
