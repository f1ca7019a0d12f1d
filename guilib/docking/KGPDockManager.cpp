#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPLoadedLayout.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPFrameLink.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPTabbedBarLink.h"

IMPLEMENT_DYNAMIC(CKGPDockManager, CObject)

int CKGPDockManager::s_nDockMode = KGP_DOCK_DRAGFRAME;
int CKGPDockManager::s_nDockSensitivity = 15;
BOOL CKGPDockManager::s_bLayoutLocked = FALSE;
BOOL CKGPDockManager::s_bRearranging = FALSE;
BOOL CKGPDockManager::s_bHideAllInPreview = TRUE;
BOOL CKGPDockManager::s_bSavingState = FALSE;
CFrameWnd* CKGPDockManager::s_pLoadingFrame = nullptr;
CKGPSmartDockingParams CKGPDockManager::s_smartDockingParams;

namespace {

const struct {
    DWORD alignment;
    UINT id;
} kDockBarEdges[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

template <class Visit>
void ForEachBar(const CObList& list, Visit visit)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, list.GetNext(pos)))
            visit(pBar);
    }
}

// The panes an entry of the auto-hide list stands for: an auto-hide slider's
// panes (a bar that is no slider stands for itself).
template <class Visit>
void ForEachAutoHiddenPane(CKGPBaseControlBar* pBar, Visit& visit)
{
    auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pBar);
    if (pSlider == nullptr || pSlider->GetControlBars() == nullptr) {
        visit(pBar);
        return;
    }
    ForEachBar(*pSlider->GetControlBars(), visit);
}

} // namespace

CKGPDockManager::CKGPDockManager() = default;

CKGPDockManager::~CKGPDockManager()
{
    Forget();
}

CKGPSmartDockingManager* CKGPDockManager::GetSmartDockingManagerPermanent()
{
    if (m_pSDManager == nullptr) {
        m_pSDManager = std::make_unique<CKGPSmartDockingManager>();
        // Its markers' windows, owned by the frame (none without a frame window).
        if (m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr)
            m_pSDManager->Create(m_pParentWnd);
    }
    return m_pSDManager.get();
}

BOOL CKGPDockManager::IsInPlace() const
{
    return m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr && m_pParentWnd->m_pNotifyHook != nullptr;
}

BOOL CKGPDockManager::EnableDocking(DWORD dwDockStyle)
{
    if (m_pParentWnd == nullptr)
        return FALSE;
    m_dwEnabledAlignment |= dwDockStyle & CBRS_ALIGN_ANY;
    for (const auto& edge : kDockBarEdges) {
        if ((dwDockStyle & edge.alignment) == 0 || FindDockBar(edge.alignment, TRUE) != nullptr)
            continue;
        // The dock bar deletes itself when its window goes (PostNcDestroy).
        auto* pDockBar = AfxCreateSelfDeleting(new CKGPDockBar, [&](CKGPDockBar& bar) {
            return bar.CreateEx(0, edge.alignment, m_pParentWnd, 0);
        });
        if (pDockBar == nullptr)
            return FALSE;
        // Dock bars come before every other bar: they take the outer edges.
        POSITION pos = m_lstControlBars.GetHeadPosition();
        POSITION firstOther = nullptr;
        while (pos != nullptr) {
            POSITION current = pos;
            if (!m_lstControlBars.GetNext(pos)->IsKindOf(RUNTIME_CLASS(CKGPDockBar))) {
                firstOther = current;
                break;
            }
        }
        if (firstOther != nullptr)
            m_lstControlBars.InsertBefore(firstOther, pDockBar);
        else
            m_lstControlBars.AddTail(pDockBar);
        pDockBar->SetDockSite(m_pParentWnd);
    }
    return TRUE;
}

BOOL CKGPDockManager::AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail, BOOL bAutoHide,
                                    BOOL bInsertBeforeFloatable)
{
    CObList& list = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    if (pBar == nullptr || list.Find(pBar) != nullptr)
        return FALSE;
    if (bTail) {
        list.AddTail(pBar);
    } else if (!bInsertBeforeFloatable) {
        list.AddHead(pBar);
    } else {
        POSITION pos = list.GetHeadPosition();
        while (pos != nullptr) {
            POSITION current = pos;
            auto* pOther = DYNAMIC_DOWNCAST(CKGPBaseControlBar, list.GetNext(pos));
            if (pOther != nullptr && pOther->AllowsInsertBefore()) {
                list.InsertBefore(current, pBar);
                return TRUE;
            }
        }
        list.AddTail(pBar);
        return TRUE;
    }
    pBar->SetDockSite(m_pParentWnd);
    return TRUE;
}

