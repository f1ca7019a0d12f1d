#include "guilib/panes/KGPToolBoxPage.h"

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPDrawManager.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/panes/KGPToolBoxOwner.h"

#include <memory>

IMPLEMENT_DYNCREATE(CKGPToolBoxButton, CObject)
IMPLEMENT_DYNCREATE(CKGPToolBoxPage, CKGPControlBar)

namespace {

constexpr int kTextGap = 4;

kgp::toolbox::Box ToBox(const CRect& rect)
{
    return kgp::toolbox::Box{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

// ---- A tool.

void CKGPToolBoxButton::OnDraw(CDC* pDC)
{
    if (m_pPage == nullptr || m_Rect.IsRectEmpty())
        return;
    const CKGPGlobalData& data = GetKGPGlobalData();
    CRect rect = m_Rect;
    rect.DeflateRect(1, 1);
    if (m_bIsChecked || m_bIsHighlighted) {
        CKGPDrawManager draw(*pDC);
        draw.HighlightRect(rect, m_bIsChecked ? 70 : 85);
        pDC->Draw3dRect(rect, m_bIsChecked ? data.clrBtnShadow : data.clrBtnHilite,
                        m_bIsChecked ? data.clrBtnHilite : data.clrBtnShadow);
    }
    const CSize image = m_pPage->GetImageSize();
    const int x = m_pPage->GetMode() == kgp::toolbox::kGridMode ? rect.left + (rect.Width() - image.cx) / 2
                                                                 : rect.left + kTextGap;
    m_pPage->DrawToolImage(pDC, CPoint(x, rect.top + (rect.Height() - image.cy) / 2), m_iImageIndex);
    if (m_pPage->GetMode() == kgp::toolbox::kListMode) {
        CRect text = rect;
        text.left = x + image.cx + kTextGap;
        pDC->SetTextColor(data.clrBtnText);
        pDC->DrawText(m_strText, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

// ---- The page.

BEGIN_MESSAGE_MAP(CKGPToolBoxPage, CKGPControlBar)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_MOUSELEAVE, &CKGPToolBoxPage::OnMouseLeave)
    ON_REGISTERED_MESSAGE(KGM_UPDATETOOLTIPS, &CKGPToolBoxPage::OnUpdateToolTips)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CKGPToolBoxPage::OnNeedTipText)
END_MESSAGE_MAP()

CKGPToolBoxPage::CKGPToolBoxPage() = default;

// Its own WM_DESTROY deletes its tooltip.
CKGPToolBoxPage::~CKGPToolBoxPage()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CKGPToolBoxPage::CreatePage(CWnd* pParent, UINT nID, int nMode)
{
    m_nMode = nMode;
    if (!Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    SetBarStyleWord(GetBarStyleWord() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    RebuildToolTips();
    return TRUE;
}

BOOL CKGPToolBoxPage::SetImages(HBITMAP hBitmap, CSize sizeImage)
{
    m_Images.SetImageSize(sizeImage);
    m_sizeImage = sizeImage;
    return hBitmap == nullptr || m_Images.AddImage(hBitmap) >= 0;
}

int CKGPToolBoxPage::AddTool(LPCTSTR lpszText, CRuntimeClass* pButtonClass)
{
    if (pButtonClass == nullptr || !pButtonClass->IsDerivedFrom(RUNTIME_CLASS(CKGPToolBoxButton)))
        return -1;
    std::unique_ptr<CKGPToolBoxButton> pButton(static_cast<CKGPToolBoxButton*>(pButtonClass->CreateObject()));
    if (pButton == nullptr)
        return -1;
    pButton->m_strText = lpszText;
    pButton->m_pPage = this;
    pButton->m_iImageIndex = GetToolCount();
    pButton->m_nID = static_cast<UINT>(GetToolCount() + 1);
    m_arButtons.push_back(std::move(pButton));
    RebuildToolTips();
    return GetToolCount() - 1;
}

CKGPToolBoxButton* CKGPToolBoxPage::GetTool(int nTool) const
{
    return nTool >= 0 && nTool < GetToolCount() ? m_arButtons[nTool].get() : nullptr;
}

CKGPToolBoxButton* CKGPToolBoxPage::FindToolById(UINT nID) const
{
    for (const std::unique_ptr<CKGPToolBoxButton>& pButton : m_arButtons)
        if (pButton->m_nID == nID)
            return pButton.get();
    return nullptr;
}

int CKGPToolBoxPage::RowHeight() const
{
    return kgp::toolbox::RowHeight(m_nMode, m_sizeImage.cy, GetKGPGlobalData().GetTextHeight());
}

int CKGPToolBoxPage::GetRequiredHeight(int nWidth) const
{
    return kgp::toolbox::RequiredHeight(m_nMode, GetToolCount(), m_sizeImage.cx, m_sizeImage.cy,
                                        GetKGPGlobalData().GetTextHeight(), nWidth);
}

void CKGPToolBoxPage::SetMode(int nMode)
{
    m_nMode = nMode == kgp::toolbox::kGridMode ? kgp::toolbox::kGridMode : kgp::toolbox::kListMode;
    RebuildToolTips();
    AdjustLayout();
}

int CKGPToolBoxPage::HitTest(CPoint point) const
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd)
        return -1;
    for (int i = 0; i < GetToolCount(); ++i)
        if (m_arButtons[i]->m_Rect.PtInRect(point))
            return i;
    return -1;
}

BOOL CKGPToolBoxPage::SelectTool(int nTool)
{
    const kgp::toolbox::Selection selection = kgp::toolbox::SelectTool(m_nCheckedButton, nTool, GetToolCount());
    if (!selection.accepted)
        return FALSE;
    if (!selection.changed)
        return TRUE;
    if (CKGPToolBoxButton* pOld = GetTool(m_nCheckedButton)) {
        pOld->m_bIsChecked = FALSE;
        RedrawTool(m_nCheckedButton);
    }
    m_nCheckedButton = selection.selected;
    if (CKGPToolBoxButton* pNew = GetTool(m_nCheckedButton)) {
        pNew->m_bIsChecked = TRUE;
        RedrawTool(m_nCheckedButton);
    }
    return TRUE;
}

void CKGPToolBoxPage::SetHighlighted(int nTool)
{
    if (nTool == m_nHighlightedButton)
        return;
    if (CKGPToolBoxButton* pOld = GetTool(m_nHighlightedButton)) {
        pOld->m_bIsHighlighted = FALSE;
        InvalidateRect(pOld->m_Rect);
    }
    m_nHighlightedButton = GetTool(nTool) != nullptr ? nTool : -1;
    if (CKGPToolBoxButton* pNew = GetTool(m_nHighlightedButton)) {
        pNew->m_bIsHighlighted = TRUE;
        InvalidateRect(pNew->m_Rect);
    }
    UpdateWindow();
}

void CKGPToolBoxPage::RedrawTool(int nTool)
{
    CKGPToolBoxButton* pButton = GetTool(nTool);
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    RedrawWindow(pButton->m_Rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPToolBoxPage::ScrollToPixel(int nPixel)
{
    m_nScrollOffset = kgp::toolbox::RowForPixel(nPixel, RowHeight());
    ReposButtons();
}

void CKGPToolBoxPage::AdjustLayout()
{
    m_nScrollOffset = 0;
    m_nVertScrollSize = 0;
    ReposButtons();
    if (IKGPToolBoxOwner* pOwner = m_pOwner)
        pOwner->OnPageLaidOut(this);
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPToolBoxPage::ReposButtons()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const kgp::toolbox::PageLayout layout =
        kgp::toolbox::LayOutTools(ToBox(client), GetToolCount(), m_nMode, m_sizeImage.cx, m_sizeImage.cy,
                                  GetKGPGlobalData().GetTextHeight(), m_nScrollOffset);
    m_nVertScrollSize = layout.rowsBelow;
    for (int i = 0; i < GetToolCount(); ++i) {
        const kgp::toolbox::Box& cell = layout.cells[static_cast<size_t>(i)];
        m_arButtons[i]->m_Rect = CRect(cell.left, cell.top, cell.right, cell.bottom);
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->SetToolRect(this, m_arButtons[i]->m_nID, m_arButtons[i]->m_Rect);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPToolBoxPage::DrawToolImage(CDC* pDC, CPoint point, int nImage)
{
    if (nImage >= 0 && nImage < m_Images.GetCount())
        m_Images.DrawImage(pDC, point.x, point.y, nImage);
}

int CKGPToolBoxPage::PageIndex() const
{
    IKGPToolBoxOwner* pOwner = m_pOwner;
    return pOwner != nullptr ? pOwner->FindPageIndex(const_cast<CKGPToolBoxPage*>(this)) : -1;
}

// ---- Painting.

void CKGPToolBoxPage::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    // No bar borders or gripper: the page's client is all of it.
}

void CKGPToolBoxPage::OnNcPaint()
{
}

void CKGPToolBoxPage::OnPaint()
{
    CPaintDC paint(this);
    CKGPMemDC memDC(paint, this);
    CDC& dc = memDC.GetDC();
    CRect client;
    GetClientRect(client);
    CKGPVisualManager::GetInstance()->FillBarBackground(&dc, this, client, client);
    // The light and shadow copies follow the button face.
    if (m_clrFace != GetKGPGlobalData().clrBtnFace) {
        m_clrFace = GetKGPGlobalData().clrBtnFace;
        m_Images.RebuildDerivedImage(CKGPToolBarImages::kLightImage);
        m_Images.RebuildDerivedImage(CKGPToolBarImages::kShadowImage);
    }
    const BOOL bImages = m_Images.BeginDrawImage();
    dc.SetBkMode(TRANSPARENT);
    CSelectionScope font(dc.m_hDC, GetKGPGlobalData().GetRegularFont());
    for (const std::unique_ptr<CKGPToolBoxButton>& pButton : m_arButtons)
        pButton->OnDraw(&dc);
    if (bImages)
        m_Images.EndDrawImage();
}

void CKGPToolBoxPage::OnSize(UINT nType, int cx, int cy)
{
    CKGPControlBar::OnSize(nType, cx, cy);
    ReposButtons();
}

// ---- Mouse.

void CKGPToolBoxPage::OnMouseMove(UINT nFlags, CPoint point)
{
    CKGPControlBar::OnMouseMove(nFlags, point);
    const int nTool = HitTest(point);
    if (nTool == m_nHighlightedButton)
        return;
    const BOOL bWasOn = m_nHighlightedButton >= 0;
    SetHighlighted(nTool);
    if (nTool >= 0 && !bWasOn && !m_bCaptured) {
        SetCapture();
        m_bCaptured = TRUE;
    } else if (nTool < 0 && m_bCaptured) {
        m_bCaptured = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

LRESULT CKGPToolBoxPage::OnMouseLeave(WPARAM, LPARAM)
{
    SetHighlighted(-1);
    return 0;
}

void CKGPToolBoxPage::OnLButtonDown(UINT nFlags, CPoint point)
{
    CKGPControlBar::OnLButtonDown(nFlags, point);
    SetFocus();
    if (m_bCaptured) {
        m_bCaptured = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    SetHighlighted(-1);
    ClickTool(HitTest(point));
}

void CKGPToolBoxPage::ClickTool(int nTool)
{
    if (nTool < 0)
        return;
    SelectTool(nTool);
    if (IKGPToolBoxOwner* pOwner = m_pOwner)
        pOwner->OnClickTool(PageIndex(), nTool);
}

void CKGPToolBoxPage::OnLButtonUp(UINT nFlags, CPoint point)
{
    CKGPControlBar::OnLButtonUp(nFlags, point);
}

void CKGPToolBoxPage::OnLButtonDblClk(UINT, CPoint)
{
    // Ignored: a double click is two clicks on one tool.
}

void CKGPToolBoxPage::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    const int nTool = HitTest(client);
    SelectTool(nTool);
    IKGPToolBoxOwner* pOwner = m_pOwner;
    if (pOwner != nullptr && pOwner->OnShowToolContextMenu(point, PageIndex(), nTool))
        return;
    CKGPControlBar::OnContextMenu(pWnd, point);
}

void CKGPToolBoxPage::OnCancelMode()
{
    CKGPControlBar::OnCancelMode();
    m_bCaptured = FALSE;
    SetHighlighted(-1);
}

void CKGPToolBoxPage::OnDestroy()
{
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    CKGPControlBar::OnDestroy();
}

// ---- Tooltips: in grid mode only.

void CKGPToolBoxPage::RebuildToolTips()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    if (m_nMode != kgp::toolbox::kGridMode)
        return;
    if (!CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_TOOLBOX))
        return;
    for (const std::unique_ptr<CKGPToolBoxButton>& pButton : m_arButtons)
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, pButton->m_Rect, pButton->m_nID);
}

LRESULT CKGPToolBoxPage::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & KGP_TOOLTIP_TOOLBOX) != 0) {
        RebuildToolTips();
        ReposButtons();
    }
    return 0;
}

BOOL CKGPToolBoxPage::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    const CKGPToolBoxButton* pButton = FindToolById(static_cast<UINT>(pNMH->idFrom));
    if (pButton == nullptr || m_nMode != kgp::toolbox::kGridMode)
        return FALSE;
    static CString s_text; // read by the tooltip after the handler returns
    s_text = pButton->m_strText;
    reinterpret_cast<NMTTDISPINFOW*>(pNMH)->lpszText = const_cast<LPWSTR>(s_text.GetString());
    *pResult = 0;
    return TRUE;
}

BOOL CKGPToolBoxPage::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const BOOL bMouse = (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) ||
                        (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONUP);
    if (bMouse && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->RelayEvent(pMsg);
    return CKGPControlBar::PreTranslateMessage(pMsg);
}

// ---- The pages of a toolbox.

CKGPToolBoxPages::~CKGPToolBoxPages() = default;

CKGPToolBoxPage* CKGPToolBoxPages::Make(CRuntimeClass* pPageClass, IKGPToolBoxOwner* pOwner, CWnd* pParent,
                                        HBITMAP hImages, CSize sizeImage, const CStringArray& labels, int nMode)
{
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr || pPageClass == nullptr ||
        !pPageClass->IsDerivedFrom(RUNTIME_CLASS(CKGPToolBoxPage)))
        return nullptr;
    std::unique_ptr<CKGPToolBoxPage> pPage(static_cast<CKGPToolBoxPage*>(pPageClass->CreateObject()));
    if (pPage == nullptr)
        return nullptr;
    pPage->m_pOwner = pOwner;
    if (!pPage->SetImages(hImages, sizeImage) ||
        !pPage->CreatePage(pParent, static_cast<UINT>(AFX_IDW_PANE_FIRST + GetCount()), nMode)) {
        if (pPage->GetSafeHwnd() != nullptr)
            pPage->DestroyWindow();
        return nullptr;
    }
    for (INT_PTR i = 0; i < labels.GetSize(); ++i)
        pPage->AddTool(labels[i]);
    m_pages.push_back(std::move(pPage));
    return m_pages.back().get();
}

int CKGPToolBoxPages::Find(const CKGPToolBoxPage* pPage) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_pages[i].get() == pPage)
            return i;
    return -1;
}

