#include "guilib/docking/KGPRecentDockInfo.h"

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

namespace {

// `*slot` names `container` with a reference; the one it named before loses its.
void Rebind(CKGPBarContainer*& slot, CKGPBarContainer* container)
{
    if (container != nullptr) {
        container->AddRef();
    }
    if (slot != nullptr) {
        slot->Release();
    }
    slot = container;
}

void CopyBars(CList<HWND, HWND>& target, const CList<HWND, HWND>& source)
{
    if (&target == &source) {
        return;
    }
    target.RemoveAll();
    for (POSITION pos = source.GetHeadPosition(); pos != nullptr;) {
        target.AddTail(source.GetNext(pos));
    }
}

// The window rectangle of `pBar` in the client coordinates of `pOwner`.
CRect WindowRectIn(CWnd* pBar, CWnd* pOwner)
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    pOwner->ScreenToClient(&rect);
    return rect;
}

}  // namespace

CKGPRecentContainerInfo::CKGPRecentContainerInfo(const CKGPRecentContainerInfo& other) : CObject()
{
    *this = other;
}

CKGPRecentContainerInfo::~CKGPRecentContainerInfo()
{
    ReleaseContainers();
}

CKGPRecentContainerInfo& CKGPRecentContainerInfo::operator=(const CKGPRecentContainerInfo& other)
{
    if (this != &other) {
        SetInfo(other);
        m_bIsRecentLeftBar = other.m_bIsRecentLeftBar;
    }
    return *this;
}

void CKGPRecentContainerInfo::ReleaseContainers()
{
    Rebind(m_pRecentBarContainer, nullptr);
    Rebind(m_pRecentContainerOfTabWnd, nullptr);
}

void CKGPRecentContainerInfo::Init()
{
    ReleaseContainers();
    m_rectDockedRect = CRect(0, 0, 30, 30);
    m_nRecentPercent = 50;
    m_bIsRecentLeftBar = TRUE;
    m_lstRecentListOfBars.RemoveAll();
}

void CKGPRecentContainerInfo::StoreDockInfo(CKGPBarContainer* pContainer, CKGPBaseControlBar* pBar,
                                            CKGPBaseControlBar* pTabbedBar)
{
    if (pContainer != nullptr) {
        pContainer->AddRef();
        m_bIsRecentLeftBar = pContainer->IsLeftBar(pTabbedBar != nullptr ? pTabbedBar : pBar);
    }
    ReleaseContainers();

    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
        pBar->GetWindowRect(&m_rectDockedRect);
    }
    // A docking pane's size share goes with its place; plain bars have none
    // and the share recorded before stays.
    if (const auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTabbedBar != nullptr ? pTabbedBar : pBar))
        m_nRecentPercent = pPane->GetSizeShare();
    // The reference taken above moves into the slot the place keeps.
    if (pTabbedBar != nullptr) {
        m_pRecentContainerOfTabWnd = pContainer;
    } else {
        m_pRecentBarContainer = pContainer;
    }
}

void CKGPRecentContainerInfo::SetInfo(const CKGPRecentContainerInfo& source)
{
    if (this == &source) {
        return;
    }
    Rebind(m_pRecentBarContainer, source.m_pRecentBarContainer);
    Rebind(m_pRecentContainerOfTabWnd, source.m_pRecentContainerOfTabWnd);
    m_rectDockedRect = source.m_rectDockedRect;
    m_nRecentPercent = source.m_nRecentPercent;
    CopyBars(m_lstRecentListOfBars, source.m_lstRecentListOfBars);
}

CKGPRecentDockInfo& CKGPRecentDockInfo::operator=(const CKGPRecentDockInfo& other)
{
    if (this != &other) {
        SetInfo(TRUE, other);
        SetInfo(FALSE, other);
        m_nRecentRowIndex = other.m_nRecentRowIndex;
        m_nRecentTabNumber = other.m_nRecentTabNumber;
        m_nRecentReserved = other.m_nRecentReserved;
        m_nRecentIndex = other.m_nRecentIndex;
        m_recentSliderInfo.m_bIsRecentLeftBar = other.m_recentSliderInfo.m_bIsRecentLeftBar;
        m_recentMiniFrameInfo.m_bIsRecentLeftBar = other.m_recentMiniFrameInfo.m_bIsRecentLeftBar;
    }
    return *this;
}

