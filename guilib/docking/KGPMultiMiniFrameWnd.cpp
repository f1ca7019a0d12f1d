#include "guilib/docking/KGPMultiMiniFrameWnd.h"

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPSlider.h"

IMPLEMENT_SERIAL(CKGPMultiMiniFrameWnd, CKGPMiniFrameWnd, VERSIONABLE_SCHEMA | 1)


namespace {

// The roll-up is enabled by this bit of a bar's library style.
constexpr DWORD kRollUpStyle = 0x10;

CKGPDockingControlBar* AsPane(CObject* pObject)
{
    return DYNAMIC_DOWNCAST(CKGPDockingControlBar, pObject);
}

// Whether the target takes every pane of the list as its tab, asked before
// any of them moves.
BOOL TakesAllAsTabs(CKGPDockingControlBar* pTarget, const CObList& panes)
{
    if (pTarget == nullptr || panes.IsEmpty())
        return FALSE;
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pPane = AsPane(panes.GetNext(pos));
        if (pPane == nullptr || pPane == pTarget || !pTarget->CanAcceptBar(pPane) || !pPane->CanAttachAsTabTo(pTarget))
            return FALSE;
    }
    return TRUE;
}

// Each pane of the list becomes a tab of the target in the list's order
// (a tabbed pane brings its tabs), the first one active; whether any did. A
// pane the tabbed pane refuses after all stays where it was.
BOOL AttachAllAsTabs(CKGPDockingControlBar* pTarget, const CObList& panes, KGPDockMethod method)
{
    BOOL bAny = FALSE;
    BOOL bFirst = TRUE;
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pPane = AsPane(panes.GetNext(pos));
        if (pPane != nullptr && pPane->AttachToTabWnd(pTarget, method, bFirst) != nullptr)
            bAny = TRUE;
        bFirst = FALSE;
    }
    return bAny;
}

// The window a drag handed on goes on with: the first pane of the list, or
// the first shown tab of a tabbed pane (which goes once its tabs move).
HWND FirstDraggedWindow(const CObList& panes)
{
    CKGPDockingControlBar* pFirst = panes.IsEmpty() ? nullptr : AsPane(panes.GetHead());
    if (auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pFirst)) {
        int iTab = -1;
        CWnd* pTab = pTabbed->GetFirstVisibleTab(iTab);
        return pTab != nullptr ? pTab->GetSafeHwnd() : nullptr;
    }
    return pFirst != nullptr ? pFirst->GetSafeHwnd() : nullptr;
}

// The mouse, still down, goes on dragging the window where it now stands: a
// bar enters its drag again, any other window is pressed at the cursor.
void KeepDragging(HWND hWnd)
{
    if (hWnd == nullptr || !::IsWindow(hWnd) || ::GetKeyState(VK_LBUTTON) >= 0)
        return;
    if (auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, CWnd::FromHandlePermanent(hWnd))) {
        pBar->EnterDragMode(TRUE);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(hWnd, &cursor);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cursor.x, cursor.y));
}

}  // namespace

BEGIN_MESSAGE_MAP(CKGPMultiMiniFrameWnd, CKGPMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_REGISTERED_MESSAGE(KGPMSG_CHECKEMPTYMINIFRAME, &CKGPMultiMiniFrameWnd::OnCheckEmptyState)
END_MESSAGE_MAP()

CKGPMultiMiniFrameWnd::CKGPMultiMiniFrameWnd()
{
    m_bHostsToolbar = FALSE;
}

CKGPMultiMiniFrameWnd::~CKGPMultiMiniFrameWnd() = default;

template <class Visit>
void CKGPMultiMiniFrameWnd::ForEachPane(Visit visit) const
{
    // A copy: a visit may take panes out of the tree.
    CObList panes;
    panes.AddTail(const_cast<CObList*>(&m_barContainerManager.GetPanes()));
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
        if (CKGPDockingControlBar* pPane = AsPane(panes.GetNext(pos)))
            visit(pPane);
    }
}

int CKGPMultiMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_barContainerManager.GetOwnerWindow() == nullptr)
        m_barContainerManager.Create(this, nullptr);
    return 0;
}

// ---- The panes.

int CKGPMultiMiniFrameWnd::GetControlBarCount() const
{
    return static_cast<int>(m_barContainerManager.GetPanes().GetCount());
}

int CKGPMultiMiniFrameWnd::GetVisibleBarCount() const
{
    return m_barContainerManager.GetVisiblePaneCount();
}

