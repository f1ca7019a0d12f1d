// A docking pane auto-hidden: its button on the strip at its frame's edge,
// its own slider at the docked area's outer edge, and its slides out of the
// strip and back on the slide timers, with the check timer sliding it back
// once the mouse has left it. The timers' logic is KGPAutoHideMath's.
#include "guilib/docking/KGPDockingControlBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideDockBar.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBarContainer.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"

#include <algorithm>

namespace {

using kgp::autohide::Box;

Box BoxOf(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect RectOf(const Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    if (CWnd* pParent = pWnd->GetParent())
        pParent->ScreenToClient(rect);
    return rect;
}

BOOL IsShown(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && (pWnd->GetStyle() & WS_VISIBLE) != 0;
}

} // namespace

BOOL CKGPDockingControlBar::m_bDisableAnimation = FALSE;

void CKGPDockingControlBar::SetSlideClock(kgp::autohide::SlideMachine::Clock clock)
{
    m_slide = kgp::autohide::SlideMachine(
        std::move(clock), [this](int id, long period) { SetTimer(id, static_cast<UINT>(period), nullptr); },
        [this](int id) {
            if (GetSafeHwnd() != nullptr)
                KillTimer(id);
        });
}

BOOL CKGPDockingControlBar::CanAutoHide() const
{
    if (!CKGPControlBar::CanAutoHide())
        return FALSE;
    if (m_bPinState)
        return TRUE;
    // Only a pane docked in an edge's tree, in a frame with a strip at that edge.
    if (IsFloating() || IsTabbed() || GetParentMiniFrame(TRUE) != nullptr)
        return FALSE;
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    CKGPDockManager* pManager = GetDockManager();
    if (pSlider == nullptr || pManager == nullptr)
        return FALSE;
    return DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, pManager->FindDockBar(pSlider->GetCurrentAlignment(), FALSE)) !=
           nullptr;
}

void CKGPDockingControlBar::ToggleAutoHide()
{
    if (CanAutoHide() && GetDefaultPaneSlider() != nullptr)
        SetAutoHideMode(!m_bPinState, GetDefaultPaneSlider()->GetCurrentAlignment());
}

CKGPAutoHideToolBar* CKGPDockingControlBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                            CKGPAutoHideToolBar* pCurrAutoHideToolBar, BOOL bUseTimer)
{
    if ((bMode != FALSE) == (m_bPinState != FALSE))
        return pCurrAutoHideToolBar;
    if (!bMode) {
        UnpinFromAutoHide(nullptr);
        return nullptr;
    }
    dwAlignment &= CBRS_ALIGN_ANY;
    CKGPDockManager* pManager = GetDockManager();
    CFrameWnd* pSite = DockingFrame();
    if (dwAlignment == 0 || pManager == nullptr || pSite == nullptr || !CanAutoHide())
        return nullptr;

    const BOOL bVisible = IsWindowVisible();
    StoreRecentDockInfo();
    RemoveFromHost(TRUE);
    return PinToStrip(dwAlignment, pCurrAutoHideToolBar, bUseTimer, bVisible);
}

