// The dock manager's side of auto-hidden panes: the strips along the edges,
// a pane's button on them and its slider at the docked area's outer edge.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPAutoHideDockBar.h"
#include "guilib/docking/KGPAutoHideMath.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPSlider.h"

#include <algorithm>

namespace {

constexpr DWORD kEdges[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

} // namespace

BOOL CKGPDockManager::EnableAutoHideBars(DWORD dwDockStyle)
{
    if (m_pParentWnd == nullptr)
        return FALSE;
    for (DWORD edge : kEdges) {
        if ((dwDockStyle & edge) == 0)
            continue;
        if (DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, FindDockBar(edge, FALSE)) != nullptr)
            continue;
        // It deletes itself with its window (PostNcDestroy).
        auto* pDockBar = AfxCreateSelfDeleting(new CKGPAutoHideDockBar, [&](CKGPAutoHideDockBar& bar) {
            return bar.CreateEx(0, edge, m_pParentWnd, 0);
        });
        if (pDockBar == nullptr)
            return FALSE;
        // After every dock bar: the strips lie inside the docked bars.
        POSITION pos = m_lstControlBars.GetHeadPosition();
        POSITION lastDockBar = nullptr;
        while (pos != nullptr) {
            POSITION current = pos;
            if (m_lstControlBars.GetNext(pos)->IsKindOf(RUNTIME_CLASS(CKGPDockBar)))
                lastDockBar = current;
        }
        if (lastDockBar != nullptr)
            m_lstControlBars.InsertAfter(lastDockBar, pDockBar);
        else
            m_lstControlBars.AddHead(pDockBar);
        pDockBar->SetDockSite(m_pParentWnd);
    }
    return TRUE;
}

CKGPAutoHideToolBar* CKGPDockManager::AutoHideBar(CKGPDockingControlBar* pBar,
                                                  CKGPAutoHideToolBar* pCurrAutoHideToolBar)
{
    if (pBar == nullptr || m_pParentWnd == nullptr)
        return nullptr;
    const DWORD alignment = pBar->GetCurrentAlignment() & CBRS_ALIGN_ANY;
    auto* pDockBar = DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, FindDockBar(alignment, FALSE));
    if (pDockBar == nullptr)
        return nullptr;
    CKGPAutoHideToolBar* pToolBar = pCurrAutoHideToolBar;
    const BOOL bNew = pToolBar == nullptr;
    if (bNew) {
        // It deletes itself with its window (PostNcDestroy).
        pToolBar = AfxCreateSelfDeleting(new CKGPAutoHideToolBar, [&](CKGPAutoHideToolBar& bar) {
            return bar.Create(nullptr, WS_CHILD | WS_VISIBLE | alignment, CRect(0, 0, 0, 0), m_pParentWnd,
                              AFX_IDW_CONTROLBAR_FIRST + 0xE0, 0);
        });
        if (pToolBar == nullptr)
            return nullptr;
        pToolBar->EnableDocking(CBRS_ALIGN_ANY);
        pToolBar->SetCurrentAlignment(alignment);
    }
    if (pToolBar->AddAutoHideWindow(pBar, alignment) == nullptr) {
        if (bNew)
            pToolBar->DestroyWindow();
        return nullptr;
    }
    if (bNew) {
        pToolBar->ShowWindow(SW_SHOW);
        pDockBar->DockControlBar(pToolBar, KGP_DM_RECT);
    } else {
        pToolBar->UpdateInParentRow();
    }
    AdjustDockingLayout();
    if (CKGPSlider* pSlider = pBar->GetDefaultPaneSlider()) {
        if (m_lstAutoHideBars.Find(pSlider) == nullptr)
            m_lstAutoHideBars.AddTail(pSlider);
        AlignAutoHideBar(pSlider, TRUE);
        pBar->BringWindowToTop();
        pSlider->BringWindowToTop();
    }
    return pToolBar;
}

void CKGPDockManager::AlignAutoHideBar(CKGPSlider* pDefaultSlider, BOOL bSizeFromLayout)
{
    if (pDefaultSlider == nullptr || pDefaultSlider->GetSafeHwnd() == nullptr || m_pParentWnd == nullptr)
        return;
    CRect outer = m_rectOuterEdge;
    m_pParentWnd->ClientToScreen(outer);
    const DWORD alignment = pDefaultSlider->GetCurrentAlignment() & CBRS_ALIGN_ANY;
    const BOOL bHorz = alignment == CBRS_ALIGN_TOP || alignment == CBRS_ALIGN_BOTTOM;
    const BOOL bMirrored = (m_pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (!bSizeFromLayout) {
        AlignAutoHidePaneKeepingSizes(pDefaultSlider, outer, alignment, bMirrored);
        return;
    }
    // The slider's thickness is its own and its pane's; it stands against the
    // outer edge of the docked area, never wider than that area.
    const CSize size = pDefaultSlider->CalcFixedLayout(FALSE, bHorz);
    CRect rect = outer;
    switch (alignment) {
    case CBRS_ALIGN_LEFT:
    case CBRS_ALIGN_RIGHT: {
        const int width = (std::min)(static_cast<int>(size.cx), outer.Width());
        if ((alignment == CBRS_ALIGN_LEFT) != bMirrored)
            rect.right = rect.left + width;
        else
            rect.left = rect.right - width;
        break;
    }
    case CBRS_ALIGN_TOP:
        rect.bottom = rect.top + (std::min)(static_cast<int>(size.cy), outer.Height());
        break;
    default:
        rect.top = rect.bottom - (std::min)(static_cast<int>(size.cy), outer.Height());
        break;
    }
    pDefaultSlider->RepositionBars(rect, nullptr);
}

void CKGPDockManager::AlignAutoHidePaneKeepingSizes(CKGPSlider* pSlider, const CRect& outer, DWORD dwAlignment,
                                                   BOOL bMirrored)
{
    const CObList* pPanes = pSlider->GetControlBars();
    auto* pPane = pPanes != nullptr && !pPanes->IsEmpty() ? DYNAMIC_DOWNCAST(CKGPDockingControlBar, pPanes->GetHead())
                                                          : nullptr;
    if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr)
        return;
    namespace ah = kgp::autohide;
    auto boxOf = [](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return ah::Box{rect.left, rect.top, rect.right, rect.bottom};
    };
    const ah::PaneAndSlider placed =
        ah::AlignAtOuterEdge({boxOf(pSlider), boxOf(pPane)}, {outer.left, outer.top, outer.right, outer.bottom},
                             ah::EdgeOf(dwAlignment), bMirrored != FALSE);
    auto move = [](CWnd* pWnd, const ah::Box& box) {
        CRect rect(box.left, box.top, box.right, box.bottom);
        if (CWnd* pParent = pWnd->GetParent())
            pParent->ScreenToClient(rect);
        pWnd->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    move(pSlider, placed.slider);
    move(pPane, placed.pane);
    pPane->AdjustHostLayout();
}
