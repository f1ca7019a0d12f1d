// The floating frame dragged by its caption (the frame itself or an outline
// follows the mouse), docking its bar when dropped, double-clicked or rested
// over a docking place, carrying a bar torn off a menu, and its floating state
// in the layout archive.
#include "guilib/docking/KGPMiniFrameWnd.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/docking/KGPStoredTabbedPane.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPSmartDockingGeometry.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"

#include <memory>

namespace {

// The frame shows its documents as tabs: a pane may become one.
BOOL IsInDocumentTabMode(const CKGPDockManager* pManager)
{
    IKGPTabbedDocumentLink* pLink = CKGPLink<IKGPTabbedDocumentLink>::Get();
    return pManager != nullptr && pLink != nullptr && pLink->IsInMDITabMode(pManager->GetDockSite());
}

BOOL IsCtrlDown()
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

// The styles a stored floating frame may come back with.
constexpr DWORD kStoredStyleMask = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPSIBLINGS |
                                   WS_CLIPCHILDREN | 0x100 /* MFS_SYNCACTIVE */;

} // namespace

// ---- Entering and leaving a drag.

void CKGPMiniFrameWnd::EnterDragMode(HWND hWndToDestroyOnRelease)
{
    if (m_bCaptured)
        return;
    SetCapture();
    if (m_hWndToDestroyOnRelease == nullptr)
        m_hWndToDestroyOnRelease = hWndToDestroyOnRelease;
    m_bCaptured = TRUE;
    OnCapture(TRUE);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    m_dragFrameImpl.StartDrag(cursor);
    const int mode = GetDockingMode();
    if ((mode & KGP_DOCK_IMMEDIATE) != 0 && (mode & KGP_DOCK_SMART) == 0)
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    m_ptHot = cursor;
    CRect window;
    GetWindowRect(window);
    m_sizeCursorInFrame = cursor - window.TopLeft();
    if (CKGPDockManager* pManager = GetDockManager())
        pManager->ResortMiniFramesForZOrder();
}

void CKGPMiniFrameWnd::HoldAt(CPoint ptScreen)
{
    if (!m_bCaptured)
        return;
    m_ptHot = ptScreen;
    m_dragFrameImpl.m_ptHot = ptScreen;
    CRect window;
    GetWindowRect(window);
    m_sizeCursorInFrame = ptScreen - window.TopLeft();
}

CSize CKGPMiniFrameWnd::GetMoveBehindCursor() const
{
    if (!m_bCaptured || (GetDockingMode() & KGP_DOCK_IMMEDIATE) == 0)
        return CSize(0, 0);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    return cursor - m_ptHot;
}

void CKGPMiniFrameWnd::OnCapture(BOOL bOnOff)
{
    CKGPControlBar* pBar = HostedControlBar();
    if (pBar != nullptr)
        pBar->SetDragMode(bOnOff);
    if (bOnOff)
        return;
    if (m_hWndToDestroyOnRelease != nullptr && m_hWndToDestroyOnRelease != m_hWnd &&
        ::IsWindow(m_hWndToDestroyOnRelease))
        ::DestroyWindow(m_hWndToDestroyOnRelease);
    m_hWndToDestroyOnRelease = nullptr;
}

CKGPDockingControlBar* CKGPMiniFrameWnd::TabTargetAt(CPoint ptScreen) const
{
    auto* pHosted = DYNAMIC_DOWNCAST(CKGPDockingControlBar, GetControlBar());
    CKGPDockManager* pManager = GetDockManager();
    if (pHosted == nullptr || pManager == nullptr)
        return nullptr;
    CKGPDockingControlBar* pTarget = nullptr;
    if (auto* pOther = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pManager->FindMiniFrameAtPoint(ptScreen, this, FALSE))) {
        // Another floating frame: its only visible pane, by the frame's caption.
        if (pOther->GetVisibleBarCount() == 1 &&
            const_cast<CKGPMiniFrameWnd*>(pOther)->HitTest(ptScreen, TRUE) == HTCAPTION)
            pTarget = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pOther->GetFirstVisibleBar());
    } else {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar,
                                       pManager->BarFromPoint(ptScreen, CKGPDockManager::s_nDockSensitivity, TRUE,
                                                              nullptr, TRUE, pHosted));
        if (pPane != nullptr) {
            CRect window, top, bottom;
            pPane->GetWindowRect(window);
            pPane->GetTabArea(top, bottom);
            if (ptScreen.y < window.top + pPane->GetCaptionHeight() || top.PtInRect(ptScreen) ||
                bottom.PtInRect(ptScreen))
                pTarget = pPane;
        }
    }
    if (pTarget == nullptr || pTarget == pHosted ||
        (pTarget->GetEnabledAlignment() & CBRS_ALIGN_ANY) != (pHosted->GetEnabledAlignment() & CBRS_ALIGN_ANY) ||
        !pTarget->CanAcceptBar(pHosted) || !pHosted->CanAttachAsTabTo(pTarget))
        return nullptr;
    return pTarget;
}