CKGPAutoHideToolBar* CKGPDockingControlBar::PinToStrip(DWORD dwAlignment, CKGPAutoHideToolBar* pCurrAutoHideToolBar,
                                                       BOOL bUseTimer, BOOL bVisible)
{
    CKGPDockManager* pManager = GetDockManager();
    CFrameWnd* pSite = DockingFrame();
    if (m_bPinState || pManager == nullptr || pSite == nullptr)
        return nullptr;
    CKGPSlider* pSlider = CKGPSlider::CreateDefaultSlider(dwAlignment, pSite);
    if (pSlider == nullptr) {
        DockPane(this, nullptr, KGP_DM_DBLCLICK); // back where it was
        return nullptr;
    }
    pSlider->SetAutoHideMode(TRUE);
    pSlider->AddControlBar(this);
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    pSlider->SetCurrentAlignment(dwAlignment);
    SetCurrentAlignment(dwAlignment);
    m_bPinState = TRUE;

    CKGPAutoHideToolBar* pToolBar = pManager->AutoHideBar(this, pCurrAutoHideToolBar);
    if (pToolBar == nullptr) {
        // No strip took it: the pane goes back to its place, the slider goes.
        m_bPinState = FALSE;
        m_hDefaultSlider = nullptr;
        pManager->RemoveControlBar(pSlider, FALSE, FALSE, TRUE);
        pSlider->RemoveControlBar(this);
        if (::IsWindow(pSlider->GetSafeHwnd()))
            pSlider->DestroyWindow();
        DockPane(this, nullptr, KGP_DM_DBLCLICK);
        ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
        AdjustDockingLayout();
        return nullptr;
    }
    if (bVisible && bUseTimer) {
        // Shown where it stood, it slides into its strip at once, animated;
        // the frame takes the focus (an active pane would never slide in).
        m_slide.Begin(TRUE, FALSE);
        ShowWindow(SW_SHOWNOACTIVATE);
        pSlider->ShowWindow(SW_SHOWNOACTIVATE);
        m_slide.Finish();
        m_rectRestored = RectInParent(this);
        pSite->SetFocus();
        Slide(FALSE, TRUE);
    } else {
        ShowWindow(SW_HIDE);
        pSlider->ShowWindow(SW_HIDE);
    }
    AdjustDockingLayout();
    SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return pToolBar;
}

BOOL CKGPDockingControlBar::CanPinAsLoaded(DWORD dwAlignment) const
{
    dwAlignment &= CBRS_ALIGN_ANY;
    CKGPDockManager* pManager = GetDockManager();
    return !m_bPinState && dwAlignment != 0 && pManager != nullptr && DockingFrame() != nullptr &&
           !IsKindOf(RUNTIME_CLASS(CKGPBaseTabbedBar)) && CKGPControlBar::CanAutoHide() &&
           GetDefaultPaneSlider() == nullptr && !IsTabbed() && GetParentMiniFrame(TRUE) == nullptr &&
           DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, pManager->FindDockBar(dwAlignment, FALSE)) != nullptr;
}

