// A control bar's archived form: after the base bar's data, its place (the
// floating and docked rectangles and the row it lay in), as its registry
// values keep it; a docking pane's and a toolbar's archive both begin so.
#include "guilib/docking/KGPControlBar.h"

#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

#include <afxarch.h>

void CKGPControlBar::Serialize(CArchive& ar)
{
    if (!ar.IsStoring()) {
        CKGPStoredLoad load;
        ReadArchive(ar, load);
        load.Commit();
        return;
    }
    CKGPBaseControlBar::Serialize(ar);
    // The place as it is now, as the registry's values take it: the floating
    // frame's rectangle while it floats, else the docked one (and, in a dock
    // bar, the row).
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE); pMiniFrame != nullptr && IsFloating()) {
        pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectRecentFloatingRect);
    } else if (!IsFloating() && !IsAutoHideMode()) {
        // (An auto-hidden pane keeps the docked place it was pinned from.)
        StoreRecentDockedRect();
        if (m_pParentDockBar != nullptr)
            m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->GetRowIndex(m_pDockBarRow);
    }
    ar << m_recentDockInfo.m_rectRecentFloatingRect;
    ar << m_recentDockInfo.m_rectRecentDockedRect;
    ar << static_cast<DWORD>(m_recentDockInfo.m_nRecentRowIndex);
}

void CKGPControlBar::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPBaseControlBar::ReadArchive(ar, load);
    CKGPStoredReader in(ar);
    using kgp_stored::kMaxCoordinate;
    // The docked place lies in its frame (or dock bar): not beyond this desktop.
    const CRect rects[2] = {in.ReadRect(kMaxCoordinate), in.ReadRect(load.DesktopReach())};
    const int rowIndex = in.ReadInt(0, kMaxCoordinate);
    // (Committed after the base's values: the edge read is the current one.)
    load.OnCommit([this, rects, rowIndex] {
        m_recentDockInfo.m_rectRecentFloatingRect = rects[0];
        m_recentDockInfo.m_rectRecentDockedRect = rects[1];
        m_rectLoadedDocked = rects[1];
        m_recentDockInfo.m_nRecentRowIndex = rowIndex;
        m_recentDockInfo.m_dwRecentAlignmentToFrame = GetCurrentAlignment();
    });
}
