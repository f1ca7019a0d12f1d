#include "guilib/panes/KGPToolBoxEx.h"

IMPLEMENT_DYNCREATE(CKGPToolBoxEx, CKGPTasksPane)

BEGIN_MESSAGE_MAP(CKGPToolBoxEx, CKGPTasksPane)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKGPToolBoxEx::~CKGPToolBoxEx()
{
    for (INT_PTR i = 0; i < m_arPages.GetSize(); ++i)
        delete m_arPages[i];
}

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
    if (GetSafeHwnd() == nullptr || pPageClass == nullptr || !pPageClass->IsDerivedFrom(RUNTIME_CLASS(CKGPToolBoxPage)))
        return nullptr;
    auto* pPage = static_cast<CKGPToolBoxPage*>(pPageClass->CreateObject());
    if (pPage == nullptr)
        return nullptr;
    pPage->m_pToolBoxEx = this;
    pPage->m_pOwner = this;
    if (!pPage->SetImages(hImages, sizeImage) ||
        !pPage->CreatePage(this, static_cast<UINT>(AFX_IDW_PANE_FIRST + m_arPages.GetSize()), nMode)) {
        if (pPage->GetSafeHwnd() != nullptr)
            pPage->DestroyWindow();
        delete pPage;
        return nullptr;
    }
    for (INT_PTR i = 0; i < labels.GetSize(); ++i)
        pPage->AddTool(labels[i]);
    m_arPages.Add(pPage);
    const int nGroup = AddGroup(lpszTitle);
    AddWindow(nGroup, pPage->GetSafeHwnd(), pPage->GetRequiredHeight(m_rectTasks.Width()));
    AdjustLayout();
    return pPage;
}

int CKGPToolBoxEx::GetPageCount() const
{
    return static_cast<int>(m_arPages.GetSize());
}

CKGPToolBoxPage* CKGPToolBoxEx::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < m_arPages.GetSize() ? m_arPages[nPage] : nullptr;
}

int CKGPToolBoxEx::FindPageIndex(CKGPToolBoxPage* pPage) const
{
    for (INT_PTR i = 0; i < m_arPages.GetSize(); ++i)
        if (m_arPages[i] == pPage)
            return static_cast<int>(i);
    return -1;
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
    for (INT_PTR i = 0; i < m_arPages.GetSize(); ++i) {
        if (i == nPage)
            continue;
        m_arPages[i]->SelectTool(-1);
        m_arPages[i]->SetHighlighted(-1);
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
