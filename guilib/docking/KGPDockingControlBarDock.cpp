// The docking pane's places: docked at a frame edge (a new default slider's
// tree), beside another pane (that pane's tree), back at its recent place,
// floating alone or with others, as a tab, shown and hidden in its host.
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"

#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingFrameMessages.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/docking/KGPTabbedBarLink.h"

namespace {

BOOL IsCtrlDown()
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

// The side of the target a point at `point` docks to: the edge it is nearest
// within the sensitivity, else the nearest edge of all.
DWORD SideOfTarget(CKGPBaseControlBar* pTarget, CPoint point)
{
    DWORD dwAlignment = 0;
    if (CKGPGlobalUtils::Get().CheckAlignment(point, pTarget, CKGPDockManager::s_nDockSensitivity, nullptr, FALSE,
                                              dwAlignment, CBRS_ALIGN_ANY))
        return dwAlignment;
    CRect rect;
    pTarget->GetWindowRect(rect);
    const int distances[] = {point.x - rect.left, point.y - rect.top, rect.right - point.x, rect.bottom - point.y};
    const DWORD sides[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM};
    int best = 0;
    for (int i = 1; i < 4; ++i) {
        if (distances[i] < distances[best])
            best = i;
    }
    return sides[best];
}

// Tabs stand at their tabbed pane's edge (not the one they had floating).
void AlignTabsWith(IKGPTabbedBarLink& link, CKGPBaseControlBar* pTabbed)
{
    CObList tabs;
    link.AppendTabs(pTabbed, tabs);
    for (POSITION pos = tabs.GetHeadPosition(); pos != nullptr;) {
        if (auto* pTab = DYNAMIC_DOWNCAST(CKGPBaseControlBar, tabs.GetNext(pos)))
            pTab->SetCurrentAlignment(pTabbed->GetCurrentAlignment());
    }
}

}  // namespace

// ---- Leaving a host.

void CKGPDockingControlBar::RemoveFromDockBar()
{
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE); pMiniFrame != nullptr &&
                                                                 pMiniFrame->IsMultiPaneFrame()) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
        return;
    }
    if (CKGPSlider* pSlider = GetDefaultPaneSlider()) {
        m_hDefaultSlider = nullptr;
        pSlider->RemoveControlBar(this);
    }
    CKGPControlBar::RemoveFromDockBar();
}

void CKGPDockingControlBar::RemoveFromHost(BOOL bKeepLayout)
{
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
        return;
    }
    const BOOL bHadSlider = GetDefaultPaneSlider() != nullptr;
    RemoveFromDockBar();
    if (bHadSlider && !bKeepLayout && !IsFloating())
        AdjustDockingLayout();
}

void CKGPDockingControlBar::LeaveTabbedPane()
{
    IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
    CKGPBaseControlBar* pTabbed = GetParentTabbedBar();
    if (pLink == nullptr || pTabbed == nullptr)
        return;
    pLink->RemoveBarTab(this);
    if (CWnd* pSite = DockingFrame(); pSite != nullptr && GetParent() != pSite)
        SetParent(pSite);
    // A tabbed pane left without a tab goes.
    CObList tabs;
    pLink->AppendTabs(pTabbed, tabs);
    if (tabs.IsEmpty() && pTabbed->GetSafeHwnd() != nullptr) {
        pTabbed->RemoveFromHost(FALSE);
        pTabbed->DestroyWindow();
    }
}

BOOL CKGPDockingControlBar::LeaveFloatingFrame()
{
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame == nullptr)
        return TRUE;
    CWnd* pOwner = pMiniFrame->GetParentFrameWnd();
    if (pOwner == nullptr)
        return FALSE;
    if (pMiniFrame->IsMoving())
        pMiniFrame->SendMessage(WM_CANCELMODE);
    pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    CWnd* pOldParent = GetParent();
    ShowWindow(SW_HIDE);
    SetParent(pOwner);
    m_dwStyle &= ~CBRS_FLOATING;
    OnAfterChangeParent(pOldParent);
    return TRUE;
}