CKGPDockingControlBar* CKGPMiniFrameWnd::RecordedTabTarget() const
{
    if (m_hTabTarget == nullptr || !::IsWindow(m_hTabTarget))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPDockingControlBar, CWnd::FromHandlePermanent(m_hTabTarget));
}

void CKGPMiniFrameWnd::EndMove()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    OnCapture(FALSE);
}

void CKGPMiniFrameWnd::CancelDrag(BOOL bByEscape)
{
    StopCaptionButtonsTracking();
    m_hTabTarget = nullptr;
    if (!m_bCaptured)
        return;
    const int mode = GetDockingMode();
    CKGPControlBar* pBar = HostedControlBar();
    if ((mode & KGP_DOCK_DRAGFRAME) != 0) {
        m_dragFrameImpl.EndDrawDragFrame();
        // A frame hidden for the outline gives its bar back to its recent place.
        if (!IsWindowVisible() && pBar != nullptr && pBar->GetParent() == this) {
            pBar->DockControlBar(nullptr, nullptr, KGP_DM_DBLCLICK);
            pBar->ShowWindow(SW_SHOW);
        }
        EndMove();
        return;
    }
    if ((mode & KGP_DOCK_SMART) != 0) {
        if (CKGPDockManager* pManager = GetDockManager()) {
            if (CKGPSmartDockingManager* pSmart = pManager->GetSmartDockingManager())
                pSmart->Stop();
        }
    }
    EndMove();
    if (bByEscape && pBar != nullptr && pBar->ReturnToRecentHost())
        return;
    if (bByEscape && pBar != nullptr && (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) != 0) {
        // Esc puts the bar back where the drag began: docked where it was.
        pBar->m_recentDockInfo.m_rectRecentFloatingRect = m_rectRecentFloatingRect;
        pBar->DockControlBar(nullptr, nullptr, KGP_DM_DBLCLICK);
    }
}

// ---- Mouse.

void CKGPMiniFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu())
        pPopup->SendMessage(WM_CLOSE);
    m_bMoved = FALSE;
    if (m_nHot != 0) {
        // A press on the hovered caption button.
        m_nHit = m_nHot;
        if (CKGPCaptionButton* pButton = FindCaptionButton(m_nHit)) {
            pButton->m_bPushed = TRUE;
            RedrawCaptionButton(pButton);
        }
        return;
    }
    EnterDragMode(nullptr);
    // Held where it was pressed: on a busy machine the mouse has moved on by
    // the time the press is handled, and the frame follows those moves too.
    CPoint pressed = point;
    ClientToScreen(&pressed);
    HoldAt(pressed);
    SaveRecentFloatingState();
    if (!HostsToolBar())
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CWnd::OnLButtonDown(nFlags, point);
}

void CKGPMiniFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bBlockMove) {
        m_bBlockMove = FALSE;
        return;
    }
    if (!m_bCaptured) {
        CPoint screen = point;
        ClientToScreen(&screen);
        if (m_nHit == 0)
            OnTrackCaptionButtons(screen);
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (!m_bMoved && cursor == m_ptHot)
        return;
    m_bMoved = TRUE;
    const int mode = GetDockingMode();
    if ((mode & KGP_DOCK_SMART) != 0)
        TrackSmartDocking(cursor);
    if ((mode & KGP_DOCK_DRAGFRAME) != 0) {
        MoveDragFrame();
        return;
    }
    if ((mode & KGP_DOCK_IMMEDIATE) == 0)
        return;
    if ((mode & KGP_DOCK_SMART) != 0 && ::GetKeyState(VK_CONTROL) >= 0) {
        // The place shows where the frame would go: the frame stays put.
        CKGPDockManager* pManager = GetDockManager();
        const CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
        const BOOL bRunning = pSmart != nullptr && pSmart->IsStarted();
        if (bRunning && (m_hTabTarget != nullptr || pSmart->GetHotMarker() != CKGPSmartDockingManager::kNoMarker))
            return;
    }
    CRect window;
    GetWindowRect(window);
    const CSize offset = m_ptHot - window.TopLeft();
    if (!NotifyFrameOfMove())
        return; // docked
    if (GetSafeHwnd() == nullptr || !m_bCaptured)
        return;
    // The cursor keeps its place in the frame, which stays over the windows
    // it is dragged across.
    SetWindowPos(&CWnd::wndTop, cursor.x - offset.cx, cursor.y - offset.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_ptHot = cursor;
    m_dragFrameImpl.m_ptHot = cursor;
    GetWindowRect(window);
    m_sizeCursorInFrame = cursor - window.TopLeft();
    if ((mode & KGP_DOCK_SMART) == 0)
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
}

void CKGPMiniFrameWnd::TrackSmartDocking(CPoint ptScreen)
{
    CKGPDockManager* pManager = GetDockManager();
    CWnd* pBar = GetControlBar();
    if (pManager == nullptr || pBar == nullptr)
        return;
    auto* pDockable = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pBar);
    if (pDockable == nullptr || (pDockable->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
        return;
    CKGPSmartDockingManager* pSmart = pManager->GetSmartDockingManagerPermanent();
    if (pSmart == nullptr || !pSmart->IsCreated())
        return;
    if (!pSmart->IsStarted()) {
        CRect outer;
        pManager->GetOuterDockRect(outer);
        if (CFrameWnd* pSite = pManager->GetDockSite())
            pSite->ClientToScreen(outer);
        pSmart->SetOuterRect(outer);
        pSmart->Start(this);
    }
    // Ctrl floats freely: no markers.
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    m_hTabTarget = nullptr;
    if (!bCtrl && (GetDockingMode() & KGP_DOCK_IMMEDIATE) != 0) {
        // Over a pane's caption or tab area the tab is offered, not the markers.
        if (CKGPDockingControlBar* pTab = TabTargetAt(ptScreen)) {
            m_hTabTarget = pTab->GetSafeHwnd();
            pSmart->Show(FALSE);
            pSmart->ShowTabbedPlaceMarker(CKGPSmartDockingManager::TabbedPlaceOver(pTab));
            return;
        }
    }
    pSmart->Show(!bCtrl);
    if (bCtrl)
        return;
    // The central group over the docking pane under the cursor.
    CKGPBaseControlBar* pUnder = pManager->BarFromPoint(ptScreen, 0, TRUE, nullptr, TRUE, pDockable);
    CRect documents;
    pManager->GetInnerDockRect(documents);
    if (CFrameWnd* pSite = pManager->GetDockSite())
        pSite->ClientToScreen(documents);
    if (pUnder != nullptr && pUnder->IsPaneKind()) {
        CRect rect;
        pUnder->GetWindowRect(rect);
        pSmart->MoveCentralGroup(rect, pDockable->GetEnabledAlignment());
        pSmart->ShowCentralGroup(TRUE, pDockable->GetEnabledAlignment());
    } else if (pUnder == nullptr && documents.PtInRect(ptScreen) && IsInDocumentTabMode(pManager)) {
        // Over the documents: their centre marker makes the pane a tabbed document.
        pSmart->MoveCentralGroup(documents, pDockable->GetEnabledAlignment());
        pSmart->ShowCentralGroup(TRUE, pDockable->GetEnabledAlignment());
    } else {
        pSmart->ShowCentralGroup(FALSE);
    }
    if (pSmart->OnMouseMove(ptScreen) == CKGPSmartDockingManager::kNoMarker) {
        pSmart->HidePlaceMarker();
        return;
    }
    CRect expected;
    BOOL bDrawTab = FALSE;
    CKGPBaseControlBar* pTarget = nullptr;
    pManager->CalcExpectedDockedRect(this, ptScreen, expected, bDrawTab, pTarget);
    if (bDrawTab && pTarget != nullptr)
        pSmart->ShowTabbedPlaceMarker(CKGPSmartDockingManager::TabbedPlaceOver(pTarget));
    else if (expected.IsRectEmpty())
        pSmart->HidePlaceMarker();
    else
        pSmart->ShowPlaceMarker(expected);
}

void CKGPMiniFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nHit != 0) {
        const UINT nPressed = m_nHit;
        StopCaptionButtonsTracking();
        CPoint screen = point;
        ClientToScreen(&screen);
        if (CaptionButtonHitAt(screen) != nPressed)
            return; // released elsewhere: nothing
        if (nPressed == KGPCaption::kHitPin) {
            m_bPinned = !m_bPinned;
            SendMessage(WM_NCPAINT);
        } else if (nPressed == HTCLOSE) {
            if (CanClose())
                CloseMiniFrame();
        } else if (!KGPMenuLinks::IsCustomizeMode()) {
            OnPressCaptionButton(nPressed);
        }
        return;
    }
    if (!m_bCaptured) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    EndMove();
    if (GiveDropToHostedBar() || DropAsTabbedDocument())
        return;
    const HWND hSelf = m_hWnd;
    CKGPDockManager* pManager = GetDockManager();
    // A frame following the mouse ends where it is let go (it may have stayed
    // for a place shown, or the last moves may have come together).
    const BOOL bFollows = (GetDockingMode() & KGP_DOCK_IMMEDIATE) != 0;
    BOOL bDocked = FALSE;
    CKGPBaseControlBar* pTarget = DockOnDragEnd(bDocked);
    // A frame of several panes that docked them all is gone already.
    if (!::IsWindow(hSelf) || CWnd::FromHandlePermanent(hSelf) != this) {
        if (bDocked && pManager != nullptr)
            pManager->AdjustDockingLayout();
        return;
    }
    m_hTabTarget = nullptr;
    if (bFollows && !bDocked && pTarget == nullptr && GetControlBar() != nullptr && (GetStyle() & WS_VISIBLE) != 0) {
        // Let go where nothing docks: the frame goes where the cursor is.
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect window;
        GetWindowRect(window);
        const CPoint at = cursor - m_sizeCursorInFrame;
        if (at != window.TopLeft())
            SetWindowPos(HWND{}, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!bDocked && pTarget == nullptr)
        m_dragFrameImpl.EndDrawDragFrame();
    if (bDocked && pManager != nullptr)
        pManager->AdjustDockingLayout();
    // Still floating where it was let go: over the windows it was dragged across.
    if (::IsWindow(hSelf) && CWnd::FromHandlePermanent(hSelf) == this && (GetStyle() & WS_VISIBLE) != 0)
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CKGPMiniFrameWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (CaptionButtonHitAt(screen) == 0)
        DockOnDoubleClick();
    if (GetSafeHwnd() != nullptr)
        CWnd::OnLButtonDblClk(nFlags, point);
}

void CKGPMiniFrameWnd::OnCancelMode()
{
    if (GetSafeHwnd() != nullptr)
        CWnd::OnCancelMode();
    CancelDrag(FALSE);
}

void CKGPMiniFrameWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bCaptured) {
        CancelDragByEscape();
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CKGPMiniFrameWnd::CancelDragByEscape()
{
    if (m_bCaptured)
        CancelDrag((GetDockingMode() & KGP_DOCK_DRAGFRAME) == 0);
}

void CKGPMiniFrameWnd::OnMoving(UINT nSide, LPRECT lpRect)
{
    CWnd::OnMoving(nSide, lpRect);
    NotifyFrameOfMove();
}

void CKGPMiniFrameWnd::MoveBy(int dx, int dy)
{
    CRect window;
    GetWindowRect(window);
    window.OffsetRect(dx, dy);
    MoveWindow(window, TRUE);
}

void CKGPMiniFrameWnd::MoveDragFrame()
{
    m_dragFrameImpl.MoveDragFrame(TRUE);
}

BOOL CKGPMiniFrameWnd::NotifyFrameOfMove()
{
    // The owner frame is told (its dock manager decides whether the frame
    // docks here); a window that docks no bars refuses the move. (Found by
    // its window: a document window's bar floats over the main frame, not
    // over the frame of its own dock manager.)
    CKGPDockManager* pOwnerManager = CKGPGlobalUtils::Get().GetFrameDockManager(CWnd::FromHandle(m_hParentWnd));
    IKGPDockSite* pSite = pOwnerManager != nullptr ? pOwnerManager->GetSite() : nullptr;
    return pSite != nullptr && pSite->OnMoveMiniFrame(this);
}

void CKGPMiniFrameWnd::SetDockingTimer(UINT nTimeOut)
{
    KillDockingTimer();
    if (GetSafeHwnd() != nullptr)
        m_nDockTimerID = SetTimer(kDockingTimerId, nTimeOut, nullptr);
}

void CKGPMiniFrameWnd::KillDockingTimer()
{
    if (m_nDockTimerID != 0 && GetSafeHwnd() != nullptr)
        KillTimer(m_nDockTimerID);
    m_nDockTimerID = 0;
}

// ---- Docking at the end of a drag.

BOOL CKGPMiniFrameWnd::GiveDropToHostedBar()
{
    CKGPControlBar* pBar = HostedControlBar();
    if (pBar == nullptr)
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    // The outline goes first (it stays known for docking when the bar declines).
    m_dragFrameImpl.EndDrawDragFrame(FALSE);
    if (!pBar->OnFloatingDrop(cursor))
        return FALSE;
    m_dragFrameImpl.EndDrawDragFrame(TRUE);
    if (CKGPDockManager* pManager = GetDockManager()) {
        if (CKGPSmartDockingManager* pSmart = pManager->GetSmartDockingManager())
            pSmart->Stop();
    }
    return TRUE;
}

BOOL CKGPMiniFrameWnd::DropAsTabbedDocument()
{
    CKGPDockManager* pManager = GetDockManager();
    CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, GetControlBar());
    if (IsCtrlDown() || pPane == nullptr || pSmart == nullptr || !pSmart->IsStarted() ||
        pSmart->GetHotMarker() != kgp::smartdock::kGroupCentre || !IsInDocumentTabMode(pManager))
        return FALSE;
    // Only where no floating frame and no bar lies under the cursor: the documents.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (pManager->FindMiniFrameAtPoint(cursor, this, FALSE) != nullptr ||
        pManager->BarFromPoint(cursor, CKGPDockManager::s_nDockSensitivity, FALSE, nullptr, TRUE, pPane) != nullptr)
        return FALSE;
    m_dragFrameImpl.EndDrawDragFrame();
    pSmart->Stop();
    pPane->ConvertToTabbedDocument();
    // The frame lays out what the drag left (a pane the frame made no
    // document of floats on where it was let go).
    if (CFrameWnd* pSite = pManager->GetDockSite())
        pSite->RecalcLayout();
    return TRUE;
}