CWnd* CKGPMultiMiniFrameWnd::GetFirstVisibleBar() const
{
    return m_barContainerManager.GetFirstVisiblePane();
}

CWnd* CKGPMultiMiniFrameWnd::GetControlBar() const
{
    CWnd* pHosted = m_hEmbeddedBar != nullptr ? CWnd::FromHandlePermanent(m_hEmbeddedBar) : nullptr;
    if (pHosted != nullptr && m_barContainerManager.GetPanes().Find(pHosted) != nullptr)
        return pHosted;
    if (CWnd* pVisible = m_barContainerManager.GetFirstVisiblePane())
        return pVisible;
    return m_barContainerManager.GetFirstPane();
}

BOOL CKGPMultiMiniFrameWnd::CanBeAttachedTo(CKGPBaseControlBar* pTarget)
{
    if (pTarget == nullptr)
        return FALSE;
    BOOL bAttached = FALSE;
    ForEachPane([&](CKGPDockingControlBar* pPane) {
        if (pTarget->CanAcceptBar(pPane) && pPane->CanAcceptBar(pTarget))
            bAttached = TRUE;
    });
    return bAttached;
}

void CKGPMultiMiniFrameWnd::AddControlBar(CKGPBaseControlBar* pBar)
{
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
    if (pPane != nullptr && m_barContainerManager.IsEmpty()) {
        if (m_barContainerManager.GetOwnerWindow() == nullptr)
            m_barContainerManager.Create(this, nullptr);
        m_barContainerManager.AddPane(pPane);
        CKGPMiniFrameWnd::AddControlBar(pBar);
    }
    SetRollUpTimer();
}

void CKGPMultiMiniFrameWnd::RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty, BOOL bKeepWhenEmpty)
{
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
    if (pPane == nullptr) {
        CKGPMiniFrameWnd::RemoveControlBar(pBar, bDestroyIfEmpty, bKeepWhenEmpty);
        return;
    }
    m_barContainerManager.RemovePane(pPane);
    AddRemoveBarFromGlobalMap(pPane, FALSE);
    if (m_hWndLastFocused == pPane->GetSafeHwnd())
        m_hWndLastFocused = nullptr;
    if (m_barContainerManager.IsEmpty()) {
        CKGPMiniFrameWnd::RemoveControlBar(pBar, FALSE, bKeepWhenEmpty);
    } else if (m_hEmbeddedBar == pPane->GetSafeHwnd()) {
        CKGPMiniFrameWnd::ReplaceControlBar(pBar, m_barContainerManager.GetFirstPane());
    }
    if (bDestroyIfEmpty && m_barContainerManager.IsEmpty()) {
        if (GetSafeHwnd() != nullptr)
            PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
    } else if (GetSafeHwnd() != nullptr) {
        CheckGripperVisibility();
        AdjustLayout();
        SendMessage(WM_NCPAINT);
    }
    KillRollUpTimer();
}

void CKGPMultiMiniFrameWnd::ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith)
{
    m_barContainerManager.ReplacePane(AsPane(pBarOrg), AsPane(pBarReplaceWith));
    CKGPMiniFrameWnd::ReplaceControlBar(pBarOrg, pBarReplaceWith);
    SetRollUpTimer();
}

BOOL CKGPMultiMiniFrameWnd::InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar*, BOOL)
{
    // The frame's own list is its tree's.
    return m_barContainerManager.GetPanes().Find(pBar) != nullptr;
}

BOOL CKGPMultiMiniFrameWnd::RegisterPane(CKGPDockingControlBar* pPane)
{
    AddRemoveBarFromGlobalMap(pPane, TRUE);
    return TRUE;
}

void CKGPMultiMiniFrameWnd::SetLastFocusedPane(CKGPDockingControlBar* pPane)
{
    m_hWndLastFocused = pPane != nullptr ? pPane->GetSafeHwnd() : nullptr;
}

void CKGPMultiMiniFrameWnd::CheckGripperVisibility()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    if (GetVisibleBarCount() == 1) {
        ForEachPane([](CKGPDockingControlBar* pPane) { pPane->EnableGripper((pPane->GetStyle() & WS_VISIBLE) == 0); });
        return;
    }
    m_barContainerManager.EnableGripper(TRUE);
}

CString CKGPMultiMiniFrameWnd::GetCaptionText()
{
    CString text;
    if (GetVisibleBarCount() == 1) {
        if (CWnd* pPane = GetFirstVisibleBar())
            pPane->GetWindowText(text);
    }
    return text;
}

// ---- Layout.