CKGPDockingControlBar::PlaceBefore CKGPDockingControlBar::RememberPlace()
{
    PlaceBefore place;
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        place.hFloatingFrame = pMiniFrame->GetSafeHwnd();
        pMiniFrame->GetWindowRect(place.frameRect);
    }
    place.bDocked = place.hFloatingFrame == nullptr && (GetDefaultPaneSlider() != nullptr || IsTabbed());
    StoreRecentDockInfo();
    return place;
}

void CKGPDockingControlBar::PutBack(const PlaceBefore& place)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (place.hFloatingFrame == nullptr) {
        if (place.bDocked)
            DockPane(nullptr, nullptr, KGP_DM_DBLCLICK); // its recent docked place, stored before it left
        return;
    }
    // Back into the frame it shared with others, or floating alone where its frame was.
    if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, CWnd::FromHandlePermanent(place.hFloatingFrame))) {
        if (pMulti->GetContainerManager().GetPanes().Find(this) != nullptr)
            return; // it never left
        if (pMulti->AddRecentPane(this) != 0)
            return;
    }
    if (CKGPMiniFrameWnd* pFrame = GetParentMiniFrame(TRUE); pFrame != nullptr && pFrame->GetControlBarCount() == 0) {
        // A one-pane frame emptied by the attempt takes it back.
        pFrame->AddControlBar(this);
        m_dwStyle |= CBRS_FLOATING;
        ShowWindow(SW_SHOWNOACTIVATE);
        pFrame->RecalcLayout();
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        return;
    }
    if (FloatBar(place.frameRect, KGP_DM_SHOW, true))
        ShowWindow(SW_SHOWNOACTIVATE);
}

CKGPDockingControlBar* CKGPDockingControlBar::RecentTabNeighbour(CKGPSlider* pSlider) const
{
    CKGPBarContainer* pNode = m_recentDockInfo.GetRecentTabContainer(TRUE);
    CKGPBarContainerManager* pTree = pSlider != nullptr ? pSlider->GetContainerManager() : nullptr;
    if (pNode == nullptr || pTree == nullptr || !pTree->HasRecentPlaceOf(this, TRUE))
        return nullptr;
    CKGPDockingControlBar* pNeighbour =
        m_recentDockInfo.IsRecentFirstInContainer(TRUE) ? pNode->GetLeftBar() : pNode->GetRightBar();
    if (pNeighbour == nullptr || pNeighbour == this || pNeighbour->GetSafeHwnd() == nullptr ||
        !CanAttachAsTabTo(pNeighbour))
        return nullptr;
    return pNeighbour;
}

BOOL CKGPDockingControlBar::CanAttachAsTabTo(CKGPDockingControlBar* pTarget) const
{
    if (pTarget == nullptr || pTarget == this || KGPTabbedBars::Link() == nullptr || !CanBeTabbed() ||
        !pTarget->CanBeTabbed())
        return FALSE;
    // A tab of the target's own tabbed pane, or this pane's own tabbed pane, goes nowhere.
    if (pTarget->GetParentTabbedBar() == this || (IsTabbed() && pTarget == GetParentTabbedBar()))
        return FALSE;
    // The pane whose tabs it would join takes it (an outlook bar only its pages).
    if (KGPTabbedBars::IsTabbedBar(pTarget))
        return pTarget->CanTakeAsTab(this);
    if (CKGPBaseControlBar* pTabbed = pTarget->GetParentTabbedBar()) {
        const auto* pTabbedPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTabbed);
        return pTabbedPane != nullptr && pTabbedPane->CanTakeAsTab(this);
    }
    if (!pTarget->CanTakeAsTab(this))
        return FALSE;
    // A tabbed pane is made in the target's place: it must have one and make tabbed panes.
    return pTarget->m_dwTabbedStyle != 0 &&
           (pTarget->GetParentMiniFrame(TRUE) != nullptr || pTarget->GetDefaultPaneSlider() != nullptr);
}

void CKGPDockingControlBar::OnAfterChangeParent(CWnd* pOldParent)
{
    CKGPControlBar::OnAfterChangeParent(pOldParent);
    // A pane that left its tree has no default slider any more.
    if (CKGPSlider* pSlider = GetDefaultPaneSlider()) {
        if (pSlider->GetParent() != GetParent())
            m_hDefaultSlider = nullptr;
    }
}

