// Frame layout: bars around the client area, the pane in the rest; docking.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout == nullptr || hWnd == nullptr)
        return;
    // Rectangles are in the parent's client coordinates.
    CRect old;
    ::GetWindowRect(hWnd, &old);
    HWND parent = ::GetParent(hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&old), 2);
    if (old == *lpRect)
        return;
    const int width = lpRect->right - lpRect->left;
    const int height = lpRect->bottom - lpRect->top;
    if (lpLayout->hDWP != nullptr) {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top, width, height,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
    }
}

void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                       LPCRECT lpRectClient, BOOL bStretch)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return;
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(pParent->m_hWnd, &layout.rect);
    if (nFlag != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    // Z order is creation order: the first bar created takes the outermost strip.
    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(pParent->m_hWnd); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver && nIDLeftOver != 0)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast && CWnd::FromHandlePermanent(child) != nullptr)
            ::SendMessageW(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlag == reposQuery) {
        if (lpRectParam != nullptr)
            *lpRectParam = bStretch ? layout.rect : CRect(0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }
    if (leftOver != nullptr) {
        CRect rest = layout.rect;
        if (nFlag == reposExtra && lpRectParam != nullptr) {
            rest.left += lpRectParam->left;
            rest.top += lpRectParam->top;
            rest.right -= lpRectParam->right;
            rest.bottom -= lpRectParam->bottom;
        }
        if (rest.right < rest.left)
            rest.right = rest.left;
        if (rest.bottom < rest.top)
            rest.bottom = rest.top;
        AfxRepositionWindow(&layout, leftOver, &rest);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    if (bNotify && m_pNotifyHook != nullptr)
        m_pNotifyHook->OnRecalcLayout();
    m_bInRecalcLayout = FALSE;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet:
        if (lpRectBorder == nullptr)
            return FALSE;
        // The client area less the frame's own bars.
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    case borderRequest:
        return TRUE;
    case borderSet: {
        const CRect border = lpRectBorder != nullptr ? CRect(lpRectBorder) : CRect();
        if (border == m_rectBorder)
            return FALSE;
        m_rectBorder = border;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// ---- Control bars

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar != nullptr && std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CControlBar* bar : m_listControlBars)
        if (bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    return nullptr;
}

CDockBar* CFrameWnd::GetDockBar(UINT nDockBarID) const
{
    for (CControlBar* bar : m_listControlBars)
        if (bar->IsDockBar() && bar->m_hWnd != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == nDockBarID)
            return static_cast<CDockBar*>(bar);
    return nullptr;
}

namespace {

struct DockSide {
    DWORD align;
    UINT id;
};

// The order dock bars are made in, which is their layout order.
constexpr DockSide kDockSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

} // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : kDockSides) {
        if ((dwDockStyle & side.align) == 0 || GetDockBar(side.id) != nullptr)
            continue;
        auto* dockBar = new CDockBar;
        dockBar->m_bAutoDelete = TRUE;
        if (!dockBar->Create(this, WS_CHILD | WS_VISIBLE | side.align, side.id))
            delete dockBar;  // no window was made: nobody else frees it
    }
}

namespace {

// The floating frame a bar sits in, or null when it is docked.
CMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar)
{
    if (!pBar->IsFloating())
        return nullptr;
    return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pBar->m_pDockBar->GetParentFrame());
}

} // namespace

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CDockBar* dockBar = nullptr;
    if (nDockBarID != 0) {
        dockBar = GetDockBar(nDockBarID);
    } else {
        // The first side (in layout order) both the bar and the frame allow.
        for (const DockSide& side : kDockSides)
            if ((pBar->m_dwDockStyle & side.align) && (dockBar = GetDockBar(side.id)) != nullptr)
                break;
    }
    if (dockBar == nullptr)
        return;
    if (pBar->m_hWndOwner == nullptr)
        pBar->SetOwner(this);
    pBar->m_pDockSite = this;
    AddControlBar(pBar);
    CMiniDockFrameWnd* pFloatingFrame = FloatingFrameOf(pBar);
    if (pFloatingFrame != nullptr && pBar->m_pDockContext != nullptr) {
        CRect floating;
        pFloatingFrame->GetWindowRect(&floating);
        pBar->m_pDockContext->m_ptMRUFloatPos = floating.TopLeft();
    }
    dockBar->DockControlBar(pBar, lpRect);
    if (pFloatingFrame != nullptr)
        pFloatingFrame->DestroyWindow(); // empty now; deletes itself
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint ptScreen, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (CMiniDockFrameWnd* pFloatingFrame = FloatingFrameOf(pBar)) {
        pFloatingFrame->SetWindowPos(static_cast<HWND>(nullptr), ptScreen.x, ptScreen.y, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CRect barRect;
    pBar->GetWindowRect(&barRect);
    if (pBar->m_pDockBar != nullptr && pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(pBar->m_pDockBar->GetDlgCtrlID());
        pBar->m_pDockContext->m_rectMRUDockPos = barRect;
    }
    auto* pFloatingFrame = new CMiniDockFrameWnd; // deletes itself with its window
    if (!pFloatingFrame->Create(this, dwStyle))
        return;
    if (pBar->m_hWndOwner == nullptr)
        pBar->SetOwner(this);
    pBar->m_pDockSite = this;
    AddControlBar(pBar);
    pFloatingFrame->m_wndDockBar.DockControlBar(pBar);
    // Floats at the size it asks for lying horizontally, no larger than it was docked.
    const CSize asked = (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH)
                                                               : pBar->CalcFixedLayout(FALSE, TRUE);
    const CSize size(std::max(std::min<int>(asked.cx, barRect.Width()), 40),
                     std::max(std::min<int>(asked.cy, barRect.Height()), 40));
    CRect frameRect(ptScreen, size);
    ::AdjustWindowRectEx(&frameRect, static_cast<DWORD>(pFloatingFrame->GetStyle()), FALSE,
                         static_cast<DWORD>(pFloatingFrame->GetExStyle()));
    frameRect.OffsetRect(ptScreen - frameRect.TopLeft());
    pFloatingFrame->SetWindowPos(static_cast<HWND>(nullptr), frameRect.left, frameRect.top, frameRect.Width(), frameRect.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    pFloatingFrame->RecalcLayout();
    if (pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_ptMRUFloatPos = ptScreen;
    if (pBar->GetStyle() & WS_VISIBLE)
        pFloatingFrame->ShowWindow(SW_SHOWNA);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (CMiniDockFrameWnd* pFloatingFrame = FloatingFrameOf(pBar))
        pFloatingFrame->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    else if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->LayoutBars();
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar = GetControlBar(nID);
    if (bar == nullptr)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (bar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}
