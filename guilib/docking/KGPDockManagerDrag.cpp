// The dock manager while a bar or floating frame is dragged: what lies under
// the mouse and where the drag would dock. The decisions themselves are plain
// logic (KGPDockDecision); this file gathers the facts from the windows.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPGlobalUtils.h"

namespace {

template <class Accept>
CKGPBaseControlBar* FindBarAt(const CObList& bars, CPoint point, int nSensitivity, BOOL bExactBar,
                              BOOL bCheckVisibility, const CKGPBaseControlBar* pBarToIgnore, Accept accept)
{
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(bars.GetNext(pos));
        if (pBar == pBarToIgnore || pBar->GetSafeHwnd() == nullptr || !accept(pBar))
            continue;
        if (bCheckVisibility && !pBar->IsBarVisible())
            continue;
        CRect rect;
        pBar->GetWindowRect(rect);
        if (!bExactBar)
            rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point))
            return pBar;
    }
    return nullptr;
}

} // namespace

CKGPBaseControlBar* CKGPDockManager::BarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                  CRuntimeClass* pRTCBarType, BOOL bCheckVisibility,
                                                  const CKGPBaseControlBar* pBarToIgnore) const
{
    return FindBarAt(m_lstControlBars, point, nSensitivity, bExactBar, bCheckVisibility, pBarToIgnore,
                     [pRTCBarType](const CKGPBaseControlBar* pBar) {
                         return pRTCBarType == nullptr || pBar->IsKindOf(pRTCBarType);
                     });
}

CKGPBaseControlBar* CKGPDockManager::BarFromPointWithClass(CPoint point, int nSensitivity, DWORD& dwAlignment,
                                                           CRuntimeClass* pRTCBarType,
                                                           const CKGPBaseControlBar* pBarToIgnore) const
{
    CKGPBaseControlBar* pBar = BarFromPoint(point, nSensitivity, TRUE, pRTCBarType, FALSE, pBarToIgnore);
    if (pBar == nullptr)
        return nullptr;
    const BOOL bNear = CKGPGlobalUtils::Get().CheckAlignment(point, pBar, nSensitivity, nullptr, FALSE,
                                                             dwAlignment, CBRS_ALIGN_ANY);
    return bNear ? pBar : nullptr;
}

CWnd* CKGPDockManager::FindMiniFrameAtPoint(CPoint point, const CWnd* pFrameToIgnore, BOOL bMultiOnly) const
{
    const CRuntimeClass* pMultiClass = CKGPGlobalUtils::Get().m_pMultiMiniFrameClass;
    if (bMultiOnly && pMultiClass == nullptr)
        return nullptr;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CWnd*>(m_lstMiniFrames.GetNext(pos));
        if (pFrame == pFrameToIgnore || pFrame->GetSafeHwnd() == nullptr ||
            (pFrame->GetStyle() & WS_VISIBLE) == 0 || (bMultiOnly && !pFrame->IsKindOf(pMultiClass)))
            continue;
        CRect rect;
        pFrame->GetWindowRect(rect);
        if (rect.PtInRect(point))
            return pFrame;
    }
    return nullptr;
}

BOOL CKGPDockManager::IsPointNearDockBar(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
{
    dwAlignment = 0;
    bOuterEdge = FALSE;
    if (m_pParentWnd == nullptr || m_pParentWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const CKGPGlobalUtils& utils = CKGPGlobalUtils::Get();
    CRect outer = m_rectOuterEdge;
    m_pParentWnd->ClientToScreen(outer);
    if (utils.CheckAlignment(point, nullptr, s_nDockSensitivity, nullptr, TRUE, dwAlignment, m_dwEnabledAlignment,
                             outer)) {
        bOuterEdge = TRUE;
        return TRUE;
    }
    CRect inner = m_rectInnerEdge;
    m_pParentWnd->ClientToScreen(inner);
    return utils.CheckAlignment(point, nullptr, s_nDockSensitivity, nullptr, FALSE, dwAlignment,
                                m_dwEnabledAlignment, inner);
}

int CKGPDockManager::DetermineDockMethod(CPoint point, int nSensitivity, DWORD dwEnabledAlignment,
                                         CKGPBaseControlBar*& pTarget, const CKGPBaseControlBar* pBarToIgnore,
                                         const CKGPBaseControlBar* pDraggedBar) const
{
    KGPDock::DockPointFacts facts;
    pTarget = FindBarAt(m_lstControlBars, point, nSensitivity, TRUE, TRUE, pBarToIgnore,
                        [](const CKGPBaseControlBar* pBar) { return pBar->IsPaneKind(); });
    if (pTarget != nullptr) {
        facts.bPaneUnderPoint = TRUE;
        facts.bPaneFloating = pTarget->IsFloating();
        facts.paneStyle = pTarget->GetBarStyleWord();
        facts.draggedStyle = pDraggedBar != nullptr ? pDraggedBar->GetBarStyleWord() : 0;
        facts.paneAlignment = pTarget->GetCurrentAlignment();
        CRect window;
        pTarget->GetWindowRect(window);
        facts.paneHitTest = KGPDock::PaneDockAreaHit(window, pTarget->GetCaptionHeight(), CRect(), CRect(), point,
                                                     nSensitivity);
    }
    DWORD dwEdge = 0;
    BOOL bOuterEdge = FALSE;
    if (IsPointNearDockBar(point, dwEdge, bOuterEdge))
        facts.edgeNearPoint = dwEdge;

    const KGPDock::DockMethodChoice choice = KGPDock::DecideDockMethod(facts, dwEnabledAlignment);
    if (choice.target != KGPDock::DockTargetKind::Pane)
        pTarget = nullptr;
    return choice.method;
}

void CKGPDockManager::CalcExpectedDockedRect(CWnd* pWndToDock, CPoint point, CRect& rectResult, BOOL& bDrawTab,
                                             CKGPBaseControlBar*& pTargetBar)
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
    pTargetBar = nullptr;
    if (pWndToDock == nullptr || ::GetKeyState(VK_CONTROL) < 0)
        return;
    // Floating frames and panes with sliders offer their own feedback once they
    // exist; a bar dragged by itself docks at the frame's edges.
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWndToDock);
    DWORD dwAlignment = 0;
    BOOL bOuterEdge = FALSE;
    if (pBar == nullptr || !IsPointNearDockBar(point, dwAlignment, bOuterEdge) ||
        (pBar->GetEnabledAlignment() & dwAlignment) == 0)
        return;
    CRect window;
    pWndToDock->GetWindowRect(window);
    const BOOL bRTL = (m_pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    rectResult = KGPDock::EdgeFeedbackRect(bOuterEdge ? m_rectOuterEdge : m_rectInnerEdge, dwAlignment,
                                           window.Size(), bRTL);
    LimitDockedSize(rectResult, dwAlignment);
    m_pParentWnd->ClientToScreen(rectResult);
}
