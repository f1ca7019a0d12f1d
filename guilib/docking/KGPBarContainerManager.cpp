#include "guilib/docking/KGPBarContainerManager.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSplitMath.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <afxarch.h>

#include <algorithm>
#include <set>
#include <vector>

IMPLEMENT_DYNCREATE(CKGPBarContainerManager, CObject)

UINT CKGPBarContainerManager::s_nNextSliderID = 1;
BOOL CKGPBarContainerManager::s_bKeepMinimum = FALSE;

namespace {

namespace split = kgp::split;

BOOL IsShown(const CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && (pWnd->GetStyle() & WS_VISIBLE) != 0;
}

CKGPDockingControlBar* PaneAt(const CObList& list, POSITION& pos)
{
    return static_cast<CKGPDockingControlBar*>(list.GetNext(pos));
}

split::Box ToBox(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const split::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

// Moves a window under another parent, keeping its place on the screen.
void MoveUnder(CWnd* pWnd, CWnd* pNewParent)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || pWnd->GetParent() == pNewParent)
        return;
    CRect rect;
    pWnd->GetWindowRect(rect);
    pWnd->SetParent(pNewParent);
    pNewParent->ScreenToClient(rect);
    pWnd->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void PlaceAt(CWnd* pWnd, const CRect& rectScreen)
{
    CRect client = rectScreen;
    if (CWnd* pParent = pWnd->GetParent())
        pParent->ScreenToClient(client);
    pWnd->SetWindowPos(HWND{}, client.left, client.top, client.Width(), client.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// ---- Layout passes.

CKGPBarContainerManager::LayoutPass::LayoutPass(const CKGPBarContainerManager* pManager)
    : m_pManager(pManager), m_bOuter(pManager != nullptr && !pManager->m_bInLayoutPass)
{
    if (m_bOuter) {
        ++m_pManager->m_nLayoutPass;
        m_pManager->m_bInLayoutPass = TRUE;
    }
}

CKGPBarContainerManager::LayoutPass::~LayoutPass()
{
    if (!m_bOuter)
        return;
    m_pManager->m_bInLayoutPass = FALSE;
    m_pManager->FlushMoves();
}

BOOL CKGPBarContainerManager::QueueMove(CWnd* pWnd, const CRect& rectScreen) const
{
    if (!m_bInLayoutPass)
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    for (QueuedMove& move : m_queuedMoves) {
        if (move.hWnd == hWnd) {
            move.rectScreen = rectScreen;
            return TRUE;
        }
    }
    m_queuedMoves.push_back({hWnd, rectScreen});
    return TRUE;
}

void CKGPBarContainerManager::FlushMoves() const
{
    if (m_queuedMoves.empty())
        return;
    std::vector<QueuedMove> moves;
    moves.swap(m_queuedMoves);
    // Moved without repainting, then what they left and what they took is
    // repainted once: each window paints once, not once for every move near it.
    CRect dirty;
    HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (const QueuedMove& move : moves) {
        if (!::IsWindow(move.hWnd))
            continue;
        CRect old;
        ::GetWindowRect(move.hWnd, &old);
        if (old == move.rectScreen)
            continue;
        dirty.UnionRect(dirty, old);
        dirty.UnionRect(dirty, move.rectScreen);
        CRect client = move.rectScreen;
        if (const HWND hParent = ::GetParent(move.hWnd))
            ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&client), 2);
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
        HDWP next = hdwp != nullptr ? ::DeferWindowPos(hdwp, move.hWnd, nullptr, client.left, client.top,
                                                       client.Width(), client.Height(), flags)
                                    : nullptr;
        if (next != nullptr)
            hdwp = next;
        else
            ::SetWindowPos(move.hWnd, nullptr, client.left, client.top, client.Width(), client.Height(), flags);
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    if (dirty.IsRectEmpty() || m_pOwnerWnd == nullptr || m_pOwnerWnd->GetSafeHwnd() == nullptr)
        return;
    m_pOwnerWnd->ScreenToClient(dirty);
    m_pOwnerWnd->RedrawWindow(dirty, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---- Life.

CKGPBarContainerManager::CKGPBarContainerManager() = default;

CKGPBarContainerManager::~CKGPBarContainerManager()
{
    if (!m_bDestroyRoot) {
        static_cast<void>(m_pRootContainer.release()); // another manager has the tree
        return;
    }
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPSlider*>(m_lstSliders.GetNext(pos))->SetContainerManager(nullptr);
    m_lstSliders.RemoveAll();
    m_pRootContainer.reset();
}

BOOL CKGPBarContainerManager::Create(CWnd* pOwner, CKGPSlider* pDefaultSlider, CRuntimeClass* pContainerRTC)
{
    m_pOwnerWnd = pOwner;
    m_pDefaultSlider = pDefaultSlider;
    m_pContainerRTC = pContainerRTC;
    m_pRootContainer = MakeContainer();
    return m_pRootContainer != nullptr;
}

KGPContainerPtr CKGPBarContainerManager::MakeContainer(CKGPDockingControlBar* pLeft, CKGPDockingControlBar* pRight,
                                                       CKGPSlider* pSlider)
{
    CKGPBarContainer* pMade = nullptr;
    if (m_pContainerRTC != nullptr)
        pMade = DYNAMIC_DOWNCAST(CKGPBarContainer, m_pContainerRTC->CreateObject());
    KGPContainerPtr node(pMade != nullptr ? pMade : new CKGPBarContainer);
    node->SetManager(this);
    node->SetPane(pLeft, TRUE);
    node->SetPane(pRight, FALSE);
    node->SetSlider(pSlider);
    return node;
}

BOOL CKGPBarContainerManager::LaysOutHiddenPanes() const
{
    return m_pDefaultSlider != nullptr && m_pDefaultSlider->IsAutoHideMode();
}

// ---- Adding panes.

void CKGPBarContainerManager::AddPane(CKGPDockingControlBar* pBar)
{
    if (pBar == nullptr || !m_lstBars.IsEmpty())
        return;
    if (m_pRootContainer == nullptr)
        m_pRootContainer = MakeContainer();
    // A tree holding no pane may still hold sub-trees kept for places panes
    // remembered: the first pane takes the left side from them (a side never
    // holds both).
    if (m_pRootContainer->GetLeftContainer() != nullptr)
        m_pRootContainer->TakeContainer(TRUE);
    m_pRootContainer->SetPane(pBar, TRUE);
    m_lstBars.AddTail(pBar);
}

BOOL CKGPBarContainerManager::SidesSwapped(DWORD dwAlignment) const
{
    return m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr &&
           (m_pOwnerWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0 &&
           (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
}

BOOL CKGPBarContainerManager::SplitRect(CRect& rectTarget, CRect& rectNew, CRect& rectSlider, DWORD& dwSliderStyle,
                                        DWORD dwAlignment, CSize sizeMinNew) const
{
    const BOOL bRTL = SidesSwapped(CBRS_ALIGN_LEFT);
    bool ok = false;
    const split::BesideSplit placed =
        split::SplitBeside(ToBox(rectTarget), {rectNew.Width(), rectNew.Height()}, {sizeMinNew.cx, sizeMinNew.cy},
                           dwAlignment & CBRS_ALIGN_ANY, CKGPSlider::m_nDefaultWidth, bRTL != FALSE, ok);
    if (!ok)
        return FALSE;
    rectTarget = ToRect(placed.target);
    rectNew = ToRect(placed.added);
    rectSlider = ToRect(placed.slider);
    dwSliderStyle = placed.horizontalSlider ? KGP_SS_HORZ : KGP_SS_VERT;
    return TRUE;
}

CKGPSlider* CKGPBarContainerManager::SplitWithSlider(CRect& rectTarget, CRect& rectNew, DWORD dwAlignment,
                                                     CSize sizeMinNew)
{
    CRect rectSlider;
    DWORD dwSliderStyle = 0;
    if (!SplitRect(rectTarget, rectNew, rectSlider, dwSliderStyle, dwAlignment, sizeMinNew))
        return nullptr;
    return CreateSlider(rectSlider, dwSliderStyle);
}

BOOL CKGPBarContainerManager::CanAddPaneBeside(const CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar,
                                               DWORD dwAlignment) const
{
    BOOL bLeftTarget = FALSE;
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT:
    case CBRS_ALIGN_RIGHT:
    case CBRS_ALIGN_TOP:
    case CBRS_ALIGN_BOTTOM:
        break;
    default:
        return FALSE; // no side, or more than one
    }
    return pBar != nullptr && pTargetBar != nullptr && pBar != pTargetBar && m_lstBars.Find(pTargetBar) != nullptr &&
           FindNodeByPane(pTargetBar, bLeftTarget) != nullptr;
}

BOOL CKGPBarContainerManager::HasRecentPlaceOf(const CKGPDockingControlBar* pBar, BOOL bTabPlace) const
{
    if (pBar == nullptr || m_pRootContainer == nullptr)
        return FALSE;
    const BOOL bDocked = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pOwnerWnd) == nullptr;
    const CKGPRecentDockInfo& info = pBar->m_recentDockInfo;
    CKGPBarContainer* pNode = bTabPlace ? info.GetRecentTabContainer(bDocked) : info.GetRecentContainer(bDocked);
    return pNode != nullptr && m_pRootContainer->FindNode(pNode, CKGPBarContainer::kContainer) != nullptr;
}

BOOL CKGPBarContainerManager::AddPaneBeside(CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar,
                                            DWORD dwAlignment)
{
    POSITION posTarget = m_lstBars.Find(pTargetBar);
    dwAlignment &= CBRS_ALIGN_ANY;
    const BOOL bAfter = dwAlignment == CBRS_ALIGN_RIGHT || dwAlignment == CBRS_ALIGN_BOTTOM;
    const BOOL bBefore = dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP;
    BOOL bLeftTarget = FALSE;
    CKGPBarContainer* pHolder = FindNodeByPane(pTargetBar, bLeftTarget);
    if (posTarget == nullptr || pBar == nullptr || pHolder == nullptr || (!bAfter && !bBefore) ||
        m_lstBars.Find(pBar) != nullptr)
        return FALSE;

    CSize minTarget, minNew;
    pTargetBar->GetMinSize(minTarget);
    pBar->GetMinSize(minNew);
    CRect rectTarget, rectNew;
    pTargetBar->GetWindowRect(rectTarget);
    pBar->GetWindowRect(rectNew);
    rectTarget.right = (std::max)(rectTarget.right, rectTarget.left + minTarget.cx);
    rectTarget.bottom = (std::max)(rectTarget.bottom, rectTarget.top + minTarget.cy);
    CKGPSlider* pSlider = SplitWithSlider(rectTarget, rectNew, dwAlignment, minNew);
    if (pSlider == nullptr)
        return FALSE;

    if (m_pOwnerWnd != nullptr && pBar->GetParent() != m_pOwnerWnd)
        pBar->SetParent(m_pOwnerWnd);
    PlaceAt(pTargetBar, rectTarget);
    PlaceAt(pBar, rectNew);
    if (bAfter)
        m_lstBars.InsertAfter(posTarget, pBar);
    else
        m_lstBars.InsertBefore(posTarget, pBar);

    // The new node holds the one that comes first on its left.
    const BOOL bNewFirst = bBefore != SidesSwapped(dwAlignment);
    KGPContainerPtr node = bNewFirst ? MakeContainer(pBar, pTargetBar, pSlider)
                                     : MakeContainer(pTargetBar, pBar, pSlider);
    pHolder->ReplacePaneWithContainer(std::move(node), pTargetBar);
    return TRUE;
}

BOOL CKGPBarContainerManager::AddContainerBeside(CKGPDockingControlBar* pBar, KGPContainerPtr pContainer,
                                                 DWORD dwAlignment)
{
    BOOL bLeftTarget = FALSE;
    CKGPBarContainer* pHolder = FindNodeByPane(pBar, bLeftTarget);
    if (pHolder == nullptr || pContainer == nullptr)
        return FALSE;
    dwAlignment &= CBRS_ALIGN_ANY;
    CRect rectTarget, rectNew;
    pBar->GetWindowRect(rectTarget);
    pContainer->GetWindowRect(rectNew, TRUE);
    CSize minNew;
    pContainer->GetMinSize(minNew);
    CKGPSlider* pSlider = SplitWithSlider(rectTarget, rectNew, dwAlignment, minNew);
    if (pSlider == nullptr)
        return FALSE;
    pSlider->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlaceAt(pBar, rectTarget);
    HDWP hdwp = ::BeginDeferWindowPos(20);
    pContainer->ResizeContainer(rectNew, hdwp, FALSE);
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);

    const BOOL bContainerFirst =
        (dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP) != SidesSwapped(dwAlignment);
    KGPContainerPtr node = MakeContainer(bContainerFirst ? nullptr : pBar, bContainerFirst ? pBar : nullptr, pSlider);
    node->SetContainer(std::move(pContainer), bContainerFirst);
    pHolder->ReplacePaneWithContainer(std::move(node), pBar);
    return TRUE;
}

void CKGPBarContainerManager::CollectVisible(CObList& lstBars, CObList& lstSliders) const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pBar = PaneAt(m_lstBars, pos);
        if (IsShown(pBar))
            lstBars.AddTail(pBar);
    }
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;) {
        CObject* pSlider = m_lstSliders.GetNext(pos);
        if (IsShown(static_cast<CWnd*>(pSlider)))
            lstSliders.AddTail(pSlider);
    }
}