void CKGPDockingControlBar::StoreRecentDockInfo()
{
    if (IsTabbed()) {
        StoreRecentTabPlace();
        return;
    }
    // The host records where the pane is: its floating frame's tree, or its
    // default slider's.
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        if (pMiniFrame->IsMultiPaneFrame()) {
            pMiniFrame->RecordPanePlace(this);
            return;
        }
        m_recentDockInfo.StoreDockInfo(nullptr);
        return;
    }
    if (CKGPSlider* pSlider = GetDefaultPaneSlider()) {
        if (pSlider->IsAutoHideMode())
            return; // an auto-hidden pane keeps the place it had
        if (CKGPBarContainerManager* pManager = pSlider->GetContainerManager()) {
            pManager->StoreRecentPlace(this);
            return;
        }
    }
    m_recentDockInfo.StoreDockInfo(nullptr);
}

void CKGPDockingControlBar::StoreRecentTabPlace()
{
    CKGPBaseControlBar* pTabbed = GetParentTabbedBar();
    auto* pTabbedPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTabbed);
    if (pTabbedPane == nullptr)
        return;
    if (CKGPMiniFrameWnd* pMiniFrame = pTabbedPane->GetParentMiniFrame(TRUE)) {
        pMiniFrame->RecordTabPlace(this, pTabbedPane);
        return;
    }
    if (CKGPSlider* pSlider = pTabbedPane->GetDefaultPaneSlider()) {
        BOOL bLeft = FALSE;
        if (CKGPBarContainer* pNode = pSlider->FindContainer(pTabbedPane, bLeft))
            m_recentDockInfo.StoreDockInfo(pNode, pTabbedPane);
    }
}

BOOL CKGPDockingControlBar::FloatBar(CRect rect, KGPDockMethod method, bool bShow)
{
    // (A tab dragged out leaves through its tab window, which floats it.)
    if (!IsTabbed() || method == KGP_DM_MOUSE || !CanFloat() || GetParentTabbedBar() == nullptr)
        return CKGPControlBar::FloatBar(rect, method, bShow);
    StoreRecentDockInfo();
    const CKGPRecentDockInfo tabPlace(m_recentDockInfo);
    LeaveTabbedPane();
    const BOOL bFloated = CKGPControlBar::FloatBar(rect, method, bShow);
    // The docked place to come back to is the tab's, not the nowhere it floated from.
    m_recentDockInfo.SetInfo(TRUE, tabPlace);
    return bFloated;
}

// ---- Showing.

void CKGPDockingControlBar::ConvertToTabbedDocument(BOOL bActiveTabOnly)
{
    if (IsAutoHideMode() || IsShownAsDocument())
        return;
    IKGPTabbedDocumentLink* pLink = CKGPLink<IKGPTabbedDocumentLink>::Get();
    if (pLink == nullptr)
        return;
    // A tab asks its tabbed pane, which hands over its active pane.
    if (auto* pTabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, GetParentTabbedBar())) {
        pTabbed->ConvertToTabbedDocument(bActiveTabOnly);
        return;
    }
    pLink->ControlBarToTabbedDocument(this);
}

void CKGPDockingControlBar::ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_bPinState) {
        ShowAutoHidden(bShow, bActivate); // through its auto-hide strip
        return;
    }
    if (IsShownAsDocument()) {
        // Shown as a tabbed document, the pane hides by closing its document
        // window, which gives it back to docking: hidden there as asked.
        if (bShow) {
            ShowWindow(SW_SHOW);
            return;
        }
        const HWND hSelf = m_hWnd;
        if (CWnd* pDocument = GetParent())
            pDocument->SendMessage(WM_CLOSE);
        if (::IsWindow(hSelf) && !IsShownAsDocument() && IsWindowVisible())
            ShowBar(FALSE, bDelay, bActivate);
        return;
    }
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (!IsFloating() && !IsTabbed()) {
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        if (pMiniFrame != nullptr) {
            pMiniFrame->ShowPane(this, bShow);
        } else if (CKGPSlider* pSlider = GetDefaultPaneSlider()) {
            if (bShow) {
                AdjustToSliderContainer();
                m_nLastPercent = m_nLastPercent >= 50 ? 50 : m_nLastPercent + 1;
            }
            pSlider->OnShowControlBar(this, bShow);
            if (!bDelay)
                AdjustDockingLayout();
        }
    } else {
        CKGPBaseControlBar::ShowBar(bShow, bDelay, bActivate);
        if (pMiniFrame != nullptr)
            pMiniFrame->ShowPane(this, bShow);
        if (IsTabbed() && bShow && bDelay) {
            if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link()) {
                if (CKGPBaseControlBar* pTabbed = GetParentTabbedBar())
                    pLink->RecalcTabs(pTabbed);
            }
        }
    }
    if (IsTabbed() && bShow && bActivate) {
        if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link()) {
            if (CKGPBaseControlBar* pTabbed = GetParentTabbedBar())
                pLink->SetActiveTab(pTabbed, this);
        }
    }
}

