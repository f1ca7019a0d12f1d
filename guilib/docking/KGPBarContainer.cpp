#include "guilib/docking/KGPBarContainer.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPRecentDockInfo.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSplitMath.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <afxarch.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CKGPBarContainer, CObject)

namespace {

namespace split = kgp::split;

BOOL IsShown(const CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && (pWnd->GetStyle() & WS_VISIBLE) != 0;
}

CSize MinSizeOf(const CKGPDockingControlBar* pBar)
{
    CSize size(0, 0);
    pBar->GetMinSize(size);
    return size;
}

// A pane's rectangle on the screen; an empty one stands for its minimum size
// at its top-left corner.
CRect PaneRect(const CKGPDockingControlBar* pBar)
{
    CRect rect;
    pBar->GetWindowRect(rect);
    if (rect.IsRectEmpty())
        rect = CRect(rect.TopLeft(), MinSizeOf(pBar));
    return rect;
}

int Near(const CRect& rect, BOOL bAlongX)
{
    return bAlongX ? rect.left : rect.top;
}
int Far(const CRect& rect, BOOL bAlongX)
{
    return bAlongX ? rect.right : rect.bottom;
}
int Extent(const CRect& rect, BOOL bAlongX)
{
    return bAlongX ? rect.Width() : rect.Height();
}
int Along(CSize size, BOOL bAlongX)
{
    return bAlongX ? size.cx : size.cy;
}
void SetSpan(CRect& rect, BOOL bAlongX, int nearEdge, int farEdge)
{
    if (bAlongX) {
        rect.left = nearEdge;
        rect.right = farEdge;
    } else {
        rect.top = nearEdge;
        rect.bottom = farEdge;
    }
}

split::Size ToSize(CSize size)
{
    return {size.cx, size.cy};
}

// Destroys an inner slider's window (which deletes the slider); the default
// slider belongs to its frame edge and stays.
void DestroyInnerSlider(CKGPSlider* pSlider)
{
    if (pSlider != nullptr && !pSlider->IsDefault() && ::IsWindow(pSlider->GetSafeHwnd()))
        pSlider->DestroyWindow();
}

}  // namespace

void KGPContainerDisposer::operator()(CKGPBarContainer* pContainer) const
{
    if (pContainer == nullptr)
        return;
    if (pContainer->m_nRefCount > 0) {
        pContainer->Retire();
        return;
    }
    delete pContainer;
}

CKGPBarContainer::CKGPBarContainer(CKGPBarContainerManager* pManager, CKGPDockingControlBar* pLeftBar,
                                   CKGPDockingControlBar* pRightBar, CKGPSlider* pSlider)
    : m_pBarLeftTop(pLeftBar), m_pBarRightBottom(pRightBar), m_pSlider(pSlider), m_pContainerManager(pManager)
{
}

CKGPBarContainer::~CKGPBarContainer()
{
    m_bDisposing = TRUE;
    DeleteSubTrees();
}

void CKGPBarContainer::DeleteSubTrees()
{
    m_pLeftContainer.reset();
    m_pRightContainer.reset();
    CKGPSlider* pSlider = m_pSlider;
    m_pSlider = nullptr;
    DestroyInnerSlider(pSlider);
}

void CKGPBarContainer::Retire()
{
    // Remembered places still name this node: it leaves the tree with nothing
    // in it and goes with the last of them.
    m_bRetired = TRUE;
    DeleteSubTrees();
    m_pBarLeftTop = nullptr;
    m_pBarRightBottom = nullptr;
    m_pParentContainer = nullptr;
    m_pContainerManager = nullptr;
}

void CKGPBarContainer::Release()
{
    if (--m_nRefCount < 1)
        CheckAndRemove();
}

// ---- Structure.

void CKGPBarContainer::SetPane(CKGPDockingControlBar* pBar, BOOL bLeft)
{
    (bLeft ? m_pBarLeftTop : m_pBarRightBottom) = pBar;
}

void CKGPBarContainer::SetContainer(KGPContainerPtr pContainer, BOOL bLeft)
{
    if (pContainer != nullptr)
        pContainer->m_pParentContainer = this;
    (bLeft ? m_pLeftContainer : m_pRightContainer) = std::move(pContainer);
}

KGPContainerPtr CKGPBarContainer::TakeContainer(BOOL bLeft)
{
    KGPContainerPtr taken = std::move(bLeft ? m_pLeftContainer : m_pRightContainer);
    if (taken != nullptr)
        taken->m_pParentContainer = nullptr;
    return taken;
}

void CKGPBarContainer::SetManager(CKGPBarContainerManager* pManager, BOOL bDeep)
{
    m_pContainerManager = pManager;
    if (!bDeep)
        return;
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            pChild->SetManager(pManager, TRUE);
    }
}

CKGPBarContainer* CKGPBarContainer::FindNode(const CObject* pObject, NodeKind kind)
{
    switch (kind) {
    case kLeftPane:
        if (pObject == m_pBarLeftTop && pObject != nullptr)
            return this;
        break;
    case kRightPane:
        if (pObject == m_pBarRightBottom && pObject != nullptr)
            return this;
        break;
    case kSlider:
        if (pObject == m_pSlider && pObject != nullptr)
            return this;
        break;
    case kContainer:
        if (pObject == this)
            return this;
        break;
    }
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr) {
            if (CKGPBarContainer* pFound = pChild->FindNode(pObject, kind))
                return pFound;
        }
    }
    return nullptr;
}

