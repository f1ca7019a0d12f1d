// The MDI tab groups: made, split, removed, laid out side by side or stacked,
// tabs moved between them, and a tab dragged from one group into another or
// into a new one with the marker showing where it would go.
#include "guilib/frames/KGPMainClientAreaWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/frames/KGPMDITabGroupMath.h"
#include "guilib/tabs/KGPTabGroupMessages.h"

#include <algorithm>

namespace {

kgp::Box ToBox(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

CRect WindowRectIn(CWnd& wnd, CWnd& parent)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    return rect;
}

// The marker of a new group: a 4-pixel frame drawn XOR on the desktop.
void DrawDropMarker(const CRect& rectNew, const CRect& rectOld)
{
    if (rectNew.IsRectEmpty() && rectOld.IsRectEmpty())
        return;
    CWindowDCHandle screen(nullptr);
    CDC* pDC = CDC::FromHandle(screen.Get());
    const CSize size(4, 4);
    pDC->DrawDragRect(rectNew, size, rectOld.IsRectEmpty() ? nullptr : &rectOld, size);
}

} // namespace

CImageList* CKGPMainClientAreaWnd::GroupImageList(CKGPTabWnd* pTabWnd)
{
    if (pTabWnd == m_wndTab.get())
        return &m_TabIcons;
    auto found = m_mapTabIcons.find(pTabWnd);
    return found != m_mapTabIcons.end() ? found->second.get() : nullptr;
}

CKGPTabWnd* CKGPMainClientAreaWnd::CreateTabGroup(CKGPTabWnd* pWndTab)
{
    std::unique_ptr<CKGPTabWnd> made;
    if (pWndTab == nullptr) {
        made = std::make_unique<CKGPTabWnd>();
        pWndTab = made.get();
    }
    if (m_mdiTabParams.m_bTabCustomTooltips)
        pWndTab->EnableCustomToolTips(TRUE);
    CWnd* pParent = m_bIsMDITabbedGroup ? static_cast<CWnd*>(this) : GetParent();
    if (pParent == nullptr ||
        !pWndTab->Create(m_mdiTabParams.m_style, CRect(0, 0, 0, 0), pParent, static_cast<UINT>(-1),
                         m_mdiTabParams.m_tabLocation, m_mdiTabParams.m_bTabCloseButton))
        return nullptr;
    ApplyParams(pWndTab);
    pWndTab->EnableWrapping(FALSE); // a group holds document windows themselves, never docking wrappers
    if (!m_bTabIsVisible)
        pWndTab->ShowWindow(SW_HIDE);
    const SIZE icon = GetKGPGlobalData().GetSmallIconSize();
    if (made != nullptr) {
        auto images = std::make_unique<CImageList>();
        images->Create(icon.cx, icon.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
        m_mapTabIcons[pWndTab] = std::move(images);
    } else if (pWndTab == m_wndTab.get() && m_TabIcons.GetSafeHandle() == nullptr) {
        m_TabIcons.Create(icon.cx, icon.cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    }
    (void)made.release(); // the caller lists it; the client area deletes it
    return pWndTab;
}

void CKGPMainClientAreaWnd::ApplySplitterModes()
{
    const std::vector<CKGPTabWnd*> groups = Groups();
    const std::vector<int> modes = kgp::mdi::SplitterModes(static_cast<int>(groups.size()), m_nGroupAlignment);
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i]->GetGroupSplitterMode() != modes[i])
            groups[i]->SetGroupSplitterMode(modes[i]);
    }
}