CKGPAutoHideToolBar* CKGPDockingControlBar::PinAsLoaded(DWORD dwAlignment, LPCRECT lpRect,
                                                        CKGPAutoHideToolBar* pCurrAutoHideToolBar)
{
    if (!CanPinAsLoaded(dwAlignment))
        return nullptr;
    dwAlignment &= CBRS_ALIGN_ANY;
    CFrameWnd* pSite = DockingFrame();
    // As docked at the edge: where it came from recorded, in the frame, at
    // least its minimum (or at the place given), its caption laid out.
    StoreRecentDockInfo();
    if (GetParent() != pSite)
        SetParent(pSite);
    m_pDockSite = pSite;
    CRect window;
    GetWindowRect(window);
    CSize minimum;
    GetMinSize(minimum);
    window.right = (std::max)(window.right, window.left + minimum.cx);
    window.bottom = (std::max)(window.bottom, window.top + minimum.cy);
    pSite->ScreenToClient(window);
    if (lpRect != nullptr)
        window = *lpRect;
    SetWindowPos(HWND{}, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_dwStyle &= ~CBRS_FLOATING;
    CKGPDockManager* pManager = GetDockManager();
    pManager->AddControlBar(this); // (a pane listed already keeps its place in the list)
    SetCurrentAlignment(dwAlignment);
    EnableGripper(TRUE);
    OnAfterDock(this, nullptr, KGP_DM_UNKNOWN);
    // Its way back, as pinning it from a tree of its own records it: a place
    // in a tree that is gone (the node is kept by that reference alone), its
    // rectangle in the frame and the edge; no slider to go back to.
    {
        KGPContainerPtr pNode(new CKGPBarContainer(nullptr, this));
        m_recentDockInfo.m_recentSliderInfo.StoreDockInfo(pNode.get(), this, nullptr);
    }
    m_recentDockInfo.m_recentSliderInfo.m_rectDockedRect = RectInParent(this);
    m_recentDockInfo.m_dwRecentAlignmentToFrame = dwAlignment;
    m_recentDockInfo.m_hRecentDefaultSlider = nullptr;
    return PinToStrip(dwAlignment, pCurrAutoHideToolBar, FALSE, pSite->IsWindowVisible());
}

void CKGPDockingControlBar::UnpinFromAutoHide(CKGPDockingControlBar* pBarToAttach)
{
    if (!m_bPinState)
        return;
    m_bPinState = FALSE;
    m_slide.Stop();
    CKGPAutoHideToolBar* pToolBar = m_pAutoHideBar;
    const BOOL bActivate = pToolBar != nullptr ? pToolBar->IsActiveToolBar() : TRUE;
    if (pToolBar != nullptr)
        pToolBar->RemoveAutoHideWindow(this);
    if (pToolBar != nullptr && pToolBar->GetButtonCount() == 0)
        pToolBar->DestroyWindow();
    // Its auto-hide slider leaves the auto-hide list; the pane leaves the
    // slider as it docks back (its remembered place is kept while the slider
    // is its own), and the slider goes.
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    const HWND hSlider = pSlider != nullptr ? pSlider->GetSafeHwnd() : nullptr;
    if (pSlider != nullptr) {
        if (CKGPDockManager* pManager = GetDockManager())
            pManager->RemoveControlBar(pSlider, FALSE, FALSE, TRUE);
    }
    ShowWindow(SW_HIDE);
    BOOL bPlaced = FALSE;
    if (pBarToAttach == nullptr)
        bPlaced = DockPane(this, nullptr, KGP_DM_DBLCLICK);
    else
        bPlaced = AttachToTabWnd(pBarToAttach, KGP_DM_SHOW, bActivate) != nullptr;
    if (!bPlaced && m_hDefaultSlider == hSlider) {
        // Its place is gone: it docks at its edge afresh rather than staying
        // on a slider nobody lays out.
        m_hDefaultSlider = nullptr;
        if (pSlider != nullptr)
            pSlider->RemoveControlBar(this);
        bPlaced = DockToWindow(GetCurrentAlignment(), nullptr);
    }
    if (hSlider != nullptr && ::IsWindow(hSlider) && hSlider != m_hDefaultSlider) {
        if (auto* pLeft = DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(hSlider))) {
            pLeft->RemoveControlBar(this);
            if (::IsWindow(hSlider))
                pLeft->DestroyWindow();
        }
    }
    if (!bPlaced)
        return;
    ShowPane(TRUE, FALSE, bActivate);
    AdjustDockingLayout();
}

void CKGPDockingControlBar::LeaveAutoHideOnDestroy()
{
    if (!m_bPinState)
        return;
    m_bPinState = FALSE;
    m_slide.Stop();
    CKGPAutoHideToolBar* pToolBar = m_pAutoHideBar;
    if (pToolBar != nullptr) {
        pToolBar->RemoveAutoHideWindow(this);
        if (pToolBar->GetButtonCount() == 0 && ::IsWindow(pToolBar->GetSafeHwnd()))
            pToolBar->DestroyWindow();
    }
    if (CKGPSlider* pSlider = GetDefaultPaneSlider()) {
        if (CKGPDockManager* pManager = GetDockManager())
            pManager->RemoveControlBar(pSlider, FALSE, FALSE, TRUE);
    }
}

void CKGPDockingControlBar::ShowAutoHidden(BOOL bShow, BOOL bActivate)
{
    if (!GetAutoHideSwitch()) {
        // Asked to hide, it goes back under its strip (never out of it).
        if (!bShow) {
            if (IsWindowVisible())
                Slide(FALSE, FALSE);
            return;
        }
        if (m_pAutoHideButton != nullptr && !IsWindowVisible())
            m_pAutoHideButton->ShowAttachedWindow(TRUE);
        if (bShow && bActivate)
            SetFocus();
        return;
    }
    if (!bShow && IsWindowVisible())
        Slide(FALSE, FALSE);
    if (m_pAutoHideBar != nullptr)
        m_pAutoHideBar->ShowAutoHideWindowOfPane(this, bShow);
}