BOOL CKGPDockManager::InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pBarToInsertAt, BOOL bAfter)
{
    if (m_lstControlBars.Find(pBar) != nullptr)
        return FALSE;
    POSITION pos = m_lstControlBars.Find(pBarToInsertAt);
    if (pos == nullptr)
        return FALSE;
    if (bAfter)
        m_lstControlBars.InsertAfter(pos, pBar);
    else
        m_lstControlBars.InsertBefore(pos, pBar);
    return TRUE;
}

void CKGPDockManager::RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide,
                                       CKGPBaseControlBar* pBarToReplaceWith)
{
    CObList& list = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    POSITION pos = list.Find(pBar);
    if (pBarToReplaceWith != nullptr) {
        if (pos == nullptr) {
            list.AddTail(pBarToReplaceWith);
            return;
        }
        list.InsertAfter(pos, pBarToReplaceWith);
    }
    if (pos == nullptr)
        return;
    list.RemoveAt(pos);
    if (bDestroy)
        pBar->DestroyWindow();
    if (bAdjustLayout)
        AdjustDockingLayout();
}

BOOL CKGPDockManager::AddMiniFrame(CWnd* pMiniFrame)
{
    if (pMiniFrame == nullptr || m_lstMiniFrames.Find(pMiniFrame) != nullptr)
        return FALSE;
    m_lstMiniFrames.AddTail(pMiniFrame);
    return TRUE;
}

BOOL CKGPDockManager::RemoveMiniFrame(CWnd* pMiniFrame)
{
    POSITION pos = m_lstMiniFrames.Find(pMiniFrame);
    if (pos == nullptr)
        return FALSE;
    m_lstMiniFrames.RemoveAt(pos);
    return TRUE;
}

CKGPDockManager::CBarIdIndex::CBarIdIndex(CKGPDockManager& manager)
    : m_manager(manager), m_bOwner(manager.m_pBarIds == nullptr)
{
    if (!m_bOwner)
        return;
    auto ids = std::make_unique<std::unordered_map<UINT, HWND>>();
    manager.IndexBarsById(*ids);
    manager.m_pBarIds = std::move(ids);
}

CKGPDockManager::CBarIdIndex::~CBarIdIndex()
{
    if (m_bOwner)
        m_manager.m_pBarIds.reset();
}

// The bars in the order FindBarById visits them; an id met twice on different
// windows is left to the search (nullptr), which finds the first as before.
void CKGPDockManager::IndexBarsById(std::unordered_map<UINT, HWND>& ids)
{
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    auto add = [&](CKGPBaseControlBar* pBar) {
        const HWND hWnd = pBar->GetSafeHwnd();
        if (hWnd == nullptr)
            return;
        auto [it, inserted] = ids.emplace(static_cast<UINT>(pBar->GetDlgCtrlID()), hWnd);
        if (!inserted && it->second != hWnd)
            it->second = nullptr;
    };
    auto visit = [&](CKGPBaseControlBar* pBar) {
        if (pBar->GetSafeHwnd() == nullptr)
            return;
        add(pBar);
        if (auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar)) {
            ForEachBar(pDockBar->GetControlBars(), add);
        } else if (pTabs != nullptr) {
            CObList tabs;
            pTabs->AppendTabs(pBar, tabs);
            ForEachBar(tabs, add);
        }
    };
    ForEachBar(m_lstAutoHideBars, [&](CKGPBaseControlBar* pBar) { ForEachAutoHiddenPane(pBar, visit); });
    ForEachBar(m_lstControlBars, visit);
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        auto* pBar = pMiniFrame != nullptr ? DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar()) : nullptr;
        if (pBar != nullptr)
            visit(pBar);
    }
    // Last, the floating bars of every frame, for ids not met before.
    CObList floating;
    CKGPMiniFrameWnd::GetFloatingBars(floating, nullptr, FALSE);
    ForEachBar(floating, [&](CKGPBaseControlBar* pBar) {
        if (pBar->GetSafeHwnd() != nullptr)
            ids.emplace(static_cast<UINT>(pBar->GetDlgCtrlID()), pBar->GetSafeHwnd());
    });
}

CKGPBaseControlBar* CKGPDockManager::FindIndexedBar(UINT uiBarId) const
{
    const auto it = m_pBarIds->find(uiBarId);
    if (it == m_pBarIds->end() || it->second == nullptr || !::IsWindow(it->second))
        return nullptr;
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(it->second));
    return pBar != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == uiBarId ? pBar : nullptr;
}