BOOL CKGPBarContainer::IsEmpty() const
{
    return m_pBarLeftTop == nullptr && m_pBarRightBottom == nullptr &&
           (m_pLeftContainer == nullptr || m_pLeftContainer->IsEmpty()) &&
           (m_pRightContainer == nullptr || m_pRightContainer->IsEmpty());
}

BOOL CKGPBarContainer::HasVisiblePane() const
{
    return Measured().visible;
}

BOOL CKGPBarContainer::IsLeftPartEmpty(BOOL bCheckVisibility) const
{
    if (bCheckVisibility)
        return !SideVisible(TRUE);
    return m_pBarLeftTop == nullptr && (m_pLeftContainer == nullptr || m_pLeftContainer->IsEmpty());
}

BOOL CKGPBarContainer::IsRightPartEmpty(BOOL bCheckVisibility) const
{
    if (bCheckVisibility)
        return !SideVisible(FALSE);
    return m_pBarRightBottom == nullptr && (m_pRightContainer == nullptr || m_pRightContainer->IsEmpty());
}

int CKGPBarContainer::CountNodes() const
{
    int count = 1;
    for (const CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            count += pChild->CountNodes();
    }
    return count;
}

int CKGPBarContainer::CountReferences() const
{
    int count = m_nRefCount;
    for (const CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            count += pChild->CountReferences();
    }
    return count;
}

BOOL CKGPBarContainer::IsSliderHorizontal() const
{
    return m_pSlider != nullptr ? m_pSlider->IsHorizontal() : m_bSavedSliderHorz;
}

BOOL CKGPBarContainer::IsLeftBar(const CKGPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar == m_pBarLeftTop;
}

BOOL CKGPBarContainer::SetPaneBySavedId(UINT nID, CKGPDockingControlBar* pBar)
{
    if (m_nSavedLeftBarID != -1 && static_cast<UINT>(m_nSavedLeftBarID) == nID) {
        m_pBarLeftTop = pBar;
        return TRUE;
    }
    if (m_nSavedRightBarID != -1 && static_cast<UINT>(m_nSavedRightBarID) == nID) {
        m_pBarRightBottom = pBar;
        return TRUE;
    }
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr && pChild->SetPaneBySavedId(nID, pBar))
            return TRUE;
    }
    return FALSE;
}

CKGPDockingControlBar* CKGPBarContainer::FindTabbedPaneOwner(UINT nTabID)
{
    if (m_lstLeftTabIds.Find(nTabID) != nullptr)
        return m_pBarLeftTop;
    if (m_lstRightTabIds.Find(nTabID) != nullptr)
        return m_pBarRightBottom;
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr) {
            if (CKGPDockingControlBar* pOwner = pChild->FindTabbedPaneOwner(nTabID))
                return pOwner;
        }
    }
    return nullptr;
}

void CKGPBarContainer::ReplacePaneWithContainer(KGPContainerPtr pContainer, CKGPDockingControlBar* pBarToReplace)
{
    if (pBarToReplace != nullptr && pBarToReplace == m_pBarLeftTop) {
        m_pBarLeftTop = nullptr;
        SetContainer(std::move(pContainer), TRUE);
        return;
    }
    if (pBarToReplace != nullptr && pBarToReplace == m_pBarRightBottom) {
        m_pBarRightBottom = nullptr;
        SetContainer(std::move(pContainer), FALSE);
        return;
    }
    SetContainer(std::move(pContainer), FALSE);
}

void CKGPBarContainer::ReleaseEmptyPanes()
{
    const CObList* pPanes = m_pContainerManager != nullptr ? &m_pContainerManager->GetPanes() : nullptr;
    for (CKGPDockingControlBar** ppBar : {&m_pBarLeftTop, &m_pBarRightBottom}) {
        if (*ppBar != nullptr && (pPanes == nullptr || pPanes->Find(*ppBar) == nullptr))
            *ppBar = nullptr;
    }
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            pChild->ReleaseEmptyPanes();
    }
}

void CKGPBarContainer::CheckAndRemove()
{
    if (m_bRetired) {
        if (m_nRefCount < 1)
            delete this;
        return;
    }
    if (m_bDisposing || m_nRefCount >= 1)
        return;
    const int occupied = (m_pBarLeftTop != nullptr) + (m_pBarRightBottom != nullptr) +
                         (m_pLeftContainer != nullptr) + (m_pRightContainer != nullptr);
    if (occupied >= 2)
        return;
    CKGPBarContainer* pParent = m_pParentContainer;
    if ((m_pSlider != nullptr && m_pSlider->IsDefault()) || pParent == nullptr ||
        pParent->m_pParentContainer == nullptr) {
        if (m_pContainerManager != nullptr)
            m_pContainerManager->CheckDefaultSliderEmpty();
        return;
    }
    // The one part left takes this node's place in the parent.
    const BOOL bLeft = pParent->m_pLeftContainer.get() == this;
    KGPContainerPtr self = pParent->TakeContainer(bLeft);
    if (m_pBarLeftTop != nullptr || m_pBarRightBottom != nullptr)
        pParent->SetPane(m_pBarLeftTop != nullptr ? m_pBarLeftTop : m_pBarRightBottom, bLeft);
    else if (m_pLeftContainer != nullptr || m_pRightContainer != nullptr)
        pParent->SetContainer(TakeContainer(m_pLeftContainer != nullptr), bLeft);
    m_pBarLeftTop = nullptr;
    m_pBarRightBottom = nullptr;
    m_bDisposing = TRUE;
    self.reset(); // deletes this node, and its slider's window with it
}