void CKGPBarContainerManager::RemoveVisible(const CObList& lstBars, const CObList& lstSliders)
{
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if (POSITION found = m_lstBars.Find(lstBars.GetNext(pos)))
            m_lstBars.RemoveAt(found);
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != nullptr;) {
        if (POSITION found = m_lstSliders.Find(lstSliders.GetNext(pos)))
            m_lstSliders.RemoveAt(found);
    }
}

void CKGPBarContainerManager::Reparent(const CObList& lstBars, const CObList& lstSliders) const
{
    if (m_pOwnerWnd == nullptr)
        return;
    for (const CObList* pList : {&lstBars, &lstSliders}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
            MoveUnder(static_cast<CWnd*>(pList->GetNext(pos)), m_pOwnerWnd);
    }
}

BOOL CKGPBarContainerManager::AddContainer(CKGPDockingControlBar* pTargetBar, DWORD dwAlignment,
                                           CKGPBarContainerManager& otherManager, BOOL bCopy)
{
    BOOL bLeft = FALSE;
    if (&otherManager == this || FindNodeByPane(pTargetBar, bLeft) == nullptr ||
        otherManager.m_pRootContainer == nullptr)
        return FALSE;
    CObList bars, sliders;
    otherManager.CollectVisible(bars, sliders);
    if (bars.IsEmpty())
        return FALSE;
    KGPContainerPtr tree;
    if (bCopy) {
        // The visible panes come; the hidden ones keep their places in the other tree.
        tree.reset(otherManager.m_pRootContainer->Split(nullptr));
    } else {
        tree = std::move(otherManager.m_pRootContainer);
        otherManager.m_pRootContainer = otherManager.MakeContainer();
    }
    otherManager.RemoveVisible(bars, sliders);
    for (POSITION pos = sliders.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPSlider*>(sliders.GetNext(pos))->SetContainerManager(nullptr);
    tree->SetManager(this, TRUE);
    Reparent(bars, sliders);
    if (!AddContainerBeside(pTargetBar, std::move(tree), dwAlignment))
        return FALSE;
    POSITION posTarget = m_lstBars.Find(pTargetBar);
    const BOOL bBefore = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP)) != 0;
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        CObject* pBar = bars.GetNext(pos);
        if (bBefore)
            m_lstBars.InsertBefore(posTarget, pBar);
        else
            posTarget = m_lstBars.InsertAfter(posTarget, pBar);
    }
    for (POSITION pos = sliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKGPSlider*>(sliders.GetNext(pos));
        m_lstSliders.AddTail(pSlider);
        pSlider->SetContainerManager(this);
    }
    CheckVisibility();
    return TRUE;
}

