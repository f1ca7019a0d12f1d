// The dock manager while a bar or floating frame is dragged: what lies under
// the mouse and where the drag would dock. The decisions themselves are plain
// logic (KGPDockDecision); this file gathers the facts from the windows.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"

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
    // Over an outer smart-docking marker the frame edge docks, not a bar.
    if (m_pSDManager != nullptr) {
        const int marker = m_pSDManager->GetHotMarker();
        if (marker >= 0 && marker <= 3)
            return nullptr;
    }
    auto accept = [pRTCBarType](const CKGPBaseControlBar* pBar) {
        return pRTCBarType == nullptr || pBar->IsKindOf(pRTCBarType);
    };
    // A floating frame under the point answers first with its own bar there.
    const CWnd* pIgnoredFrame = pBarToIgnore != nullptr ? pBarToIgnore->GetParentMiniFrame(TRUE) : nullptr;
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, FindMiniFrameAtPoint(point, pIgnoredFrame, FALSE))) {
        CKGPBaseControlBar* pBar = pMiniFrame->ControlBarFromPoint(point, nSensitivity, bCheckVisibility);
        if (pBar != nullptr && pBar != pBarToIgnore && accept(pBar))
            return pBar;
    }
    return FindBarAt(m_lstControlBars, point, nSensitivity, bExactBar, bCheckVisibility, pBarToIgnore, accept);
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
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CWnd*>(m_lstMiniFrames.GetNext(pos));
        if (pFrame == pFrameToIgnore || pFrame->GetSafeHwnd() == nullptr || (pFrame->GetStyle() & WS_VISIBLE) == 0)
            continue;
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pFrame);
        if (bMultiOnly && (pMiniFrame == nullptr || !pMiniFrame->IsMultiPaneFrame()))
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
    // This manager's smart-docking markers, while they run, decide instead of
    // the edges' geometry (a side marker stands over the panes of a busy edge).
    auto* pSelf = const_cast<CKGPDockManager*>(this);
    CRect outer = m_rectOuterEdge;
    m_pParentWnd->ClientToScreen(outer);
    if (utils.CheckAlignment(point, nullptr, s_nDockSensitivity, pSelf, TRUE, dwAlignment, m_dwEnabledAlignment,
                             outer)) {
        bOuterEdge = TRUE;
        return TRUE;
    }
    CRect inner = m_rectInnerEdge;
    m_pParentWnd->ClientToScreen(inner);
    return utils.CheckAlignment(point, nullptr, s_nDockSensitivity, pSelf, FALSE, dwAlignment,
                                m_dwEnabledAlignment, inner);
}

int CKGPDockManager::DetermineDockMethod(CPoint point, int nSensitivity, DWORD dwEnabledAlignment,
                                         CKGPBaseControlBar*& pTarget, const CKGPBaseControlBar* pBarToIgnore,
                                         const CKGPBaseControlBar* pDraggedBar) const
{
    KGPDock::DockPointFacts facts;
    // A visible docking pane under the point, docked or in a floating frame.
    pTarget = BarFromPoint(point, nSensitivity, TRUE, RUNTIME_CLASS(CKGPDockingControlBar), TRUE, pBarToIgnore);
    if (pTarget != nullptr) {
        facts.bPaneUnderPoint = TRUE;
        facts.bPaneFloating = pTarget->IsFloating();
        facts.paneStyle = pTarget->GetBarStyleWord();
        facts.draggedStyle = pDraggedBar != nullptr ? pDraggedBar->GetBarStyleWord() : 0;
        facts.paneAlignment = pTarget->GetCurrentAlignment();
        // The pane's own test: its caption, its tab strip and the smart-docking
        // centre marker take the bar as a tab.
        facts.paneHitTest = static_cast<const CKGPDockingControlBar*>(pTarget)->HitTestDockArea(point, nSensitivity);
    }
    if (pTarget == nullptr) {
        // A multi-pane floating frame showing one pane takes the bar as a tab
        // when its caption is under the point.
        const CWnd* pOwnFrame = pDraggedBar != nullptr ? pDraggedBar->GetParentMiniFrame(TRUE) : nullptr;
        auto* pMulti = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, FindMiniFrameAtPoint(point, pOwnFrame, TRUE));
        if (pMulti != nullptr && pMulti->HitTest(point, TRUE) == HTCAPTION) {
            facts.bMultiFrameCaption = TRUE;
            facts.multiFrameVisibleBars = pMulti->GetVisibleBarCount();
            pTarget = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMulti->GetFirstVisibleBar());
        }
    }
    DWORD dwEdge = 0;
    BOOL bOuterEdge = FALSE;
    if (IsPointNearDockBar(point, dwEdge, bOuterEdge))
        facts.edgeNearPoint = dwEdge;

    const KGPDock::DockMethodChoice choice = KGPDock::DecideDockMethod(facts, dwEnabledAlignment);
    if (choice.target == KGPDock::DockTargetKind::None)
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
    // A multi-pane floating frame under the point shows where in it the window would go.
    if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, FindMiniFrameAtPoint(point, pWndToDock, TRUE))) {
        pMulti->HitTestDockArea(point, pWndToDock, rectResult, bDrawTab);
        if (!rectResult.IsRectEmpty())
            return;
    }
    // A docking pane under the point computes the place in its slider's tree.
    auto* pDragged = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWndToDock);
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWndToDock))
        pDragged = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar());
    const BOOL bSmart = m_pSDManager != nullptr && m_pSDManager->IsStarted();
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar,
                                   BarFromPoint(point, s_nDockSensitivity, TRUE, RUNTIME_CLASS(CKGPDockingControlBar),
                                                TRUE, bSmart ? pDragged : nullptr));
    auto* pSlider = pPane != nullptr ? pPane->GetDefaultPaneSlider() : nullptr;
    if (pSlider != nullptr && pSlider->GetContainerManager() != nullptr && pPane != pDragged) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWndToDock);
        if (pMiniFrame == nullptr || pMiniFrame->CanBeAttachedTo(pPane)) {
            CKGPGlobalUtils::Get().CalcExpectedDockedRect(pSlider->GetContainerManager(), pWndToDock, point,
                                                          rectResult, bDrawTab, pTargetBar);
            return;
        }
    }
    // A bar, or a floating frame's bar, docks at the frame's edges.
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pWndToDock);
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWndToDock))
        pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar());
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