// ---- Measures.

BOOL CKGPBarContainer::SideVisible(BOOL bLeft) const
{
    const BOOL bAll = m_pContainerManager != nullptr && m_pContainerManager->LaysOutHiddenPanes();
    const CKGPDockingControlBar* pBar = PaneOf(bLeft);
    const CKGPBarContainer* pChild = ContainerOf(bLeft);
    if (bAll)
        return pBar != nullptr || (pChild != nullptr && !pChild->IsEmpty());
    return IsShown(pBar) || (pChild != nullptr && pChild->Measured().visible);
}

int CKGPBarContainer::SideExtent(BOOL bLeft) const
{
    if (!SideVisible(bLeft))
        return 0;
    const BOOL bAlongX = !IsSliderHorizontal();
    if (const CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar))
        return Extent(PaneRect(pBar), bAlongX);
    const CKGPBarContainer* pChild = ContainerOf(bLeft);
    return pChild != nullptr ? Extent(pChild->Measured().rect, bAlongX) : 0;
}

BOOL CKGPBarContainer::SliderVisible() const
{
    if (m_pSlider == nullptr || m_pSlider->GetSafeHwnd() == nullptr)
        return FALSE;
    return IsShown(m_pSlider) || (m_pContainerManager != nullptr && m_pContainerManager->LaysOutHiddenPanes());
}

const CKGPBarContainer::Measure& CKGPBarContainer::Measured() const
{
    const int pass = m_pContainerManager != nullptr ? m_pContainerManager->GetLayoutPass() : -1;
    if (pass >= 0 && m_measure.pass == pass)
        return m_measure;
    const BOOL bAll = m_pContainerManager != nullptr && m_pContainerManager->LaysOutHiddenPanes();
    Measure measure;
    split::SideMinimum sides[2];
    for (int i = 0; i < 2; ++i) {
        const BOOL bLeft = i == 0;
        const CKGPDockingControlBar* pBar = PaneOf(bLeft);
        const CKGPBarContainer* pChild = ContainerOf(bLeft);
        if (pBar != nullptr && (bAll || IsShown(pBar))) {
            measure.visible = TRUE;
            measure.rect.UnionRect(measure.rect, PaneRect(pBar));
            sides[i].hasPane = TRUE;
            sides[i].pane = ToSize(MinSizeOf(pBar));
        }
        if (pChild != nullptr) {
            const Measure& child = pChild->Measured();
            if (child.visible || (bAll && !pChild->IsEmpty())) {
                measure.visible = TRUE;
                measure.rect.UnionRect(measure.rect, child.rect);
                sides[i].hasContainer = TRUE;
                sides[i].container = ToSize(child.minimum);
            }
        }
    }
    const int thickness = SliderVisible() ? m_pSlider->GetWidth() : 0;
    const split::Size minimum =
        split::CombineMinimum(sides[0], sides[1], thickness > 0, !IsSliderHorizontal(), thickness);
    measure.minimum = CSize(minimum.cx, minimum.cy);
    measure.pass = pass;
    m_measure = measure;
    return m_measure;
}

void CKGPBarContainer::GetWindowRect(CRect& rect, BOOL bIgnoreVisibility) const
{
    if (!bIgnoreVisibility) {
        rect = Measured().rect;
        return;
    }
    rect.SetRectEmpty();
    for (const BOOL bLeft : {TRUE, FALSE}) {
        if (const CKGPDockingControlBar* pBar = PaneOf(bLeft))
            rect.UnionRect(rect, PaneRect(pBar));
        if (const CKGPBarContainer* pChild = ContainerOf(bLeft)) {
            CRect child;
            pChild->GetWindowRect(child, TRUE);
            rect.UnionRect(rect, child);
        }
    }
}

void CKGPBarContainer::GetMinSize(CSize& size) const
{
    size = Measured().minimum;
}

void CKGPBarContainer::GetMinSizeOfSide(BOOL bLeft, CSize& size) const
{
    size = CSize(0, 0);
    if (const CKGPDockingControlBar* pBar = PaneOf(bLeft))
        size = MinSizeOf(pBar);
    const CKGPBarContainer* pChild = ContainerOf(bLeft);
    if (pChild != nullptr && pChild->HasVisiblePane()) {
        CSize child;
        pChild->GetMinSize(child);
        size = CSize((std::max)(size.cx, child.cx), (std::max)(size.cy, child.cy));
    }
}

void CKGPBarContainer::GetMinSizeLeft(CSize& size) const
{
    GetMinSizeOfSide(TRUE, size);
}

void CKGPBarContainer::GetMinSizeRight(CSize& size) const
{
    GetMinSizeOfSide(FALSE, size);
}

int CKGPBarContainer::GetLargestPaneValue() const
{
    int value = -1;
    for (const BOOL bLeft : {TRUE, FALSE}) {
        if (const CKGPDockingControlBar* pBar = PaneOf(bLeft))
            value = (std::max)(value, pBar->GetLargestPaneValue());
        if (const CKGPBarContainer* pChild = ContainerOf(bLeft))
            value = (std::max)(value, pChild->GetLargestPaneValue());
    }
    return value;
}