BOOL CKGPBarContainerManager::AddContainerManager(CKGPBarContainerManager& otherManager, BOOL /*bOuterEdge*/)
{
    if (&otherManager == this || otherManager.m_pRootContainer == nullptr ||
        otherManager.m_pRootContainer->IsEmpty() || m_pOwnerWnd == nullptr ||
        CKGPGlobalUtils::Get().GetDockManager(m_pOwnerWnd) == nullptr)
        return FALSE;
    // Only an empty tree takes another whole.
    if (m_pRootContainer != nullptr && !m_pRootContainer->IsEmpty())
        return FALSE;
    CObList bars, sliders;
    otherManager.CollectVisible(bars, sliders);
    if (bars.IsEmpty())
        return FALSE;
    KGPContainerPtr tree = std::move(otherManager.m_pRootContainer);
    otherManager.m_pRootContainer = otherManager.MakeContainer();
    CObList allBars;
    allBars.AddTail(&otherManager.m_lstBars);
    CObList allSliders;
    allSliders.AddTail(&otherManager.m_lstSliders);
    otherManager.m_lstBars.RemoveAll();
    otherManager.m_lstSliders.RemoveAll();

    if (m_pRootContainer == nullptr)
        m_pRootContainer = MakeContainer();
    tree->SetManager(this, TRUE);
    m_pRootContainer->SetContainer(std::move(tree), TRUE);
    Reparent(allBars, allSliders);
    m_lstBars.AddTail(&allBars);
    for (POSITION pos = allSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKGPSlider*>(allSliders.GetNext(pos));
        m_lstSliders.AddTail(pSlider);
        pSlider->SetContainerManager(this);
    }
    m_pRootContainer->ReleaseEmptyPanes();
    CheckVisibility();
    return TRUE;
}