CKGPBaseControlBar* CKGPDockManager::FindBarById(UINT uiBarId, BOOL bSearchMiniFrames)
{
    if (m_pBarIds != nullptr && bSearchMiniFrames) {
        if (CKGPBaseControlBar* pIndexed = FindIndexedBar(uiBarId))
            return pIndexed;
    }
    IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link();
    CKGPBaseControlBar* pFound = nullptr;
    auto match = [&](CKGPBaseControlBar* pBar) {
        if (pFound != nullptr || pBar->GetSafeHwnd() == nullptr)
            return;
        if (static_cast<UINT>(pBar->GetDlgCtrlID()) == uiBarId)
            pFound = pBar;
        else if (auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar))
            pFound = pDockBar->FindBarByID(uiBarId);
        else if (pTabs != nullptr)
            pFound = pTabs->FindBarByID(pBar, uiBarId); // a tab of a tabbed bar
        // (The children of a rebar are searched once the rebar exists.)
    };
    // An auto-hide slider stands for its pane.
    ForEachBar(m_lstAutoHideBars, [&](CKGPBaseControlBar* pBar) { ForEachAutoHiddenPane(pBar, match); });
    ForEachBar(m_lstControlBars, match);
    if (pFound != nullptr || !bSearchMiniFrames)
        return pFound;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr && pFound == nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        auto* pBar = pMiniFrame != nullptr ? DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar()) : nullptr;
        if (pBar != nullptr)
            match(pBar);
    }
    return pFound != nullptr ? pFound : CKGPMiniFrameWnd::FindFloatingBarByID(uiBarId);
}

CKGPDockBar* CKGPDockManager::FindDockBar(DWORD dwAlignment, BOOL bOuter)
{
    dwAlignment &= CBRS_ALIGN_ANY;
    POSITION pos = bOuter ? m_lstControlBars.GetHeadPosition() : m_lstControlBars.GetTailPosition();
    while (pos != nullptr) {
        CObject* pObject = bOuter ? m_lstControlBars.GetNext(pos) : m_lstControlBars.GetPrev(pos);
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pObject);
        if (pDockBar != nullptr && pDockBar->GetCurrentAlignment() == dwAlignment)
            return pDockBar;
    }
    return nullptr;
}

CKGPDockBar* CKGPDockManager::FindDockBarById(UINT nDockBarID)
{
    CKGPDockBar* pFound = nullptr;
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
        if (pFound == nullptr && pDockBar != nullptr && pDockBar->GetDockBarID() == nDockBarID)
            pFound = pDockBar;
    });
    return pFound;
}

CKGPDockBar* CKGPDockManager::FindDockBarOfBar(CKGPBaseControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    CKGPDockBar* pFound = nullptr;
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pListed) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pListed);
        if (pFound == nullptr && pDockBar != nullptr && pDockBar->FindBarByID(pBar->GetDlgCtrlID()) != nullptr)
            pFound = pDockBar;
    });
    return pFound;
}

void CKGPDockManager::GetControlBarList(CObList& list, BOOL bIncludeAutoHide, CRuntimeClass* pRTCBarType,
                                        BOOL bIncludeTabs)
{
    IKGPTabbedBarLink* pTabs = bIncludeTabs ? KGPTabbedBars::Link() : nullptr;
    auto take = [&](CObject* pObject) {
        if (pRTCBarType == nullptr || pObject->GetRuntimeClass() == pRTCBarType)
            list.AddTail(pObject);
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pObject); pTabs != nullptr && pBar != nullptr)
            pTabs->AppendTabs(pBar, list);
    };
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        if (auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar)) {
            const CObList& docked = pDockBar->GetControlBars();
            for (POSITION pos = docked.GetHeadPosition(); pos != nullptr;)
                take(docked.GetNext(pos));
        }
        take(pBar);
    });
    // An auto-hide slider stands for the panes it holds.
    if (bIncludeAutoHide)
        ForEachBar(m_lstAutoHideBars, [&](CKGPBaseControlBar* pBar) {
            auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pBar);
            const CObList* pPanes = pSlider != nullptr ? pSlider->GetControlBars() : nullptr;
            if (pPanes == nullptr)
                return;
            for (POSITION pos = pPanes->GetHeadPosition(); pos != nullptr;)
                take(pPanes->GetNext(pos));
        });
}

void CKGPDockManager::DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr || m_lstControlBars.IsEmpty())
        return;
    pBar->RemoveFromHost(TRUE);
    if (!pBar->CanBeResized() && !pBar->CanFloat()) {
        AddControlBar(pBar);
        return;
    }
    if (pBar->DocksAtFrameEdge()) {
        DWORD dwAlignment = pBar->GetCurrentAlignment();
        if (nDockBarID != 0) {
            dwAlignment = KGPDock::DockBarIdAlignment(nDockBarID, pBar->GetEnabledAlignment());
            if (dwAlignment == 0)
                return;
        }
        pBar->DockToWindow(dwAlignment, lpRect, 1, nullptr, -1, FALSE);
        return;
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, m_lstControlBars.GetNext(pos));
        if (pDockBar == nullptr || (nDockBarID != 0 && pDockBar->GetDockBarID() != nDockBarID))
            continue;
        if (pBar->CanBeDocked(pDockBar) && pDockBar->CanAcceptBar(pBar) &&
            pBar->DockToBar(pDockBar, lpRect, KGP_DM_RECT)) {
            pBar->Invalidate();
            return;
        }
    }
}