// ---- Placing.

CWnd* CKGPBarContainer::OwnerWindow() const
{
    return m_pContainerManager != nullptr ? m_pContainerManager->GetOwnerWindow() : nullptr;
}

void CKGPBarContainer::Place(CWnd* pWnd, const CRect& rectScreen, HDWP& hdwp) const
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return;
    if (m_pContainerManager != nullptr && m_pContainerManager->QueueMove(pWnd, rectScreen))
        return; // moved when the layout pass ends
    CRect current;
    pWnd->GetWindowRect(current);
    if (current == rectScreen)
        return;
    CRect client = rectScreen;
    if (CWnd* pOwner = pWnd->GetParent())
        pOwner->ScreenToClient(client);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (hdwp != nullptr) {
        HDWP next = ::DeferWindowPos(hdwp, pWnd->m_hWnd, nullptr, client.left, client.top, client.Width(),
                                     client.Height(), flags);
        if (next != nullptr) {
            hdwp = next;
            return;
        }
    }
    pWnd->SetWindowPos(HWND{}, client.left, client.top, client.Width(), client.Height(), flags);
}

void CKGPBarContainer::Move(CKGPDockingControlBar* pBarToSkip, BOOL bDeferred)
{
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    if (bDeferred)
        return;
    CRect rect;
    GetWindowRect(rect, TRUE);
    HDWP hdwp = nullptr;
    for (CKGPDockingControlBar* pBar : {m_pBarLeftTop, m_pBarRightBottom}) {
        if (pBar != nullptr && pBar != pBarToSkip) {
            Place(pBar, rect, hdwp);
            return;
        }
    }
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr) {
            pChild->ResizeContainer(rect, hdwp, TRUE);
            return;
        }
    }
}

void CKGPBarContainer::ResizeContainer(CRect rect, HDWP& hdwp, BOOL bRedraw)
{
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    const BOOL leftHolds = SideVisible(TRUE);
    const BOOL rightHolds = SideVisible(FALSE);
    // A node just loaded lays its sides out from the extents they were stored
    // with (while both show) until a layout gives it the room it had then, or
    // it changes otherwise.
    const BOOL bStored = m_bLayOutStoredExtents && leftHolds && rightHolds;
    auto resizeSide = [&](BOOL bLeft, const CRect& rectSide, int nShare, BOOL bStoreShare) {
        if (CKGPDockingControlBar* pBar = PaneOf(bLeft)) {
            Place(pBar, rectSide, hdwp);
            if (bStoreShare)
                pBar->SetSizeShare(nShare);
        }
        if (CKGPBarContainer* pChild = ContainerOf(bLeft)) {
            pChild->ResizeContainer(rectSide, hdwp, bRedraw);
            if (bStoreShare)
                pChild->SetSizeShare(nShare);
        }
    };
    if (leftHolds != rightHolds) {
        // One side holds everything there is.
        CRect whole = rect;
        if (CKGPBarContainerManager::s_bKeepMinimum) {
            CSize minimum(0, 0);
            if (const CKGPDockingControlBar* pBar = PaneOf(leftHolds); pBar != nullptr && IsShown(pBar))
                minimum = MinSizeOf(pBar);
            else if (const CKGPBarContainer* pChild = ContainerOf(leftHolds))
                minimum = pChild->Measured().minimum;
            whole.right = (std::max)(whole.right, whole.left + minimum.cx);
            whole.bottom = (std::max)(whole.bottom, whole.top + minimum.cy);
        }
        resizeSide(leftHolds, whole, 0, FALSE);
        return;
    }
    if (!leftHolds)
        return;

    // Both sides: the boundary along the slider's axis.
    const BOOL bAlongX = !IsSliderHorizontal();
    const BOOL bSlider = SliderVisible();
    const int thickness = bSlider ? m_pSlider->GetWidth() : 0;
    CRect oldNode = Measured().rect;
    split::AxisResize in;
    in.oldTotal = Extent(oldNode, bAlongX);
    in.newNear = Near(rect, bAlongX);
    in.newFar = Far(rect, bAlongX);
    in.thickness = thickness;
    in.forceMinimum = CKGPBarContainerManager::s_bKeepMinimum != FALSE;
    CSize minimums[2];
    for (int i = 0; i < 2; ++i) {
        const BOOL bLeft = i == 0;
        split::SideBefore& side = bLeft ? in.left : in.right;
        CRect old;
        if (const CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar)) {
            pBar->GetWindowRect(old);
            minimums[i] = MinSizeOf(pBar);
            side.share = pBar->GetSizeShare();
        } else if (const CKGPBarContainer* pChild = ContainerOf(bLeft)) {
            old = pChild->Measured().rect;
            minimums[i] = pChild->Measured().minimum;
            side.share = pChild->GetSizeShare();
        } else if (const CKGPDockingControlBar* pHidden = PaneOf(bLeft)) {
            pHidden->GetWindowRect(old); // laid out while hidden (auto-hide)
            minimums[i] = MinSizeOf(pHidden);
            side.share = pHidden->GetSizeShare();
        }
        side.extent = old.IsRectEmpty() ? 0 : Extent(old, bAlongX);
        side.hadRect = !old.IsRectEmpty();
        side.minimum = Along(minimums[i], bAlongX);
        if (bStored) {
            side.extent = m_nStoredExtents[i];
            side.hadRect = TRUE;
        }
    }
    if (bStored) {
        in.oldTotal = in.left.extent + thickness + in.right.extent;
        if (in.oldTotal == in.newFar - in.newNear)
            m_bLayOutStoredExtents = FALSE;
    }
    const split::AxisSplit placed = split::ResizeAlongAxis(in);

    CRect left = rect;
    CRect right = rect;
    CRect slider = rect;
    SetSpan(left, bAlongX, in.newNear, placed.split);
    SetSpan(slider, bAlongX, placed.split, placed.split + thickness);
    SetSpan(right, bAlongX, placed.split + thickness, placed.rightFar);
    if (in.forceMinimum) {
        // Across the axis, both sides are at least the left side's minimum.
        const int leftMinAcross = Along(minimums[0], !bAlongX);
        if (Extent(rect, !bAlongX) < leftMinAcross) {
            const int nearEdge = Near(rect, !bAlongX);
            SetSpan(left, !bAlongX, nearEdge, nearEdge + leftMinAcross);
            SetSpan(right, !bAlongX, nearEdge, nearEdge + leftMinAcross);
        }
    }
    resizeSide(TRUE, left, placed.leftShare, TRUE);
    resizeSide(FALSE, right, 100 - placed.leftShare, TRUE);
    if (bSlider)
        Place(m_pSlider, slider, hdwp);
}