BOOL CKGPBarContainerManager::AddPaneAsTab(CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar)
{
    if (pBar == nullptr || m_lstBars.Find(pTargetBar) == nullptr)
        return FALSE;
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    CObList tabs;
    if (pTabs != nullptr && KGPTabbedBars::IsTabbedBar(pBar))
        pTabs->AppendTabs(pBar, tabs);
    if (tabs.IsEmpty())
        tabs.AddTail(pBar);
    BOOL bAttached = FALSE;
    for (POSITION pos = tabs.GetHeadPosition(); pos != nullptr;) {
        auto* pTab = DYNAMIC_DOWNCAST(CKGPDockingControlBar, tabs.GetNext(pos));
        if (pTab != nullptr && pTab->AttachToTabWnd(pTargetBar, KGP_DM_MOUSE) != nullptr)
            bAttached = TRUE;
    }
    return bAttached;
}

CKGPDockingControlBar* CKGPBarContainerManager::AddPaneToRecentPlace(CKGPDockingControlBar* pBar, BOOL bTabPlace)
{
    if (pBar == nullptr || m_pRootContainer == nullptr)
        return nullptr;
    const BOOL bDocked = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pOwnerWnd) == nullptr;
    CKGPRecentDockInfo& info = pBar->m_recentDockInfo;
    CKGPBarContainer* pNode = bTabPlace ? info.GetRecentTabContainer(bDocked) : info.GetRecentContainer(bDocked);
    if (pNode == nullptr || m_pRootContainer->FindNode(pNode, CKGPBarContainer::kContainer) == nullptr)
        return nullptr;
    if (pNode->GetSlider() == nullptr && pNode->GetParentContainer() != nullptr) {
        // A node that gave its slider away in a split gets a new one, as
        // thick as a slider is (the node may show nothing yet: no width).
        const DWORD style = pNode->IsSliderHorizontal() ? KGP_SS_HORZ : KGP_SS_VERT;
        CRect rectSlider;
        pNode->GetWindowRect(rectSlider, TRUE);
        if (style == KGP_SS_VERT)
            rectSlider.right = rectSlider.left + CKGPSlider::m_nDefaultWidth;
        else
            rectSlider.bottom = rectSlider.top + CKGPSlider::m_nDefaultWidth;
        if (CKGPSlider* pSlider = CreateSlider(rectSlider, style))
            pNode->SetSlider(pSlider);
    }
    if (m_pOwnerWnd != nullptr && pBar->GetParent() != m_pOwnerWnd)
        MoveUnder(pBar, m_pOwnerWnd);
    const CKGPRecentContainerInfo& place = bDocked ? info.m_recentSliderInfo : info.m_recentMiniFrameInfo;
    if (!pNode->AddPaneToRecentPlace(pBar, place))
        return nullptr;
    CheckVisibility();
    // After the last of its remembered neighbours this list still holds.
    POSITION after = nullptr;
    const CList<HWND, HWND>& neighbours = info.GetRecentListOfBars(bDocked);
    for (POSITION pos = neighbours.GetHeadPosition(); pos != nullptr;) {
        CWnd* pNeighbour = CWnd::FromHandlePermanent(neighbours.GetNext(pos));
        if (pNeighbour == pBar || pNeighbour == nullptr)
            continue;
        if (POSITION found = m_lstBars.Find(pNeighbour))
            after = found;
    }
    if (m_lstBars.Find(pBar) == nullptr) {
        if (after != nullptr)
            m_lstBars.InsertAfter(after, pBar);
        else
            m_lstBars.AddTail(pBar);
    }
    return pBar;
}