void CKGPMainClientAreaWnd::RemoveTabGroup(CKGPTabWnd* pTabWnd, BOOL bRecalcLayout)
{
    POSITION pos = m_lstTabbedGroups.Find(pTabWnd);
    if (pos == nullptr)
        return;
    const std::vector<CKGPTabWnd*> groups = Groups();
    const int index = static_cast<int>(std::find(groups.begin(), groups.end(), pTabWnd) - groups.begin());
    const int neighbour = kgp::mdi::NeighbourOfRemoved(index, static_cast<int>(groups.size()));
    m_lstTabbedGroups.RemoveAt(pos);
    const BOOL bWasActive = pTabWnd->IsActiveInMDITabGroup();
    pTabWnd->SetActiveInMDITabGroup(FALSE);
    if (pTabWnd->GetSafeHwnd() != nullptr)
        pTabWnd->ShowWindow(SW_HIDE);
    if (m_lstTabbedGroups.GetCount() < 2)
        m_nGroupAlignment = kgp::mdi::kNoAlignment;
    ApplySplitterModes();
    if (neighbour >= 0) {
        CKGPTabWnd* pNeighbour = groups[static_cast<size_t>(neighbour)];
        if (bWasActive)
            pNeighbour->SetActiveInMDITabGroup(TRUE);
        if (pTabWnd->GetSafeHwnd() != nullptr && pNeighbour->GetSafeHwnd() != nullptr) {
            CRect rect = WindowRectIn(*pNeighbour, *this);
            rect.UnionRect(rect, WindowRectIn(*pTabWnd, *this));
            pNeighbour->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
            PlaceGroupChildren(pNeighbour);
        }
    }
    m_mapTabIcons.erase(pTabWnd);
    m_lstRemovedTabbedGroups.AddTail(pTabWnd);
    if (bRecalcLayout)
        RecalcFrameLayout();
}

CKGPTabWnd* CKGPMainClientAreaWnd::CreateNewTabGroup(CKGPTabWnd* pTabWndAfter, CRect rectGroup, BOOL bVertical)
{
    POSITION pos = m_lstTabbedGroups.Find(pTabWndAfter);
    if (pos == nullptr)
        return nullptr;
    CKGPTabWnd* pNew = CreateTabGroup(nullptr);
    if (pNew == nullptr)
        return nullptr;
    m_lstTabbedGroups.InsertAfter(pos, pNew);
    m_nGroupAlignment = bVertical ? kgp::mdi::kVertical : kgp::mdi::kHorizontal;
    ApplySplitterModes();
    ScreenToClient(rectGroup);
    kgp::Box after = ToBox(WindowRectIn(*pTabWndAfter, *this));
    kgp::Box created;
    kgp::mdi::SplitGroup(after, ToBox(rectGroup), bVertical != FALSE, created);
    pTabWndAfter->SetWindowPos(HWND{}, after.left, after.top, after.Width(), after.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    pNew->SetWindowPos(HWND{}, created.left, created.top, created.Width(), created.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    pNew->ShowWindow(SW_SHOWNA);
    PlaceGroupChildren(pTabWndAfter);
    return pNew;
}

BOOL CKGPMainClientAreaWnd::MoveWindowToTabGroup(CKGPTabWnd* pTabWndFrom, CKGPTabWnd* pTabWndTo, int nIdx)
{
    if (pTabWndFrom == nullptr || pTabWndTo == nullptr || pTabWndFrom == pTabWndTo)
        return FALSE;
    if (nIdx == -1)
        nIdx = pTabWndFrom->GetActiveTab();
    if (nIdx < 0 || nIdx >= pTabWndFrom->GetTabsNum())
        return FALSE;
    CWnd* pWnd = pTabWndFrom->GetTabWnd(nIdx);
    IKGPMDITabChild* pTabChild = TabChildOf(pWnd);
    if (pTabChild == nullptr)
        return FALSE;
    CString label;
    pTabChild->GetFrameText(label);
    pTabWndFrom->RemoveTab(nIdx, TRUE);
    pTabChild->SetRelatedTabGroup(pTabWndTo);
    pTabWndTo->AddTab(pWnd, label, static_cast<UINT>(-1), TRUE);
    UpdateTabIcon(pTabWndTo, GroupImageList(pTabWndTo), pTabWndTo->GetTabsNum() - 1, pTabChild->GetFrameIcon());
    if (pTabWndFrom->GetTabsNum() == 0) {
        RemoveTabGroup(pTabWndFrom, TRUE);
        UpdateMDITabbedGroups(TRUE);
        pTabWndTo->RecalcLayout();
    } else {
        PlaceGroupChildren(pTabWndFrom);
    }
    PlaceGroupChildren(pTabWndTo);
    SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()));
    SetActiveTab(pWnd->GetSafeHwnd());
    if (CWnd* pFrame = GetParent())
        KGPTabGroupMessages::SendMovedToTabGroup(pFrame, *pTabWndFrom, *pTabWndTo);
    return TRUE;
}

