// The bars a frame's dock bars hold (toolbars, the menu bar) put back where a
// loaded layout saved them: each in its row of its edge at its place along
// the row, as the values it read say. A bar keeps its own values (the
// layout's archive does not store it), so only the bars a load read values
// for move.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// The dock bar along the edge (the frame's own, not an auto-hide one).
CKGPDockBar* EdgeDockBar(const CObList& bars, DWORD dwAlignment)
{
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, bars.GetNext(pos));
        if (pDockBar != nullptr && !pDockBar->IsAutoHideDockBar() &&
            pDockBar->GetCurrentAlignment() == (dwAlignment & CBRS_ALIGN_ANY))
            return pDockBar;
    }
    return nullptr;
}

struct SavedPlace {
    CKGPControlBar* pBar;
    CKGPDockBar* pDockBar;
    int row;
    int along;
};

} // namespace

void CKGPDockManager::RestoreDockedBars()
{
    // The bars whose values the load read: docked now, or floating in a frame
    // the layout did not bring (the layout's own floating frames hold the
    // bars it saved floating).
    std::vector<CKGPControlBar*> read;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, m_lstControlBars.GetNext(pos));
        if (pDockBar == nullptr || pDockBar->IsAutoHideDockBar())
            continue;
        const CObList& held = pDockBar->GetControlBars();
        for (POSITION p = held.GetHeadPosition(); p != nullptr;) {
            auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, held.GetNext(p));
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && !pBar->IsPaneKind() && pBar->IsVisibleStateRead())
                read.push_back(pBar);
        }
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, m_lstMiniFrames.GetNext(pos));
        if (pMiniFrame == nullptr || m_lstLoadedMiniFrames.Find(pMiniFrame) != nullptr)
            continue;
        auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, pMiniFrame->GetControlBar());
        if (pBar != nullptr && !pBar->IsPaneKind() && pBar->IsVisibleStateRead())
            read.push_back(pBar);
    }

    // Where each goes; a bar whose edge is gone or refuses it stays put.
    std::vector<SavedPlace> places;
    for (CKGPControlBar* pBar : read) {
        CKGPDockBar* pDockBar = EdgeDockBar(m_lstControlBars, pBar->m_recentDockInfo.m_dwRecentAlignmentToFrame);
        if (pDockBar == nullptr || !pBar->CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(pBar))
            continue;
        const CRect& rect = pBar->m_recentDockInfo.m_rectRecentDockedRect;
        places.push_back({pBar, pDockBar, pBar->m_recentDockInfo.m_nRecentRowIndex,
                          pDockBar->IsHorizontal() ? rect.left : rect.top});
    }
    std::stable_sort(places.begin(), places.end(), [](const SavedPlace& a, const SavedPlace& b) {
        return std::tie(a.row, a.along) < std::tie(b.row, b.along);
    });

    // All of them leave their rows first. A row they empty stays until they
    // are back, so that a bar whose values were not read (refused, or a bar
    // the layout did not know) keeps its row and its row's index among the
    // others; the rows the bars go back to are made up to each bar's row, in
    // order. Rows still empty then go.
    std::vector<CKGPDockBar*> dockBars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, m_lstControlBars.GetNext(pos));
        if (pDockBar != nullptr && !pDockBar->IsAutoHideDockBar()) {
            pDockBar->KeepEmptyRows();
            dockBars.push_back(pDockBar);
        }
    }
    for (const SavedPlace& place : places) {
        if (place.pBar->GetParentDockBar() != nullptr)
            place.pBar->RemoveFromDockBar();
    }
    for (const SavedPlace& place : places) {
        CKGPControlBar* pBar = place.pBar;
        pBar->m_recentDockInfo.m_pRecentDockBarRow = nullptr; // rows of the layout before are gone
        CRect rect = pBar->m_recentDockInfo.m_rectRecentDockedRect;
        place.pDockBar->ClientToScreen(rect);
        pBar->PrepareToDock(place.pDockBar, KGP_DM_DBLCLICK);
        place.pDockBar->DockControlBar(pBar, KGP_DM_DBLCLICK, rect);
        if (pBar->GetDockBarRow() != nullptr) {
            pBar->ShowBar(pBar->GetRecentVisibleState(), TRUE, FALSE);
            pBar->GetDockBarRow()->RestoreBarSizes();
        }
    }
    for (CKGPDockBar* pDockBar : dockBars)
        pDockBar->RemoveEmptyRows();
    // The next layout applied reads their values anew.
    for (CKGPControlBar* pBar : read)
        pBar->ForgetVisibleStateRead();
}
