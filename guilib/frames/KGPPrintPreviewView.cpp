#include "guilib/frames/KGPPrintPreviewView.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPStatusBar.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/ribbon/KGPBaseRibbonElement.h"
#include "guilib/ribbon/KGPRibbonBar.h"
#include "guilib/ribbon/KGPRibbonCategory.h"

// ---- The toolbar.

IMPLEMENT_DYNAMIC(CKGPPrintPreviewToolBar, CKGPToolBar)

BEGIN_MESSAGE_MAP(CKGPPrintPreviewToolBar, CKGPToolBar)
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

INT_PTR CKGPPrintPreviewToolBar::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const
{
    CKGPLocalResource libraryResources;
    return CKGPToolBar::OnToolHitTest(point, pTI);
}

void CKGPPrintPreviewToolBar::OnContextMenu(CWnd*, CPoint)
{
    // No bars menu over the preview's own bar.
}

CKGPPrintPreviewToolBar::~CKGPPrintPreviewToolBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CKGPPrintPreviewToolBar::OnDestroy()
{
    // The bar leaves the frame's dock manager, which does not own it (found
    // by the frame's window: the frame may have gone first, its manager and
    // its record with it).
    if (CKGPDockManager* pManager = CKGPDockManager::FromSite(m_hwndDockFrame))
        pManager->RemoveControlBar(this, FALSE);
    m_hwndDockFrame = nullptr;
    CKGPToolBar::OnDestroy();
}

// ---- The view.

CKGPPrintPreviewView* CKGPPrintPreviewView::s_pActivePrintPreview = nullptr;

IMPLEMENT_DYNCREATE(CKGPPrintPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CKGPPrintPreviewView, CPreviewView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CKGPPrintPreviewView::OnUpdatePreviewNumPage)
END_MESSAGE_MAP()

CKGPPrintPreviewView::CKGPPrintPreviewView() = default;

CKGPPrintPreviewView::~CKGPPrintPreviewView()
{
    if (m_pWndStatusBar != nullptr && ::IsWindow(m_pWndStatusBar->GetSafeHwnd()))
        m_pWndStatusBar->SetPaneText(CKGPStatusBar::kPreviewPane, _T(""));
    if (m_pWndRibbonBar != nullptr)
        m_pWndRibbonBar->SetPrintPreviewMode(FALSE);
    if (s_pActivePrintPreview == this)
        s_pActivePrintPreview = nullptr;
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.DestroyWindow();
}

CFrameWnd* CKGPPrintPreviewView::GetPreviewFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    // In an MDI child the bars belong to the main frame.
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKGPMDIChildWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

int CKGPPrintPreviewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CPreviewView::OnCreate(lpcs) == -1)
        return -1;
    s_pActivePrintPreview = this;
    m_strPageDescription = KGPLoadLibraryString(IDS_KGP_PREVIEW_PAGES, m_strPageDescription);
    CFrameWnd* pFrame = GetPreviewFrame();
    if (pFrame == nullptr)
        return 0;
    if (auto* pRibbon = DYNAMIC_DOWNCAST(CKGPRibbonBar, pFrame->GetDlgItem(CKGPRibbonBar::kDefaultId))) {
        m_pWndRibbonBar = pRibbon;
        m_pWndRibbonBar->SetPrintPreviewMode(TRUE);
    } else if (!CreateToolBar(pFrame)) {
        return 0; // the preview opens without its toolbar
    }
    if (auto* pStatusBar = DYNAMIC_DOWNCAST(CKGPStatusBar, pFrame->GetDlgItem(AFX_IDW_STATUS_BAR))) {
        m_pWndStatusBar = pStatusBar;
        m_pWndStatusBar->SetPaneText(CKGPStatusBar::kPreviewPane, _T(""));
    }
    return 0;
}

BOOL CKGPPrintPreviewView::CreateToolBar(CFrameWnd* pFrame)
{
    if (m_pToolBar == nullptr)
        return FALSE;
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;
    {
        CKGPLocalResource libraryResources;
        if (!m_wndToolBar.Create(m_pToolBar, kStyle, AFX_IDW_TOOLBAR) ||
            !m_wndToolBar.LoadToolBar(IDR_KGP_PRINT_PREVIEW, 0, 0, TRUE, 0, 0,
                                      GetKGPGlobalData().IsFullColorUiAvailable() ? IDB_KGP_PRINT_PREVIEW32 : 0)) {
            if (m_wndToolBar.GetSafeHwnd() != nullptr)
                m_wndToolBar.DestroyWindow();
            return FALSE;
        }
    }
    m_wndToolBar.SetOwner(this);

    m_iPagesBtnIndex = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    if (CKGPToolbarButton* pPages = m_wndToolBar.GetButton(m_iPagesBtnIndex))
        m_iOnePageImageIndex = pPages->GetImage();
    const int iTwoPages = m_wndToolBar.CommandToIndex(ID_KGP_PREVIEW_TWO_PAGES);
    if (CKGPToolbarButton* pTwoPages = m_wndToolBar.GetButton(iTwoPages)) {
        m_iTwoPageImageIndex = pTwoPages->GetImage();
        m_wndToolBar.RemoveButton(iTwoPages);
        m_iPagesBtnIndex = m_wndToolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    }

    // Print shows its text beside its image, close its text alone.
    auto showText = [this](UINT nCommand, UINT nTextId, BOOL bImage) {
        CKGPToolbarButton* pButton = m_wndToolBar.GetButton(m_wndToolBar.CommandToIndex(nCommand));
        if (pButton == nullptr)
            return;
        CKGPLocalResource libraryResources;
        pButton->m_strCaption.LoadString(nTextId);
        pButton->m_bShowCaption = TRUE;
        pButton->m_bShowImage = bImage;
    };
    showText(AFX_ID_PREVIEW_PRINT, IDS_KGP_PREVIEW_PRINT, TRUE);
    showText(AFX_ID_PREVIEW_CLOSE, IDS_KGP_PREVIEW_CLOSE, FALSE);
    m_wndToolBar.AdjustLayout();

    // The layer's preview switch makes the view for a frame window: its dock
    // manager (none for a frame that docks nothing) is that window's.
    CKGPDockManager* pManager = pFrame != nullptr ? CKGPDockManager::FromSite(pFrame->m_hWnd) : nullptr;
    if (pManager != nullptr) {
        pManager->AddControlBar(&m_wndToolBar);
        m_wndToolBar.m_hwndDockFrame = pFrame->GetSafeHwnd();
    }
    SetToolbarSize();
    return TRUE;
}