BOOL CKGPMiniFrameWnd::IsDockPlaceUnderCursor() const
{
    if (IsCtrlDown())
        return FALSE;
    CKGPDockManager* pManager = GetDockManager();
    if (pManager == nullptr)
        return TRUE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect rect;
    BOOL bDrawTab = FALSE;
    CKGPBaseControlBar* pTarget = nullptr;
    pManager->CalcExpectedDockedRect(const_cast<CKGPMiniFrameWnd*>(this), cursor, rect, bDrawTab, pTarget);
    return !rect.IsRectEmpty() || bDrawTab || m_dragFrameImpl.GetTargetDockBar() != nullptr;
}

CKGPBaseControlBar* CKGPMiniFrameWnd::DockBarByMouse(BOOL& bDocked)
{
    bDocked = FALSE;
    CKGPControlBar* pBar = HostedControlBar();
    // Released where the tab was offered: the pane becomes that pane's tab.
    if (CKGPDockingControlBar* pTab = RecordedTabTarget()) {
        m_hTabTarget = nullptr;
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
        bDocked = pPane != nullptr && pPane->DockAsTabOf(pTab);
        return bDocked ? pPane : nullptr;
    }
    // Released on a smart-docking marker: the pane docks where it stands for.
    CKGPDockManager* pManager = GetDockManager();
    const CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
    if (pBar != nullptr && pBar->IsPaneKind() && pSmart != nullptr && pSmart->IsStarted() &&
        pSmart->GetHotMarker() != CKGPSmartDockingManager::kNoMarker) {
        bDocked = pBar->DockByMouse(nullptr);
        return bDocked ? pBar : nullptr;
    }
    if (pBar == nullptr || !IsDockPlaceUnderCursor())
        return nullptr;
    // A pane released where the outline showed it as a tab docks as one.
    if (pBar->IsPaneKind() && m_dragFrameImpl.IsDropAsTab()) {
        bDocked = pBar->DockByMouse(nullptr);
        return bDocked ? pBar : nullptr;
    }
    // A bar dropped over a dock bar that takes it docks there, at the outline.
    if (CKGPDockBar* pDockBar = m_dragFrameImpl.GetTargetDockBar()) {
        const CRect rect = m_dragFrameImpl.GetDragRect();
        bDocked = pBar->DockToBar(pDockBar, rect.IsRectEmpty() ? nullptr : &rect, KGP_DM_RECT);
        return bDocked ? pDockBar : nullptr;
    }
    // (Docking panes dock at the cursor themselves once they exist.)
    return nullptr;
}