// ---- Removing and replacing.

BOOL CKGPBarContainerManager::RemovePane(CKGPDockingControlBar* pBar)
{
    BOOL bLeft = FALSE;
    CKGPBarContainer* pNode = FindNodeByPane(pBar, bLeft);
    if (pNode != nullptr) {
        pNode->DeletePane(pBar, bLeft);
        CheckVisibility();
        if (CKGPSlider* pSlider = pNode->GetSlider(); pSlider != nullptr && m_lstSliders.Find(pSlider) != nullptr &&
                                                      pNode->IsLeftPartEmpty(TRUE) != pNode->IsRightPartEmpty(TRUE))
            pSlider->ShowWindow(SW_HIDE);
    }
    if (POSITION pos = m_lstBars.Find(pBar)) {
        // Every pane of the list is remembered beside it, for its way back.
        CList<HWND, HWND> neighbours;
        for (POSITION each = m_lstBars.GetHeadPosition(); each != nullptr;)
            neighbours.AddTail(PaneAt(m_lstBars, each)->GetSafeHwnd());
        const BOOL bDocked = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pOwnerWnd) == nullptr;
        pBar->m_recentDockInfo.SaveListOfRecentBars(neighbours, bDocked);
        m_lstBars.RemoveAt(pos);
    }
    return pNode != nullptr;
}

void CKGPBarContainerManager::ReplacePane(CKGPDockingControlBar* pBarOld, CKGPDockingControlBar* pBarNew)
{
    if (pBarNew == nullptr)
        return;
    BOOL bLeft = FALSE;
    if (CKGPBarContainer* pNode = FindNodeByPane(pBarOld, bLeft))
        pNode->SetPane(pBarNew, bLeft);
    if (POSITION pos = m_lstBars.Find(pBarOld))
        m_lstBars.SetAt(pos, pBarNew);
    else if (m_lstBars.Find(pBarNew) == nullptr)
        m_lstBars.AddTail(pBarNew);
}

void CKGPBarContainerManager::RemoveSlider(CKGPSlider* pSlider)
{
    if (pSlider == nullptr)
        return;
    if (POSITION pos = m_lstSliders.Find(pSlider))
        m_lstSliders.RemoveAt(pos);
    pSlider->SetContainerManager(nullptr);
    if (m_pRootContainer != nullptr) {
        if (CKGPBarContainer* pNode = m_pRootContainer->FindNode(pSlider, CKGPBarContainer::kSlider))
            pNode->SetSlider(nullptr);
    }
}