void CKGPDockingControlBar::AdjustToSliderContainer()
{
    // A pane shown again starts from its tree's whole room; the layout then
    // gives it its share of it.
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    CKGPBarContainerManager* pManager = pSlider != nullptr ? pSlider->GetContainerManager() : nullptr;
    if (pManager == nullptr || pManager->GetRootContainer() == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect room;
    pManager->GetRootContainer()->GetWindowRect(room, TRUE);
    if (room.IsRectEmpty())
        return;
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(room);
    SetWindowPos(HWND{}, room.left, room.top, room.Width(), room.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPDockingControlBar::OnPressCloseButton()
{
    CFrameWnd* pFrame = DockingFrame();
    CWnd* pTop = pFrame != nullptr ? pFrame->GetTopLevelFrame() : GetTopLevelFrame();
    if (pTop != nullptr && KGPDockingFrameMessages::SendPressCloseButton(pTop, this))
        return;
    // An auto-hidden pane goes back to its place first, then hides there.
    if (m_bPinState)
        SetAutoHideMode(FALSE, GetCurrentAlignment());
    ShowBar(FALSE, FALSE, FALSE);
    CKGPGlobalUtils::Get().AdjustFrameLayout(CKGPGlobalUtils::Get().GetFrameDockManager(pFrame));
}

// ---- Docking.

BOOL CKGPDockingControlBar::DockControlBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    return DockPane(pDockBar, lpRect, method);
}

BOOL CKGPDockingControlBar::DockPane(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    if (pDockBar != nullptr && pDockBar != this && !pDockBar->CanAcceptBar(this))
        return FALSE;
    if (method == KGP_DM_RECT && lpRect == nullptr)
        return FALSE;
    auto* pTargetPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pDockBar);
    if (pTargetPane == this)
        pTargetPane = nullptr;

    if (method == KGP_DM_DBLCLICK || method == KGP_DM_SHOW) {
        // Back to the recent docked place.
        m_bPrepareToFloat = FALSE;
        StoreRecentDockInfo();
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, m_recentDockInfo.GetRecentDefaultSlider());
        const DWORD dwAlignment = m_recentDockInfo.m_dwRecentAlignmentToFrame;
        // A pane that was a tab goes back as a tab of the pane recorded beside it.
        if (CKGPDockingControlBar* pNeighbour = RecentTabNeighbour(pSlider)) {
            if (!LeaveFloatingFrame())
                return FALSE;
            if (AttachToTabWnd(pNeighbour, KGP_DM_DBLCLICK, TRUE) == this) {
                ShowBar(TRUE, FALSE, TRUE);
                AdjustDockingLayout();
                return TRUE;
            }
        }
        if (!LeaveFloatingFrame())
            return FALSE;
        if (pSlider == nullptr || pSlider->GetContainerManager() == nullptr) {
            CRect rect = m_recentDockInfo.GetRecentContainerRect(TRUE);
            if (CFrameWnd* pSite = GetDockSiteFrame())
                pSite->ClientToScreen(rect);
            ShowWindow(SW_SHOWNOACTIVATE);
            return DockToWindow(dwAlignment, rect.IsRectEmpty() ? nullptr : &rect, 1);
        }
        if (GetDefaultPaneSlider() != nullptr && GetDefaultPaneSlider() != pSlider)
            RemoveFromHost(TRUE);
        if (CWnd* pSite = pSlider->GetParent(); pSite != nullptr && GetParent() != pSite)
            SetParent(pSite);
        if (pSlider->AddRecentControlBar(this) == nullptr) {
            // Its place is gone: it joins the tree beside the last pane there.
            const CObList* pPanes = pSlider->GetControlBars();
            auto* pLast = pPanes != nullptr && !pPanes->IsEmpty()
                              ? static_cast<CKGPDockingControlBar*>(pPanes->GetTail())
                              : nullptr;
            const DWORD side = pSlider->IsHorizontal() ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_BOTTOM;
            if (pLast == nullptr || !pSlider->InsertControlBar(this, pLast, side)) {
                if (pLast != nullptr || pSlider->AddControlBar(this) == nullptr)
                    return DockToWindow(dwAlignment, nullptr, 1);
            }
        }
        m_hDefaultSlider = pSlider->GetSafeHwnd();
        SetCurrentAlignment(pSlider->GetCurrentAlignment());
        m_dwStyle &= ~CBRS_FLOATING;
        // Its caption is laid out once it stands in its tree (its pin shows
        // only for a pane that can auto-hide there).
        EnableGripper(TRUE);
        if (CKGPDockManager* pManager = GetDockManager()) {
            if (!pManager->InsertControlBar(this, pSlider, TRUE))
                pManager->AddControlBar(this);
        }
        if (method != KGP_DM_SHOW)
            ShowWindow(SW_SHOW);
        pSlider->CheckVisibility();
        AdjustDockingLayout();
        return TRUE;
    }

    if (method == KGP_DM_MOUSE || method == KGP_DM_STANDARD) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        if (pTargetPane == nullptr) {
            DWORD dwAlignment = 0;
            BOOL bOuterEdge = FALSE;
            if (!IsPointNearDockBar(cursor, dwAlignment, bOuterEdge) || (dwAlignment & m_dwEnabledAlign) == 0)
                return FALSE;
            return DockToWindow(dwAlignment, nullptr, 1, nullptr, -1, bOuterEdge);
        }
        return DockToBar(pTargetPane, SideOfTarget(pTargetPane, cursor));
    }

    if (method == KGP_DM_RECT && pTargetPane != nullptr) {
        CRect target;
        pTargetPane->GetWindowRect(target);
        return DockToBar(pTargetPane, SideOfTarget(pTargetPane, CRect(lpRect).CenterPoint()), lpRect);
    }
    // By program: at the pane's edge, or beside the target.
    if (pTargetPane != nullptr)
        return DockToBar(pTargetPane, CBRS_ALIGN_BOTTOM, lpRect);
    return DockToWindow(GetCurrentAlignment() != 0 ? GetCurrentAlignment() : CBRS_ALIGN_LEFT, lpRect, 1);
}