CKGPBaseControlBar* CKGPMiniFrameWnd::DockOnDragEnd(BOOL& bDocked)
{
    bDocked = FALSE;
    const int mode = GetDockingMode();
    CKGPDockManager* pManager = GetDockManager();
    CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
    const BOOL bSmartRunning = pSmart != nullptr && pSmart->IsStarted();
    if ((mode & KGP_DOCK_IMMEDIATE) != 0 && !bSmartRunning) {
        // A target pane recorded by DockToTarget takes the hosted pane: into
        // its place (kind 1) or as its tab (kind 2). Only what docked is told.
        const int nKind = m_nDockToTargetKind;
        CKGPBaseControlBar* pTarget = m_pTargetPane;
        auto* pTargetPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTarget);
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, GetControlBar());
        m_nDockToTargetKind = 0;
        m_pTargetPane = nullptr;
        CKGPBaseControlBar* pReceiver = nullptr;
        if (nKind == 1 && pPane != nullptr && (pTargetPane != nullptr || pTarget == nullptr)) {
            bDocked = pPane->DockPane(pTargetPane, nullptr, KGP_DM_MOUSE);
        } else if (nKind == 2 && pPane != nullptr && pTargetPane != nullptr) {
            if (pSmart != nullptr)
                pSmart->Stop();
            // A tabbed pane hands over its tabs and goes: the target's tabbed pane received them.
            const BOOL bMerging = KGPTabbedBars::IsTabbedBar(pPane);
            CKGPDockingControlBar* pResult = pPane->AttachToTabWnd(pTargetPane, KGP_DM_MOUSE, TRUE);
            bDocked = pResult != nullptr && (pResult == pPane || bMerging);
            if (bDocked)
                return pResult;
        }
        if (bDocked)
            pReceiver = pPane;
        if (pSmart != nullptr)
            pSmart->Stop();
        return pReceiver;
    }
    if ((mode & (KGP_DOCK_DRAGFRAME | KGP_DOCK_SMART)) == 0)
        return nullptr;
    const CRect rectLast = m_dragFrameImpl.GetDragRect();
    m_dragFrameImpl.EndDrawDragFrame(FALSE);
    const HWND hSelf = m_hWnd;
    const HWND hOwner = m_hParentWnd;
    CKGPBaseControlBar* pDocked = DockBarByMouse(bDocked);
    // A frame of several panes that docked them all has gone meanwhile.
    const BOOL bGone = !::IsWindow(hSelf) || CWnd::FromHandlePermanent(hSelf) != this;
    if (!bGone)
        m_dragFrameImpl.EndDrawDragFrame(TRUE);
    if (pSmart != nullptr)
        pSmart->Stop();
    if (CWnd* pOwner = ::IsWindow(hOwner) ? CWnd::FromHandle(hOwner) : nullptr) {
        if (CFrameWnd* pTop = pOwner->GetTopLevelFrame())
            pTop->RecalcLayout();
    }
    if (pManager != nullptr)
        pManager->AdjustDockingLayout();
    if (rectLast.IsRectEmpty() || pDocked != nullptr || bDocked || bGone)
        return pDocked;
    // Dropped away from every docking place: the frame goes where the outline was.
    SetWindowPos(HWND{}, rectLast.left, rectLast.top, rectLast.Width(), rectLast.Height(),
                 SWP_NOZORDER | SWP_NOCOPYBITS);
    if (!IsWindowVisible() && GetVisibleBarCount() > 0)
        ShowWindow(SW_SHOWNA);
    return nullptr;
}