BOOL CKGPBarContainerManager::KeepPaneIfValid(CKGPDockingControlBar* pBar)
{
    POSITION pos = m_lstBars.Find(pBar);
    if (pos == nullptr)
        return FALSE;
    if (CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar)
        return TRUE;
    m_lstBars.RemoveAt(pos);
    if (m_pRootContainer != nullptr)
        m_pRootContainer->ReleaseEmptyPanes();
    return FALSE;
}

void CKGPBarContainerManager::ReleaseEmptyPanes()
{
    if (m_pRootContainer != nullptr)
        m_pRootContainer->ReleaseEmptyPanes();
}

void CKGPBarContainerManager::CheckDefaultSliderEmpty()
{
    if (m_pDefaultSlider != nullptr && m_pDefaultSlider->GetSafeHwnd() != nullptr)
        m_pDefaultSlider->PostCheckEmpty();
}

// ---- Layout.

void CKGPBarContainerManager::GetWindowRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pRootContainer != nullptr)
        m_pRootContainer->GetWindowRect(rect);
}

void CKGPBarContainerManager::GetFreeRect(CRect& rect) const
{
    CRect used;
    for (const CObList* pList : {&m_lstBars, &m_lstSliders}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            auto* pWnd = static_cast<CWnd*>(pList->GetNext(pos));
            if (!IsShown(pWnd))
                continue;
            CRect window;
            pWnd->GetWindowRect(window);
            used.UnionRect(used, window);
        }
    }
    if (used.IsRectEmpty())
        return;
    // What is left of the rectangle beside what the panes and sliders take.
    CRect free = rect;
    if (used.left <= free.left && used.right >= free.right) {
        if (used.top <= free.top)
            free.top = (std::max)(free.top, used.bottom);
        else
            free.bottom = (std::min)(free.bottom, used.top);
    } else if (used.top <= free.top && used.bottom >= free.bottom) {
        if (used.left <= free.left)
            free.left = (std::max)(free.left, used.right);
        else
            free.right = (std::min)(free.right, used.left);
    }
    rect = free.IsRectEmpty() ? CRect() : free;
}

void CKGPBarContainerManager::ResizeContainers(CRect rect, HDWP& hdwp)
{
    if (m_pRootContainer == nullptr)
        return;
    const LayoutPass pass(this);
    m_pRootContainer->ResizeContainer(rect, hdwp, FALSE);
}

int CKGPBarContainerManager::ResizePartOfContainers(DWORD dwAlignment, BOOL bAtEnd, int nDelta, HDWP& hdwp)
{
    if (m_pRootContainer == nullptr)
        return 0;
    const BOOL bHorz = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    return m_pRootContainer->ResizePartOfContainer(bAtEnd ? nDelta : -nDelta, bHorz, bAtEnd, TRUE, hdwp);
}

void CKGPBarContainerManager::OnSliderMoved(CKGPSlider* pSlider, int nOffset, HDWP& hdwp)
{
    if (m_pRootContainer == nullptr)
        return;
    const LayoutPass pass(this);
    CRect rect;
    m_pRootContainer->GetWindowRect(rect);
    m_pRootContainer->ResizeContainer(rect, hdwp, FALSE);
    if (CKGPBarContainer* pNode = m_pRootContainer->FindNode(pSlider, CKGPBarContainer::kSlider))
        pNode->MoveSplit(nOffset, hdwp);
}

void CKGPBarContainerManager::CalcSliderBounds(CKGPSlider* pSlider, int& nMinOffset, int& nMaxOffset,
                                               int& nValue) const
{
    nMinOffset = nMaxOffset = 0;
    nValue = -1;
    if (pSlider == nullptr || pSlider->GetSafeHwnd() == nullptr || m_pRootContainer == nullptr)
        return;
    const LayoutPass pass(this);
    CRect rectSlider;
    pSlider->GetWindowRect(rectSlider);
    split::DragLimits limits;
    if (pSlider == m_pDefaultSlider) {
        CRect container;
        m_pRootContainer->GetWindowRect(container);
        CSize minimum;
        m_pRootContainer->GetMinSize(minimum);
        // The room the panes may grow into: theirs and the frame's inner area.
        CRect bounds = container;
        if (CKGPDockManager* pDockManager = CKGPGlobalUtils::Get().GetDockManager(m_pOwnerWnd)) {
            CRect inner;
            pDockManager->GetInnerDockRect(inner);
            if (CFrameWnd* pSite = pDockManager->GetDockSite())
                pSite->ClientToScreen(inner);
            bounds.UnionRect(bounds, inner);
        }
        limits = split::DefaultSliderLimits(pSlider->GetCurrentAlignment(), ToBox(container), ToBox(rectSlider),
                                            ToBox(bounds), {minimum.cx, minimum.cy});
        nValue = m_pRootContainer->GetLargestPaneValue();
    } else {
        CKGPBarContainer* pNode = m_pRootContainer->FindNode(pSlider, CKGPBarContainer::kSlider);
        if (pNode == nullptr)
            return;
        CRect node;
        pNode->GetWindowRect(node);
        CSize left, right;
        pNode->GetMinSizeLeft(left);
        pNode->GetMinSizeRight(right);
        const BOOL bAlongX = !pSlider->IsHorizontal();
        limits = bAlongX ? split::InnerSliderLimits(node.left, node.right, rectSlider.left, rectSlider.right, left.cx,
                                                    right.cx)
                         : split::InnerSliderLimits(node.top, node.bottom, rectSlider.top, rectSlider.bottom,
                                                    left.cy, right.cy);
        nValue = pNode->GetLargestPaneValue();
    }
    nMinOffset = limits.low;
    nMaxOffset = limits.high;
}