BOOL CKGPDockingControlBar::DockToWindow(DWORD dwAlignment, LPCRECT lpRect, DWORD, CKGPBaseControlBar*, int,
                                         BOOL bOuterEdge)
{
    dwAlignment &= CBRS_ALIGN_ANY;
    if (dwAlignment == 0)
        return FALSE;
    CFrameWnd* pSite = DockingFrame();
    if (pSite == nullptr)
        return FALSE;
    // An auto-hidden pane leaves its strip first.
    if (m_bPinState)
        UnpinFromAutoHide(nullptr);
    SetRedraw(FALSE);
    StoreRecentDockInfo();
    LeaveTabbedPane();
    if (!LeaveFloatingFrame()) {
        SetRedraw(TRUE);
        return FALSE;
    }
    if (GetDefaultPaneSlider() != nullptr)
        RemoveFromHost(TRUE);
    if (GetParent() != pSite)
        SetParent(pSite);
    m_pDockSite = pSite;
    CKGPSlider* pSlider = CKGPSlider::CreateDefaultSlider(dwAlignment, pSite);
    if (pSlider == nullptr) {
        SetRedraw(TRUE);
        ShowWindow(SW_HIDE);
        return FALSE;
    }
    // Never smaller than its minimum.
    CRect window;
    GetWindowRect(window);
    CSize minimum;
    GetMinSize(minimum);
    if (lpRect != nullptr)
        window = *lpRect;
    window.right = (std::max)(window.right, window.left + minimum.cx);
    window.bottom = (std::max)(window.bottom, window.top + minimum.cy);
    pSite->ScreenToClient(window);
    SetWindowPos(HWND{}, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_dwStyle &= ~CBRS_FLOATING;
    pSlider->AddControlBar(this);
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    if (CKGPDockManager* pManager = GetDockManager()) {
        pManager->AddControlBar(pSlider, !bOuterEdge, FALSE, bOuterEdge);
        if (!pManager->InsertControlBar(this, pSlider, TRUE))
            pManager->AddControlBar(this);
    }
    pSlider->SetCurrentAlignment(dwAlignment);
    SetCurrentAlignment(dwAlignment);
    m_recentDockInfo.m_dwRecentAlignmentToFrame = dwAlignment;
    EnableGripper(TRUE);
    SetRedraw(TRUE);
    ShowWindow(SW_SHOW);
    pSlider->CheckVisibility();
    AdjustDockingLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    OnAfterDock(this, nullptr, KGP_DM_UNKNOWN);
    return TRUE;
}

BOOL CKGPDockingControlBar::DockToBar(CKGPDockingControlBar* pTargetBar, DWORD dwAlignment, LPCRECT lpRect)
{
    CKGPSlider* pSlider = pTargetBar != nullptr ? pTargetBar->GetDefaultPaneSlider() : nullptr;
    if (pSlider == nullptr || pTargetBar == this) {
        ShowWindow(SW_SHOW);
        return FALSE;
    }
    // Checked before the pane moves: a refused dock leaves everything as it was.
    CKGPBarContainerManager* pTree = pSlider->GetContainerManager();
    if (pTree == nullptr || !pTree->CanAddPaneBeside(this, pTargetBar, dwAlignment) ||
        (GetParentMiniFrame(TRUE) != nullptr && GetParentMiniFrame(TRUE)->GetParentFrameWnd() == nullptr))
        return FALSE;
    if (m_bPinState)
        UnpinFromAutoHide(nullptr);
    const PlaceBefore before = RememberPlace();
    LeaveTabbedPane();
    if (!LeaveFloatingFrame())
        return FALSE;
    if (GetDefaultPaneSlider() != nullptr)
        RemoveFromHost(TRUE);
    if (lpRect != nullptr) {
        CRect rect(lpRect);
        if (CWnd* pParent = GetParent())
            pParent->ScreenToClient(rect);
        SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!pSlider->InsertControlBar(this, pTargetBar, dwAlignment, lpRect)) {
        PutBack(before);
        return FALSE;
    }
    m_dwStyle &= ~CBRS_FLOATING;
    if (CKGPDockManager* pManager = GetDockManager()) {
        if (!pManager->InsertControlBar(this, pTargetBar, TRUE))
            pManager->AddControlBar(this);
    }
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    SetCurrentAlignment(pSlider->GetCurrentAlignment());
    EnableGripper(TRUE);
    ShowWindow(SW_SHOW);
    SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pSlider->CheckVisibility();
    AdjustDockingLayout();
    OnAfterDock(pTargetBar, lpRect, KGP_DM_UNKNOWN);
    return TRUE;
}

int CKGPDockingControlBar::GetDockMethodAtCursor(int nSensitivity, CKGPBaseControlBar*& pTarget)
{
    pTarget = nullptr;
    CKGPDockManager* pManager = CKGPGlobalUtils::Get().GetFrameDockManager(DockingFrame());
    if (pManager == nullptr)
        return KGPDock::kDockNone;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    return pManager->DetermineDockMethod(cursor, nSensitivity, m_dwEnabledAlign, pTarget, this, this);
}

BOOL CKGPDockingControlBar::DockByMouse(CKGPBaseControlBar* pDockBar)
{
    CKGPDockManager* pManager = CKGPGlobalUtils::Get().GetFrameDockManager(DockingFrame());
    if (pManager == nullptr || IsCtrlDown())
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const BOOL bSmart = (GetDockingMode() & KGP_DOCK_SMART) != 0;
    CKGPBaseControlBar* pTarget = pDockBar;
    const int area = pManager->DetermineDockMethod(cursor, bSmart ? -1 : CKGPDockManager::s_nDockSensitivity,
                                                   m_dwEnabledAlign, pTarget, this, this);
    auto* pTargetPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTarget);
    if (pTargetPane == this)
        return FALSE;
    if (area == KGPDock::kDockBeside) {
        if (pTargetPane != nullptr) {
            auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pTargetPane->GetParentMiniFrame(TRUE));
            if (pMulti != nullptr) {
                if ((GetBarStyleWord() & KGP_CBRS_FLOAT_MULTI) == 0)
                    return FALSE;
                return !pMulti->DockPaneAtCursor(this);
            }
        }
        return DockPane(pTargetPane, nullptr, KGP_DM_STANDARD);
    }
    if (area == KGPDock::kDockAsTab)
        return DockAsTabOf(pTargetPane);
    return FALSE;
}

