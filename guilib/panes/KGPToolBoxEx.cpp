#include "guilib/panes/KGPToolBoxEx.h"

IMPLEMENT_DYNCREATE(CKGPToolBoxEx, CKGPTasksPane)

CKGPToolBoxEx::~CKGPToolBoxEx()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BEGIN_MESSAGE_MAP(CKGPToolBoxEx, CKGPTasksPane)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CKGPToolBoxEx::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CKGPTasksPane::OnCreate(lpCreateStruct);
}

void CKGPToolBoxEx::OnSize(UINT nType, int cx, int cy)
{
    CKGPTasksPane::OnSize(nType, cx, cy);
    AdjustLayout();
}

CKGPToolBoxPage* CKGPToolBoxEx::AddToolsPage(LPCTSTR lpszTitle, HBITMAP hImages, CSize sizeImage,
                                             const CStringArray& labels, int nMode, CRuntimeClass* pPageClass)
{
    CKGPToolBoxPage* pPage = m_pages.Make(pPageClass, this, this, hImages, sizeImage, labels, nMode);
    if (pPage == nullptr)
        return nullptr;
    pPage->m_pToolBoxEx = this;
    AddWindow(AddGroup(lpszTitle), pPage->GetSafeHwnd(), pPage->GetRequiredHeight(m_rectTasks.Width()));
    AdjustLayout();
    return pPage;
}

void CKGPToolBoxEx::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_bAdjusting)
        return;
    m_bAdjusting = TRUE;
    // The groups' width, as the layout gives it: the tasks area less the margins.
    const kgp::tasks::Metrics metrics = GetMetrics();
    const int width = m_rectTasks.Width() - 2 * (metrics[kgp::tasks::kHorizontalMargin] + metrics[kgp::tasks::kTasksHorzOffset]);
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
        if (pGroup->m_lstTasks.IsEmpty())
            continue;
        CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetHead();
        auto* pPage = DYNAMIC_DOWNCAST(CKGPToolBoxPage, CWnd::FromHandlePermanent(pTask->m_hwndTask));
        if (pPage != nullptr)
            pTask->m_nWindowHeight = pPage->GetRequiredHeight(width);
    }
    RecalcTasksLayout(TRUE);
    m_bAdjusting = FALSE;
}

void CKGPToolBoxEx::OnClickTool(int nPage, int nTool)
{
    static_cast<void>(nTool);
    for (int i = 0; i < m_pages.GetCount(); ++i) {
        if (i == nPage)
            continue;
        m_pages.Get(i)->SelectTool(-1);
        m_pages.Get(i)->SetHighlighted(-1);
    }
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKGPToolBoxEx::OnPageScroll(CKGPToolBoxPage* pPage, int nOffset)
{
    if (pPage != nullptr)
        pPage->ScrollToPixel(nOffset);
}