void CKGPMultiMiniFrameWnd::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    HDWP hdwp = ::BeginDeferWindowPos(20);
    m_barContainerManager.ResizeContainers(client, hdwp);
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    if (!m_bRespectMinSize)
        return;
    CSize minimum;
    m_barContainerManager.GetMinSize(minimum);
    const CSize shortfall((std::max)(0L, minimum.cx - client.Width()), (std::max)(0L, minimum.cy - client.Height()));
    if (shortfall == CSize(0, 0))
        return;
    CRect window;
    GetWindowRect(window);
    SetWindowPos(HWND{}, 0, 0, window.Width() + shortfall.cx, window.Height() + shortfall.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPMultiMiniFrameWnd::RecalcLayout()
{
    // A frame of one pane sizes itself to it; a tree lays itself out.
    if (GetControlBarCount() <= 1)
        CKGPMiniFrameWnd::RecalcLayout();
    else
        AdjustLayout();
}

void CKGPMultiMiniFrameWnd::CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI)
{
    m_barContainerManager.GetMinSize(sizeBase);
    CKGPMiniFrameWnd::CalcMinSize(sizeBase, lpMMI);
}

void CKGPMultiMiniFrameWnd::RecalcPaneFrames()
{
    ForEachPane([](CKGPDockingControlBar* pPane) {
        pPane->SetWindowPos(HWND{}, 0, 0, 0, 0,
                            SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
}

void CKGPMultiMiniFrameWnd::HitTestDockArea(CPoint point, CWnd* pWndToDock, CRect& rectResult, BOOL& bDrawTab)
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
    if (IsRolledUp())
        return;
    CKGPBaseControlBar* pTarget = nullptr;
    CKGPGlobalUtils::Get().CalcExpectedDockedRect(&m_barContainerManager, pWndToDock, point, rectResult, bDrawTab,
                                                  pTarget);
}

CKGPBaseControlBar* CKGPMultiMiniFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity,
                                                               BOOL bCheckVisibility)
{
    if (bCheckVisibility && !IsWindowVisible())
        return nullptr;
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    return m_barContainerManager.PaneFromPoint(point, nSensitivity, TRUE, bTabArea, bCaption);
}

// ---- Showing, closing, roll-up.

void CKGPMultiMiniFrameWnd::ShowPane(CKGPBaseControlBar* pPane, BOOL bShow)
{
    if (pPane == nullptr || GetSafeHwnd() == nullptr)
        return;
    pPane->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_barContainerManager.CheckVisibility();
    if (!bShow && !m_barContainerManager.HasVisiblePane()) {
        ShowWindow(SW_HIDE);
        KillRollUpTimer();
    } else if (bShow) {
        ShowWindow(SW_SHOWNOACTIVATE);
        SetRollUpTimer();
    }
    CheckGripperVisibility();
    AdjustLayout();
    SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKGPMultiMiniFrameWnd::CloseMiniFrame()
{
    if (!CanClose())
        return;
    ShowWindow(SW_HIDE);
    m_barContainerManager.HideAll();
}

void CKGPMultiMiniFrameWnd::SetRollUpTimer()
{
    BOOL bRollUp = FALSE;
    ForEachPane([&](CKGPDockingControlBar* pPane) { bRollUp |= (pPane->GetLibraryBarStyle() & kRollUpStyle) != 0; });
    if (bRollUp)
        StartRollUpTimer();
}

void CKGPMultiMiniFrameWnd::KillRollUpTimer()
{
    BOOL bRollUp = FALSE;
    ForEachPane([&](CKGPDockingControlBar* pPane) { bRollUp |= (pPane->GetLibraryBarStyle() & kRollUpStyle) != 0; });
    if (!bRollUp)
        StopRollUpTimer();
}

void CKGPMultiMiniFrameWnd::ValidateHostedBar()
{
    ForEachPane([this](CKGPDockingControlBar* pPane) { m_barContainerManager.KeepPaneIfValid(pPane); });
}

void CKGPMultiMiniFrameWnd::ConvertToTabbedDocument()
{
    // Every pane becomes a tabbed document of the MDI frame.
    CObList panes;
    for (POSITION pos = m_barContainerManager.GetPanes().GetHeadPosition(); pos != nullptr;)
        panes.AddTail(m_barContainerManager.GetPanes().GetNext(pos));
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
        if (auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, panes.GetNext(pos)))
            pPane->ConvertToTabbedDocument();
    }
    PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
}

