#include "guilib/frames/KGPFrameWnd.h"

#include "guilib/frames/KGPFrameLinks.h"

IMPLEMENT_DYNCREATE(CKGPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKGPFrameWnd, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CKGPFrameWnd::CKGPFrameWnd()
{
    KGPRegisterFrameLinks();
}

int CKGPFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    m_dockManager.Create(this);
    return CFrameWnd::OnCreate(lpCreateStruct);
}

BOOL CKGPFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_dockManager.OnBarsMenuCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKGPFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    m_dockManager.AdjustDockingLayout();
    CRect inner;
    m_dockManager.GetInnerDockRect(inner);
    if (m_dockManager.GetControlBars().IsEmpty())
        GetClientRect(inner);
    if (CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST))
        pView->SetWindowPos(HWND{}, inner.left, inner.top, inner.Width(), inner.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
    if (bNotify && m_pNotifyHook != nullptr)
        m_pNotifyHook->OnRecalcLayout();
    m_bInRecalcLayout = FALSE;
}