void CKGPDockManager::RefreshDockBars()
{
    ForEachBar(m_lstControlBars, [](CKGPBaseControlBar* pBar) {
        if (auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar))
            pDockBar->RepositionAllRows();
    });
    AdjustDockingLayout();
}

void CKGPDockManager::NotifyBarsAndRelayout()
{
    if (s_bLayoutLocked || m_bInNotifyRelayout || m_bSuspendRecalc || !m_bLayoutEnabled)
        return;
    m_bInNotifyRelayout = TRUE;
    const BOOL bInPlace = IsInPlace();
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        if (!bInPlace || pBar->IsBarVisible())
            pBar->RecalcLayout();
    });
    if (!bInPlace) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
            if (pMiniFrame != nullptr && pMiniFrame->GetSafeHwnd() != nullptr)
                pMiniFrame->AdjustLayout();
        }
    }
    m_bInNotifyRelayout = FALSE;
    AdjustDockingLayout();
}

void CKGPDockManager::AdjustDockingLayout(HDWP hdwp)
{
    if (s_bLayoutLocked || m_bAdjustingLayout || m_pParentWnd == nullptr || m_pParentWnd->GetSafeHwnd() == nullptr ||
        !m_bLayoutEnabled || m_lstControlBars.IsEmpty() || m_pParentWnd->IsIconic())
        return;

    CRect work;
    if (!m_rectDockBarBounds.IsRectEmpty()) {
        work = m_rectDockBarBounds;
    } else {
        m_pParentWnd->GetClientRect(work);
    }
    m_pParentWnd->ClientToScreen(work);
    m_bAdjustingLayout = TRUE;
    const BOOL bInPlace = IsInPlace();

    HDWP hdwpOwn = nullptr;
    if (hdwp == nullptr && !m_bHiddenForPreview)
        hdwp = hdwpOwn = ::BeginDeferWindowPos(static_cast<int>(m_lstControlBars.GetCount()));

    POSITION lastDockBar = nullptr;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != nullptr && lastDockBar == nullptr;) {
        POSITION current = pos;
        if (m_lstControlBars.GetPrev(pos)->IsKindOf(RUNTIME_CLASS(CKGPDockBar)))
            lastDockBar = current;
    }

    CRect outer;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        POSITION current = pos;
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_lstControlBars.GetNext(pos));
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
            continue;
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
        // A control bar is laid out by its dock bar's row, or floats; one that
        // stands alone in the frame (a caption bar) is placed here.
        if (pDockBar == nullptr && !pBar->DocksAtFrameEdge() &&
            (pBar->GetParentDockBar() != nullptr || pBar->GetParent() != m_pParentWnd))
            continue;
        if (!pBar->IsSliderKind() && pBar->GetDefaultSlider() != nullptr)
            continue; // a pane in a default slider's tree: the slider places it
        const BOOL bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        if (!bVisible && (pDockBar == nullptr || m_bHiddenForPreview || bInPlace || m_bInPlaceBarsHidden)) {
            if (current == lastDockBar)
                outer = work;
            continue;
        }
        const DWORD alignment = pBar->GetCurrentAlignment();
        const BOOL bHorz = KGPDock::IsHorizontalAlignment(alignment);
        const CSize thickness = pBar->CalcFixedLayout(FALSE, bHorz);
        CRect rect;
        pBar->GetWindowRect(rect);
        rect = KGPDock::FitBarToEdge(rect, thickness, alignment, pBar->DocksAtFrameEdge(), work);
        const BOOL bHasLength = bHorz ? rect.Width() > 0 : rect.Height() > 0;
        CRect client = rect;
        m_pParentWnd->ScreenToClient(client);
        if (pDockBar != nullptr) {
            if (bHasLength)
                hdwp = pDockBar->MoveDockBar(client, hdwp);
        } else if (auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pBar)) {
            hdwp = pSlider->RepositionBars(rect, hdwp); // the slider places its panes beside it
        } else {
            hdwp = pBar->SetBarWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                                         SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
        }
        KGPDock::TakeFromFreeArea(work, rect, alignment);
        if (current == lastDockBar)
            outer = work;
    }

    const CRect previousOuter = m_rectOuterEdge;
    m_rectInnerEdge = work;
    if (outer.IsRectEmpty() || bInPlace)
        outer = work;
    m_rectOuterEdge = outer;
    m_pParentWnd->ScreenToClient(m_rectInnerEdge);
    m_pParentWnd->ScreenToClient(m_rectOuterEdge);

    // A moved outer edge leaves no auto-hidden pane slid in.
    const BOOL bOuterMoved = m_rectOuterEdge != previousOuter;
    if (bOuterMoved)
        HideAutoHideBarsExcept(nullptr);

    if (hdwpOwn != nullptr)
        ::EndDeferWindowPos(hdwp);
    // The auto-hidden panes' sliders stand against the outer edge where it
    // is now (a strip made or gone since they were placed moved it).
    if (bOuterMoved) {
        ForEachBar(m_lstAutoHideBars, [this](CKGPBaseControlBar* pBar) {
            if (auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pBar))
                AlignAutoHideBar(pSlider, TRUE);
        });
    }
    // The auto-hide strips make room for each other at the corners, once they
    // stand where the batch put them.
    CObList autoHideDockBars;
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
        if (pDockBar != nullptr && pDockBar->IsAutoHideDockBar()) {
            pDockBar->SetCornerOffsets(KGPDock::EdgeOffsets{});
            autoHideDockBars.AddTail(pDockBar);
        }
    });
    ForEachBar(autoHideDockBars, [&](CKGPBaseControlBar* pBar) { FixCornerOffsets(static_cast<CKGPDockBar*>(pBar)); });
    if (bInPlace)
        m_pParentWnd->RecalcLayout();
    m_bAdjustingLayout = FALSE;
}

