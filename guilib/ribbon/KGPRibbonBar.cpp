#include "guilib/ribbon/KGPRibbonBar.h"

IMPLEMENT_DYNAMIC(CKGPRibbonBar, CWnd)

BOOL CKGPRibbonBar::Create(CWnd* pParentWnd, BOOL bShowTabs, UINT nID)
{
    m_bShowTabs = bShowTabs;
    const LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                    ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CWnd::Create(windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

void CKGPRibbonBar::RecalcLayout()
{
    CWnd* parent = GetParent();
    if (GetSafeHwnd() == nullptr || parent == nullptr)
        return;
    CRect client;
    parent->GetClientRect(client);
    // An empty ribbon is only its row of tabs, or nothing.
    const int height = m_bShowTabs ? ::GetSystemMetrics(SM_CYMENU) + 4 : 0;
    MoveWindow(0, 0, client.Width(), height);
}

BOOL CKGPRibbonBar::DrawMenuImage(CDC* /*pDC*/, const CKGPToolbarMenuButton* /*pMenuItem*/,
                                  const CRect& /*rectImage*/)
{
    return FALSE;
}
