#include "guilib/docking/KGPDockDecision.h"

#include "guilib/docking/KGPDockGeometry.h"

#include <ctime>

namespace KGPDock {

DockMethodChoice DecideDockMethod(const DockPointFacts& facts, DWORD enabledAlignment)
{
    if (!facts.bPaneUnderPoint && facts.bMultiFrameCaption && facts.multiFrameVisibleBars == 1)
        return {kDockAsTab, DockTargetKind::MultiFrameBar};

    if (facts.bPaneUnderPoint) {
        const BOOL bAccepted = !facts.bPaneFloating ||
                               ((facts.paneStyle & kFloatMulti) != 0 && (facts.draggedStyle & kFloatMulti) != 0);
        if (bAccepted) {
            if (!facts.bPaneFloating && (facts.paneAlignment & enabledAlignment) == 0)
                return {kDockNone, DockTargetKind::Pane};
            return {facts.paneHitTest, DockTargetKind::Pane};
        }
    }
    if ((facts.edgeNearPoint & enabledAlignment) != 0)
        return {kDockBeside, DockTargetKind::None};
    return {};
}

int PaneDockAreaHit(const CRect& window, int captionHeight, const CRect& topTabArea, const CRect& bottomTabArea,
                    CPoint point, int sensitivity)
{
    const CRect caption(window.left, window.top + 1, window.right, window.top + 1 + captionHeight);
    if ((captionHeight > 0 && caption.PtInRect(point)) || topTabArea.PtInRect(point) ||
        bottomTabArea.PtInRect(point))
        return kDockAsTab;
    CRect body = window;
    body.top += captionHeight + topTabArea.Height();
    body.bottom -= bottomTabArea.Height();
    if (sensitivity == -1)
        return body.PtInRect(point) ? kDockBeside : kDockNone;
    CRect core = body;
    core.DeflateRect(sensitivity, sensitivity);
    return core.PtInRect(point) ? kDockNone : kDockBeside;
}

CRect EdgeFeedbackRect(const CRect& edge, DWORD alignment, CSize window, BOOL bRTL)
{
    if (bRTL && (alignment & (kAlignLeft | kAlignRight)) != 0)
        alignment ^= kAlignLeft | kAlignRight;
    CRect rect = edge;
    if (alignment & kAlignTop)
        rect.bottom = rect.top + window.cy;
    else if (alignment & kAlignBottom)
        rect.top = rect.bottom - window.cy;
    else if (alignment & kAlignLeft)
        rect.right = rect.left + window.cx;
    else if (alignment & kAlignRight)
        rect.left = rect.right - window.cx;
    return rect;
}

DockCall PlanDockCall(int method, BOOL bHasTarget, BOOL bSmartDocking)
{
    if (method == kDockOntoBar && bHasTarget)
        return {0, FALSE, TRUE, FALSE};
    if (method == kDockBeside && !bSmartDocking)
        return {1, TRUE, FALSE, FALSE};
    if (method == kDockAsTab && !bSmartDocking)
        return {2, TRUE, FALSE, TRUE};
    return {};
}

long ProcessClockMilliseconds()
{
    return static_cast<long>(static_cast<long long>(std::clock()) * 1000 / CLOCKS_PER_SEC);
}

CKGPDockDelay::Step CKGPDockDelay::OnMove(const void* target, int method, BOOL bOverDockBar, BOOL bSmartDocking)
{
    const long now = m_clock();
    if ((target != nullptr || method == kDockBeside) && !bSmartDocking) {
        const long delay = target != nullptr && bOverDockBar ? kDockDelayOverDockBarMs : kDockDelayOverPaneMs;
        Step step;
        if (target != m_target || method != m_method) {
            m_target = target;
            m_method = method;
            m_since = now;
            step.restartTimerMs = delay;
        }
        if (now - m_since < delay)
            return step;
    }
    Reset();
    return {TRUE, 0};
}

BOOL CKGPDockDelay::WaitToJoin(const void* candidate)
{
    const long now = m_clock();
    // Another candidate restarts the wait: resting over a second frame met
    // straight from a first one joins the second.
    if (candidate != m_joinCandidate) {
        m_joinCandidate = candidate;
        m_joinSince = now;
        return TRUE;
    }
    if (now - m_joinSince > kDockDelayOverPaneMs) {
        ClearJoin();
        return FALSE;
    }
    return TRUE;
}

void CKGPDockDelay::Reset()
{
    m_target = nullptr;
    m_method = kDockNone;
    m_since = m_clock();
}

DockingMenuStates DecideDockingMenuStates(const DockingMenuFacts& facts)
{
    DockingMenuStates states;
    states.floating.bEnabled = facts.bCanFloat;
    states.autoHide.bEnabled = facts.bAutoHideAllowed && !facts.bInMiniFrame;
    if (facts.bAutoHideMode) {
        states.floating.bEnabled = FALSE;
        states.docking.bEnabled = FALSE;
        states.hide.bEnabled = FALSE;
        states.autoHide.bChecked = TRUE;
    }
    states.tabbedDocument.bEnabled = facts.bCanBeTabbedDocument;
    if (facts.bShownAsDocument) {
        states.floating.bEnabled = FALSE;
        states.docking.bEnabled = FALSE;
        states.tabbedDocument.bChecked = TRUE;
    }
    if (facts.bFloating)
        states.floating.bChecked = TRUE;
    else if (!facts.bAutoHideMode && !facts.bShownAsDocument)
        states.docking.bChecked = TRUE;
    if (!facts.bHasAlignment)
        states.docking.bEnabled = FALSE;
    if (!facts.bCanClose)
        states.hide.bEnabled = FALSE;
    return states;
}

} // namespace KGPDock