void CKGPDockManager::HideAutoHideBarsExcept(CKGPBaseControlBar* pBarToExclude, BOOL bImmediately)
{
    ForEachBar(m_lstAutoHideBars,
               [&](CKGPBaseControlBar* pSlider) { pSlider->SlideOutAutoHidePane(pBarToExclude, bImmediately); });
}

void CKGPDockManager::FixCornerOffsets(CKGPDockBar* pAutoHideDockBar)
{
    if (pAutoHideDockBar == nullptr || pAutoHideDockBar->GetSafeHwnd() == nullptr)
        return;
    const DWORD alignR = pAutoHideDockBar->GetCurrentAlignment();
    CRect rectR;
    pAutoHideDockBar->GetWindowRect(rectR);
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        auto* pOther = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
        if (pOther == nullptr || pOther == pAutoHideDockBar || !pOther->IsAutoHideDockBar() ||
            pOther->GetSafeHwnd() == nullptr)
            return;
        const DWORD alignS = pOther->GetCurrentAlignment();
        if (KGPDock::IsHorizontalAlignment(alignS) == KGPDock::IsHorizontalAlignment(alignR))
            return;
        CRect rectS;
        pOther->GetWindowRect(rectS);
        if (rectS.IsRectEmpty())
            return;
        KGPDock::EdgeOffsets offR = pAutoHideDockBar->GetCornerOffsets();
        KGPDock::EdgeOffsets offS = pOther->GetCornerOffsets();
        KGPDock::FixCornerOffsets(alignR, rectR, offR, alignS, rectS, offS);
        pAutoHideDockBar->SetCornerOffsets(offR);
        pOther->SetCornerOffsets(offS);
    });
}

void CKGPDockManager::RecalcNonClientAll()
{
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    ForEachBar(m_lstControlBars, [&](CKGPBaseControlBar* pBar) {
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->SetWindowPos(HWND{}, 0, 0, 0, 0, flags);
    });
    // A floating frame's caption follows the look's caption buttons.
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == nullptr || pMiniFrame->GetSafeHwnd() == nullptr)
            continue;
        pMiniFrame->RecalcCaptionHeight();
        pMiniFrame->SetWindowPos(HWND{}, 0, 0, 0, 0, flags);
        pMiniFrame->ArrangeCaptionButtons();
    }
}

BOOL CKGPDockManager::LimitDockedSize(CRect& rect, DWORD dwAlignment) const
{
    const BOOL bRTL = m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr &&
                      (m_pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    return KGPDock::LimitDockedSize(rect, dwAlignment, m_rectInnerEdge, GetKGPGlobalData().m_nMaxDockedSharePercent,
                                    bRTL);
}

void CKGPDockManager::SetPrintPreviewMode(BOOL bPreview)
{
    const BOOL bInPlace = IsInPlace();
    if (bPreview) {
        if (m_bHiddenForPreview)
            return;
        m_bHiddenForPreview = TRUE;
        if (bInPlace)
            return;
        m_lstHiddenForPreview.RemoveAll();
        auto hide = [&](CKGPBaseControlBar* pBar) {
            if (pBar->GetSafeHwnd() != nullptr && pBar->IsBarVisible() && pBar->HideInPrintPreviewMode()) {
                pBar->ShowBar(FALSE, TRUE, FALSE);
                m_lstHiddenForPreview.AddTail(pBar);
            }
        };
        ForEachBar(m_lstAutoHideBars, hide);
        ForEachBar(m_lstControlBars, hide);
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pMiniFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
            if (pMiniFrame != nullptr && pMiniFrame->IsWindowVisible()) {
                pMiniFrame->ShowWindow(SW_HIDE);
                m_lstHiddenForPreview.AddTail(pMiniFrame);
            }
        }
        return;
    }
    if (!bInPlace) {
        for (POSITION pos = m_lstHiddenForPreview.GetHeadPosition(); pos != nullptr;) {
            CObject* pObject = m_lstHiddenForPreview.GetNext(pos);
            if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pObject))
                pBar->ShowBar(TRUE, TRUE, FALSE);
            else if (auto* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject))
                pWnd->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    m_lstHiddenForPreview.RemoveAll();
    m_bHiddenForPreview = FALSE;
}