int CKGPMiniFrameWnd::DockToTarget(int nKind, CKGPBaseControlBar* pTarget, KGPDockMethod /*method*/)
{
    if (nKind == 0)
        return 1;
    // Kind 1 without a target docks at the frame's edge under the cursor.
    if ((nKind == 2 && (pTarget == nullptr || !pTarget->IsPaneKind())) ||
        (pTarget != nullptr && pTarget->GetParentMiniFrame(TRUE) != nullptr))
        return 1;
    const BOOL bWasMoving = m_bCaptured;
    if (m_bCaptured)
        EndMove();
    m_nDockToTargetKind = nKind;
    m_pTargetPane = pTarget;
    BOOL bDocked = FALSE;
    CKGPBaseControlBar* pReceiver = DockOnDragEnd(bDocked);
    if (pReceiver == nullptr)
        return 1;
    pReceiver->AdjustDockingLayout();
    if (bWasMoving) {
        if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pReceiver))
            pControlBar->SetDragMode(FALSE);
    }
    return 0;
}

// ---- A bar torn off a menu.

int CKGPMiniFrameWnd::StartTearOff(CWnd* pMenuWnd)
{
    CRect rectButton;
    if (pMenuWnd != nullptr && pMenuWnd->GetSafeHwnd() != nullptr)
        pMenuWnd->ShowWindow(SW_HIDE);
    MSG pending;
    while (::PeekMessageW(&pending, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&pending);
    if (::GetCapture() != nullptr)
        return 0;
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr)
        return 0;
    const HWND hFocus = ::GetFocus();
    pBar->SetCapture();
    CRect window;
    GetWindowRect(window);
    ::SetCursorPos(window.CenterPoint().x, window.top + 5);

    BOOL bKept = FALSE;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == pBar->GetSafeHwnd()) {
        MSG msg;
        ::GetMessageW(&msg, nullptr, 0, 0);
        if (msg.message == WM_QUIT) {
            // The application is ending: the loop that owns the quit hears it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            GetWindowRect(window);
            SetWindowPos(HWND{}, cursor.x - window.Width() / 2, cursor.y - 5, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case WM_LBUTTONUP:
            bKept = TRUE;
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bDone = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    ::ReleaseCapture();
    if (bKept) {
        if (pMenuWnd != nullptr && ::IsWindow(pMenuWnd->GetSafeHwnd()))
            pMenuWnd->SendMessage(WM_CLOSE);
        if (hFocus != nullptr && ::IsWindow(hFocus))
            ::SetFocus(hFocus);
        return 1;
    }
    if (pMenuWnd != nullptr && ::IsWindow(pMenuWnd->GetSafeHwnd()))
        pMenuWnd->ShowWindow(SW_SHOWNOACTIVATE);
    // Cancelled: the torn-off bar goes.
    if (auto* pBaseBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pBar)) {
        pBaseBar->RemoveFromDockManager();
        pBaseBar->DestroyWindow();
        delete pBaseBar;
    }
    return 0;
}

// ---- The floating state in the layout archive.

void CKGPMiniFrameWnd::Serialize(CArchive& ar)
{
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        CRect window;
        GetWindowRect(window);
        if (m_bRolledUp)
            window.bottom = window.top + m_nHeightBeforeRollUp;
        CWnd* pBar = GetControlBar();
        ar << static_cast<DWORD>(GetStyle());
        ar << window;
        ar << static_cast<DWORD>(IsWindowVisible() ? 1 : 0);
        // A bar without an id of its own (a tabbed pane made when a pane was
        // dropped on another) is found by none: a tabbed pane is stored by its
        // record as the split trees store it, any other as no bar (a frame of
        // several panes stores its panes in its tree).
        const int nBarId = pBar != nullptr ? pBar->GetDlgCtrlID() : 0;
        if (nBarId > 0 && nBarId <= 0xFFFF)
            ar << static_cast<UINT>(nBarId);
        else if (!StoresTabbedPaneRecord() || !CKGPStoredTabbedPane::Write(ar, pBar))
            ar << static_cast<UINT>(0);
        ar << static_cast<DWORD>(m_dwCaptionButtons);
        ar << static_cast<DWORD>(m_bPinned ? 1 : 0);
        return;
    }
    CKGPStoredLoad load;
    ReadArchive(ar, load);
    load.Commit();
    if (GetSafeHwnd() == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException); // the window could not be made
}

