#include "guilib/docking/KGPSmartDockingManager.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingMarker.h"
#include "guilib/docking/KGPTabbedControlBar.h"

namespace {

constexpr DWORD kSideAlignments[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};

// An object of the class asked for when it is of the expected kind, else of
// the expected class itself.
template <class Expected>
std::unique_ptr<Expected> MakeOf(CRuntimeClass* pClass, CRuntimeClass* pExpectedClass)
{
    if (pClass != nullptr && pClass->IsDerivedFrom(pExpectedClass)) {
        std::unique_ptr<CObject> made(pClass->CreateObject());
        if (made != nullptr && made->IsKindOf(pExpectedClass))
            return std::unique_ptr<Expected>(static_cast<Expected*>(made.release()));
    }
    return std::make_unique<Expected>();
}

} // namespace

CKGPSmartDockingManager::CKGPSmartDockingManager() = default;

CKGPSmartDockingManager::~CKGPSmartDockingManager()
{
    Destroy();
}

BOOL CKGPSmartDockingManager::Create(CWnd* pFrame, CRuntimeClass* pMarkerRTC, CRuntimeClass* pCentralGroupRTC)
{
    Destroy();
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pFrame = pFrame;
    m_pCentralGroup = MakeOf<CKGPSDCentralGroup>(pCentralGroupRTC, RUNTIME_CLASS(CKGPSDCentralGroup));
    BOOL bCreated = m_pCentralGroup->Create(pFrame);
    for (int i = 0; i < 4; ++i) {
        m_arMarkers[static_cast<size_t>(i)] = MakeOf<CKGPSmartDockingMarker>(pMarkerRTC, RUNTIME_CLASS(CKGPSmartDockingMarker));
        bCreated = m_arMarkers[static_cast<size_t>(i)]->Create(i, pFrame) && bCreated;
    }
    for (int i = 0; i < 5; ++i)
        m_arCentralMarkers[static_cast<size_t>(i)] = m_pCentralGroup->GetMarker(kgp::smartdock::kGroupLeft + i);
    bCreated = m_wndPlaceMarker.Create(pFrame) && bCreated;
    m_bCreated = bCreated;
    return bCreated;
}

void CKGPSmartDockingManager::Destroy()
{
    Stop();
    for (auto& pMarker : m_arMarkers)
        pMarker.reset();
    m_arCentralMarkers.fill(nullptr);
    m_pCentralGroup.reset();
    if (m_wndPlaceMarker.GetSafeHwnd() != nullptr)
        m_wndPlaceMarker.DestroyWindow();
    m_bCreated = FALSE;
}

void CKGPSmartDockingManager::Start(CWnd* pDraggedWnd)
{
    if (!m_bCreated || m_bStarted)
        return;
    m_pDraggedWnd = pDraggedWnd;
    m_nHotMarker = kNoMarker;
    m_dwAllowedAlignment = CBRS_ALIGN_ANY;
    // A floating frame's pane may dock only where it is allowed to.
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pDraggedWnd)) {
        if (auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pMiniFrame->GetControlBar()))
            m_dwAllowedAlignment = pPane->GetEnabledAlignment() & CBRS_ALIGN_ANY;
    }
    for (int i = 0; i < 4; ++i) {
        CKGPSmartDockingMarker* pMarker = m_arMarkers[static_cast<size_t>(i)].get();
        pMarker->AdjustPos(m_rectOuter);
        pMarker->Highlight(FALSE);
        pMarker->Show((m_dwAllowedAlignment & kSideAlignments[i]) != 0);
    }
    m_bShown = TRUE;
    m_bCentralGroupWanted = FALSE;
    m_bStarted = TRUE;
}

void CKGPSmartDockingManager::Stop()
{
    if (!m_bStarted)
        return;
    m_nHotMarker = kNoMarker;
    m_wndPlaceMarker.Hide();
    for (auto& pMarker : m_arMarkers) {
        if (pMarker != nullptr) {
            pMarker->Highlight(FALSE);
            pMarker->Show(FALSE);
        }
    }
    if (m_pCentralGroup != nullptr)
        m_pCentralGroup->Show(FALSE);
    m_bStarted = FALSE;
    m_bShown = FALSE;
    m_pDraggedWnd = nullptr;
}

void CKGPSmartDockingManager::SetOuterRect(const CRect& rect)
{
    m_rectOuter = rect;
    m_rectOuter.NormalizeRect();
    if (!m_bStarted)
        return;
    for (int i = 0; i < 4; ++i) {
        CKGPSmartDockingMarker* pMarker = m_arMarkers[static_cast<size_t>(i)].get();
        pMarker->AdjustPos(m_rectOuter);
        pMarker->Show(m_bShown && (m_dwAllowedAlignment & kSideAlignments[i]) != 0);
    }
}

void CKGPSmartDockingManager::Show(BOOL bShow)
{
    if (!m_bStarted || m_bShown == bShow)
        return;
    m_bShown = bShow;
    if (m_pCentralGroup != nullptr && m_bCentralGroupWanted)
        m_pCentralGroup->Show(bShow);
    for (int i = 0; i < 4; ++i) {
        if ((m_dwAllowedAlignment & kSideAlignments[i]) != 0)
            m_arMarkers[static_cast<size_t>(i)]->Show(bShow);
    }
    if (!bShow && !m_wndPlaceMarker.IsTabbedShape())
        m_wndPlaceMarker.Hide();
}