void CKGPDockManager::HideInPlaceBars(BOOL bRestore)
{
    if (!bRestore) {
        if (m_bInPlaceBarsHidden)
            return;
        CObList bars;
        GetControlBarList(bars, TRUE, nullptr, TRUE);
        {
            const CKGPLayoutLockScope lock;
            ForEachBar(bars, [&](CKGPBaseControlBar* pBar) {
                if ((pBar->GetBarStyleWord() & CBRS_HIDE_INPLACE) != 0 && pBar->IsBarVisible()) {
                    pBar->ShowBar(FALSE, TRUE, FALSE);
                    m_lstHiddenInPlaceBars.AddTail(pBar->GetSafeHwnd());
                }
            });
        }
        m_bInPlaceBarsHidden = TRUE;
    } else {
        for (POSITION pos = m_lstHiddenInPlaceBars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(m_lstHiddenInPlaceBars.GetNext(pos)));
            if (pBar != nullptr)
                pBar->ShowBar(TRUE, TRUE, FALSE);
        }
        m_lstHiddenInPlaceBars.RemoveAll();
        m_bInPlaceBarsHidden = FALSE;
    }
    AdjustDockingLayout();
}

void CKGPDockManager::HideMiniFrames(BOOL bRestore, CRuntimeClass* pToolbarClass)
{
    if (bRestore) {
        for (POSITION pos = m_lstHiddenMiniFrames.GetHeadPosition(); pos != nullptr;) {
            const HWND hWnd = m_lstHiddenMiniFrames.GetNext(pos);
            if (::IsWindow(hWnd) && ::GetWindow(hWnd, GW_CHILD) != nullptr)
                ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
        }
        m_lstHiddenMiniFrames.RemoveAll();
        return;
    }
    const BOOL bAll = pToolbarClass == nullptr;
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == nullptr || !pMiniFrame->IsWindowVisible())
            continue;
        CWnd* pChild = pMiniFrame->GetWindow(GW_CHILD);
        const BOOL bToolbar = pToolbarClass != nullptr && pChild != nullptr && pChild->IsKindOf(pToolbarClass);
        if ((bAll || bToolbar) && m_lstHiddenMiniFrames.Find(pMiniFrame->m_hWnd) == nullptr) {
            pMiniFrame->ShowWindow(SW_HIDE);
            m_lstHiddenMiniFrames.AddTail(pMiniFrame->m_hWnd);
        }
    }
}

void CKGPDockManager::KeepMiniFramesOverFrame()
{
    if (m_pParentWnd == nullptr || (m_pParentWnd->GetStyle() & WS_CHILD) != 0 || !m_pParentWnd->IsWindowVisible() ||
        m_pParentWnd->IsIconic())
        return;
    const HWND hFrame = m_pParentWnd->GetSafeHwnd();
    const HWND hForeground = ::GetForegroundWindow();
    if (hForeground != hFrame && ::GetWindow(hForeground, GW_OWNER) != hFrame)
        return; // another application's window may stand over both
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
        const HWND hMiniFrame = pMiniFrame != nullptr ? pMiniFrame->GetSafeHwnd() : nullptr;
        if (hMiniFrame == nullptr || !::IsWindowVisible(hMiniFrame) || ::GetWindow(hMiniFrame, GW_OWNER) != hFrame)
            continue;
        for (HWND hBelow = ::GetWindow(hFrame, GW_HWNDNEXT); hBelow != nullptr; hBelow = ::GetWindow(hBelow, GW_HWNDNEXT)) {
            if (hBelow == hMiniFrame) {
                ::SetWindowPos(hMiniFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
        }
    }
}

void CKGPDockManager::OnFrameShown()
{
    // Shown at once they would come out under the frame as it comes to the
    // top of its showing.
    for (POSITION pos = m_lstMiniFramesHeldForFrame.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = m_lstMiniFramesHeldForFrame.GetNext(pos);
        if (::IsWindow(hWnd))
            ::PostMessageW(hWnd, CKGPMiniFrameWnd::kShowOverOwnerMessage, 0, 0);
    }
    m_lstMiniFramesHeldForFrame.RemoveAll();
}

void CKGPDockManager::LockUpdate(BOOL bLock)
{
    // The markers of a running drag must go on drawing.
    if (bLock && m_pSDManager != nullptr && m_pSDManager->IsActive())
        return;
    m_bLockUpdate = bLock;
    if (m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr) {
        if (bLock)
            m_pParentWnd->LockWindowUpdate();
        else
            m_pParentWnd->UnlockWindowUpdate();
    }
    auto refresh = [&](CWnd* pWnd) {
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            return;
        pWnd->ValidateRect(nullptr);
        pWnd->UpdateWindow();
    };
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;)
        refresh(DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos)));
    ForEachBar(m_lstControlBars, refresh);
}