void CKGPBarContainer::Reposition(CSize offset, HDWP& hdwp)
{
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    if (offset == CSize(0, 0))
        return;
    auto shift = [&](CWnd* pWnd) {
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            return;
        CRect rect;
        pWnd->GetWindowRect(rect);
        rect.OffsetRect(offset);
        Place(pWnd, rect, hdwp);
    };
    shift(m_pBarLeftTop);
    if (m_pLeftContainer != nullptr)
        m_pLeftContainer->Reposition(offset, hdwp);
    shift(m_pSlider);
    shift(m_pBarRightBottom);
    if (m_pRightContainer != nullptr)
        m_pRightContainer->Reposition(offset, hdwp);
}

CSize CKGPBarContainer::CalcAvailableSpace(CSize delta, BOOL /*bLeftSide*/) const
{
    CRect rect;
    GetWindowRect(rect);
    CSize minimum;
    GetMinSize(minimum);
    return CSize(split::CutToMinimum(rect.Width(), minimum.cx, delta.cx),
                 split::CutToMinimum(rect.Height(), minimum.cy, delta.cy));
}

int CKGPBarContainer::CalcAvailablePartSpace(int nOffset, CKGPDockingControlBar* pBar, CKGPBarContainer* pContainer,
                                             BOOL /*bLeftSide*/) const
{
    const BOOL bAlongX = !IsSliderHorizontal();
    if (pBar != nullptr) {
        CRect rect;
        pBar->GetWindowRect(rect);
        return split::CutToMinimum(Extent(rect, bAlongX), Along(MinSizeOf(pBar), bAlongX), nOffset);
    }
    if (pContainer != nullptr) {
        const CSize cut = pContainer->CalcAvailableSpace(bAlongX ? CSize(nOffset, 0) : CSize(0, nOffset), TRUE);
        return Along(cut, bAlongX);
    }
    return nOffset;
}

void CKGPBarContainer::ResizePane(int nOffset, CKGPDockingControlBar* pBar, CKGPBarContainer* pContainer,
                                  BOOL bHorz, BOOL bAtEnd, HDWP& hdwp)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    if (pBar == nullptr) {
        if (pContainer != nullptr)
            pContainer->ResizePartOfContainer(nOffset, bHorz, bAtEnd, TRUE, hdwp);
        return;
    }
    CRect rect;
    pBar->GetWindowRect(rect);
    if (bHorz)
        (bAtEnd ? rect.right : rect.left) += bAtEnd ? nOffset : -nOffset;
    else
        (bAtEnd ? rect.bottom : rect.top) += bAtEnd ? nOffset : -nOffset;
    Place(pBar, rect, hdwp);
}