BOOL CKGPDockingControlBar::DockAsTabOf(CKGPDockingControlBar* pTargetPane)
{
    if (pTargetPane == nullptr || !pTargetPane->CanAcceptBar(this) || !CanAttachAsTabTo(pTargetPane))
        return FALSE;
    // A tabbed pane dropped as a tab hands over its tabs and goes: nothing to put back.
    if (KGPTabbedBars::IsTabbedBar(this))
        return AttachToTabWnd(pTargetPane, KGP_DM_STANDARD, TRUE) != nullptr;
    const PlaceBefore before = RememberPlace();
    RemoveFromHost(TRUE);
    if (AttachToTabWnd(pTargetPane, KGP_DM_STANDARD, TRUE) == this)
        return TRUE;
    PutBack(before);
    return FALSE;
}

CKGPBaseControlBar* CKGPDockingControlBar::DockAtDragFrameDrop(BOOL& bHandled)
{
    // An outline dropped where the pane docks: at an edge, beside a pane or
    // as a tab; elsewhere it floats at the outline.
    bHandled = DockByMouse(nullptr);
    return bHandled ? this : nullptr;
}

void CKGPDockingControlBar::OnAfterDock(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    if (!CKGPBaseControlBar::s_bLoadingState && GetSafeHwnd() != nullptr && IsWindowVisible())
        SetFocus();
    if ((GetDockingMode() & KGP_DOCK_IMMEDIATE) != 0) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        SetDragOffset(cursor);
    }
    if (GetParentMiniFrame(TRUE) == nullptr)
        CKGPControlBar::OnAfterDock(pDockBar, lpRect, method);
}