BOOL CKGPBarContainerManager::CheckVisibility()
{
    if (m_pRootContainer != nullptr)
        m_pRootContainer->CheckSliderVisibility();
    return HasVisiblePane();
}

BOOL CKGPBarContainerManager::HasVisiblePane() const
{
    return m_pRootContainer != nullptr && m_pRootContainer->HasVisiblePane();
}

void CKGPBarContainerManager::GetMinSize(CSize& size) const
{
    size = CSize(0, 0);
    if (m_pRootContainer != nullptr)
        m_pRootContainer->GetMinSize(size);
}

int CKGPBarContainerManager::GetVisiblePaneCount() const
{
    int count = 0;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;)
        count += IsShown(PaneAt(m_lstBars, pos)) ? 1 : 0;
    return count;
}

void CKGPBarContainerManager::EnableGripper(BOOL bEnable)
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;)
        PaneAt(m_lstBars, pos)->EnableGripper(bEnable);
}

void CKGPBarContainerManager::HideAll()
{
    for (const CObList* pList : {&m_lstBars, &m_lstSliders}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
            static_cast<CWnd*>(pList->GetNext(pos))->ShowWindow(SW_HIDE);
    }
}

BOOL CKGPBarContainerManager::CanFloat() const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        if (PaneAt(m_lstBars, pos)->CKGPBaseControlBar::CanFloat())
            return TRUE;
    }
    return FALSE;
}

BOOL CKGPBarContainerManager::AllowsInsertBefore() const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        if (PaneAt(m_lstBars, pos)->AllowsInsertBefore())
            return TRUE;
    }
    return FALSE;
}

BOOL CKGPBarContainerManager::IsResizable() const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        if (!PaneAt(m_lstBars, pos)->IsResizable())
            return FALSE;
    }
    return TRUE;
}

void CKGPBarContainerManager::SetPanesFlag(BOOL bValue)
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;)
        PaneAt(m_lstBars, pos)->m_bHoldOpen = bValue;
}

// ---- Looking panes up.

CKGPDockingControlBar* CKGPBarContainerManager::PaneFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                              BOOL& bIsTabArea, BOOL& bCaption) const
{
    bIsTabArea = FALSE;
    bCaption = FALSE;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pBar = PaneAt(m_lstBars, pos);
        if (!IsShown(pBar))
            continue;
        CRect top, bottom;
        pBar->GetTabArea(top, bottom);
        if (top.PtInRect(point) || bottom.PtInRect(point)) {
            bIsTabArea = TRUE;
            return pBar;
        }
        if (pBar->HitTest(point, TRUE) == HTCAPTION) {
            bCaption = TRUE;
            return pBar;
        }
        CRect body;
        pBar->GetWindowRect(body);
        body.top += pBar->GetCaptionHeight();
        body.bottom -= pBar->GetTabAreaHeight();
        if (!body.PtInRect(point))
            continue;
        CKGPDockManager* pDockManager = CKGPGlobalUtils::Get().GetDockManager(pBar->GetParent());
        const CKGPSmartDockingManager* pSmart = pDockManager != nullptr ? pDockManager->GetSmartDockingManager()
                                                                        : nullptr;
        if (pSmart != nullptr && pSmart->IsStarted() && pSmart->GetHotMarker() >= 4) {
            bCaption = pSmart->GetHotMarker() == 8;
            return pBar;
        }
        CRect inner = body;
        inner.DeflateRect(nSensitivity, nSensitivity);
        if (nSensitivity == 0 || !inner.PtInRect(point))
            return pBar;
    }
    if (bExactBar)
        return nullptr;
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pBar = PaneAt(m_lstBars, pos);
        if (!IsShown(pBar))
            continue;
        CRect rect;
        pBar->GetWindowRect(rect);
        rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point))
            return pBar;
    }
    return nullptr;
}