void CKGPMultiMiniFrameWnd::SaveRecentFloatingState()
{
    CRect window;
    GetWindowRect(window);
    ForEachPane([&](CKGPDockingControlBar* pPane) { pPane->m_recentDockInfo.m_rectRecentFloatingRect = window; });
}

BOOL CKGPMultiMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    BOOL bSaved = TRUE;
    ForEachPane([&](CKGPDockingControlBar* pPane) { bSaved &= pPane->SaveState(lpszProfileName, nIndex, -1); });
    return bSaved;
}

BOOL CKGPMultiMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, int nIndex)
{
    ForEachPane([&](CKGPDockingControlBar* pPane) { pPane->LoadState(lpszProfileName, nIndex, -1); });
    return TRUE;
}

// ---- Remembered places.

void CKGPMultiMiniFrameWnd::RecordPanePlace(CKGPBaseControlBar* pPane)
{
    auto* pDockingPane = AsPane(pPane);
    BOOL bLeft = FALSE;
    if (CKGPBarContainer* pNode = m_barContainerManager.FindNodeByPane(pDockingPane, bLeft))
        pDockingPane->m_recentDockInfo.StoreDockInfo(pNode);
}

void CKGPMultiMiniFrameWnd::RecordTabPlace(CKGPBaseControlBar* pPane, CKGPBaseControlBar* pTabbedPane)
{
    auto* pDockingPane = AsPane(pPane);
    BOOL bLeft = FALSE;
    CKGPBarContainer* pNode = m_barContainerManager.FindNodeByPane(AsPane(pTabbedPane), bLeft);
    if (pDockingPane != nullptr && pNode != nullptr)
        pDockingPane->m_recentDockInfo.StoreDockInfo(pNode, pTabbedPane);
}

// The pane recorded beside a pane that was a tab here: its tabbed pane, on
// the side the record names.
CKGPDockingControlBar* CKGPMultiMiniFrameWnd::RecordedTabNeighbour(CKGPDockingControlBar* pPane) const
{
    CKGPBarContainer* pNode = pPane->m_recentDockInfo.GetRecentTabContainer(FALSE);
    if (pNode == nullptr)
        return nullptr;
    CKGPDockingControlBar* pNeighbour =
        pPane->m_recentDockInfo.IsRecentFirstInContainer(FALSE) ? pNode->GetLeftBar() : pNode->GetRightBar();
    return pNeighbour != pPane && pNeighbour != nullptr && pNeighbour->GetSafeHwnd() != nullptr ? pNeighbour : nullptr;
}