DWORD CKGPMainClientAreaWnd::GetMDITabsContextMenuAllowedItems()
{
    if (!m_bIsMDITabbedGroup || GetSafeHwnd() == nullptr)
        return 0;
    CWnd* pActive = CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE)));
    CKGPTabWnd* pGroup = GroupOf(pActive);
    if (pGroup == nullptr)
        return 0;
    const std::vector<CKGPTabWnd*> groups = Groups();
    const int index = static_cast<int>(std::find(groups.begin(), groups.end(), pGroup) - groups.begin());
    IKGPMDITabChild* pTabChild = TabChildOf(pActive);
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    return kgp::mdi::AllowedItems(index, static_cast<int>(groups.size()), pGroup->GetTabsNum(), m_nGroupAlignment,
                                  pTabChild != nullptr && pTabChild->GetTabbedPaneID() != -1,
                                  pFrame != nullptr && pFrame->IsMDIFrameFullScreen());
}

// ---- Layout.

void CKGPMainClientAreaWnd::PlaceGroupChildren(CKGPTabWnd* pGroup)
{
    if (pGroup == nullptr || pGroup->GetSafeHwnd() == nullptr ||
        (!IsShownInClient(pGroup) && m_bDisableSetRedraw))
        return;
    CRect rect = pGroup->GetWndArea();
    pGroup->MapWindowPoints(this, rect);
    const CWnd* pActive = pGroup->GetActiveWnd();
    for (int iTab = 0; iTab < pGroup->GetTabsNum(); ++iTab) {
        CWnd* pWnd = pGroup->GetTabWnd(iTab);
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            continue;
        if (pWnd->IsIconic())
            pWnd->ShowWindow(SW_RESTORE);
        const UINT flags = pWnd == pActive ? SWP_NOACTIVATE : SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;
        pWnd->SetWindowPos(&wndTop, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    }
}

void CKGPMainClientAreaWnd::LayoutGroups()
{
    const std::vector<CKGPTabWnd*> groups = Groups();
    if (groups.empty())
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    std::vector<int> extents;
    for (CKGPTabWnd* pGroup : groups) {
        const CRect rect = WindowRectIn(*pGroup, *this);
        extents.push_back(m_nGroupAlignment == kgp::mdi::kHorizontal ? rect.Height() : rect.Width());
    }
    const std::vector<kgp::Box> boxes =
        kgp::mdi::LayoutGroups(ToBox(rectClient), extents, m_nGroupAlignment, m_nTotalResizeRest);
    for (size_t i = 0; i < groups.size(); ++i) {
        const CRect rect = ToRect(boxes[i]);
        if (groups.size() == 1)
            groups[i]->ShowWindow(SW_SHOWNA);
        groups[i]->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceGroupChildren(groups[i]);
    }
}

// ---- Group borders and tabs dragged between groups.

LRESULT CKGPMainClientAreaWnd::OnGetDragBounds(WPARAM wParam, LPARAM lParam)
{
    CKGPTabWnd* pGroup = KGPTabGroupMessages::GroupOf(wParam);
    CRect* pBounds = KGPTabGroupMessages::BoundsOf(lParam);
    if (!m_bIsMDITabbedGroup || pBounds == nullptr)
        return 0;
    if (pGroup == nullptr) // a tab window that does not say which it is: the one dragging
        pGroup = DYNAMIC_DOWNCAST(CKGPTabWnd, GetCapture());
    POSITION pos = pGroup != nullptr ? m_lstTabbedGroups.Find(pGroup) : nullptr;
    if (pos == nullptr)
        return 0;
    m_lstTabbedGroups.GetNext(pos);
    if (pos == nullptr)
        return 0;
    auto* pNext = m_lstTabbedGroups.GetAt(pos);
    CRect group;
    CRect next;
    pGroup->GetWindowRect(group);
    pNext->GetWindowRect(next);
    *pBounds = ToRect(kgp::mdi::DragBounds(ToBox(group), ToBox(next), m_nGroupAlignment, m_nResizeMargin));
    return pBounds->IsRectEmpty() ? 0 : 1;
}

LRESULT CKGPMainClientAreaWnd::OnDragComplete(WPARAM wParam, LPARAM lParam)
{
    CKGPTabWnd* pGroup = KGPTabGroupMessages::GroupOf(wParam);
    const CRect* pRect = KGPTabGroupMessages::DraggedRectOf(lParam);
    POSITION pos = pGroup != nullptr ? m_lstTabbedGroups.Find(pGroup) : nullptr;
    if (!m_bIsMDITabbedGroup || pos == nullptr || pRect == nullptr)
        return 0;
    m_lstTabbedGroups.GetNext(pos);
    if (pos == nullptr)
        return 0;
    auto* pNext = m_lstTabbedGroups.GetAt(pos);
    CRect rectNew = *pRect;
    ScreenToClient(rectNew);
    kgp::Box group = ToBox(WindowRectIn(*pGroup, *this));
    kgp::Box next = ToBox(WindowRectIn(*pNext, *this));
    kgp::mdi::ApplyDraggedBorder(ToBox(rectNew), group, next, m_nGroupAlignment);
    pGroup->SetWindowPos(HWND{}, group.left, group.top, group.Width(), group.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pNext->SetWindowPos(HWND{}, next.left, next.top, next.Width(), next.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceGroupChildren(pGroup);
    PlaceGroupChildren(pNext);
    return 1;
}

kgp::mdi::DragState CKGPMainClientAreaWnd::CurrentDragState(CKGPTabWnd* pSource) const
{
    kgp::mdi::DragState state;
    state.alignment = m_nGroupAlignment;
    state.newGroupMargin = m_nNewGroupMargin;
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    state.client = ToBox(client);
    const std::vector<CKGPTabWnd*> groups = Groups();
    for (size_t i = 0; i < groups.size(); ++i) {
        kgp::mdi::GroupPlace place;
        CRect window;
        groups[i]->GetWindowRect(window);
        CRect strip;
        groups[i]->GetTabsRect(strip);
        groups[i]->ClientToScreen(strip);
        place.window = ToBox(window);
        place.strip = ToBox(strip);
        place.tabs = groups[i]->GetTabsNum();
        if (!groups[i]->IsWindowVisible())
            place.window = place.strip = kgp::Box{};
        state.groups.push_back(place);
        if (groups[i] == pSource)
            state.source = static_cast<int>(i);
    }
    return state;
}

CKGPTabWnd* CKGPMainClientAreaWnd::DragSource(WPARAM wParam) const
{
    CKGPTabWnd* pGroup = KGPTabGroupMessages::GroupOf(wParam);
    if (pGroup == nullptr)
        pGroup = DYNAMIC_DOWNCAST(CKGPTabWnd, GetCapture());
    return pGroup != nullptr && m_lstTabbedGroups.Find(pGroup) != nullptr ? pGroup : nullptr;
}

void CKGPMainClientAreaWnd::SetDropMarker(const CRect& rect, BOOL bVertical)
{
    if (rect != m_rectNewTabGroup)
        DrawDropMarker(rect, m_rectNewTabGroup);
    m_rectNewTabGroup = rect;
    m_bNewVerticalGroup = bVertical;
}

LRESULT CKGPMainClientAreaWnd::OnTabGroupMouseMove(WPARAM wParam, LPARAM lParam)
{
    CKGPTabWnd* pSource = DragSource(wParam);
    if (!m_bIsMDITabbedGroup || pSource == nullptr)
        return 0;
    const CPoint point = KGPTabGroupMessages::PointOf(lParam);
    const kgp::mdi::DragProposal proposal = kgp::mdi::ProposeDrop(CurrentDragState(pSource), point.x, point.y);
    switch (proposal.answer) {
    case kgp::mdi::DragAnswer::Ignore:
        return 0;
    case kgp::mdi::DragAnswer::OwnStrip:
        SetDropMarker(CRect(), FALSE);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return 0;
    case kgp::mdi::DragAnswer::Outside:
        ::SetCursor(DragCursor(FALSE));
        SetDropMarker(CRect(), FALSE);
        return 1;
    case kgp::mdi::DragAnswer::NoGroup:
        ::SetCursor(DragCursor(TRUE));
        SetDropMarker(CRect(), FALSE);
        return 0;
    case kgp::mdi::DragAnswer::Proposal:
        break;
    }
    ::SetCursor(DragCursor(TRUE));
    SetDropMarker(ToRect(proposal.rect), proposal.vertical);
    return 1;
}

HCURSOR CKGPMainClientAreaWnd::DragCursor(BOOL bDrop)
{
    // The system's cursors serve: a move for a drop, the sign for none.
    static HCURSOR s_hDrop = ::LoadCursor(nullptr, IDC_SIZEALL);
    static HCURSOR s_hNoDrop = ::LoadCursor(nullptr, IDC_NO);
    return bDrop ? s_hDrop : s_hNoDrop;
}

LRESULT CKGPMainClientAreaWnd::OnCancelTabMove(WPARAM, LPARAM)
{
    SetDropMarker(CRect(), FALSE);
    return 0;
}

LRESULT CKGPMainClientAreaWnd::OnMoveTabComplete(WPARAM wParam, LPARAM lParam)
{
    CKGPTabWnd* pSource = DragSource(wParam);
    const CRect rectDrawn = m_rectNewTabGroup;
    const BOOL bVertical = m_bNewVerticalGroup;
    SetDropMarker(CRect(), FALSE);
    if (!m_bIsMDITabbedGroup || pSource == nullptr)
        return 0;
    const CPoint point = KGPTabGroupMessages::PointOf(lParam);
    const kgp::mdi::DragState state = CurrentDragState(pSource);
    const int target = kgp::mdi::GroupAt(state.groups, point.x, point.y);
    if (target < 0)
        return 0;
    BOOL bHandled = FALSE;
    if (rectDrawn.IsRectEmpty()) {
        const DWORD dwItems = GetMDITabsContextMenuAllowedItems();
        IKGPMDIClientFrame* pFrame = GetClientFrame();
        if (dwItems != 0 && pFrame != nullptr) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            bHandled = pFrame->OnShowMDITabContextMenu(cursor, dwItems, TRUE);
        }
    }
    const std::vector<CKGPTabWnd*> groups = Groups();
    CKGPTabWnd* pTarget = groups[static_cast<size_t>(target)];
    switch (kgp::mdi::DecideDrop(state, ToBox(rectDrawn), point.x, point.y, bHandled != FALSE)) {
    case kgp::mdi::DropAction::Nothing:
        return 0;
    case kgp::mdi::DropAction::MoveToGroup:
        MoveWindowToTabGroup(pSource, pTarget);
        return 1;
    case kgp::mdi::DropAction::NewGroup:
        if (CKGPTabWnd* pNew = CreateNewTabGroup(pTarget, rectDrawn, bVertical))
            MoveWindowToTabGroup(pSource, pNew);
        return 1;
    case kgp::mdi::DropAction::SplitSource: {
        CRect half;
        pSource->GetWindowRect(half);
        const BOOL bSplitVertical = m_nGroupAlignment != kgp::mdi::kHorizontal;
        if (bSplitVertical)
            half.left += half.Width() / 2;
        else
            half.top += half.Height() / 2;
        if (CKGPTabWnd* pNew = CreateNewTabGroup(pSource, half, bSplitVertical))
            MoveWindowToTabGroup(pSource, pNew);
        return 1;
    }
    }
    return 0;
}
