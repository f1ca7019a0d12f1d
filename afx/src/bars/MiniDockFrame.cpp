// CMiniDockFrameWnd: the tool window a floating bar sits in. Its caption drags
// the bar (to dock it again), a double click docks it where it was, closing
// hides the bar.
#include <afxwin.h>
#include <afxext.h>

IMPLEMENT_DYNAMIC(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CMiniFrameWnd)
IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
constexpr DWORD kFloatingStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFloatingExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pDockSite, DWORD dwBarStyle)
{
    if (!CFrameWnd::Create(nullptr, nullptr, kFloatingStyle, CRect(0, 0, 0, 0), pDockSite, nullptr,
                           kFloatingExStyle))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow(); // deletes this object
        return FALSE;
    }
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_wndDockBar.m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndDockBar.MoveWindow(&client);
}

CControlBar* CMiniDockFrameWnd::GetFloatingBar() const
{
    return m_wndDockBar.m_arrBars.empty() ? nullptr : m_wndDockBar.m_arrBars.front().pBar;
}

void CMiniDockFrameWnd::OnClose()
{
    CControlBar* pBar = GetFloatingBar();
    if (pBar != nullptr && pBar->m_pDockSite != nullptr)
        pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    else
        ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        ActivateFrame();
        pBar->m_pDockContext->StartDrag(point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