int CKGPBarContainer::ResizePartOfContainer(int nOffset, BOOL bHorz, BOOL bAtEnd, BOOL bMoveSlider, HDWP& hdwp)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    CWnd* pOwner = OwnerWindow();
    if (bHorz && pOwner != nullptr && (pOwner->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        nOffset = -nOffset;
    const CSize cut = CalcAvailableSpace(bHorz ? CSize(nOffset, 0) : CSize(0, nOffset), TRUE);
    nOffset = bHorz ? cut.cx : cut.cy;
    if (nOffset == 0)
        return 0;
    const BOOL bAlongX = !IsSliderHorizontal();
    const BOOL bAcross = SliderVisible() && bAlongX == bHorz && SideVisible(TRUE) && SideVisible(FALSE);
    if (!bAcross) {
        // The change runs along the slider (or there is one side): every side
        // takes it at that end, a sub-tree as a part of its own, and a shown
        // slider is stretched with them.
        for (const BOOL bLeft : {TRUE, FALSE}) {
            if (CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar))
                ResizePane(nOffset, pBar, nullptr, bHorz, bAtEnd, hdwp);
            else if (CKGPBarContainer* pChild = ContainerOf(bLeft); pChild != nullptr && SideVisible(bLeft))
                pChild->ResizePartOfContainer(nOffset, bHorz, bAtEnd, bMoveSlider, hdwp);
        }
        if (SliderVisible()) {
            CRect sliderRect;
            m_pSlider->GetWindowRect(sliderRect);
            if (bHorz)
                (bAtEnd ? sliderRect.right : sliderRect.left) += bAtEnd ? nOffset : -nOffset;
            else
                (bAtEnd ? sliderRect.bottom : sliderRect.top) += bAtEnd ? nOffset : -nOffset;
            Place(m_pSlider, sliderRect, hdwp);
        }
        return nOffset;
    }
    // The sides share the change, the slider moving with the boundary
    // between them: the far side takes half and a pixel when both can give as
    // much, else all it can (KGPSplitMath); the side at the changing end the
    // rest. A slider that stays leaves it all to the side at the end.
    const BOOL bEndSide = !bAtEnd; // bAtEnd: the right side; else the left one
    const int endAvailable = CalcAvailablePartSpace(nOffset, PaneOf(bEndSide), ContainerOf(bEndSide), bEndSide);
    const int farAvailable = CalcAvailablePartSpace(nOffset, PaneOf(!bEndSide), ContainerOf(!bEndSide), !bEndSide);
    const int rest = bMoveSlider ? split::FarSideShare(nOffset, endAvailable, farAvailable) : 0;
    const int endPart = bMoveSlider ? nOffset - rest : endAvailable;
    CRect sideRects[2];
    for (int i = 0; i < 2; ++i) {
        const BOOL bLeft = i == 0;
        if (const CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar))
            pBar->GetWindowRect(sideRects[i]);
        else if (const CKGPBarContainer* pChild = ContainerOf(bLeft))
            pChild->GetWindowRect(sideRects[i]);
    }
    CRect sliderRect;
    m_pSlider->GetWindowRect(sliderRect);
    CRect& endRect = sideRects[bEndSide ? 0 : 1];
    CRect& otherRect = sideRects[bEndSide ? 1 : 0];
    if (bAtEnd) {
        endRect.right += bHorz ? endPart : 0;
        endRect.bottom += bHorz ? 0 : endPart;
        // The boundary moves back by the rest: the other side shrinks at its far edge.
        if (bHorz) {
            endRect.left += rest;
            endRect.right += rest;
            sliderRect.OffsetRect(rest, 0);
            otherRect.right += rest;
        } else {
            endRect.top += rest;
            endRect.bottom += rest;
            sliderRect.OffsetRect(0, rest);
            otherRect.bottom += rest;
        }
    } else {
        if (bHorz) {
            endRect.left -= endPart;
            endRect.left -= rest;
            endRect.right -= rest;
            sliderRect.OffsetRect(-rest, 0);
            otherRect.left -= rest;
        } else {
            endRect.top -= endPart;
            endRect.top -= rest;
            endRect.bottom -= rest;
            sliderRect.OffsetRect(0, -rest);
            otherRect.top -= rest;
        }
    }
    PlaceSide(TRUE, sideRects[0], hdwp);
    PlaceSide(FALSE, sideRects[1], hdwp);
    if (bMoveSlider)
        Place(m_pSlider, sliderRect, hdwp);
    return nOffset;
}

int CKGPBarContainer::MoveSplit(int nOffset, HDWP& hdwp)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    if (nOffset == 0 || !SideVisible(TRUE) || !SideVisible(FALSE))
        return nOffset;
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    const BOOL bAlongX = !IsSliderHorizontal();
    CRect rects[2];
    CSize minimums[2];
    for (int i = 0; i < 2; ++i) {
        const BOOL bLeft = i == 0;
        if (const CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar)) {
            pBar->GetWindowRect(rects[i]);
            minimums[i] = MinSizeOf(pBar);
        } else if (const CKGPBarContainer* pChild = ContainerOf(bLeft)) {
            rects[i] = pChild->Measured().rect;
            minimums[i] = pChild->Measured().minimum;
        }
    }
    const split::Boundary moved = split::MoveBoundary(
        Near(rects[0], bAlongX), Far(rects[0], bAlongX), Near(rects[1], bAlongX), Far(rects[1], bAlongX),
        Along(minimums[0], bAlongX), Along(minimums[1], bAlongX), nOffset);
    SetSpan(rects[0], bAlongX, Near(rects[0], bAlongX), moved.leftFar);
    SetSpan(rects[1], bAlongX, moved.rightNear, Far(rects[1], bAlongX));
    PlaceSide(TRUE, rects[0], hdwp);
    PlaceSide(FALSE, rects[1], hdwp);
    return nOffset;
}

void CKGPBarContainer::PlaceSide(BOOL bLeft, const CRect& rectScreen, HDWP& hdwp)
{
    if (CKGPDockingControlBar* pBar = PaneOf(bLeft); pBar != nullptr && IsShown(pBar))
        Place(pBar, rectScreen, hdwp);
    else if (CKGPBarContainer* pChild = ContainerOf(bLeft))
        pChild->ResizeContainer(rectScreen, hdwp, FALSE);
}

