#include "guilib/controls/KGPDialog.h"

IMPLEMENT_DYNAMIC(CKGPDialog, CDialog)

BEGIN_MESSAGE_MAP(CKGPDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

BOOL CKGPDialog::PreTranslateMessage(MSG* pMsg)
{
    return m_Impl.PreTranslateMessage(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

BOOL CKGPDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return m_Impl.OnCommand(wParam, lParam) || CDialog::OnCommand(wParam, lParam);
}

void CKGPDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Impl.OnActivate(nState, pWndOther);
    CDialog::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKGPDialog::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    return CDialog::OnNcActivate(bActive);
}