void CKGPDockingControlBar::Slide(BOOL bSlideOut, BOOL bUseTimer)
{
    if (!m_bPinState)
        return;
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    CKGPDockManager* pManager = GetDockManager();
    if (pSlider == nullptr || pManager == nullptr)
        return;
    const BOOL bAnimated = bUseTimer && !m_bDisableAnimation && !GetKGPGlobalData().m_bIsRemoteSession;

    if (!bSlideOut && !bUseTimer) {
        // Out of view at once.
        m_slide.Begin(FALSE, false);
        ShowWindow(SW_HIDE);
        pSlider->ShowWindow(SW_HIDE);
        m_slide.Finish();
        return;
    }
    if (bSlideOut) {
        // One pane out at a time.
        pManager->HideAutoHideBarsExcept(this, FALSE);
        pManager->AlignAutoHideBar(pSlider, TRUE);
        m_rectRestored = RectInParent(this);
    } else if (m_rectRestored.IsRectEmpty()) {
        m_rectRestored = RectInParent(this);
    }
    const kgp::autohide::Edge edge = kgp::autohide::EdgeOf(GetCurrentAlignment());
    const BOOL bHorzEdge = kgp::autohide::IsHorizontalEdge(edge);
    const int extent = bHorzEdge ? m_rectRestored.Height() : m_rectRestored.Width();
    m_nSlideStep = kgp::autohide::SlideStep(extent, bAnimated != FALSE);
    m_slide.Begin(bSlideOut != FALSE, bUseTimer != FALSE);
    if (bSlideOut) {
        // From under the strip (or from nothing) to its full place.
        const BOOL bMirrored = (GetParent()->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        const CRect start = RectOf(kgp::autohide::SlideStartBox(BoxOf(m_rectRestored), edge, m_nSlideMode,
                                                                bMirrored != FALSE));
        const CRect slider = RectInParent(pSlider);
        const CPoint shift(start.left - m_rectRestored.left, start.top - m_rectRestored.top);
        SetWindowPos(&CWnd::wndTop, start.left, start.top, start.Width(), start.Height(), SWP_NOACTIVATE);
        CRect sliderAt = slider;
        sliderAt.OffsetRect(m_nSlideMode == kgp::autohide::kSlideGrow ? CPoint(start.right - m_rectRestored.right,
                                                                                start.bottom - m_rectRestored.bottom)
                                                                      : shift);
        pSlider->SetWindowPos(&CWnd::wndTop, sliderAt.left, sliderAt.top, 0, 0,
                              SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        pSlider->ShowWindow(SW_SHOWNOACTIVATE);
        // The pane moves out from under the strip: the dock bars come above
        // it, the panes docked at its edge stay under it.
        if (m_nSlideMode == kgp::autohide::kSlideMove)
            pManager->BringBarsToTop(0, TRUE);
    }
    if (!bUseTimer) {
        // Out at once: the whole way in one step.
        OnSlide(TRUE);
        m_slide.Finish();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CKGPDockingControlBar::OnSlide(BOOL bSlideOut)
{
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    if (pSlider == nullptr)
        return;
    const kgp::autohide::Edge edge = kgp::autohide::EdgeOf(GetCurrentAlignment());
    const BOOL bMirrored = GetParent() != nullptr && (GetParent()->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const CRect before = RectInParent(this);
    const CRect after = RectOf(kgp::autohide::SlideStepBox(BoxOf(before), edge, m_nSlideMode, bSlideOut != FALSE,
                                                           m_nSlideStep, BoxOf(m_rectRestored), bMirrored != FALSE));
    // The slider follows the pane's far side.
    CRect slider = RectInParent(pSlider);
    if (m_nSlideMode == kgp::autohide::kSlideGrow)
        slider.OffsetRect(after.right - before.right + after.left - before.left, after.bottom - before.bottom +
                                                                                     after.top - before.top);
    else
        slider.OffsetRect(after.left - before.left, after.top - before.top);
    SetWindowPos(HWND{}, after.left, after.top, after.Width(), after.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pSlider->SetWindowPos(HWND{}, slider.left, slider.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKGPDockingControlBar::CheckStopSlideCondition(BOOL bDirection)
{
    if (!m_bPinState)
        return TRUE;
    kgp::autohide::SlideFacts facts;
    facts.edge = kgp::autohide::EdgeOf(GetCurrentAlignment());
    facts.mode = m_nSlideMode;
    facts.slidingOut = bDirection != FALSE;
    facts.mirrored = GetParent() != nullptr && (GetParent()->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    facts.pane = BoxOf(RectInParent(this));
    facts.slideRect = BoxOf(m_rectRestored);
    if (m_pAutoHideBar != nullptr) {
        if (CKGPDockBar* pStrip = m_pAutoHideBar->GetParentDockBar())
            facts.strip = BoxOf(RectInParent(pStrip));
    }
    return kgp::autohide::SlideEnded(facts);
}

BOOL CKGPDockingControlBar::CheckAutoHideCondition()
{
    kgp::autohide::CheckFacts facts;
    facts.autoHidden = m_bPinState != FALSE;
    facts.holdOpen = m_bHoldOpen != FALSE;
    CWnd* pFocus = CWnd::GetFocus();
    facts.active = pFocus != nullptr && (pFocus == this || IsChild(pFocus));
    facts.popupMenuOpen = KGPMenuLinks::GetActivePopupMenu() != nullptr;
    facts.tooltipVisible = m_pToolTip != nullptr && IsShown(m_pToolTip);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    CRect area;
    GetWindowRect(area);
    if (pSlider != nullptr) {
        CRect slider;
        pSlider->GetWindowRect(slider);
        area.UnionRect(area, slider);
    }
    facts.cursorOverPane = area.PtInRect(cursor) != FALSE;
    // A window of its own under the cursor (a popup it opened) keeps it out,
    // unless a floating frame comes first in its chain of parents.
    for (HWND hWnd = ::WindowFromPoint(cursor); hWnd != nullptr && !facts.cursorOverPane;
         hWnd = ::GetParent(hWnd)) {
        if (hWnd == m_hWnd || (pSlider != nullptr && hWnd == pSlider->GetSafeHwnd()))
            facts.cursorOverPane = true;
        else if (DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, CWnd::FromHandlePermanent(hWnd)) != nullptr)
            break;
    }
    if (m_pAutoHideBar != nullptr && m_pAutoHideButton != nullptr && m_pAutoHideBar->GetSafeHwnd() != nullptr) {
        CRect button = m_pAutoHideButton->GetRect();
        m_pAutoHideBar->ClientToScreen(button);
        facts.cursorOverButton = button.PtInRect(cursor) != FALSE;
    }
    if (!kgp::autohide::ShouldSlideIn(facts))
        return FALSE;
    Slide(FALSE, TRUE);
    return TRUE;
}

void CKGPDockingControlBar::OnTimer(UINT_PTR nIDEvent)
{
    using kgp::autohide::SlideMachine;
    switch (nIDEvent) {
    case kgp::autohide::kTimerSlideIn:
    case kgp::autohide::kTimerSlideOut: {
        const BOOL bOut = nIDEvent == kgp::autohide::kTimerSlideOut;
        if (m_slide.SlideTimer() != static_cast<int>(nIDEvent)) {
            KillTimer(nIDEvent); // a stale tick of a slide that has ended
            return;
        }
        OnSlide(bOut);
        const SlideMachine::After after = m_slide.OnSlideTick(CheckStopSlideCondition(bOut) != FALSE);
        CKGPSlider* pSlider = GetDefaultPaneSlider();
        if (after == SlideMachine::After::HidePane) {
            ShowWindow(SW_HIDE);
            if (pSlider != nullptr)
                pSlider->ShowWindow(SW_HIDE);
        } else if (after == SlideMachine::After::ShowPane) {
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            if (pSlider != nullptr)
                pSlider->RedrawWindow();
        }
        return;
    }
    case kgp::autohide::kTimerCheck:
        if (!m_slide.CheckRuns()) {
            KillTimer(nIDEvent);
            return;
        }
        m_slide.OnCheckTick(CheckAutoHideCondition() != FALSE);
        return;
    default:
        CWnd::OnTimer(nIDEvent);
        return;
    }
}
