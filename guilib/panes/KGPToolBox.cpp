#include "guilib/panes/KGPToolBox.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/panes/KGPOutlookWnd.h"

IMPLEMENT_DYNCREATE(CKGPToolBoxBar, CKGPOutlookBar)
IMPLEMENT_DYNCREATE(CKGPToolBox, CKGPDockingControlBar)

CKGPToolBox::~CKGPToolBox()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

namespace {

constexpr UINT kBarId = 1;
constexpr DWORD kBarWindowStyle = 0x50001000;  // a visible child along the left
constexpr DWORD kBarStyle = 0x1034;

}  // namespace

// ---- The bar.

BEGIN_MESSAGE_MAP(CKGPToolBoxBar, CKGPOutlookBar)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CKGPToolBox* CKGPToolBoxBar::GetToolBox() const
{
    return DYNAMIC_DOWNCAST(CKGPToolBox, GetParent());
}

void CKGPToolBoxBar::OnScroll(BOOL bDown)
{
    if (CKGPToolBox* pToolBox = GetToolBox())
        pToolBox->OnScroll(!bDown);
}

void CKGPToolBoxBar::OnActivatePage(int iPage)
{
    if (CKGPToolBox* pToolBox = GetToolBox())
        pToolBox->OnActivatePage(iPage);
}

void CKGPToolBoxBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CKGPToolBox* pToolBox = GetToolBox();
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    if (pToolBox != nullptr && client.PtInRect(point) &&
        pToolBox->OnShowToolContextMenu(point, pToolBox->GetActivePage(), -1))
        return;
    if (pToolBox != nullptr)
        pToolBox->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pToolBox->m_hWnd), MAKELPARAM(point.x, point.y));
    else
        CKGPOutlookBar::OnContextMenu(pWnd, point);
}

// ---- The toolbox.

BEGIN_MESSAGE_MAP(CKGPToolBox, CKGPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

int CKGPToolBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndOutlook.Create(_T(""), this, CRect(0, 0, 0, 0), kBarId, kBarWindowStyle, 0))
        return -1;
    // The bar lives inside this pane: the frame's docking layout does not place it.
    m_wndOutlook.RemoveFromDockManager(FALSE, FALSE);
    m_wndOutlook.SetBarStyleWord(kBarStyle);
    m_wndOutlook.SetMode2003(FALSE);
    return 0;
}

void CKGPToolBox::OnSize(UINT nType, int cx, int cy)
{
    CKGPDockingControlBar::OnSize(nType, cx, cy);
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKGPToolBox::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndOutlook.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    m_wndOutlook.SetWindowPos(HWND{}, 0, 0, client.Width(), client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int active = GetActivePage();
    if (active >= 0)
        OnActivatePage(active);
}

CKGPToolBoxPage* CKGPToolBox::AddToolsPage(LPCTSTR lpszTitle, HBITMAP hImages, CSize sizeImage,
                                           const CStringArray& labels, int nMode, CRuntimeClass* pPageClass)
{
    CKGPOutlookWnd* pOutlook = m_wndOutlook.GetSafeHwnd() != nullptr ? m_wndOutlook.GetOutlookWnd() : nullptr;
    CKGPToolBoxPage* pPage = m_pages.Make(pPageClass, this, pOutlook, hImages, sizeImage, labels, nMode);
    if (pPage == nullptr)
        return nullptr;
    pPage->m_pToolBox = this;
    pPage->SetWindowText(lpszTitle);
    pOutlook->AddTab(pPage, lpszTitle, static_cast<UINT>(-1), FALSE);
    AdjustLayout();
    return pPage;
}

int CKGPToolBox::GetActivePage() const
{
    CKGPOutlookWnd* pOutlook =
        m_wndOutlook.GetSafeHwnd() != nullptr ? const_cast<CKGPToolBoxBar&>(m_wndOutlook).GetOutlookWnd() : nullptr;
    if (pOutlook == nullptr)
        return -1;
    auto* pPage = DYNAMIC_DOWNCAST(CKGPToolBoxPage, pOutlook->GetActiveWnd());
    return pPage != nullptr ? FindPageIndex(pPage) : -1;
}

void CKGPToolBox::UpdateScrollButtons(const CKGPToolBoxPage* pPage)
{
    CKGPOutlookWnd* pOutlook = m_wndOutlook.GetSafeHwnd() != nullptr ? m_wndOutlook.GetOutlookWnd() : nullptr;
    if (pOutlook == nullptr || pPage == nullptr)
        return;
    pOutlook->ShowScrollButtons(TRUE, pPage->GetFirstVisibleRow() > 0, pPage->GetRowsBelow() > 0);
}

void CKGPToolBox::OnActivatePage(int nPage)
{
    UpdateScrollButtons(GetPage(nPage));
}

void CKGPToolBox::OnPageLaidOut(CKGPToolBoxPage* pPage)
{
    if (FindPageIndex(pPage) == GetActivePage())
        UpdateScrollButtons(pPage);
}

void CKGPToolBox::OnScroll(BOOL bUp)
{
    CKGPToolBoxPage* pPage = GetPage(GetActivePage());
    if (pPage == nullptr)
        return;
    // Never above the first row, never down while nothing is below.
    if (bUp && pPage->GetFirstVisibleRow() == 0)
        return;
    if (!bUp && pPage->GetRowsBelow() <= 0)
        return;
    pPage->SetFirstVisibleRow(pPage->GetFirstVisibleRow() + (bUp ? -1 : 1));
    pPage->ReposButtons();
    UpdateScrollButtons(pPage);
}

void CKGPToolBox::OnClickTool(int, int)
{
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CKGPToolBox::OnShowToolContextMenu(CPoint, int, int)
{
    return FALSE;
}

BOOL CKGPToolBox::CanAcceptBar(const CKGPBaseControlBar* pBar) const
{
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CKGPDockingControlBar)))
        return FALSE;
    return CKGPDockingControlBar::CanAcceptBar(pBar);
}