BOOL CKGPDockManager::OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame)
{
    if (pMiniFrame == nullptr || pMiniFrame->GetSafeHwnd() == nullptr)
        return TRUE;
    if (::GetKeyState(VK_CONTROL) < 0)
        return TRUE; // Ctrl: only floats
    // The frame keeps a caption height on the work area.
    CRect window;
    pMiniFrame->GetWindowRect(window);
    CRect kept = window;
    const int caption = pMiniFrame->GetCaptionHeight();
    const CRect margins(caption, caption, caption, caption);
    CKGPGlobalUtils::Get().AdjustRectToWorkArea(kept, margins);
    if (kept.TopLeft() != window.TopLeft())
        pMiniFrame->SetWindowPos(HWND{}, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CPoint cursor;
    ::GetCursorPos(&cursor);
    const BOOL bSmart = m_pSDManager != nullptr && m_pSDManager->IsStarted();
    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, pMiniFrame->GetControlBar());
    // Joining a multi-pane frame under the cursor, after resting over it.
    const BOOL bMayJoin = pBar == nullptr || (!bSmart && (pBar->GetBarStyleWord() & KGPDock::kFloatMulti) != 0 &&
                                              pBar->IsPaneKind());
    if (bMayJoin) {
        auto* pCandidate = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, FindMiniFrameAtPoint(cursor, pMiniFrame, TRUE));
        if (pCandidate != nullptr && pCandidate->GetParentFrameWnd() == pMiniFrame->GetParentFrameWnd()) {
            // After resting over it long enough, the frame under the cursor
            // takes this frame's panes.
            if (m_dockDelay.WaitToJoin(pCandidate)) {
                if (pMiniFrame->GetDockingTimer() == 0)
                    pMiniFrame->SetDockingTimer(static_cast<UINT>(KGPDock::kDockDelayOverPaneMs + 10));
                return TRUE;
            }
            pMiniFrame->KillDockingTimer();
            auto* pJoined = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pCandidate);
            auto* pDragged = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pMiniFrame);
            if (pJoined == nullptr || pDragged == nullptr)
                return TRUE;
            return pJoined->DockFrame(pDragged, KGP_DM_MOUSE) != 0;
        }
    }
    m_dockDelay.ClearJoin();
    if (pBar == nullptr || (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
        return TRUE;

    CKGPBaseControlBar* pTarget = nullptr;
    int method = pBar->GetDockMethodAtCursor(s_nDockSensitivity, pTarget);
    if (pTarget == pBar)
        method = KGPDock::kDockNone;
    if (method == KGPDock::kDockNone)
        pTarget = nullptr;
    const BOOL bOverDockBar = pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CKGPDockBar));
    const KGPDock::CKGPDockDelay::Step step =
        m_dockDelay.OnMove(pTarget, method, bOverDockBar, bSmart);
    if (!step.bDockNow) {
        if (step.restartTimerMs > 0)
            pMiniFrame->SetDockingTimer(static_cast<UINT>(step.restartTimerMs));
        return TRUE;
    }
    pMiniFrame->KillDockingTimer();
    const KGPDock::DockCall call = KGPDock::PlanDockCall(method, pTarget != nullptr, bSmart);
    if (call.bThenDockByMouse) {
        pMiniFrame->DockToTarget(0, nullptr);
        if (pBar->DockByMouse(pTarget))
            return FALSE;
        return pMiniFrame->DockToTarget(0, pTarget) != 0;
    }
    // By the mouse: a frame of several panes docked hands its drag on to its first pane.
    const BOOL bFloating =
        pMiniFrame->DockToTarget(call.dockToTargetKind, call.bPassTarget ? pTarget : nullptr, KGP_DM_MOUSE) != 0;
    if (call.bThenAdjustLayout)
        AdjustDockingLayout();
    return bFloating;
}
