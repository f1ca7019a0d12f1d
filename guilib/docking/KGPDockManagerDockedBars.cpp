// The bars a frame's dock bars hold (toolbars, the menu bar) put back where a
// loaded layout saved them: each in its row of its edge at its place along
// the row, as the values it read say. A bar keeps its own values (the
// layout's archive does not store it), so only the bars a load read values
// for move.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
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

std::vector<std::pair<HWND, int>> CKGPDockManager::RestoreDockedBars()
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
    std::vector<std::pair<HWND, int>> along;
    for (const SavedPlace& place : places)
        along.emplace_back(place.pBar->GetSafeHwnd(), place.along);
    return along;
}

// While the bars went back, an edge could be shorter than it is once the
// frame is laid out (the rows the load empties stay until then): a bar saved
// at the far end of a row was moved in to fit, and kept that place. Now that
// the edges have their lengths it goes back to its saved place along its row,
// where that fits in the row and leaves the bars beside it where they are.
void CKGPDockManager::PutBarsBackAlongTheirRows(const std::vector<std::pair<HWND, int>>& places)
{
    for (const auto& [hBar, along] : places) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, CWnd::FromHandlePermanent(hBar));
        CKGPDockBarRow* pRow = pBar != nullptr ? pBar->GetDockBarRow() : nullptr;
        CKGPDockBar* pDockBar = pBar != nullptr ? pBar->GetParentDockBar() : nullptr;
        if (pRow == nullptr || pDockBar == nullptr)
            continue;
        const BOOL bHorz = pDockBar->IsHorizontal();
        CRect dockClient;
        pDockBar->GetClientRect(dockClient);
        CRect window;
        pBar->GetWindowRect(window);
        pDockBar->ScreenToClient(window);
        const int start = bHorz ? window.left : window.top;
        const int length = bHorz ? window.Width() : window.Height();
        const int rowLength = bHorz ? dockClient.Width() : dockClient.Height();
        if (start == along || along < 0 || along + length > rowLength)
            continue;
        // The bars beside it in its row stay clear of the place.
        BOOL bClear = TRUE;
        const CObList& neighbours = pRow->GetControlBars();
        for (POSITION pos = neighbours.GetHeadPosition(); pos != nullptr && bClear;) {
            auto* pOther = DYNAMIC_DOWNCAST(CKGPControlBar, neighbours.GetNext(pos));
            if (pOther == nullptr || pOther == pBar || pOther->GetSafeHwnd() == nullptr || !pOther->IsBarVisible())
                continue;
            CRect other;
            pOther->GetWindowRect(other);
            pDockBar->ScreenToClient(other);
            const int otherStart = bHorz ? other.left : other.top;
            const int otherEnd = bHorz ? other.right : other.bottom;
            bClear = otherEnd <= along || otherStart >= along + length;
        }
        if (!bClear)
            continue;
        pRow->MoveBarToOffset(pBar, along);
        pBar->UpdateVirtualRect();
    }
}