BOOL CKGPMultiMiniFrameWnd::CanAddRecentPane(CKGPDockingControlBar* pPane)
{
    if (pPane == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    if (pPane->m_recentDockInfo.GetRecentContainer(FALSE) != nullptr)
        return m_barContainerManager.HasRecentPlaceOf(pPane, FALSE);
    if (!m_barContainerManager.HasRecentPlaceOf(pPane, TRUE))
        return FALSE;
    CKGPDockingControlBar* pNeighbour = RecordedTabNeighbour(pPane);
    return pNeighbour == nullptr || pPane->CanAttachAsTabTo(pNeighbour);
}

int CKGPMultiMiniFrameWnd::AddRecentPane(CKGPDockingControlBar* pPane)
{
    if (!CanAddRecentPane(pPane))
        return 0;
    CKGPRecentDockInfo& info = pPane->m_recentDockInfo;
    if (info.GetRecentContainer(FALSE) != nullptr) {
        if (m_barContainerManager.AddPaneToRecentPlace(pPane, FALSE) == nullptr)
            return 0;
        RegisterPane(pPane);
        if (m_hEmbeddedBar == nullptr || !::IsWindow(m_hEmbeddedBar))
            CKGPMiniFrameWnd::AddControlBar(pPane);
        if (GetVisibleBarCount() == 0 && m_rectRecentFloatingRect.Width() > 0)
            SetWindowPos(HWND{}, m_rectRecentFloatingRect.left, m_rectRecentFloatingRect.top,
                         m_rectRecentFloatingRect.Width(), m_rectRecentFloatingRect.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        ShowPane(pPane, TRUE);
        SetRollUpTimer();
        return 1;
    }
    // Only the place of a tab: beside the pane it was recorded with, as a tab.
    CKGPDockingControlBar* pNeighbour = RecordedTabNeighbour(pPane);
    if (pNeighbour == nullptr) {
        if (m_barContainerManager.AddPaneToRecentPlace(pPane, TRUE) == nullptr)
            return 0;
        RegisterPane(pPane);
        ShowPane(pPane, TRUE);
        SetRollUpTimer();
        return 1;
    }
    if (pPane->GetParent() != this)
        pPane->SetParent(this);
    if (pPane->AttachToTabWnd(pNeighbour, KGP_DM_DBLCLICK, TRUE) != pPane)
        return 0;
    RegisterPane(pPane);
    pPane->ShowPane(TRUE, FALSE, TRUE);
    CheckGripperVisibility();
    AdjustLayout();
    SetRollUpTimer();
    return 1;
}

void CKGPMultiMiniFrameWnd::DockRecentPane(CKGPDockingControlBar* pPane)
{
    if (pPane == nullptr)
        return;
    RegisterPane(pPane);
    pPane->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK);
}

// ---- Docking into and out of the frame.

BOOL CKGPMultiMiniFrameWnd::TargetAt(CPoint point, CKGPDockingControlBar*& pTarget, DWORD& dwAlignment) const
{
    CKGPBaseControlBar* pFound = nullptr;
    BOOL bFound = FALSE;
    BOOL bInContainer = FALSE;
    CKGPGlobalUtils::Get().FindContainerDockTarget(&m_barContainerManager, point, pFound, dwAlignment, bFound,
                                                   bInContainer);
    pTarget = AsPane(pFound);
    return bFound || bInContainer;
}

BOOL CKGPMultiMiniFrameWnd::DockPaneAtCursor(CKGPDockingControlBar* pPane)
{
    if (pPane == nullptr)
        return TRUE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CKGPDockingControlBar* pTargetPane = nullptr;
    DWORD dwAlignment = 0;
    TargetAt(cursor, pTargetPane, dwAlignment);
    if (pTargetPane == nullptr || pTargetPane == pPane)
        return TRUE;
    if (dwAlignment == 0) {
        CRect rect;
        pTargetPane->GetWindowRect(rect);
        dwAlignment = cursor.x >= rect.CenterPoint().x ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_LEFT;
    }
    // Checked before the pane moves: a pane this frame holds already, or a
    // place the tree does not take, leaves everything as it was.
    if (m_barContainerManager.GetPanes().Find(pPane) != nullptr ||
        !m_barContainerManager.CanAddPaneBeside(pPane, pTargetPane, dwAlignment))
        return TRUE;
    // The pane remembers where it was and leaves it for this frame.
    const CKGPDockingControlBar::PlaceBefore before = pPane->RememberPlace();
    pPane->LeaveTabbedPane();
    if (CKGPMiniFrameWnd* pOld = pPane->GetParentMiniFrame(TRUE); pOld != nullptr && pOld != this)
        pOld->RemoveControlBar(pPane, FALSE, FALSE);
    else if (pPane->GetDefaultPaneSlider() != nullptr)
        pPane->RemoveFromHost(TRUE);
    pPane->SetDefaultSlider(nullptr);
    pPane->SetParent(this);
    if (!m_barContainerManager.AddPaneBeside(pPane, pTargetPane, dwAlignment)) {
        // Refused after all: back where it was (it left for the owner's window).
        if (CWnd* pOwner = GetParentFrameWnd())
            pPane->SetParent(pOwner);
        pPane->PutBack(before);
        return TRUE;
    }
    RegisterPane(pPane);
    pPane->ShowWindow(SW_SHOWNOACTIVATE);
    CheckGripperVisibility();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    SetRollUpTimer();
    pPane->SetFocus();
    AdjustLayout();
    return FALSE;
}

int CKGPMultiMiniFrameWnd::DockFrame(CKGPMultiMiniFrameWnd* pOtherFrame, KGPDockMethod method)
{
    if (pOtherFrame == nullptr || pOtherFrame == this)
        return 1;
    auto* pFirst = AsPane(pOtherFrame->GetFirstVisibleBar());
    if (pFirst == nullptr || (pFirst->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
        return 1;
    CKGPDockingControlBar* pTarget = nullptr;
    DWORD dwAlignment = CBRS_ALIGN_LEFT;
    BOOL bAsTabs = FALSE;
    if (method == KGP_DM_MOUSE || method == KGP_DM_STANDARD) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        DWORD dwFound = 0;
        bAsTabs = TargetAt(cursor, pTarget, dwFound);
        if (dwFound != 0)
            dwAlignment = dwFound;
    } else {
        pTarget = m_barContainerManager.GetFirstVisiblePane();
    }
    if (pTarget == nullptr)
        return 1;
    CObList panes, sliders;
    pOtherFrame->GetContainerManager().CollectVisible(panes, sliders);
    const HWND hDragged = FirstDraggedWindow(panes);
    if (bAsTabs) {
        // On a caption or a tab area: the other frame's panes become the
        // target's tabs, each checked before any moves.
        if (!TakesAllAsTabs(pTarget, panes) || !AttachAllAsTabs(pTarget, panes, method))
            return 1;
    } else if (!m_barContainerManager.AddContainer(pTarget, dwAlignment, pOtherFrame->GetContainerManager(), TRUE)) {
        return 1;
    }
    ForEachPane([this](CKGPDockingControlBar* pPane) {
        RegisterPane(pPane);
        pPane->SetDefaultSlider(nullptr);
    });
    const HWND hOther = pOtherFrame->GetSafeHwnd();
    if (pOtherFrame->IsMoving())
        pOtherFrame->SendMessage(WM_CANCELMODE);
    pOtherFrame->SendMessage(KGPMSG_CHECKEMPTYMINIFRAME);
    // What is left there is hidden (a pane a tabbed pane refused after all shows on).
    if (::IsWindow(hOther) && pOtherFrame->GetVisibleBarCount() == 0)
        ::ShowWindow(hOther, SW_HIDE);
    CheckGripperVisibility();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    if (method == KGP_DM_MOUSE)
        KeepDragging(hDragged);
    SetRollUpTimer();
    return 0;
}

int CKGPMultiMiniFrameWnd::DockToTarget(int nKind, CKGPBaseControlBar* pTarget, KGPDockMethod method)
{
    if (nKind == 0)
        return 1;
    auto* pTargetPane = AsPane(pTarget);
    if (pTargetPane != nullptr && pTargetPane->GetParentMiniFrame(TRUE) != nullptr)
        return 1; // another floating frame's pane: that frame merges this one (DockFrame)
    CKGPDockManager* pDockManager = GetDockManager();
    CWnd* pOwner = GetParentFrameWnd();
    if (pDockManager == nullptr || pOwner == nullptr)
        return 1;
    CObList panes, sliders;
    m_barContainerManager.CollectVisible(panes, sliders);
    if (panes.IsEmpty())
        return 1;
    if (nKind == 2 && !TakesAllAsTabs(pTargetPane, panes))
        return 1;
    // Every pane remembers its place here, to come back on a double click.
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;)
        RecordPanePlace(static_cast<CKGPBaseControlBar*>(panes.GetNext(pos)));
    const HWND hDragged = FirstDraggedWindow(panes);
    if (nKind == 2) {
        // The visible tree as the docked pane's tabs.
        if (!AttachAllAsTabs(pTargetPane, panes, method))
            return 1;
        if (IsMoving())
            SendMessage(WM_CANCELMODE);
        CKGPGlobalUtils::Get().AdjustFrameLayout(pDockManager);
        if (method == KGP_DM_MOUSE)
            KeepDragging(hDragged);
        // A pane the tabbed pane refused after all stays here, shown.
        SendMessage(KGPMSG_CHECKEMPTYMINIFRAME);
        return 0;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CKGPSlider* pSlider = nullptr;
    if (pTargetPane != nullptr) {
        pSlider = pTargetPane->GetDefaultPaneSlider();
        DWORD dwAlignment = 0;
        if (!CKGPGlobalUtils::Get().CheckAlignment(cursor, pTargetPane, CKGPDockManager::s_nDockSensitivity,
                                                   nullptr, FALSE, dwAlignment, CBRS_ALIGN_ANY))
            dwAlignment = CBRS_ALIGN_LEFT;
        if (pSlider == nullptr ||
            !pSlider->AddControlBarToContainer(pTargetPane, m_barContainerManager, dwAlignment))
            return 1;
    } else {
        // No pane: the whole tree docks at the frame's edge under the cursor.
        DWORD dwAlignment = 0;
        BOOL bOuterEdge = FALSE;
        auto* pFirst = AsPane(panes.GetHead());
        if (!pDockManager->IsPointNearDockBar(cursor, dwAlignment, bOuterEdge) ||
            (pFirst->GetEnabledAlignment() & dwAlignment) == 0)
            return 1;
        pSlider = CKGPSlider::CreateDefaultSlider(dwAlignment, pOwner);
        if (pSlider == nullptr)
            return 1;
        if (!pSlider->AddContainer(m_barContainerManager, bOuterEdge)) {
            pSlider->DestroyWindow();
            return 1;
        }
        pDockManager->AddControlBar(pSlider, !bOuterEdge, FALSE, bOuterEdge);
    }
    for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pPane = AsPane(panes.GetNext(pos));
        AddRemoveBarFromGlobalMap(pPane, FALSE);
        pPane->SetDefaultSlider(pSlider->GetSafeHwnd());
        pPane->SetCurrentAlignment(pSlider->GetCurrentAlignment());
        pPane->SetBarStyleWord(pPane->GetBarStyleWord() & ~CBRS_FLOATING);
        if (!pDockManager->InsertControlBar(pPane, pSlider, TRUE))
            pDockManager->AddControlBar(pPane);
        pPane->EnableGripper(TRUE);
    }
    if (IsMoving())
        SendMessage(WM_CANCELMODE);
    ShowWindow(SW_HIDE);
    pSlider->CheckVisibility();
    CKGPGlobalUtils::Get().AdjustFrameLayout(pDockManager);
    if (method == KGP_DM_MOUSE)
        KeepDragging(hDragged);
    SendMessage(KGPMSG_CHECKEMPTYMINIFRAME);
    return 0;
}

void CKGPMultiMiniFrameWnd::DockOnDoubleClick()
{
    // Every pane remembers its place here, then goes back to its docked place.
    ForEachPane([this](CKGPDockingControlBar* pPane) { RecordPanePlace(pPane); });
    CKGPDockManager* pDockManager = GetDockManager();
    const HWND hSelf = m_hWnd;
    ForEachPane([](CKGPDockingControlBar* pPane) {
        if ((pPane->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
            return;
        AddRemoveBarFromGlobalMap(pPane, FALSE);
        pPane->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK);
    });
    CKGPGlobalUtils::Get().AdjustFrameLayout(pDockManager);
    if (::IsWindow(hSelf))
        ::PostMessage(hSelf, KGPMSG_CHECKEMPTYMINIFRAME, 0, 0);
}

CKGPBaseControlBar* CKGPMultiMiniFrameWnd::DockBarByMouse(BOOL& bDocked)
{
    bDocked = FALSE;
    // The pane the tab was offered for while the markers ran, else the one
    // under the cursor.
    CKGPDockingControlBar* pTarget = RecordedTabTarget();
    BOOL bAsTab = pTarget != nullptr;
    m_hTabTarget = nullptr;
    if (pTarget == nullptr && !IsDockPlaceUnderCursor())
        return nullptr;
    CKGPDockManager* pDockManager = GetDockManager();
    auto* pFirst = AsPane(GetFirstVisibleBar());
    if (pDockManager == nullptr || pFirst == nullptr)
        return nullptr;
    CList<HWND, HWND> panes;
    ForEachPane([&panes](CKGPDockingControlBar* pPane) { panes.AddTail(pPane->GetSafeHwnd()); });
    const HWND hFocus = ::GetFocus();
    if (pTarget == nullptr) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CKGPBaseControlBar* pFound = nullptr;
        const int method = pDockManager->DetermineDockMethod(cursor, CKGPDockManager::s_nDockSensitivity,
                                                             pFirst->GetEnabledAlignment(), pFound, pFirst, pFirst);
        if (method == KGPDock::kDockNone)
            return nullptr;
        pTarget = AsPane(pFound);
        bAsTab = method == KGPDock::kDockAsTab;
    }
    // (This frame may be gone once its panes docked: only what was kept above is used.)
    CKGPMiniFrameWnd* pTargetFrame = pTarget != nullptr ? pTarget->GetParentMiniFrame(TRUE) : nullptr;
    if (auto* pOther = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pTargetFrame))
        bDocked = pOther->DockFrame(this, KGP_DM_STANDARD) == 0;
    else if (pTargetFrame == nullptr)
        bDocked = DockToTarget(bAsTab ? 2 : 1, pTarget, KGP_DM_STANDARD) == 0;
    if (bDocked) {
        // Each pane hears that it docked from a floating frame.
        for (POSITION pos = panes.GetHeadPosition(); pos != nullptr;) {
            auto* pPane = AsPane(CWnd::FromHandlePermanent(panes.GetNext(pos)));
            if (pPane != nullptr && pPane->GetParentMiniFrame(TRUE) != this)
                pPane->NotifyAfterDock();
        }
    }
    if (hFocus != nullptr && ::IsWindow(hFocus))
        ::SetFocus(hFocus);
    return bDocked ? pTarget : nullptr;
}

