#include "guilib/docking/KGPGlobalUtils.h"

#include <afxcmn.h>
#include <afxdlgs.h>

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"

BOOL CKGPGlobalUtils::s_bMiniFrameLayout = FALSE;
BOOL CKGPGlobalUtils::s_bDockToAnySide = FALSE;

CKGPGlobalUtils::~CKGPGlobalUtils() = default;

CKGPGlobalUtils& CKGPGlobalUtils::Get()
{
    static CKGPGlobalUtils utils;
    return utils;
}

CKGPDockManager* CKGPGlobalUtils::GetFrameDockManager(CWnd* pWnd) const
{
    return pWnd != nullptr ? CKGPDockManager::FromSite(pWnd->GetSafeHwnd()) : nullptr;
}

CKGPDockManager* CKGPGlobalUtils::GetDockManager(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    // A frame that docks bars: the dock manager recorded for its window.
    if (CKGPDockManager* pManager = GetFrameDockManager(pWnd))
        return pManager;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))) {
        m_bDialogApp = TRUE;
        return nullptr;
    }
    // A floating frame: the manager it was given, else that of its owner frame.
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWnd))
        return pMiniFrame->GetDockManager();
    return nullptr;
}

BOOL CKGPGlobalUtils::CheckAlignment(CPoint point, CKGPBaseControlBar* pBar, int nSensitivity,
                                     CKGPDockManager* pDockManager, BOOL bOuterEdge, DWORD& dwAlignment,
                                     DWORD dwEnabledDockBars, LPCRECT lpRectBounds) const
{
    // While smart docking runs the marker under the cursor decides.
    CKGPDockManager* pManager = pDockManager;
    if (pManager == nullptr && pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
        pManager = const_cast<CKGPGlobalUtils*>(this)->GetDockManager(pBar->GetParent());
    const CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
    if (pSmart != nullptr && pSmart->IsStarted() && pSmart->IsActive()) {
        dwAlignment = KGPDock::AlignmentOfMarker(pSmart->GetHotMarker(), bOuterEdge);
        return dwAlignment != 0;
    }
    CRect rect;
    if (pBar != nullptr)
        pBar->GetWindowRect(rect);
    else if (lpRectBounds != nullptr)
        rect = *lpRectBounds;
    else
        return FALSE;
    const BOOL bPane = pBar != nullptr && pBar->IsPaneKind();
    const int caption = bPane ? pBar->GetCaptionHeight() : 0;
    const int tabArea = bPane ? pBar->GetTabAreaHeight() : 0;
    dwAlignment = KGPDock::EdgeNearPoint(point, rect, nSensitivity, bOuterEdge, dwEnabledDockBars, caption, tabArea);
    return dwAlignment != 0;
}

namespace {
thread_local CKGPGlobalUtils::CMonitorsKept* t_pMonitorsKept = nullptr;
} // namespace

CKGPGlobalUtils::CMonitorsKept::CMonitorsKept()
{
    if (t_pMonitorsKept == nullptr) {
        t_pMonitorsKept = this;
        m_bActive = TRUE;
    }
}

CKGPGlobalUtils::CMonitorsKept::~CMonitorsKept()
{
    if (m_bActive)
        t_pMonitorsKept = nullptr;
}

CRect CKGPGlobalUtils::WorkAreaAt(CPoint point, CRect* pMonitor)
{
    // Monitors do not overlap: a point on one asked about is nearest to it.
    if (t_pMonitorsKept != nullptr) {
        for (const CMonitorsKept::Monitor& known : t_pMonitorsKept->m_monitors) {
            if (known.rect.PtInRect(point)) {
                if (pMonitor != nullptr)
                    *pMonitor = known.rect;
                return known.work;
            }
        }
    }
    CRect work;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info)) {
        work = info.rcWork;
        if (pMonitor != nullptr)
            *pMonitor = info.rcMonitor;
        if (t_pMonitorsKept != nullptr)
            t_pMonitorsKept->m_monitors.push_back({CRect(info.rcMonitor), work});
        return work;
    }
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (pMonitor != nullptr)
        pMonitor->SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return work;
}

