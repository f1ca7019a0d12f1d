// Print preview: the frame's switch, the preview view and the bar above it.
#include <afxwin.h>
#include <afxpreview.h>

#include <memory>

namespace {

// Where the print view waits while the preview holds its pane id.
constexpr UINT kIdPaneSaved = 0xEA21;
constexpr UINT kMaxRecordedBars = 32;

} // namespace

// ---- The frame's switch.

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState == nullptr)
        return;
    if (bPreview) {
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        pState->dwStates = 0;
        for (size_t i = 0; i < m_listControlBars.size() && i < kMaxRecordedBars; ++i) {
            CWnd* pBar = reinterpret_cast<CWnd*>(m_listControlBars[i]);
            if (pBar->GetSafeHwnd() != nullptr && pBar->IsWindowVisible()) {
                pState->dwStates |= 1u << i;
                pBar->ShowWindow(SW_HIDE);
            }
        }
    } else {
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, pState->hMenu);
        for (size_t i = 0; i < m_listControlBars.size() && i < kMaxRecordedBars; ++i) {
            CWnd* pBar = reinterpret_cast<CWnd*>(m_listControlBars[i]);
            if ((pState->dwStates & (1u << i)) != 0 && pBar->GetSafeHwnd() != nullptr)
                pBar->ShowWindow(SW_SHOWNA);
        }
    }
    RecalcLayout();
}

// ---- The bar above the preview.

IMPLEMENT_DYNAMIC(CPreviewBar, CWnd)

BEGIN_MESSAGE_MAP(CPreviewBar, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CPreviewBar::Create(CWnd* pFrame)
{
    CRect client;
    pFrame->GetClientRect(client);
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr), nullptr,
                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, client.Width(), 0),
                    pFrame, AFX_IDW_PREVIEW_BAR);
}

BOOL CPreviewBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    ::FillRect(pDC->m_hDC, client, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// ---- The preview view.

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_CREATE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnUpdateNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, &CPreviewView::OnUpdatePrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() : m_strPageDescription(_T("Page %u\nPages %u-%u")) {}

CPreviewView::~CPreviewView() = default;

int CPreviewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return -1;
    auto bar = std::make_unique<CPreviewBar>();
    if (!bar->Create(pFrame))
        return -1; // the bar deleted itself
    m_pToolBar = bar.release();
    return 0;
}

void CPreviewView::SetPagesShown(UINT nPages)
{
    m_nPages = nPages >= 2 ? 2 : 1;
    Invalidate();
    OnDisplayPageNumber(m_nCurrentPage, m_nPages);
}

void CPreviewView::SetCurrentPage(UINT nPage)
{
    if (nPage < 1)
        nPage = 1;
    if (nPage > m_nMaxPages)
        nPage = m_nMaxPages;
    m_nCurrentPage = nPage;
    Invalidate();
    OnDisplayPageNumber(m_nCurrentPage, m_nPages);
}

CString CPreviewView::FormatPageNumber(UINT nPage, UINT nPagesDisplayed) const
{
    const int split = m_strPageDescription.Find(_T('\n'));
    const CString format = split < 0 ? m_strPageDescription
                                     : (nPagesDisplayed == 1 ? m_strPageDescription.Left(split)
                                                             : m_strPageDescription.Mid(split + 1));
    CString text;
    if (nPagesDisplayed == 1)
        text.Format(format, nPage);
    else
        text.Format(format, nPage, nPage + nPagesDisplayed - 1);
    return text;
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetMessageText(FormatPageNumber(nPage, nPagesDisplayed));
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    // Blank sheets side by side, as tall as the view allows at a page's proportions.
    const int margin = 12;
    const int height = client.Height() - 2 * margin;
    const int width = height * 17 / 22;
    if (height <= 0 || width <= 0)
        return;
    int left = client.CenterPoint().x - (static_cast<int>(m_nPages) * width + (m_nPages - 1) * margin) / 2;
    for (UINT i = 0; i < m_nPages; ++i, left += width + margin) {
        RECT sheet{left, margin, left + width, margin + height};
        ::FillRect(pDC->m_hDC, &sheet, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::FrameRect(pDC->m_hDC, &sheet, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    ::FillRect(pDC->m_hDC, client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    return TRUE;
}

void CPreviewView::OnNumPageChange()
{
    SetPagesShown(m_nPages == 1 ? 2 : 1);
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMaxPages > 1 || m_nPages == 2);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage + m_nPages - 1 < m_nMaxPages);
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage > 1);
}

void CPreviewView::OnPreviewClose()
{
    ClosePreview();
}

void CPreviewView::ClosePreview()
{
    CFrameWnd* pFrame = GetParentFrame();
    CView* pPrintView = m_pPrintView;
    CPrintPreviewState* pState = m_pPreviewState;
    if (pFrame == nullptr || pState == nullptr)
        return;
    m_pPreviewState = nullptr;
    SetDlgCtrlID(kIdPaneSaved + 1);
    if (pPrintView != nullptr && ::IsWindow(pPrintView->m_hWnd)) {
        pPrintView->SetDlgCtrlID(static_cast<int>(pState->nIDMainPane));
        pPrintView->ShowWindow(SW_SHOW);
        pFrame->SetActiveView(pPrintView);
    }
    CPreviewBar* pBar = m_pToolBar;
    m_pToolBar = nullptr;
    // The view goes before the frame leaves preview mode: its bar's buttons
    // leave the frame's bars first.
    DestroyWindow(); // deletes the view
    if (pBar != nullptr && ::IsWindow(pBar->m_hWnd))
        pBar->DestroyWindow(); // deletes the bar
    pFrame->OnSetPreviewMode(FALSE, pState);
    if (pState->hWndFocus != nullptr && ::IsWindow(pState->hWndFocus))
        ::SetFocus(pState->hWndFocus);
}

BOOL AfxBeginPrintPreview(CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState)
{
    CFrameWnd* pFrame = pPrintView != nullptr ? pPrintView->GetParentFrame() : nullptr;
    if (pFrame == nullptr || pState == nullptr || pPreviewViewClass == nullptr ||
        !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)))
        return FALSE;
    auto* pView = static_cast<CPreviewView*>(pPreviewViewClass->CreateObject());
    if (pView == nullptr)
        return FALSE;
    pState->nIDMainPane = static_cast<UINT>(pPrintView->GetDlgCtrlID());
    pState->hWndFocus = ::GetFocus();
    pFrame->OnSetPreviewMode(TRUE, pState);
    pPrintView->SetDlgCtrlID(kIdPaneSaved);
    pPrintView->ShowWindow(SW_HIDE);
    pView->m_pPrintView = pPrintView;
    pView->m_pPreviewState = pState;
    CRect client;
    pFrame->GetClientRect(client);
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, pFrame, AFX_IDW_PANE_FIRST, nullptr)) {
        // (The view deleted itself.)
        pPrintView->SetDlgCtrlID(static_cast<int>(pState->nIDMainPane));
        pPrintView->ShowWindow(SW_SHOW);
        pFrame->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pFrame->SetActiveView(pView);
    pFrame->RecalcLayout();
    pView->OnDisplayPageNumber(pView->m_nCurrentPage, pView->m_nPages);
    return TRUE;
}