void CKGPDockingControlBar::NotifyAfterDock()
{
    OnAfterDock(this, nullptr, KGP_DM_UNKNOWN);
}

int CKGPDockingControlBar::RestoreSliderPanes()
{
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    if (pSlider == nullptr)
        return 0;
    if (const CObList* pPanes = pSlider->GetControlBars()) {
        for (POSITION pos = pPanes->GetHeadPosition(); pos != nullptr;) {
            auto* pPane = static_cast<CKGPDockingControlBar*>(pPanes->GetNext(pos));
            pPane->RegisterWithDockManager();
            pPane->SetDefaultSlider(pSlider->GetSafeHwnd());
            pPane->SetCurrentAlignment(GetCurrentAlignment());
        }
    }
    return pSlider->CheckVisibility();
}

BOOL CKGPDockingControlBar::OnBeforeFloat(CRect& rect, KGPDockMethod method)
{
    if (method == KGP_DM_MOUSE)
        m_bPrepareToFloat = FALSE;
    return CKGPControlBar::OnBeforeFloat(rect, method);
}

void CKGPDockingControlBar::EnterDragMode(BOOL bRememberOffset)
{
    if (!m_bPrepareToFloat) {
        // A drag handed on without a press on the pane (its floating frame
        // docked under the mouse): it floats again once the cursor goes a
        // drag distance from where it is now.
        ::GetCursorPos(&m_ptPressed);
        m_bReadyToFloat = TRUE;
    }
    m_bPrepareToFloat = TRUE;
    CKGPControlBar::EnterDragMode(bRememberOffset);
}