void CKGPGlobalUtils::AdjustRectToWorkArea(CRect& rect, LPCRECT lpMargins) const
{
    CPoint reference = rect.TopLeft();
    if (m_bUseCursorForMonitor)
        ::GetCursorPos(&reference);
    const CRect work = WorkAreaAt(reference);
    rect = KGPDock::KeepOnWorkArea(rect, work, lpMargins != nullptr ? CRect(*lpMargins) : CRect(0, 0, 0, 0));
}

void CKGPGlobalUtils::AdjustFrameLayout(CKGPDockManager* pDockManager) const
{
    if (pDockManager == nullptr)
        return;
    // The frame lays out its bars and then what they leave.
    if (IKGPDockSite* pSite = pDockManager->GetSite()) {
        pSite->AdjustDockingLayout();
        return;
    }
    pDockManager->AdjustDockingLayout();
}

void CKGPGlobalUtils::ForceAdjustLayout(CKGPDockManager* pDockManager, BOOL bForce) const
{
    if (pDockManager == nullptr || (!s_bMiniFrameLayout && !bForce))
        return;
    CWnd* pFrame = pDockManager->GetDockSite();
    if (pFrame == nullptr || !pFrame->IsWindowVisible())
        return;
    CRect rect;
    pFrame->GetWindowRect(rect);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    pFrame->SetRedraw(FALSE);
    pFrame->SetWindowPos(HWND{}, 0, 0, rect.Width() + 1, rect.Height() + 1, flags);
    pFrame->SetWindowPos(HWND{}, 0, 0, rect.Width(), rect.Height(), flags);
    pFrame->SetRedraw(TRUE);
    pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CKGPGlobalUtils::ReparentBars(const CObList& list, CWnd* pNewParent, BOOL bVisibleOnly) const
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, list.GetNext(pos));
        if (pBar == nullptr || (bVisibleOnly && !pBar->IsWindowVisible()))
            continue;
        // A slider only changes parent: its place follows its panes'.
        if (pBar->IsSliderKind()) {
            pBar->SetParent(pNewParent);
            continue;
        }
        pBar->ShowWindow(SW_HIDE);
        pBar->SetParent(pNewParent);
        CRect rect;
        pBar->GetWindowRect(rect);
        pBar->SetWindowPos(HWND{}, -rect.Width(), -rect.Height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
    }
}

HICON CKGPGlobalUtils::GetWndIcon(CWnd* pWnd) const
{
    if (pWnd == nullptr)
        return nullptr;
    if (auto icon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL, 0)))
        return icon;
    if (auto big = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_BIG, 0))) {
        if (HICON small = ShrinkIcon(pWnd->m_hWnd, big))
            return small;
    }
    if (auto small = reinterpret_cast<HICON>(::GetClassLongPtrW(pWnd->m_hWnd, GCLP_HICONSM)))
        return small;
    return reinterpret_cast<HICON>(::GetClassLongPtrW(pWnd->m_hWnd, GCLP_HICON));
}

HICON CKGPGlobalUtils::ShrinkIcon(HWND hWnd, HICON hBig) const
{
    ShrunkIcon& kept = m_shrunkIcons[hWnd];
    if (kept.hBig == hBig && kept.small)
        return kept.small.Get();
    kept.hBig = hBig;
    kept.small.Reset();
    CImageList list;
    if (list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1) && list.Add(hBig) == 0 && list.GetImageCount() == 1)
        kept.small.Reset(list.ExtractIcon(0));
    return kept.small.Get();
}

BOOL CKGPGlobalUtils::IsPaneKindWindow(CWnd* pWnd) const
{
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWnd))
        return pMiniFrame->GetHostedBarKindFlag();
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWnd);
    return pBar != nullptr && pBar->IsPaneKind();
}

BOOL CKGPGlobalUtils::CanBarFloatMulti(CWnd* pWnd) const
{
    CWnd* pBarWnd = pWnd;
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWnd))
        pBarWnd = pMiniFrame->GetControlBar();
    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBarWnd);
    if (pBar == nullptr)
        return FALSE;
    if (pBar->IsTabbed()) {
        CKGPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
        if (pMiniFrame != nullptr && pMiniFrame->IsMultiPaneFrame())
            return TRUE;
    }
    return (pBar->GetBarStyleWord() & KGPDock::kFloatMulti) != 0;
}