// ---- Messages.

void CKGPMultiMiniFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    auto* pLast = DYNAMIC_DOWNCAST(CKGPDockingControlBar, CWnd::FromHandlePermanent(m_hWndLastFocused));
    if (pLast != nullptr && m_barContainerManager.GetPanes().Find(pLast) != nullptr && ::IsWindow(m_hWndLastFocused)) {
        pLast->SetFocus();
    } else if (CWnd* pFirst = GetFirstVisibleBar(); pFirst != nullptr && pFirst->GetSafeHwnd() != nullptr) {
        // With no pane recorded, the first takes the focus only if it wants it.
        const auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pFirst);
        if (m_hWndLastFocused != nullptr || pBar == nullptr || pBar->WantsFocus())
            pFirst->SetFocus();
    }
    if (CWnd* pParent = GetParentFrameWnd())
        pParent->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CKGPMultiMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    m_barContainerManager.ReleaseEmptyPanes();
    const int count = GetControlBarCount();
    CKGPBarContainer* pRoot = m_barContainerManager.GetRootContainer();
    if (count == 0 || (count == 1 && pRoot != nullptr && pRoot->CountReferences() == 0 && pRoot->IsEmpty())) {
        if (IsMoving())
            SendMessage(WM_CANCELMODE);
        DestroyWindow();
        return 0;
    }
    if (GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
        if (IsMoving())
            SendMessage(WM_CANCELMODE);
    }
    return 0;
}