void CKGPMiniFrameWnd::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    // All of it is read and checked before anything is made.
    CKGPStoredReader in(ar);
    using kgp_stored::kMaxCoordinate;
    const DWORD style = in.ReadUInt(0, 0xFFFFFFFF);
    const CRect rect = in.ReadRect(kMaxCoordinate);
    const BOOL visible = in.ReadBool();
    // The bar's id, or a tabbed pane's record after its mark (which a build
    // before such records refuses, as an id out of range).
    const UINT barWord = in.ReadUInt(0, 0xFFFFFFFF);
    std::shared_ptr<CKGPStoredTabbedPane> pTabbed;
    if (barWord == CKGPStoredTabbedPane::kMark && StoresTabbedPaneRecord()) {
        pTabbed = std::make_shared<CKGPStoredTabbedPane>();
        pTabbed->Read(in, load);
    } else if (barWord > 0xFFFF) {
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    }
    const UINT barId = pTabbed != nullptr ? 0 : barWord;
    const DWORD buttons = in.ReadFlags(GetStorableCaptionButtons());
    const BOOL pinned = in.ReadBool();
    CFrameWnd* pParent = CKGPDockManager::s_pLoadingFrame;
    if (pParent == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
        CKGPStoredReader::Refuse(CArchiveException::badIndex);
    load.OnCommit([this, style, rect, visible, barId, pTabbed, buttons, pinned, pParent] {
        // A frame stored on a monitor that is gone comes back on one that exists.
        CRect placed = rect;
        CKGPGlobalUtils::Get().AdjustRectToWorkArea(placed);
        m_stored = {(style & kStoredStyleMask & ~WS_VISIBLE) | WS_POPUP, placed, visible, barId, buttons, pinned, pParent};
        // Making a floating window costs far more than moving one: a live
        // frame holding just this bar moves to the stored place instead.
        m_pTakenOver = m_bMayTakeOver && m_bRecordMakesNoWindow ? FindFrameToTakeOver() : nullptr;
        if (m_pTakenOver != nullptr)
            m_pTakenOver->TakeStoredPlace(m_stored);
        else
            CreateStoredWindow();
        // The tabbed pane read is made in the frame (one holding a bar by its
        // id is never taken over for it); SetDockState takes it up.
        if (pTabbed != nullptr && m_pTakenOver == nullptr && GetSafeHwnd() != nullptr) {
            if (CKGPDockingControlBar* pPane = pTabbed->Create(this))
                m_hRestoredTabbedPane = pPane->GetSafeHwnd();
        }
    });
}

BOOL CKGPMiniFrameWnd::CreateStoredWindow()
{
    m_pTakenOver = nullptr;
    if (GetSafeHwnd() == nullptr && !Create(_T(""), m_stored.style, m_stored.rect, m_stored.pParent))
        return FALSE;
    m_hParentWnd = m_stored.pParent->GetSafeHwnd();
    ApplyStoredPlace(m_stored);
    return TRUE;
}

void CKGPMiniFrameWnd::ApplyStoredPlace(const StoredPlace& stored)
{
    m_nRestoredEmbeddedBarID = stored.barId;
    m_hRestoredTabbedPane = nullptr; // (the record's own made after this)
    m_bRestoredVisible = stored.visible;
    m_dwCaptionButtons = stored.buttons;
    m_bPinned = stored.pinned;
}