void CKGPDockManager::BringBarsToTop(DWORD dwAlignment, BOOL bSkipBarsAtEnd)
{
    dwAlignment &= CBRS_ALIGN_ANY;
    BOOL bSkipping = bSkipBarsAtEnd;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_lstControlBars.GetPrev(pos));
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
            continue;
        if (bSkipping) {
            // The control bars and sliders at the tail keep their places.
            if (pBar->IsKindOf(RUNTIME_CLASS(CKGPControlBar)) || pBar->IsSliderKind())
                continue;
            bSkipping = FALSE;
        }
        if (dwAlignment == 0 || pBar->GetCurrentAlignment() == dwAlignment)
            pBar->SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

BOOL CKGPDockManager::SendMessageToMiniFrames(UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame != nullptr && pMiniFrame->GetSafeHwnd() != nullptr)
            pMiniFrame->SendMessage(uMessage, wParam, lParam);
    }
    return TRUE;
}

void CKGPDockManager::BuildBarsMenu(CMenu& menu, UINT uiCustomizeCmd)
{
    m_uiCustomizeCmd = uiCustomizeCmd;
    m_mapBarsMenuIds.RemoveAll();
    // Every bar the frame has: docked, auto-hidden and floating (a bar
    // closed where it floats or slides in is shown again from here).
    CObList bars;
    GetControlBarList(bars, TRUE, nullptr, TRUE);
    GetFloatingBarList(bars, TRUE);
    // Then the bars of MDI children and the panes shown as tabbed documents.
    CObList others;
    if (const IKGPFrameLink* pFrames = CKGPLink<IKGPFrameLink>::Get())
        pFrames->AppendDocumentBars(m_pParentWnd, others);
    for (POSITION pos = m_lstBarsAsDocuments.GetHeadPosition(); pos != nullptr;) {
        CWnd* pWnd = CWnd::FromHandlePermanent(m_lstBarsAsDocuments.GetNext(pos));
        if (pWnd != nullptr && others.Find(pWnd) == nullptr)
            others.AddTail(pWnd);
    }
    auto append = [&](const CObList& list, BOOL bToolbars) {
        BOOL bSeparated = menu.GetMenuItemCount() == 0;
        ForEachBar(list, [&](CKGPBaseControlBar* pBar) {
            if (pBar->GetSafeHwnd() == nullptr || !pBar->CanBeClosed() || pBar->IsKindOf(RUNTIME_CLASS(CKGPDockBar)) ||
                pBar->IsToolBarKind() != bToolbars)
                return;
            // The item's id is the bar's: a bar without one of its own (a
            // tabbed pane the library made, listed by its tabs) or one
            // listed already has none to give.
            const UINT id = static_cast<UINT>(pBar->GetDlgCtrlID());
            HWND hListed = nullptr;
            if (id == 0 || id == static_cast<UINT>(-1) || m_mapBarsMenuIds.Lookup(id, hListed))
                return;
            CString name;
            if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBar))
                pControlBar->GetBarName(name);
            else
                pBar->GetWindowText(name);
            if (!bSeparated) {
                menu.AppendMenu(MF_SEPARATOR);
                bSeparated = TRUE;
            }
            menu.AppendMenu(MF_STRING | (pBar->IsBarVisible() ? MF_CHECKED : 0), id, name);
            m_mapBarsMenuIds.SetAt(id, pBar->GetSafeHwnd());
        });
    };
    // Toolbars first, then the other bars, a separator between the groups.
    append(bars, TRUE);
    append(bars, FALSE);
    append(others, TRUE);
    append(others, FALSE);
}

