// A map with every window-message entry and no handler of its own: each entry
// must reach CWnd's default handler, which must behave like DefWindowProc.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

namespace {

class CEveryEntryWnd : public CWnd {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEveryEntryWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_DROPFILES()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCACTIVATE()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUCHAR()
    ON_WM_MENUSELECT()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_GETMINMAXINFO()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_SYSKEYDOWN()
    ON_WM_SYSKEYUP()
    ON_WM_SYSCHAR()
    ON_WM_GETDLGCODE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SHOWWINDOW()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZING()
    ON_WM_MOVING()
    ON_WM_CAPTURECHANGED()
    ON_WM_MOUSELEAVE()
    ON_WM_SYSCOMMAND()
    ON_WM_ENABLE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CANCELMODE()
    ON_WM_HELPINFO()
    ON_WM_ENTERIDLE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCRBUTTONUP()
    ON_WM_NCRBUTTONDBLCLK()
    ON_WM_NCMBUTTONDOWN()
    ON_WM_NCMBUTTONUP()
    ON_WM_NCMBUTTONDBLCLK()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_MOUSEHOVER()
    ON_WM_NCMOUSEHOVER()
    ON_WM_NCMOUSELEAVE()
    ON_WM_STYLECHANGED()
    ON_WM_STYLECHANGING()
    ON_WM_PRINTCLIENT()
    ON_WM_THEMECHANGED()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_WM_UNINITMENUPOPUP()
    ON_WM_SETTEXT()
    ON_WM_SETFONT()
    ON_WM_GETFONT()
    ON_WM_MDIACTIVATE()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

TEST(EveryEntryTest, DefaultHandlersBehaveLikeTheSystemProcedure)
{
    TestApp();
    CEveryEntryWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"every", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                             nullptr, nullptr));
    wnd.MoveWindow(20, 30, 320, 220);
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 320);
    POINT inside{rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
    EXPECT_EQ(wnd.SendMessage(WM_QUERYENDSESSION), TRUE);
    wnd.SetWindowText(L"renamed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, CString(L"renamed"));
    wnd.ModifyStyle(0, WS_CLIPCHILDREN);
    EXPECT_TRUE(wnd.GetStyle() & WS_CLIPCHILDREN);
    wnd.UpdateWindow();
    EXPECT_TRUE(wnd.EnableWindow(FALSE) == FALSE);
    EXPECT_FALSE(wnd.IsWindowEnabled());
    wnd.EnableWindow(TRUE);
    wnd.SendMessage(WM_CLOSE); // DefWindowProc destroys the window
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

} // namespace
