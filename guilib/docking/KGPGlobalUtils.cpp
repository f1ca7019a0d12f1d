#include "guilib/docking/KGPGlobalUtils.h"

#include <afxcmn.h>
#include <afxdlgs.h>

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPFrameLink.h"

BOOL CKGPGlobalUtils::s_bMiniFrameLayout = FALSE;

CKGPGlobalUtils::~CKGPGlobalUtils() = default;

CKGPGlobalUtils& CKGPGlobalUtils::Get()
{
    static CKGPGlobalUtils utils;
    return utils;
}

CKGPDockManager* CKGPGlobalUtils::GetFrameDockManager(CWnd* pWnd) const
{
    const IKGPFrameLink* pFrames = CKGPLink<IKGPFrameLink>::Get();
    return pWnd != nullptr && pFrames != nullptr ? pFrames->GetFrameDockManager(pWnd) : nullptr;
}

CKGPDockManager* CKGPGlobalUtils::GetDockManager(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    if (CKGPDockManager* pManager = GetFrameDockManager(pWnd))
        return pManager;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
        m_bDialogApp = TRUE;
    return nullptr;
}

BOOL CKGPGlobalUtils::CheckAlignment(CPoint point, CKGPBaseControlBar* pBar, int nSensitivity,
                                     CKGPDockManager*, BOOL bOuterEdge, DWORD& dwAlignment,
                                     DWORD dwEnabledDockBars, LPCRECT lpRectBounds) const
{
    CRect rect;
    if (pBar != nullptr)
        pBar->GetWindowRect(rect);
    else if (lpRectBounds != nullptr)
        rect = *lpRectBounds;
    else
        return FALSE;
    const int caption = pBar != nullptr && pBar->IsPaneKind() ? pBar->GetCaptionHeight() : 0;
    dwAlignment = KGPDock::EdgeNearPoint(point, rect, nSensitivity, bOuterEdge, dwEnabledDockBars, caption);
    return dwAlignment != 0;
}

void CKGPGlobalUtils::AdjustRectToWorkArea(CRect& rect, LPCRECT lpMargins) const
{
    CPoint reference = rect.TopLeft();
    if (m_bUseCursorForMonitor)
        ::GetCursorPos(&reference);
    CRect work;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromPoint(reference, MONITOR_DEFAULTTONEAREST), &info))
        work = info.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    rect = KGPDock::KeepOnWorkArea(rect, work, lpMargins != nullptr ? CRect(*lpMargins) : CRect(0, 0, 0, 0));
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
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWnd);
    return pBar != nullptr && pBar->IsPaneKind();
}