void CKGPDockManager::GetFloatingBarList(CObList& list, BOOL bIncludeTabs) const
{
    IKGPTabbedBarLink* pTabs = bIncludeTabs ? KGPTabbedBars::Link() : nullptr;
    auto take = [&](CKGPBaseControlBar* pBar) {
        if (pBar == nullptr)
            return;
        list.AddTail(pBar);
        if (pTabs != nullptr)
            pTabs->AppendTabs(pBar, list);
    };
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == nullptr || pMiniFrame->GetSafeHwnd() == nullptr)
            continue;
        if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pMiniFrame))
            ForEachBar(pMulti->GetContainerManager().GetPanes(), take);
        else
            take(DYNAMIC_DOWNCAST(CKGPBaseControlBar, pMiniFrame->GetControlBar()));
    }
}

BOOL CKGPDockManager::ShowBarsContextMenu(CPoint point)
{
    if (!m_bControlBarsMenu || m_pParentWnd == nullptr)
        return FALSE;
    // The library's main window owns the menu when there is one, else the
    // frame's top-level frame.
    CWnd* pOwner = AfxGetMainWnd();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        pOwner = m_pParentWnd->GetSafeHwnd() != nullptr ? m_pParentWnd->GetTopLevelFrame() : nullptr;
    if (pOwner == nullptr)
        return FALSE;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    BuildBarsMenu(menu);
    if (menu.GetMenuItemCount() == 0)
        return FALSE;
    // The chosen command goes through the frame's command routing (the
    // frame's own handlers first, then OnBarsMenuCmdMsg) while the id map
    // still holds the menu's bars; once the menu is closed the map is empty,
    // so a later command with a bar's id reaches only the frame.
    m_bMenuShown = TRUE;
    const UINT nCmd = KGPMenuLinks::TrackPopupMenu(menu.GetSafeHmenu(), point.x, point.y, pOwner);
    m_bMenuShown = FALSE;
    if (nCmd != 0 && m_pParentWnd->GetSafeHwnd() != nullptr)
        m_pParentWnd->SendMessage(WM_COMMAND, nCmd);
    m_mapBarsMenuIds.RemoveAll();
    return TRUE;
}

CKGPBaseControlBar* CKGPDockManager::BarListedInMenu(UINT nID) const
{
    HWND hBar = nullptr;
    if (!m_mapBarsMenuIds.Lookup(nID, hBar))
        return nullptr;
    // A window gone, or one that took its handle since, is no listed bar.
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hBar));
    return pBar != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID ? pBar : nullptr;
}

BOOL CKGPDockManager::OnBarsMenuCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!m_bControlBarsMenu || m_mapBarsMenuIds.IsEmpty())
        return FALSE;
    const BOOL bUpdate = nCode == static_cast<int>(CN_UPDATE_COMMAND_UI);
    if (bUpdate && !m_bMenuShown)
        return FALSE;
    CKGPBaseControlBar* pBar = BarListedInMenu(nID);
    if (pBar == nullptr)
        return FALSE;
    if (bUpdate) {
        if (auto* pCmdUI = static_cast<CCmdUI*>(pExtra))
            pCmdUI->SetCheck(pBar->IsBarVisible());
        return TRUE;
    }
    if (nCode != CN_COMMAND)
        return FALSE;
    // Asked whether the item has a handler (the command UI of a frame that
    // turns off commands without one): it has, the list.
    if (pHandlerInfo != nullptr)
        return TRUE;
    pBar->ShowBar(!pBar->IsBarVisible(), FALSE, TRUE);
    if (CFrameWnd* pFrame = pBar->GetDockSiteFrame())
        pFrame->RecalcLayout();
    else
        NotifyBarsAndRelayout();
    m_mapBarsMenuIds.RemoveAll();
    return TRUE;
}

void CKGPDockManager::ResortMiniFramesForZOrder()
{
    if (m_lstMiniFrames.IsEmpty())
        return;
    auto* pFirst = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetHead());
    if (pFirst == nullptr || pFirst->GetSafeHwnd() == nullptr)
        return;
    // Top of the z-order first; frames that are not among the siblings keep
    // their order behind them.
    CObList sorted;
    for (HWND hWnd = ::GetWindow(pFirst->m_hWnd, GW_HWNDFIRST); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            const POSITION current = pos;
            auto* pWnd = DYNAMIC_DOWNCAST(CWnd, m_lstMiniFrames.GetNext(pos));
            if (pWnd != nullptr && pWnd->m_hWnd == hWnd) {
                sorted.AddTail(pWnd);
                m_lstMiniFrames.RemoveAt(current);
                break;
            }
        }
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;)
        sorted.AddTail(m_lstMiniFrames.GetNext(pos));
    m_lstMiniFrames.RemoveAll();
    for (POSITION pos = sorted.GetHeadPosition(); pos != nullptr;)
        m_lstMiniFrames.AddTail(sorted.GetNext(pos));
}

CWnd* CKGPDockManager::ReparentWindow(CWnd* pNewParent, CWnd* pWnd) const
{
    return pWnd != nullptr ? pWnd->SetParent(pNewParent) : nullptr;
}
