#include "guilib/frames/KGPFullScreenImpl.h"

#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/ribbon/KGPRibbonBar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarButton.h"

namespace {

constexpr UINT kFullScreenBarId = 0xE8FE;
constexpr DWORD kFullScreenBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;

} // namespace

CString CKGPFullScreenImpl::s_strCloseText = _T("Close Full Screen");

CKGPFullScreenImpl::~CKGPFullScreenImpl()
{
    DestroyFullScreenBar();
}

void CKGPFullScreenImpl::DestroyFullScreenBar()
{
    std::unique_ptr<CKGPToolBar> bar(m_pwndFullScreenBar);
    m_pwndFullScreenBar = nullptr;
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return;
    // The bar leaves the dock manager's list and its floating frame (which
    // then goes by its window), or its dock bar, before its window goes.
    if (m_pImpl->m_pDockManager != nullptr)
        m_pImpl->m_pDockManager->RemoveControlBar(bar.get(), FALSE);
    HWND hMiniFrame = nullptr;
    if (CKGPMiniFrameWnd* pMiniFrame = bar->GetParentMiniFrame(TRUE)) {
        hMiniFrame = pMiniFrame->GetSafeHwnd();
        pMiniFrame->RemoveControlBar(bar.get(), FALSE, FALSE);
    } else if (bar->GetParentDockBar() != nullptr) {
        bar->RemoveFromDockBar();
    }
    bar->DestroyWindow();
    if (hMiniFrame != nullptr && ::IsWindow(hMiniFrame))
        ::DestroyWindow(hMiniFrame);
}

BOOL CKGPFullScreenImpl::ShowFullScreen(CFrameWnd* pFrame)
{
    if (m_uiFullScreenID == 0xFFFFFFFF || m_bFullScreen || pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    CKGPDockManager* pManager = m_pImpl->m_pDockManager;
    if (pFrame->IsZoomed() || pFrame->IsIconic())
        pFrame->ShowWindow(SW_RESTORE);
    pFrame->GetWindowRect(m_rectFramePrev);
    // (An application state store keeps the docking state in its section;
    // none is registered in this program, so the bars are brought back below.)
    m_strRegSection = GetWorkspaceRegistrySection(_T("FullScreen"));

    // The bars step aside; the menu bar stays when asked.
    m_hiddenBars.clear();
    if (pManager != nullptr) {
        CObList bars;
        pManager->GetControlBarList(bars, TRUE, nullptr, FALSE);
        const CKGPLayoutLockScope lock;
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, bars.GetNext(pos));
            if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !pBar->IsBarVisible())
                continue;
            if (m_bShowMenu && pBar == static_cast<CKGPBaseControlBar*>(m_pImpl->GetMenuBar()))
                continue;
            pBar->ShowBar(FALSE, TRUE, FALSE);
            m_hiddenBars.push_back(pBar->GetSafeHwnd());
        }
    }

    // The client area covers the monitor.
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    CRect monitor(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (::GetMonitorInfoW(::MonitorFromWindow(pFrame->m_hWnd, MONITOR_DEFAULTTONEAREST), &info))
        monitor = info.rcMonitor;
    m_rectFullScreenWindow = monitor;
    ::AdjustWindowRectEx(&m_rectFullScreenWindow, static_cast<DWORD>(pFrame->GetStyle()),
                         ::GetMenu(pFrame->m_hWnd) != nullptr, static_cast<DWORD>(pFrame->GetExStyle()));
    m_bFullScreen = TRUE;
    pFrame->SetWindowPos(HWND{}, m_rectFullScreenWindow.left, m_rectFullScreenWindow.top,
                         m_rectFullScreenWindow.Width(), m_rectFullScreenWindow.Height(),
                         SWP_NOZORDER | SWP_FRAMECHANGED);

    // The toolbar that leaves full screen floats near the monitor's top right.
    auto bar = std::make_unique<CKGPToolBar>();
    if (bar->Create(pFrame, kFullScreenBarStyle, kFullScreenBarId)) {
        auto button = std::make_unique<CKGPToolbarButton>(m_uiFullScreenID, -1, s_strCloseText);
        button->m_bShowCaption = TRUE;
        button->m_bShowImage = FALSE;
        bar->InsertButton(std::move(button));
        bar->SetWindowText(s_strCloseText);
        bar->EnableDocking(0);
        bar->AdjustLayout();
        const CSize size = bar->CalcFixedLayout(FALSE, TRUE);
        if (pManager != nullptr)
            pManager->AddControlBar(bar.get());
        const CRect place(monitor.right - size.cx - 40, monitor.top + 40, monitor.right - 40, monitor.top + 40 + size.cy);
        m_pwndFullScreenBar = bar.release();
        m_pwndFullScreenBar->FloatBar(place, KGP_DM_UNKNOWN, true);
    }
    pFrame->RecalcLayout();
    return TRUE;
}

void CKGPFullScreenImpl::RestoreState(CFrameWnd* pFrame)
{
    // Nothing to leave: the frame keeps its place (an Escape while full
    // screen is off must not move it to a rectangle never recorded).
    if (m_uiFullScreenID == 0xFFFFFFFF || !m_bFullScreen || pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    DestroyFullScreenBar();
    m_bFullScreen = FALSE;

    pFrame->SetWindowPos(HWND{}, m_rectFramePrev.left, m_rectFramePrev.top, m_rectFramePrev.Width(),
                         m_rectFramePrev.Height(), SWP_NOZORDER);
    pFrame->SetRedraw(FALSE);
    for (HWND hBar : m_hiddenBars) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hBar)))
            pBar->ShowBar(TRUE, TRUE, FALSE);
    }
    m_hiddenBars.clear();
    if (CKGPAppStateStore* pStore = GetWorkspace())
        pStore->LoadFrameState(m_strRegSection, m_pImpl);
    pFrame->SetRedraw(TRUE);
    pFrame->RecalcLayout();
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    if (!m_bShowMenu) {
        if (auto* pMenuBar = static_cast<CKGPBaseControlBar*>(m_pImpl->GetMenuBar())) {
            pMenuBar->ShowBar(TRUE, FALSE, FALSE);
            if (pMenuBar->IsBarVisible())
                pFrame->SetFocus();
        }
    }
    if (auto* pMDIFrame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, pFrame);
        pMDIFrame != nullptr && pMDIFrame->IsMDITabbedGroup())
        pMDIFrame->AdjustClientArea();
    if (CKGPRibbonBar* pRibbon = m_pImpl->m_pRibbonBar;
        pRibbon != nullptr && pRibbon->IsWindowVisible() && pRibbon->IsReplaceFrameCaption())
        m_pImpl->OnChangeVisualManager();
}

void CKGPFullScreenImpl::OnGetMinMaxInfo(MINMAXINFO* pInfo) const
{
    if (!m_bFullScreen || pInfo == nullptr)
        return;
    pInfo->ptMaxSize.x = pInfo->ptMaxTrackSize.x = m_rectFullScreenWindow.Width();
    pInfo->ptMaxSize.y = pInfo->ptMaxTrackSize.y = m_rectFullScreenWindow.Height();
}