// ---- Stored form.

void CKGPMultiMiniFrameWnd::Serialize(CArchive& ar)
{
    CKGPMiniFrameWnd::Serialize(ar); // a load reads this frame's part too (ReadArchive)
    if (ar.IsStoring())
        m_barContainerManager.Serialize(ar);
}

void CKGPMultiMiniFrameWnd::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPMiniFrameWnd::ReadArchive(ar, load);
    if (m_barContainerManager.GetOwnerWindow() == nullptr)
        m_barContainerManager.Create(this, nullptr);
    CKGPStoredReader in(ar);
    const std::size_t queued = load.GetQueuedCount();
    m_barContainerManager.ReadArchive(in, load,
                                      CKGPGlobalUtils::Get().GetFrameDockManager(CKGPDockManager::s_pLoadingFrame));
    // A tree with sliders or tabbed panes queues their windows' making too.
    m_bRecordMakesNoWindow = load.GetQueuedCount() - queued <= 1;
}

BOOL CKGPMultiMiniFrameWnd::LoadedRecordFitsTakenOver() const
{
    const CObList& panes = m_barContainerManager.GetPanes();
    CWnd* pHeld = m_pTakenOver != nullptr ? m_pTakenOver->GetControlBar() : nullptr;
    return pHeld != nullptr && panes.GetCount() == 1 &&
           static_cast<CWnd*>(panes.GetHead())->GetSafeHwnd() == pHeld->GetSafeHwnd();
}