void CKGPSmartDockingManager::EnableGroupMarkers(DWORD dwEnabledAlignment)
{
    for (int i = 0; i < 4; ++i) {
        if (CKGPSDCentralGroupMarker* pMarker = m_arCentralMarkers[static_cast<size_t>(i)])
            pMarker->Enable(kgp::smartdock::GroupMarkerEnabled(kgp::smartdock::kGroupLeft + i, dwEnabledAlignment));
    }
}

void CKGPSmartDockingManager::ShowCentralGroup(BOOL bShow, DWORD dwEnabledAlignment)
{
    const BOOL bChange = m_bCentralGroupWanted != bShow;
    m_bCentralGroupWanted = bShow;
    if (!m_bStarted || m_pCentralGroup == nullptr || !m_bShown || !bChange)
        return;
    EnableGroupMarkers(dwEnabledAlignment);
    m_pCentralGroup->Show(bShow);
}

void CKGPSmartDockingManager::MoveCentralGroup(const CRect& rect, DWORD dwEnabledAlignment)
{
    if (!m_bStarted || m_pCentralGroup == nullptr)
        return;
    EnableGroupMarkers(dwEnabledAlignment);
    if (m_pCentralGroup->AdjustPos(rect, FALSE))
        m_nHotMarker = kNoMarker;
    m_pCentralGroup->GetWindow().Invalidate();
}

void CKGPSmartDockingManager::ShowPlaceMarker(const CRect& rect)
{
    if (!m_bStarted || !m_bShown || m_nHotMarker == kNoMarker)
        return;
    m_wndPlaceMarker.ShowAt(rect);
    RaiseMarkers();
}

void CKGPSmartDockingManager::ShowTabbedPlaceMarker(const CRect& rect, int nTabOffset, int nTabWidth, int nTabHeight)
{
    if (!m_bStarted)
        return;
    m_wndPlaceMarker.ShowTabbedAt(rect, nTabOffset, nTabWidth, nTabHeight, CKGPTabbedControlBar::m_bTabsAlwaysTop);
    RaiseMarkers();
}

kgp::smartdock::TabbedPlace CKGPSmartDockingManager::TabbedPlaceOver(CWnd* pTarget)
{
    if (pTarget == nullptr || pTarget->GetSafeHwnd() == nullptr)
        return {};
    CRect rect;
    pTarget->GetWindowRect(rect);
    const CKGPGlobalData& data = GetKGPGlobalData();
    return kgp::smartdock::TabbedPlaceShape({rect.left, rect.top, rect.right, rect.bottom}, data.GetTextHeight(),
                                            data.m_nDragFrameWidthExpected,
                                            CKGPTabbedControlBar::m_bTabsAlwaysTop != FALSE);
}

void CKGPSmartDockingManager::ShowTabbedPlaceMarker(const kgp::smartdock::TabbedPlace& place)
{
    if (place.body.IsEmpty()) {
        HidePlaceMarker();
        return;
    }
    ShowTabbedPlaceMarker(CRect(place.body.left, place.body.top, place.body.right, place.body.bottom),
                          place.tab.left - place.body.left, place.tab.Width(), place.tab.Height());
}

void CKGPSmartDockingManager::RaiseMarkers()
{
    // The markers stay above the place marker.
    auto raise = [](CWnd& wnd) {
        if (wnd.GetSafeHwnd() != nullptr && (wnd.GetStyle() & WS_VISIBLE) != 0)
            wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    for (auto& pMarker : m_arMarkers) {
        if (pMarker != nullptr)
            raise(pMarker->GetWindow());
    }
    if (m_pCentralGroup != nullptr)
        raise(m_pCentralGroup->GetWindow());
}

void CKGPSmartDockingManager::HidePlaceMarker()
{
    if (m_bStarted)
        m_wndPlaceMarker.Hide();
}

CKGPSmartDockingMarker* CKGPSmartDockingManager::GetSideMarker(int nID) const
{
    return kgp::smartdock::IsSideMarker(nID) ? m_arMarkers[static_cast<size_t>(nID)].get() : nullptr;
}

CKGPSmartDockingMarker* CKGPSmartDockingManager::MarkerOf(int nID) const
{
    if (kgp::smartdock::IsSideMarker(nID))
        return m_arMarkers[static_cast<size_t>(nID)].get();
    if (kgp::smartdock::IsGroupMarker(nID))
        return m_arCentralMarkers[static_cast<size_t>(nID - kgp::smartdock::kGroupLeft)];
    return nullptr;
}

int CKGPSmartDockingManager::OnMouseMove(CPoint ptScreen)
{
    if (!m_bStarted || !m_bShown)
        return kNoMarker;
    int hot = kNoMarker;
    for (int id = 0; id < kgp::smartdock::kMarkerCount && hot == kNoMarker; ++id) {
        const CKGPSmartDockingMarker* pMarker = MarkerOf(id);
        if (pMarker != nullptr && pMarker->IsPtIn(ptScreen))
            hot = id;
    }
    if (hot != m_nHotMarker) {
        if (CKGPSmartDockingMarker* pOld = MarkerOf(m_nHotMarker))
            pOld->Highlight(FALSE);
        if (CKGPSmartDockingMarker* pNew = MarkerOf(hot))
            pNew->Highlight(TRUE);
        m_nHotMarker = hot;
        if (hot == kNoMarker)
            m_wndPlaceMarker.Hide();
    }
    return hot;
}