BOOL CKGPDockingControlBar::ReplaceWith(CKGPDockingControlBar* pBarToReplaceWith, BOOL bHandleInDockManager)
{
    if (pBarToReplaceWith == nullptr)
        return FALSE;
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->ReplaceControlBar(this, pBarToReplaceWith);
        return TRUE;
    }
    CKGPSlider* pSlider = GetDefaultPaneSlider();
    if (pSlider == nullptr)
        return FALSE;
    pSlider->ReplaceControlBar(this, pBarToReplaceWith);
    // It stands at its tree's edge now, not at the one it had before (a tab
    // keeps the edge it came with while its tabbed pane moves to others).
    pBarToReplaceWith->SetCurrentAlignment(pSlider->GetCurrentAlignment());
    m_hDefaultSlider = nullptr;
    RemoveFromDockManager(FALSE, FALSE, FALSE, bHandleInDockManager ? pBarToReplaceWith : nullptr);
    return TRUE;
}

// ---- Tabs (through the tabbed-bar link; without tab windows no pane is tabbed).

CKGPDockingControlBar* CKGPDockingControlBar::CreateTabbedControlBar()
{
    IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
    if (pLink == nullptr || m_dwTabbedStyle == 0)
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPDockingControlBar,
                            pLink->CreateTabbedBar(this, m_dwTabbedStyle == KGP_TAB_STYLE_OUTLOOK));
}

CKGPDockingControlBar* CKGPDockingControlBar::AttachToTabWnd(CKGPDockingControlBar* pTabControlBarAttachTo,
                                                             KGPDockMethod method, BOOL bSetActive,
                                                             CKGPDockingControlBar** ppTabbedControlBar)
{
    if (ppTabbedControlBar != nullptr)
        *ppTabbedControlBar = nullptr;
    IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
    CKGPDockingControlBar* pTarget = pTabControlBarAttachTo;
    if (pLink == nullptr || !CanAttachAsTabTo(pTarget))
        return nullptr;
    auto* pTabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, KGPTabbedBars::IsTabbedBar(pTarget)
                                                                ? pTarget
                                                                : pTarget->GetParentTabbedBar());
    if (pTabbed == nullptr) {
        // The target becomes the first tab of a tabbed pane made at its place.
        pTarget->StoreRecentDockInfo();
        pTabbed = pTarget->CreateTabbedControlBar();
        if (pTabbed == nullptr)
            return nullptr;
        if (CKGPDockManager* pManager = pTarget->GetDockManager(); pManager != nullptr && !pTarget->IsFloating())
            pManager->InsertControlBar(pTabbed, pTarget, TRUE);
        if (!pTarget->ReplaceWith(pTabbed, FALSE)) {
            if (!pTabbed->IsFloating())
                pTabbed->RemoveFromDockManager(FALSE, FALSE);
            pTabbed->DestroyWindow();
            return nullptr;
        }
        pTabbed->EnableDocking(pTarget->GetEnabledAlignment());
        pTabbed->SetCurrentAlignment(pTarget->GetCurrentAlignment());
        pTarget->RemoveFromHost(TRUE);
        pLink->AddTab(pTabbed, pTarget, TRUE, FALSE, TRUE);
        pTarget->EnableGripper(FALSE);
    }
    // A tabbed pane dropped here hands over its tabs and goes (its AddTab
    // answers FALSE): this object is gone once AddTab returns.
    const BOOL bMerging = KGPTabbedBars::IsTabbedBar(this);
    const BOOL bHadCaption = m_cyGripper != 0;
    EnableGripper(FALSE);
    StoreRecentDockInfo();
    const BOOL bAdded = pLink->AddTab(pTabbed, this, TRUE, bSetActive, TRUE);
    if (ppTabbedControlBar != nullptr)
        *ppTabbedControlBar = pTabbed;
    if (!bAdded && bMerging) {
        AlignTabsWith(*pLink, pTabbed);
        pLink->RecalcTabs(pTabbed);
        pTabbed->AdjustDockingLayout();
        return pTabbed;
    }
    if (!bAdded) {
        // Refused: the pane keeps its caption and its place; the target keeps its tab.
        EnableGripper(bHadCaption);
        pLink->RecalcTabs(pTabbed);
        if (ppTabbedControlBar != nullptr)
            *ppTabbedControlBar = nullptr;
        return nullptr;
    }
    AlignTabsWith(*pLink, pTabbed);
    OnAfterDock(pTabbed, nullptr, method);
    pLink->RecalcTabs(pTabbed);
    AdjustDockingLayout();
    return this;
}