BOOL CKGPMultiMiniFrameWnd::SetDockState(CKGPDockManager* pDockManager)
{
    if (m_barContainerManager.IsEmpty()) {
        PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
        return TRUE;
    }
    ForEachPane([this](CKGPDockingControlBar* pPane) {
        // Out of wherever it was (a tab, an auto-hide strip, a floating frame
        // or a tree), into this frame at the place it keeps here (a frame a
        // loaded record took over holds it already).
        TakeOutOfTabAndStrip(pPane);
        CKGPMiniFrameWnd* pOld = pPane->GetParentMiniFrame(TRUE);
        if (pOld != nullptr && pOld != this)
            pOld->RemoveControlBar(pPane, FALSE, FALSE);
        else if (pOld == nullptr && pPane->GetDefaultPaneSlider() != nullptr)
            pPane->RemoveFromHost(TRUE);
        pPane->SetDefaultSlider(nullptr);
        if (pPane->GetParent() != this)
            pPane->SetParent(this);
        CRect place = pPane->m_recentDockInfo.GetRecentContainerRect(FALSE);
        pPane->SetWindowPos(HWND{}, place.left, place.top, place.Width(), place.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
    if (m_barContainerManager.IsEmpty()) {
        PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
        return TRUE;
    }
    ForEachPane([this](CKGPDockingControlBar* pPane) {
        pPane->ShowWindow(pPane->GetRecentVisibleState() ? SW_SHOWNOACTIVATE : SW_HIDE);
        RegisterPane(pPane);
    });
    const DWORD buttons = m_dwCaptionButtons;
    CKGPMiniFrameWnd::AddControlBar(m_barContainerManager.GetFirstPane());
    SetRollUpTimer();
    SetCaptionButtons(buttons);
    m_barContainerManager.CheckVisibility();
    CheckGripperVisibility();
    AdjustLayout();
    static_cast<void>(pDockManager);
    return TRUE;
}