CKGPMiniFrameWnd* CKGPMiniFrameWnd::FindFrameToTakeOver() const
{
    CKGPDockManager* pManager = CKGPGlobalUtils::Get().GetFrameDockManager(m_stored.pParent);
    if (pManager == nullptr || m_stored.barId == 0)
        return nullptr;
    for (POSITION pos = pManager->GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        auto* pLive = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pManager->GetMiniFrames().GetNext(pos));
        if (pLive == nullptr || pLive == this || pLive->GetRuntimeClass() != GetRuntimeClass() ||
            pLive->GetSafeHwnd() == nullptr || pLive->IsMoving() || pLive->IsRolledUp() ||
            pLive->GetControlBarCount() != 1)
            continue;
        CWnd* pBar = pLive->GetControlBar();
        if (pBar == nullptr || static_cast<UINT>(pBar->GetDlgCtrlID()) != m_stored.barId)
            continue;
        // Each live frame stands in for one record at most.
        if (!pManager->IsLoadedMiniFrame(pLive))
            return pLive;
    }
    return nullptr;
}

void CKGPMiniFrameWnd::TakeStoredPlace(const StoredPlace& stored)
{
    ModifyStyle((kStoredStyleMask & ~WS_VISIBLE) & ~stored.style, stored.style & ~WS_VISIBLE);
    SetWindowPos(HWND{}, stored.rect.left, stored.rect.top, stored.rect.Width(), stored.rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyStoredPlace(stored);
}

void CKGPMiniFrameWnd::TakeOutOfTabAndStrip(CKGPBaseControlBar* pBar)
{
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
    CKGPBaseControlBar* pTabbed = pBar != nullptr ? pBar->GetParentTabbedBar() : nullptr;
    if (pTabbed != nullptr && pTabbed != pBar) {
        // Out of the tabbed pane (a floating one's frame would otherwise give
        // up a bar it never held, and the tab would stay in two places).
        CWnd* pOldParent = pBar->GetParent();
        if (pPane != nullptr) {
            pPane->LeaveTabbedPane();
            pPane->OnAfterChangeParent(pOldParent);
        } else if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link()) {
            CWnd* pTabbedParent = pTabbed->GetParent();
            pLink->RemoveBarTab(pBar);
            pBar->SetParent(pTabbedParent);
        }
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
    }
    if (pPane != nullptr && pPane->IsAutoHideMode())
        pPane->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, FALSE);
}

CKGPDockingControlBar* CKGPMiniFrameWnd::GetRestoredTabbedPane() const
{
    if (m_hRestoredTabbedPane == nullptr || !::IsWindow(m_hRestoredTabbedPane))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPDockingControlBar, CWnd::FromHandlePermanent(m_hRestoredTabbedPane));
}

BOOL CKGPMiniFrameWnd::SetDockState(CKGPDockManager* pDockManager)
{
    CKGPBaseControlBar* pBar = GetRestoredTabbedPane();
    if (pBar == nullptr && m_nRestoredEmbeddedBarID != 0 && pDockManager != nullptr)
        pBar = pDockManager->FindBarById(m_nRestoredEmbeddedBarID, TRUE);
    if (pBar == nullptr || !pBar->CanFloat() || pBar->GetSafeHwnd() == nullptr) {
        DestroyWindow();
        return FALSE;
    }
    TakeOutOfTabAndStrip(pBar);
    if (CKGPMiniFrameWnd* pOther = pBar->GetParentMiniFrame(TRUE)) {
        if (pOther != this)
            pOther->RemoveControlBar(pBar, FALSE, FALSE);
    } else {
        CRect window;
        pBar->GetWindowRect(window);
        if (pBar->FloatBar(window, KGP_DM_SHOW, false)) {
            if (CKGPMiniFrameWnd* pMade = pBar->GetParentMiniFrame(TRUE)) {
                if (pMade != this)
                    pMade->RemoveControlBar(pBar, FALSE, FALSE);
            }
        }
    }
    pBar->SetParent(this);
    if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBar)) {
        pControlBar->SetDragMode(FALSE);
        pControlBar->OnAfterChangeParent(nullptr);
    }
    const DWORD buttons = m_dwCaptionButtons;
    AddControlBar(pBar);
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    pBar->RecalcLayout();
    // A pane fills the frame at its stored size (the size it was given); a
    // bar of its own size sizes the frame.
    if (!pBar->IsPaneKind())
        SizeToContent();
    SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (pBar->IsPaneKind())
        AdjustLayout();
    pBar->ShowWindow(pBar->GetRecentVisibleState() ? SW_SHOWNOACTIVATE : SW_HIDE);
    SetCaptionButtons(buttons);
    return TRUE;
}