BOOL CKGPBarContainerManager::PaneFromCaptionPoint(CPoint point, CKGPDockingControlBar*& pBar) const
{
    pBar = nullptr;
    auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_pOwnerWnd);
    if (pMiniFrame == nullptr || GetVisiblePaneCount() > 1 || pMiniFrame->HitTest(point, TRUE) != HTCAPTION)
        return FALSE;
    pBar = GetFirstVisiblePane();
    return pBar != nullptr;
}

CKGPDockingControlBar* CKGPBarContainerManager::GetFirstPane() const
{
    return m_lstBars.IsEmpty() ? nullptr : static_cast<CKGPDockingControlBar*>(m_lstBars.GetHead());
}

CKGPDockingControlBar* CKGPBarContainerManager::GetFirstVisiblePane() const
{
    for (POSITION pos = m_lstBars.GetHeadPosition(); pos != nullptr;) {
        CKGPDockingControlBar* pBar = PaneAt(m_lstBars, pos);
        if (IsShown(pBar))
            return pBar;
    }
    return nullptr;
}

void CKGPBarContainerManager::StoreRecentPlace(CKGPDockingControlBar* pBar)
{
    BOOL bLeft = FALSE;
    if (CKGPBarContainer* pNode = FindNodeByPane(pBar, bLeft))
        pNode->StoreRecentPlace(pBar);
}

CKGPBarContainer* CKGPBarContainerManager::FindNodeByPane(CKGPDockingControlBar* pBar, BOOL& bLeftBar) const
{
    bLeftBar = FALSE;
    if (m_pRootContainer == nullptr || pBar == nullptr)
        return nullptr;
    if (CKGPBarContainer* pNode = m_pRootContainer->FindNode(pBar, CKGPBarContainer::kLeftPane)) {
        bLeftBar = TRUE;
        return pNode;
    }
    return m_pRootContainer->FindNode(pBar, CKGPBarContainer::kRightPane);
}

int CKGPBarContainerManager::CountNodes() const
{
    return m_pRootContainer != nullptr ? m_pRootContainer->CountNodes() : 0;
}

int CKGPBarContainerManager::CountReferences() const
{
    return m_pRootContainer != nullptr ? m_pRootContainer->CountReferences() : 0;
}

CKGPDockingControlBar* CKGPBarContainerManager::FindTabbedPaneOwner(UINT nTabID) const
{
    return m_pRootContainer != nullptr ? m_pRootContainer->FindTabbedPaneOwner(nTabID) : nullptr;
}

// ---- Sliders.

CKGPSlider* CKGPBarContainerManager::CreateSlider(CRect rectScreen, DWORD dwSliderStyle, UINT nID)
{
    if (m_pOwnerWnd == nullptr || m_pOwnerWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    CRuntimeClass* pClass = CKGPSlider::m_pSliderRTC != nullptr ? CKGPSlider::m_pSliderRTC : RUNTIME_CLASS(CKGPSlider);
    std::unique_ptr<CObject> pObject(pClass->CreateObject());
    auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject.get());
    if (pSlider == nullptr)
        return nullptr;
    auto taken = [this](UINT id) {
        for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;) {
            if (static_cast<UINT>(static_cast<CWnd*>(m_lstSliders.GetNext(pos))->GetDlgCtrlID()) == id)
                return TRUE;
        }
        return FALSE;
    };
    if (nID == 0xFFFFFFFF || nID == 0 || taken(nID))
        nID = s_nNextSliderID++;
    else if (nID >= s_nNextSliderID)
        s_nNextSliderID = nID + 1;
    CRect client = rectScreen;
    m_pOwnerWnd->ScreenToClient(client);
    // The slider deletes itself with its window (a refused creation included).
    pObject.release(); // the creation takes it over
    CKGPSlider* pMade = AfxCreateSelfDeleting(pSlider, [&](CKGPSlider& slider) {
        return slider.CreateEx(0, dwSliderStyle | WS_CHILD, client, m_pOwnerWnd, nID);
    });
    if (pMade == nullptr)
        return nullptr;
    pMade->ShowWindow(SW_SHOW);
    pMade->SetContainerManager(this);
    m_lstSliders.AddTail(pMade);
    return pMade;
}

void CKGPBarContainerManager::RegisterTreeSliders(CKGPBarContainer* pNode)
{
    if (pNode == nullptr)
        return;
    if (CKGPSlider* pSlider = pNode->GetSlider(); pSlider != nullptr && m_lstSliders.Find(pSlider) == nullptr) {
        m_lstSliders.AddTail(pSlider);
        pSlider->SetContainerManager(this);
    }
    RegisterTreeSliders(pNode->GetLeftContainer());
    RegisterTreeSliders(pNode->GetRightContainer());
}
