// Window-message entries crack their parameters into MFC's handler signatures,
// and the idle pass sends WM_IDLEUPDATECMDUI to the main window, every frame of
// the thread and their descendants.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CCrackingWnd : public CWnd {
public:
    std::vector<std::wstring> m_log;
    int m_idleUpdates = 0;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back(L"size " + std::to_wstring(nType) + L" " + std::to_wstring(cx) + L"x" + std::to_wstring(cy));
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        m_log.push_back(L"move " + std::to_wstring(nFlags) + L" " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        m_log.push_back(L"wheel " + std::to_wstring(nFlags) + L" " + std::to_wstring(zDelta) + L" " + std::to_wstring(pt.x));
        return TRUE;
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_log.push_back(pDC != nullptr && pDC->GetSafeHdc() != nullptr ? L"erase dc" : L"erase null");
        return TRUE;
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        m_log.push_back(L"hscroll " + std::to_wstring(nSBCode) + L" " + std::to_wstring(nPos) +
                        (pScrollBar == nullptr ? L" window" : L" control"));
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_log.push_back(L"key " + std::to_wstring(nChar) + L" " + std::to_wstring(nRepCnt) + L" " + std::to_wstring(nFlags));
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { m_log.push_back(L"timer " + std::to_wstring(nIDEvent)); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos)
    {
        m_log.push_back(std::wstring(L"context ") + (pWnd == this ? L"self " : L"other ") + std::to_wstring(pos.y));
    }
    afx_msg LRESULT OnNcHitTest(CPoint) { return HTCAPTION; }
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point)
    {
        m_log.push_back(L"ncrdown " + std::to_wstring(nHitTest) + L" " + std::to_wstring(point.y));
    }
    afx_msg void OnMouseHover(UINT, CPoint point) { m_log.push_back(L"hover " + std::to_wstring(point.x)); }
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyle)
    {
        m_log.push_back(L"style " + std::to_wstring(nStyleType) + L" " + std::to_wstring(lpStyle->styleNew));
    }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { lpMMI->ptMinTrackSize.x = 123; }
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_idleUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCrackingWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_WM_NCHITTEST()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_MOUSEHOVER()
    ON_WM_STYLECHANGED()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CCrackingWnd::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

TEST(WindowMessageTest, EntriesCrackParametersIntoTypedHandlers)
{
    TestApp();
    CCrackingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"crack", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    wnd.m_log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
    wnd.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 7));
    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-120)), MAKELPARAM(33, 44));
    HDC hdc = ::GetDC(wnd.m_hWnd);
    EXPECT_EQ(wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc)), TRUE);
    ::ReleaseDC(wnd.m_hWnd, hdc);
    wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 250), 0);
    wnd.SendMessage(WM_KEYDOWN, VK_F5, 0x003F0003);
    wnd.SendMessage(WM_TIMER, 17);
    wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(10, 20));
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(1, 1)), HTCAPTION);
    wnd.SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(5, static_cast<WORD>(-6)));
    wnd.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(9, 1));
    STYLESTRUCT style{0, 7};
    wnd.SendMessage(WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), reinterpret_cast<LPARAM>(&style));
    MINMAXINFO mmi{};
    wnd.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 123);

    std::vector<std::wstring> expected = {
        L"size 2 640x480",  L"move 1 -5,7",         L"wheel 4 -120 33", L"erase dc",
        L"hscroll 5 250 window", L"key 116 3 63", L"timer 17",        L"context self 20",
        L"ncrdown 2 -6", L"hover 9", L"style -20 7"};
    EXPECT_EQ(wnd.m_log, expected);
    wnd.DestroyWindow();
}

TEST(WindowMessageTest, IdlePassUpdatesTheVisibleMainWindowAndItsDescendants)
{
    CWinApp& app = TestApp();
    CCrackingWnd main;
    ASSERT_TRUE(main.CreateEx(0, TestWindowClass(), L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                              nullptr));
    CCrackingWnd child;
    ASSERT_TRUE(child.Create(TestWindowClass(), L"child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &main, 1));
    CCrackingWnd grandChild;
    ASSERT_TRUE(grandChild.Create(TestWindowClass(), L"grand", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &child, 2));
    app.m_pMainWnd = &main;
    EXPECT_EQ(main.GetDescendantWindow(2), &grandChild) << "found below the direct children";
    EXPECT_EQ(main.GetDescendantWindow(1, TRUE), &child);
    EXPECT_EQ(main.GetDescendantWindow(3), nullptr);
    EXPECT_EQ(grandChild.GetTopLevelParent(), &main);

    // An owned frame of the thread (a floating bar's) is updated too.
    auto* pFloating = new CFrameWnd; // deletes itself
    ASSERT_TRUE(pFloating->Create(nullptr, L"floating", WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 80), &main));
    CCrackingWnd onFloating;
    ASSERT_TRUE(onFloating.Create(TestWindowClass(), L"bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFloating, 3));

    EXPECT_TRUE(app.OnIdle(0)) << "more idle work follows";
    EXPECT_EQ(main.m_idleUpdates, 1);
    EXPECT_EQ(child.m_idleUpdates, 1);
    EXPECT_EQ(grandChild.m_idleUpdates, 1);
    EXPECT_EQ(onFloating.m_idleUpdates, 1);
    pFloating->DestroyWindow();
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_EQ(main.m_idleUpdates, 1) << "the second pass only cleans up";

    main.ShowWindow(SW_HIDE);
    app.OnIdle(0);
    EXPECT_EQ(main.m_idleUpdates, 1) << "a hidden main window is not updated";
    app.m_pMainWnd = nullptr;
    main.DestroyWindow();
}

} // namespace