void CKGPRecentDockInfo::SetInfo(BOOL bDocked, const CKGPRecentDockInfo& source)
{
    if (bDocked) {
        m_dwRecentAlignmentToFrame = source.m_dwRecentAlignmentToFrame;
        m_hRecentDockBar = source.m_hRecentDockBar;
        m_pRecentDockBarRow = source.m_pRecentDockBarRow;
        m_rectRecentDockedRect = source.m_rectRecentDockedRect;
        m_hRecentDefaultSlider = source.m_hRecentDefaultSlider;
        m_recentSliderInfo.SetInfo(source.m_recentSliderInfo);
    } else {
        m_rectRecentFloatingRect = source.m_rectRecentFloatingRect;
        m_hRecentMiniFrame = source.m_hRecentMiniFrame;
        m_recentMiniFrameInfo.SetInfo(source.m_recentMiniFrameInfo);
    }
}

void CKGPRecentDockInfo::Init()
{
    m_rectRecentFloatingRect = CRect(10, 10, 110, 110);
    m_dwRecentAlignmentToFrame = CBRS_ALIGN_LEFT;
    m_nRecentRowIndex = 0;
    m_nRecentTabNumber = 0;
    m_nRecentReserved = 0;
    m_nRecentIndex = -1;
    m_hRecentDefaultSlider = nullptr;
    m_hRecentMiniFrame = nullptr;
    m_hRecentDockBar = nullptr;
    m_pRecentDockBarRow = nullptr;
    m_rectRecentDockedRect.SetRectEmpty();
    m_recentSliderInfo.Init();
    m_recentMiniFrameInfo.Init();
}

CKGPDockBar* CKGPRecentDockInfo::GetRecentDockBar() const
{
    return m_hRecentDockBar != nullptr ? DYNAMIC_DOWNCAST(CKGPDockBar, CWnd::FromHandlePermanent(m_hRecentDockBar))
                                       : nullptr;
}

void CKGPRecentDockInfo::SetRecentDockBar(CKGPDockBar* pDockBar)
{
    m_hRecentDockBar = pDockBar != nullptr ? pDockBar->GetSafeHwnd() : nullptr;
}

CKGPBaseControlBar* CKGPRecentDockInfo::GetRecentDefaultSlider() const
{
    auto* pSlider = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(m_hRecentDefaultSlider));
    return pSlider != nullptr && pSlider->IsSliderKind() ? pSlider : nullptr;
}

void CKGPRecentDockInfo::SaveListOfRecentBars(const CList<HWND, HWND>& bars, BOOL bDocked)
{
    CopyBars(Place(bDocked).m_lstRecentListOfBars, bars);
}

void CKGPRecentDockInfo::StoreDockInfo(CKGPBarContainer* pContainer, CKGPBaseControlBar* pTabbedBar)
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr) {
        return;
    }
    CKGPBaseControlBar* pPlaced = pTabbedBar != nullptr ? pTabbedBar : m_pBar;
    CKGPMiniFrameWnd* pMiniFrame = pPlaced->GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr && pMiniFrame->GetSafeHwnd() != nullptr) {
        const HWND hPrevious = m_hRecentMiniFrame;
        m_hRecentMiniFrame = pMiniFrame->GetSafeHwnd();
        m_recentMiniFrameInfo.StoreDockInfo(pContainer, m_pBar, pTabbedBar);
        m_recentMiniFrameInfo.m_rectDockedRect = WindowRectIn(m_pBar, pMiniFrame);
        pMiniFrame->GetWindowRect(&m_rectRecentFloatingRect);
        if (hPrevious != nullptr && hPrevious != m_hRecentMiniFrame && ::IsWindow(hPrevious)) {
            ::PostMessage(hPrevious, KGPMSG_CHECKEMPTYMINIFRAME, 0, 0);
        }
        return;
    }
    CFrameWnd* pDockSite = m_pBar->GetDockSiteFrame();
    if (m_pBar->IsDocked() && pDockSite != nullptr) {
        // A pane docked beside a default slider takes the slider's edge.
        m_recentSliderInfo.StoreDockInfo(pContainer, m_pBar, pTabbedBar);
        m_recentSliderInfo.m_rectDockedRect = WindowRectIn(m_pBar, pDockSite);
        m_dwRecentAlignmentToFrame = m_pBar->GetCurrentAlignment();
        if (CKGPBaseControlBar* pSlider = pPlaced->GetDefaultSlider()) {
            m_hRecentDefaultSlider = pSlider->GetSafeHwnd();
            m_dwRecentAlignmentToFrame = pSlider->GetCurrentAlignment();
        }
        return;
    }
    m_hRecentMiniFrame = nullptr;
    m_recentMiniFrameInfo.StoreDockInfo(nullptr, m_pBar, nullptr);
}