void CKGPPrintPreviewView::SetToolbarSize()
{
    if (m_wndToolBar.GetSafeHwnd() == nullptr || m_pToolBar == nullptr)
        return;
    CWnd* pParent = m_pToolBar->GetParent();
    if (pParent == nullptr)
        return;
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    CRect client;
    pParent->GetClientRect(client);
    CRect bar;
    m_pToolBar->GetWindowRect(bar);
    pParent->ScreenToClient(bar);
    m_pToolBar->SetWindowPos(HWND{}, bar.left, bar.top, client.Width(), size.cy,
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_wndToolBar.SetWindowPos(HWND{}, 0, 0, client.Width(), size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pToolBar->m_sizeDefault.cy = size.cy;
    if (size != m_recentToolbarSize) {
        m_recentToolbarSize = size;
        if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->RecalcLayout();
            pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
}

void CKGPPrintPreviewView::PlacePreviewBar(CWnd* pFrame, CRect& rect)
{
    auto* pBar = DYNAMIC_DOWNCAST(CPreviewBar, pFrame->GetDlgItem(AFX_IDW_PREVIEW_BAR));
    if (pBar == nullptr || !pBar->IsWindowVisible())
        return;
    const int height = pBar->m_sizeDefault.cy;
    pBar->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* pToolBar = pBar->GetDlgItem(AFX_IDW_TOOLBAR))
        pToolBar->SetWindowPos(HWND{}, 0, 0, rect.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
    rect.top += height;
}

CKGPPrintPreviewView* CKGPPrintPreviewView::ActivePreviewOf(CFrameWnd* pFrame)
{
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    return pView != nullptr && pView->GetSafeHwnd() != nullptr ? DYNAMIC_DOWNCAST(CKGPPrintPreviewView, pView)
                                                                : nullptr;
}

void CKGPPrintPreviewView::FillRect(CRect rect)
{
    if (CWnd* pFrame = GetParent())
        PlacePreviewBar(pFrame, rect);
    SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPPrintPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CPreviewView::OnSize(nType, cx, cy);
    SetToolbarSize();
}

BOOL CKGPPrintPreviewView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    if (CKGPVisualManager::GetInstance()->EraseMDIClientArea(pDC, client))
        return TRUE;
    return CPreviewView::OnEraseBkgnd(pDC);
}

void CKGPPrintPreviewView::OnUpdatePreviewNumPage(CCmdUI* pCmdUI)
{
    CPreviewView::OnUpdateNumPageChange(pCmdUI);
    const UINT nPages = GetPagesShown();
    if (m_pWndRibbonBar != nullptr) {
        CKGPBaseRibbonElement* pButton =
            m_pWndRibbonBar->GetActiveCategory()->FindElementByID(AFX_ID_PREVIEW_NUMPAGE, FALSE);
        if (pButton != nullptr) {
            pButton->SetImageIndex(nPages == 1 ? kRibbonOnePageImage : kRibbonTwoPagesImage);
            pButton->Redraw();
        }
        return;
    }
    CKGPToolbarButton* pButton = m_wndToolBar.GetSafeHwnd() != nullptr ? m_wndToolBar.GetButton(m_iPagesBtnIndex) : nullptr;
    if (pButton == nullptr)
        return;
    // The button shows the mode a click switches to.
    const int iImage = nPages == 1 ? m_iTwoPageImageIndex : m_iOnePageImageIndex;
    if (pButton->GetImage() != iImage) {
        pButton->SetImage(iImage);
        m_wndToolBar.InvalidateButton(m_iPagesBtnIndex);
    }
}

void CKGPPrintPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    const CString text = FormatPageNumber(nPage, nPagesDisplayed);
    if (m_pWndStatusBar != nullptr && ::IsWindow(m_pWndStatusBar->GetSafeHwnd())) {
        m_pWndStatusBar->SetPaneText(CKGPStatusBar::kPreviewPane, text);
        return;
    }
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}