BOOL CKGPGlobalUtils::FindContainerDockTarget(const CKGPBarContainerManager* pManager, CPoint point,
                                              CKGPBaseControlBar*& pBar, DWORD& dwAlignment, BOOL& bFound,
                                              BOOL& bInContainer) const
{
    pBar = nullptr;
    dwAlignment = 0;
    bFound = FALSE;
    bInContainer = FALSE;
    if (pManager == nullptr)
        return FALSE;
    CKGPDockingControlBar* pPane = nullptr;
    if (pManager->PaneFromCaptionPoint(point, pPane)) {
        pBar = pPane;
        bFound = TRUE;
        return TRUE;
    }
    const int sensitivity = CKGPDockManager::s_nDockSensitivity;
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    pBar = pManager->PaneFromPoint(point, sensitivity, TRUE, bTabArea, bCaption);
    bInContainer = bTabArea || bCaption;
    if (!bInContainer && pBar != nullptr) {
        // Beside a pane only near one of its edges.
        if (!CheckAlignment(point, pBar, sensitivity, nullptr, FALSE, dwAlignment, CBRS_ALIGN_ANY))
            pBar = nullptr;
    }
    if (pBar == nullptr)
        pBar = pManager->PaneFromPoint(point, sensitivity, FALSE, bTabArea, bCaption);
    return TRUE;
}

void CKGPGlobalUtils::CalcExpectedDockedRect(const CKGPBarContainerManager* pManager, CWnd* pWndToDock,
                                             CPoint point, CRect& rectResult, BOOL& bDrawTab,
                                             CKGPBaseControlBar*& pTargetBar) const
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
    pTargetBar = nullptr;
    if (pManager == nullptr || pWndToDock == nullptr || ::GetKeyState(VK_CONTROL) < 0)
        return;
    DWORD dwAlignment = 0;
    BOOL bFound = FALSE;
    BOOL bInContainer = FALSE;
    FindContainerDockTarget(pManager, point, pTargetBar, dwAlignment, bFound, bInContainer);
    if (pTargetBar == nullptr)
        return;
    CWnd* pDraggedWnd = pWndToDock;
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWndToDock))
        pDraggedWnd = pMiniFrame->GetControlBar();
    auto* pDragged = DYNAMIC_DOWNCAST(CKGPControlBar, pDraggedWnd);
    if (pDragged == nullptr)
        return;
    const DWORD dragEnabled = pDragged->GetEnabledAlignment();
    if (pTargetBar->IsFloating() ? pTargetBar->GetEnabledAlignment() != dragEnabled
                                 : (pTargetBar->GetCurrentAlignment() & dragEnabled) == 0) {
        pTargetBar = nullptr;
        return;
    }
    if (bFound || bInContainer) {
        bDrawTab = pTargetBar->IsPaneKind() && IsPaneKindWindow(pWndToDock) &&
                   pTargetBar->GetEnabledAlignment() == dragEnabled;
        if (!bDrawTab)
            pTargetBar = nullptr;
        return;
    }
    if (pTargetBar->IsFloating() && !CanBarFloatMulti(pWndToDock))
        return;
    if (!pTargetBar->CanAcceptBar(pDragged))
        return;
    auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWndToDock);
    if (pMiniFrame != nullptr && pTargetBar->GetParentMiniFrame(TRUE) == pMiniFrame)
        return;
    if ((dragEnabled & dwAlignment) == 0 && !s_bDockToAnySide)
        return;
    CRect target, dragged, slider;
    pTargetBar->GetWindowRect(target);
    pWndToDock->GetWindowRect(dragged);
    CSize minimum;
    pDragged->GetMinSize(minimum);
    DWORD dwSliderStyle = 0;
    if (pManager->SplitRect(target, dragged, slider, dwSliderStyle, dwAlignment, minimum))
        rectResult = dragged;
}
