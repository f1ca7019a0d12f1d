// Two toolbars linked as siblings never share a dock row: when they meet in
// one, the bar their side flag names moves into a row of its own below it.
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/toolbars/KGPToolBar.h"

void CKGPToolBar::SetSiblingToolBar(CKGPToolBar* pSibling, BOOL bSiblingSide)
{
    if (m_pSibling != nullptr && m_pSibling->m_pSibling == this)
        m_pSibling->ForgetSibling();
    m_pSibling = pSibling;
    m_bSiblingLinked = pSibling != nullptr;
    m_bSiblingSide = bSiblingSide;
    if (pSibling != nullptr) {
        pSibling->m_pSibling = this;
        pSibling->m_bSiblingLinked = TRUE;
        pSibling->m_bSiblingSide = !bSiblingSide;
    }
}

void CKGPToolBar::ForgetSibling()
{
    m_pSibling = nullptr;
    m_bSiblingLinked = FALSE;
}

BOOL CKGPToolBar::SeparateFromSibling()
{
    CKGPDockBarRow* row = GetDockBarRow();
    if (!m_bSiblingLinked || m_pSibling == nullptr || row == nullptr || m_pSibling->GetDockBarRow() != row ||
        m_pParentDockBar == nullptr)
        return FALSE;
    CKGPToolBar* moving = m_bSiblingSide ? this : m_pSibling;
    CKGPDockBar* dockBar = m_pParentDockBar;
    POSITION next = dockBar->GetRows().Find(row);
    dockBar->GetRows().GetNext(next);

    CRect window;
    moving->GetWindowRect(window);
    const BOOL horz = dockBar->IsHorizontal();
    dockBar->RemoveControlBar(moving);
    CKGPDockBarRow* own = dockBar->AddRow(next, horz ? window.Height() : window.Width());
    if (own == nullptr)
        return FALSE;
    // Docked where the new row lies, at the same place along the bar.
    CRect rowRect;
    own->GetRowRect(rowRect);
    CRect target = window;
    if (horz)
        target.OffsetRect(0, rowRect.top - window.top);
    else
        target.OffsetRect(rowRect.left - window.left, 0);
    dockBar->DockControlBar(moving, KGP_DM_RECT, target);
    if (CFrameWnd* frame = GetDockSiteFrame())
        frame->RecalcLayout();
    return TRUE;
}