void CKGPBarContainer::StretchSide(BOOL bLeftSide, int nOffset, HDWP& hdwp)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    if (m_pSlider == nullptr || nOffset == 0)
        return;
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    const BOOL bAlongX = !IsSliderHorizontal();
    CRect rect;
    CSize minimum;
    CKGPDockingControlBar* pBar = PaneOf(bLeftSide);
    CKGPBarContainer* pChild = ContainerOf(bLeftSide);
    if (pBar != nullptr) {
        pBar->GetWindowRect(rect);
        minimum = MinSizeOf(pBar);
    } else if (pChild != nullptr) {
        rect = pChild->Measured().rect;
        minimum = pChild->Measured().minimum;
    } else {
        return;
    }
    // The inner edge is the one at the slider.
    if (bLeftSide)
        SetSpan(rect, bAlongX, Near(rect, bAlongX),
                (std::max)(Far(rect, bAlongX) + nOffset, Near(rect, bAlongX) + Along(minimum, bAlongX)));
    else
        SetSpan(rect, bAlongX, (std::min)(Near(rect, bAlongX) + nOffset, Far(rect, bAlongX) - Along(minimum, bAlongX)),
                Far(rect, bAlongX));
    if (pBar != nullptr)
        Place(pBar, rect, hdwp);
    else
        pChild->ResizeContainer(rect, hdwp, FALSE);
}

// ---- Panes leaving and coming back.

BOOL CKGPBarContainer::RemovePane(CKGPDockingControlBar* pBar)
{
    if (CKGPBarContainer* pNode = FindNode(pBar, kLeftPane)) {
        pNode->DeletePane(pBar, TRUE);
        return TRUE;
    }
    if (CKGPBarContainer* pNode = FindNode(pBar, kRightPane)) {
        pNode->DeletePane(pBar, FALSE);
        return TRUE;
    }
    return FALSE;
}

void CKGPBarContainer::DeletePane(CKGPDockingControlBar* pBar, BOOL bLeftSide)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    if (pBar == nullptr || PaneOf(bLeftSide) != pBar)
        return;
    CRect rectNode;
    GetWindowRect(rectNode);
    SetPane(nullptr, bLeftSide);
    if (m_pContainerManager != nullptr && m_pContainerManager->IsLayoutSuspended()) {
        ReleaseEmptyChildren();
        return;
    }
    HDWP hdwp = ::BeginDeferWindowPos(10);
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    // The other side takes the whole node.
    if (CKGPDockingControlBar* pOther = PaneOf(!bLeftSide); pOther != nullptr && IsShown(pOther))
        Place(pOther, rectNode, hdwp);
    else if (CKGPBarContainer* pChild = ContainerOf(!bLeftSide); pChild != nullptr && !pChild->IsEmpty())
        pChild->ResizeContainer(rectNode, hdwp, FALSE);
    else {
        // Nothing left here: the first ancestor still holding panes takes the
        // freed room back.
        CKGPBarContainer* pAncestor = m_pParentContainer;
        while (pAncestor != nullptr && pAncestor->IsEmpty())
            pAncestor = pAncestor->m_pParentContainer;
        if (pAncestor != nullptr) {
            CRect rectAncestor;
            pAncestor->GetWindowRect(rectAncestor);
            rectAncestor.UnionRect(rectAncestor, rectNode);
            pAncestor->ResizeContainer(rectAncestor, hdwp, FALSE);
        }
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    ReleaseEmptyChildren();
}

void CKGPBarContainer::ReleaseEmptyChildren()
{
    if (m_pSlider != nullptr)
        return;
    // A node without a slider keeps nothing beside what it still shows.
    for (KGPContainerPtr* pChild : {&m_pLeftContainer, &m_pRightContainer}) {
        if (*pChild != nullptr && (*pChild)->IsEmpty())
            pChild->reset();
    }
}

void CKGPBarContainer::StoreRecentPlace(CKGPDockingControlBar* pBar)
{
    if (pBar == nullptr)
        return;
    CKGPSlider* pSlider = pBar->GetDefaultPaneSlider();
    if (pSlider != nullptr && pSlider->IsAutoHideMode() && !pBar->IsFloating())
        return;
    pBar->m_recentDockInfo.StoreDockInfo(this);
}

