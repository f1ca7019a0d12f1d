// Tooltips of a window: the tool under the mouse is registered with the thread's
// tooltip control and its text comes from the window's TTN_NEEDTEXT handlers.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CTippedWnd : public CWnd {
protected:
    afx_msg BOOL OnNeedTextW(UINT, NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        if (::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)) != 901) {
            return FALSE;
        }
        pInfo->lpszText = const_cast<LPWSTR>(L"wide tip");
        *pResult = 0;
        return TRUE;
    }
    afx_msg BOOL OnNeedTextA(UINT, NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        std::strcpy(pInfo->szText, "narrow tip");
        *pResult = 0;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTippedWnd, CWnd)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CTippedWnd::OnNeedTextW)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CTippedWnd::OnNeedTextA)
END_MESSAGE_MAP()

// Feeds a mouse move over a child to the window's pre-translation.
void HoverOver(CWnd& wnd, HWND hChild)
{
    RECT rc;
    ::GetClientRect(hChild, &rc);
    POINT client{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    POINT screen = client;
    ::ClientToScreen(hChild, &screen);
    MSG msg{hChild, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y), ::GetTickCount(), screen};
    wnd.PreTranslateMessage(&msg);
}

std::wstring ToolText(HWND hWndTip, HWND hOwner, HWND hTool)
{
    wchar_t text[80] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hOwner;
    ti.uId = reinterpret_cast<UINT_PTR>(hTool);
    ti.lpszText = text;
    ::SendMessageW(hWndTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return text;
}

TEST(ToolTipTest, ToolUnderTheMouseGetsItsTextFromTheWideOrTheNarrowHandler)
{
    TestApp();
    CTippedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                             nullptr));
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Create(L"BUTTON", L"1", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 40), &wnd, 901));
    ASSERT_TRUE(second.Create(L"BUTTON", L"2", WS_CHILD | WS_VISIBLE, CRect(100, 10, 180, 40), &wnd, 902));
    ASSERT_TRUE(wnd.EnableToolTips(TRUE));
    HWND hWndTip = AfxGetThreadToolTipWindow();
    ASSERT_NE(hWndTip, nullptr);

    HoverOver(wnd, first.m_hWnd);
    EXPECT_EQ(::SendMessageW(hWndTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolText(hWndTip, wnd.m_hWnd, first.m_hWnd), L"wide tip");

    HoverOver(wnd, second.m_hWnd);
    EXPECT_EQ(::SendMessageW(hWndTip, TTM_GETTOOLCOUNT, 0, 0), 1) << "the previous tool was removed";
    EXPECT_EQ(ToolText(hWndTip, wnd.m_hWnd, second.m_hWnd), L"narrow tip");

    wnd.EnableToolTips(FALSE);
    EXPECT_EQ(::SendMessageW(hWndTip, TTM_GETTOOLCOUNT, 0, 0), 0);
    wnd.DestroyWindow();
}

} // namespace
