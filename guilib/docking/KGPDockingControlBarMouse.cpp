// The docking pane under the mouse: caption buttons hovered, pressed and
// released, a press on the caption that arms a drag and floats the pane once
// it moves, double clicks that float it or put it back.
#include "guilib/docking/KGPDockingControlBar.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPAutoHideDockBar.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPTabbedBarLink.h"

// ---- Caption buttons.

void CKGPDockingControlBar::OnTrackCaptionButtons(CPoint point)
{
    if (KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return;
    const CKGPCaptionButton* pUnder = CaptionButtonAt(point);
    const UINT nHot = pUnder != nullptr && pUnder->m_bEnabled ? pUnder->GetHit() : 0;
    if (nHot == m_nHot)
        return;
    const UINT nWasHot = m_nHot;
    m_nHot = nHot;
    KGPCaption::MoveFocus(m_arrButtons, nWasHot, nHot,
                          [this](CKGPCaptionButton* pButton) { RedrawCaptionButton(pButton); });
    if (m_nHit != 0)
        return;
    if (nHot != 0 && nWasHot == 0) {
        SetCapture();
        m_bCaptionButtonsCaptured = TRUE;
    } else if (nHot == 0 && nWasHot != 0 && m_bCaptionButtonsCaptured) {
        m_bCaptionButtonsCaptured = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CKGPDockingControlBar::StopCaptionButtonsTracking()
{
    if (CKGPCaptionButton* pPressed = FindCaptionButton(m_nHit)) {
        pPressed->m_bPushed = FALSE;
        RedrawCaptionButton(pPressed);
    }
    if (CKGPCaptionButton* pHot = FindCaptionButton(m_nHot)) {
        pHot->m_bFocused = FALSE;
        RedrawCaptionButton(pHot);
    }
    m_nHit = 0;
    m_nHot = 0;
    if (m_bCaptionButtonsCaptured) {
        m_bCaptionButtonsCaptured = FALSE;
        if (::GetCapture() == m_hWnd && !IsDragging())
            ::ReleaseCapture();
    }
}

void CKGPDockingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bPrepareToFloat)
        OnTrackCaptionButtons(point);
    CKGPControlBar::OnNcMouseMove(nHitTest, point);
}

void CKGPDockingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The pane's own caption handles presses; the frame's caption does not move it.
    if (GetCaptionHeight() > 0)
        return;
    CKGPControlBar::OnNcLButtonDown(nHitTest, point);
}

void CKGPDockingControlBar::OnPressPin()
{
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    CKGPDockManager* pManager = GetDockManager();
    if (pSlider == nullptr || pManager == nullptr)
        return;
    const DWORD dwAlignment = pSlider->GetCurrentAlignment();
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0 && m_bEnableAutoHideAll;
    if (m_bPinState) {
        // Back to its place; with Ctrl its whole group on the strip comes back.
        CKGPAutoHideToolBar* pToolBar = m_pAutoHideBar;
        auto* pStrip = pToolBar != nullptr ? DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, pToolBar->GetParentDockBar())
                                           : nullptr;
        if (bCtrl && pStrip != nullptr)
            pStrip->UnSetAutoHideMode(pToolBar);
        else
            SetAutoHideMode(FALSE, dwAlignment);
        return;
    }
    if (bCtrl) {
        // Every pane of the tree that allows it goes with this one, onto one toolbar.
        pManager->SuspendRecalc(TRUE);
        if (const CObList* pPanes = pSlider->GetControlBars()) {
            CObList panes;
            panes.AddTail(const_cast<CObList*>(pPanes));
            CKGPAutoHideToolBar* pToolBar = nullptr;
            for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
                auto* pPane = static_cast<CKGPDockingControlBar*>(panes.GetNext(pos));
                if (pPane->IsAutoHideAllAllowed() && pPane->CanAutoHide())
                    pToolBar = pPane->SetAutoHideMode(TRUE, dwAlignment, pToolBar);
            }
        }
        pManager->SuspendRecalc(FALSE);
        if (CFrameWnd* pFrame = DockingFrame()) {
            pFrame->RecalcLayout();
            pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
        }
        return;
    }
    if ((pManager->GetEnabledAlignment() & dwAlignment) != 0)
        SetAutoHideMode(TRUE, dwAlignment);
}

void CKGPDockingControlBar::OnPressMenuButton(CKGPCaptionButton* pButton)
{
    if (CKGPVisualManager::s_nCaptionMenuButtonFlag == 0)
        return;
    const CRect rect = KGPCaption::ScreenRectFromWindow(this, pButton->GetRect());
    pButton->m_bPushed = TRUE;
    RedrawCaptionButton(pButton);
    const HWND hSelf = m_hWnd;
    const BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    OnShowControlBarMenu(CPoint(bRTL ? rect.right : rect.left, rect.bottom + 1));
    if (::IsWindow(hSelf)) {
        pButton->m_bPushed = FALSE;
        RedrawCaptionButton(pButton);
    }
}

// ---- Presses on the caption.

void CKGPDockingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nHot != 0) {
        m_nHit = m_nHot;
        if (CKGPCaptionButton* pButton = FindCaptionButton(m_nHit)) {
            pButton->m_bPushed = TRUE;
            RedrawCaptionButton(pButton);
        }
        SetFocus();
        return;
    }
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != nullptr && pChild->GetWindow(GW_HWNDNEXT) == nullptr)
        pChild->SetFocus();
    m_ptPressed = point;
    ClientToScreen(&m_ptPressed);
    m_bReadyToFloat = FALSE;
    if (!m_bPinState && !IsTabbed() && CanFloat()) {
        m_bPrepareToFloat = TRUE;
        CKGPControlBar::OnLButtonDown(nFlags, point);
    }
    if (::IsWindow(m_hWnd) && GetFocus() != this && (pChild == nullptr || !::IsChild(m_hWnd, ::GetFocus())))
        SetFocus();
}

void CKGPDockingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint cursor = point;
    ClientToScreen(&cursor);
    const int mode = GetDockingMode();
    if ((mode & KGP_DOCK_IMMEDIATE) != 0 && m_bPrepareToFloat) {
        if ((nFlags & MK_LBUTTON) == 0) {
            m_bPrepareToFloat = FALSE;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            return;
        }
        CRect window;
        GetWindowRect(window);
        if (!m_bReadyToFloat)
            m_bReadyToFloat = window.PtInRect(m_ptPressed);
        const int dx = ::GetSystemMetrics(SM_CXDRAG);
        const int dy = ::GetSystemMetrics(SM_CYDRAG);
        if (m_bReadyToFloat && (std::abs(cursor.x - m_ptPressed.x) > dx || std::abs(cursor.y - m_ptPressed.y) > dy)) {
            m_bPrepareToFloat = FALSE;
            if (IsTabbed()) {
                if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link())
                    pLink->DetachBar(this);
                return;
            }
            // It floats under the cursor and its new frame carries the drag on.
            CRect floating = m_recentDockInfo.m_rectRecentFloatingRect;
            floating.OffsetRect(cursor.x - floating.left - floating.Width() / 2, cursor.y - floating.top - 5);
            FloatBar(floating, KGP_DM_MOUSE);
        }
        return;
    }
    if ((mode & KGP_DOCK_DRAGFRAME) != 0 && m_bPrepareToFloat) {
        CKGPControlBar::OnMouseMove(nFlags, point);
        return;
    }
    OnTrackCaptionButtons(cursor);
}

void CKGPDockingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPrepareToFloat = FALSE;
    if (m_nHit == 0) {
        CKGPControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const UINT nPressed = m_nHit;
    CKGPCaptionButton* pButton = FindCaptionButton(nPressed);
    StopCaptionButtonsTracking();
    CPoint screen = point;
    ClientToScreen(&screen);
    const CKGPCaptionButton* pUnder = CaptionButtonAt(screen);
    if (pUnder == nullptr || pUnder->GetHit() != nPressed)
        return; // released elsewhere: nothing
    switch (nPressed) {
    case KGP_PANE_HIT_MENU:
        OnPressMenuButton(pButton);
        break;
    case KGP_PANE_HIT_PIN:
        OnPressPin();
        break;
    case KGP_PANE_HIT_CLOSE: {
        // The top-level frame may close the pane itself (a document
        // window's pane asks the main frame, found by its window).
        CFrameWnd* pFrame = DockingFrame();
        CFrameWnd* pTop = pFrame != nullptr ? pFrame->GetTopLevelFrame() : nullptr;
        CKGPDockManager* pTopManager = CKGPGlobalUtils::Get().GetFrameDockManager(pTop);
        IKGPDockSite* pSite = pTopManager != nullptr ? pTopManager->GetSite() : nullptr;
        if (pSite != nullptr && !pSite->OnCloseDockingBar(this))
            break;
        OnPressCloseButton();
        break;
    }
    default:
        OnPressButtons(nPressed);
        break;
    }
}

void CKGPDockingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (CaptionButtonAt(screen) != nullptr || m_bPinState) {
        CKGPBaseControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    m_bPrepareToFloat = FALSE;
    if (IsInFloatingMultiPaneFrame()) {
        // Out of the shared frame, back to its docked place.
        OnDoubleClickEndDrag();
        DockPane(nullptr, nullptr, KGP_DM_DBLCLICK);
        return;
    }
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    if (pSlider != nullptr) {
        auto* pRecentFrame = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd,
                                              CWnd::FromHandlePermanent(m_recentDockInfo.m_hRecentMiniFrame));
        if (pRecentFrame != nullptr && ::IsWindow(pRecentFrame->GetSafeHwnd()) &&
            pRecentFrame->CanAddRecentPane(this)) {
            // Back into the frame it shared with other panes; where that
            // frame refuses it after all, back where it was docked.
            OnDoubleClickEndDrag();
            const BOOL bFocused = ::GetFocus() == m_hWnd || ::IsChild(m_hWnd, ::GetFocus());
            const PlaceBefore before = RememberPlace();
            RemoveFromHost(FALSE);
            if (pRecentFrame->AddRecentPane(this) == 0)
                PutBack(before);
            else if (bFocused)
                SetFocus();
            return;
        }
    }
    CKGPControlBar::OnLButtonDblClk(nFlags, point);
}

void CKGPDockingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    // The pane drawn anew as it takes the focus may lie under a popup menu's shadow.
    KGPMenuLinks::UpdatePopupShadows();
    CKGPControlBar::OnRButtonDown(nFlags, point);
}

void CKGPDockingControlBar::OnCancelMode()
{
    StopCaptionButtonsTracking();
    m_bPrepareToFloat = FALSE;
    CKGPControlBar::OnCancelMode();
}

void CKGPDockingControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!m_bPrepareToFloat)
        StopCaptionButtonsTracking();
    CKGPControlBar::OnContextMenu(pWnd, point);
}