BOOL CKGPBarContainer::AddPaneToRecentPlace(CKGPDockingControlBar* pBar, const CKGPRecentContainerInfo& info)
{
    m_bLayOutStoredExtents = FALSE; // changed since it was loaded
    const BOOL bFirst = info.m_bIsRecentLeftBar;
    if (PaneOf(bFirst) != nullptr)
        return FALSE;
    if (CKGPBarContainer* pChild = ContainerOf(bFirst)) {
        if (!pChild->IsEmpty())
            return pChild->AddPaneToRecentPlace(pBar, info);
        // A sub-tree whose panes have all gone since gives its side to the
        // pane (a side never holds both).
        TakeContainer(bFirst);
    }
    SetPane(pBar, bFirst);
    pBar->SetSizeShare(split::EffectiveShare(info.m_nRecentPercent));
    const CKGPBarContainerManager::LayoutPass pass(m_pContainerManager);
    // The pane takes back its remembered room beside what the node holds now,
    // all of it when the other side shows nothing.
    CRect room;
    GetWindowRect(room);
    const CRect before = room;
    CRect remembered = info.m_rectDockedRect;
    if (CWnd* pOwner = OwnerWindow())
        pOwner->ClientToScreen(remembered);
    room.UnionRect(room, remembered);
    const BOOL bAlongX = !IsSliderHorizontal();
    const BOOL bOtherShows = SideVisible(!bFirst);
    const int thickness = m_pSlider != nullptr && bOtherShows ? m_pSlider->GetWidth() : 0;
    const int total = Extent(room, bAlongX);
    int extent = total;
    if (bOtherShows) {
        // Its share, kept at its minimum and the other side's where the room
        // holds both.
        CSize otherMinimum;
        GetMinSizeOfSide(!bFirst, otherMinimum);
        extent = split::RecentSideExtent(total, info.m_nRecentPercent, bFirst != FALSE, thickness,
                                         Along(MinSizeOf(pBar), bAlongX), Along(otherMinimum, bAlongX));
    }
    CRect first = room, slider = room, second = room;
    const int nearEdge = Near(room, bAlongX);
    const int firstExtent = bFirst ? extent : total - extent - thickness;
    SetSpan(first, bAlongX, nearEdge, nearEdge + firstExtent);
    SetSpan(slider, bAlongX, Far(first, bAlongX), Far(first, bAlongX) + thickness);
    SetSpan(second, bAlongX, Far(slider, bAlongX), Far(room, bAlongX));
    HDWP hdwp = ::BeginDeferWindowPos(10);
    for (int i = 0; i < 2; ++i) {
        const BOOL bLeft = i == 0;
        const CRect& place = bLeft ? first : second;
        // A side showing nothing (a pane closed there) keeps its place: the
        // pane coming back took all the room, and would leave it none.
        if (PaneOf(bLeft) != pBar && !SideVisible(bLeft))
            continue;
        if (CKGPDockingControlBar* pSide = PaneOf(bLeft))
            Place(pSide, place, hdwp);
        else if (CKGPBarContainer* pChild = ContainerOf(bLeft))
            pChild->ResizeContainer(place, hdwp, FALSE);
    }
    if (m_pSlider != nullptr && bOtherShows)
        Place(m_pSlider, slider, hdwp);
    // The parent's side holding this node grows with it (its inner edge, at
    // the parent's slider, goes where this node's now lies).
    if (m_pParentContainer != nullptr && !before.IsRectEmpty()) {
        const BOOL bLeftOfParent = m_pParentContainer->ContainerOf(TRUE) == this;
        const BOOL bParentAlongX = !m_pParentContainer->IsSliderHorizontal();
        const int offset = bLeftOfParent ? Far(room, bParentAlongX) - Far(before, bParentAlongX)
                                         : Near(room, bParentAlongX) - Near(before, bParentAlongX);
        if (offset != 0)
            m_pParentContainer->StretchSide(bLeftOfParent, offset, hdwp);
    }
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    return TRUE;
}

void CKGPBarContainer::CheckSliderVisibility()
{
    for (CKGPBarContainer* pChild : {m_pLeftContainer.get(), m_pRightContainer.get()}) {
        if (pChild != nullptr)
            pChild->CheckSliderVisibility();
    }
    if (m_pSlider == nullptr || m_pSlider->GetSafeHwnd() == nullptr || m_pSlider->IsDefault())
        return;
    const bool shows = split::SliderShows(IsShown(m_pBarLeftTop) != FALSE, IsShown(m_pBarRightBottom) != FALSE,
                                          m_pLeftContainer != nullptr && m_pLeftContainer->HasVisiblePane(),
                                          m_pRightContainer != nullptr && m_pRightContainer->HasVisiblePane());
    if (shows != (IsShown(m_pSlider) != FALSE))
        m_pSlider->ShowWindow(shows ? SW_SHOWNOACTIVATE : SW_HIDE);
}

// ---- Copies for another host.

CKGPBarContainer* CKGPBarContainer::Split(CKGPBarContainer* pParentForCopy)
{
    KGPContainerPtr copy = m_pContainerManager != nullptr ? m_pContainerManager->MakeContainer()
                                                          : KGPContainerPtr(new CKGPBarContainer);
    for (const BOOL bLeft : {TRUE, FALSE}) {
        CKGPDockingControlBar*& pBar = bLeft ? m_pBarLeftTop : m_pBarRightBottom;
        if (pBar != nullptr && IsShown(pBar)) {
            copy->SetPane(pBar, bLeft);
            pBar = nullptr;
        }
        if (CKGPBarContainer* pChild = ContainerOf(bLeft)) {
            KGPContainerPtr part(pChild->Split(copy.get()));
            if (part != nullptr)
                copy->SetContainer(std::move(part), bLeft);
        }
    }
    if (m_pSlider != nullptr && IsShown(m_pSlider)) {
        m_dwSavedSliderStyle = m_pSlider->GetSliderStyle();
        m_bSavedSliderHorz = m_pSlider->IsHorizontal();
        m_pSlider->GetWindowRect(m_rectSavedSliderRect);
        if (CWnd* pParent = m_pSlider->GetParent())
            pParent->ScreenToClient(m_rectSavedSliderRect);
        copy->m_pSlider = m_pSlider;
        m_pSlider = nullptr;
    }
    copy->m_bSavedSliderHorz = copy->IsSliderHorizontal();
    copy->m_nSizeShare = m_nSizeShare;
    copy->m_pParentContainer = pParentForCopy;
    return copy.release();
}
