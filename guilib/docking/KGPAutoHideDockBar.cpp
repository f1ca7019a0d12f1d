#include "guilib/docking/KGPAutoHideDockBar.h"

#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockBarRow.h"

#include <vector>

IMPLEMENT_DYNCREATE(CKGPAutoHideDockBar, CKGPDockBar)

int CKGPAutoHideDockBar::m_nExtraSpace = 2;

BEGIN_MESSAGE_MAP(CKGPAutoHideDockBar, CKGPDockBar)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKGPAutoHideDockBar::~CKGPAutoHideDockBar() = default;

BOOL CKGPAutoHideDockBar::CanAcceptBar(const CKGPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKGPAutoHideToolBar));
}

void CKGPAutoHideDockBar::DockControlBar(CKGPControlBar* pBar, KGPDockMethod, LPCRECT)
{
    if (pBar == nullptr || !CanAcceptBar(pBar) || m_lstControlBars.Find(pBar) != nullptr)
        return;
    // A child of the strip from now on, with no borders of a toolbar.
    pBar->PrepareToDock(this, KGP_DM_RECT);
    pBar->SetBarStyleWord(pBar->GetBarStyleWord() & ~CBRS_BORDER_ANY);
    pBar->SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const BOOL bHorz = IsHorizontal();
    const CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
    const int height = m_nExtraSpace + (bHorz ? size.cy : size.cx);
    CKGPDockBarRow* pRow = nullptr;
    if (m_lstDockBarRows.IsEmpty()) {
        pRow = AddRow(nullptr, height);
        if (pRow == nullptr)
            return;
        pRow->m_nExtraHeight = m_nExtraSpace;
        const DWORD edge = GetCurrentAlignment() & CBRS_ALIGN_ANY;
        pRow->m_nFirstRowMark = edge == CBRS_ALIGN_RIGHT || edge == CBRS_ALIGN_BOTTOM ? 1 : 0;
    } else {
        pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetHead());
    }
    pRow->AddControlBarAt(pBar, KGP_DM_RECT, nullptr, TRUE);
    pBar->ShowWindow(SW_SHOW);
    m_lstControlBars.AddTail(pBar);
    RecalcParentLayout();
    CRect client;
    GetClientRect(client);
    OnResizeDockBar(client);
}

void CKGPAutoHideDockBar::OnResizeDockBar(const CRect&)
{
    if (m_lstDockBarRows.IsEmpty())
        return;
    auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetHead());
    pRow->PlaceBarsInSequence(m_nOffsetLeft + s_nAutoHideStartOffset, s_nAutoHideGap);
    if (CKGPVisualManager::GetInstance()->UsesAutoHideButtonStyle())
        pRow->RedrawBars();
}

void CKGPAutoHideDockBar::UnpinGroup(CKGPAutoHideToolBar* pToolbar)
{
    // The group's toolbars, taken before any of them goes.
    std::vector<CKGPAutoHideToolBar*> toolbars;
    if (CKGPDockBarRow* pRow = pToolbar->GetDockBarRow()) {
        CObList group;
        pRow->CollectFollowingBars(pToolbar, group);
        for (POSITION pos = group.GetHeadPosition(); pos != nullptr;) {
            if (auto* pBar = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, group.GetNext(pos)))
                toolbars.push_back(pBar);
        }
    }
    if (toolbars.empty()) {
        pToolbar->UnSetAutoHideMode(nullptr);
        return;
    }
    CKGPDockingControlBar* pFirst = toolbars.front()->GetFirstAttachedPane();
    toolbars.front()->UnSetAutoHideMode(nullptr);
    for (size_t i = 1; i < toolbars.size(); ++i)
        toolbars[i]->UnSetAutoHideMode(pFirst);
}

void CKGPAutoHideDockBar::UnSetAutoHideMode(CKGPAutoHideToolBar* pAutoHideToolbar)
{
    if (pAutoHideToolbar != nullptr) {
        UnpinGroup(pAutoHideToolbar);
        return;
    }
    std::vector<HWND> starts;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, m_lstControlBars.GetNext(pos));
        if (pBar != nullptr && pBar->m_bGroupStart)
            starts.push_back(pBar->GetSafeHwnd());
    }
    // A group's toolbars may go while others are unpinned: each is found again.
    for (HWND hStart : starts) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, CWnd::FromHandlePermanent(hStart)))
            UnpinGroup(pBar);
    }
}

void CKGPAutoHideDockBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    CKGPVisualManager::GetInstance()->FillBarBackground(&dc, this, client, client);
}
