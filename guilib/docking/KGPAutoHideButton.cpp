#include "guilib/docking/KGPAutoHideButton.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPAutoHideMath.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockingControlBar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKGPAutoHideButton, CObject)

int CKGPAutoHideButton::m_nBorderSize = kgp::autohide::kButtonBorder;
int CKGPAutoHideButton::m_nMarginSize = kgp::autohide::kButtonMargin;
int CKGPAutoHideButton::m_nTextMargin = kgp::autohide::kButtonTextMargin;
int CKGPAutoHideButton::m_nExtraSpaceNoIcon = kgp::autohide::kButtonNoIconExtra;
BOOL CKGPAutoHideButton::m_bOverlappingTabs = TRUE;

namespace {

HICON SmallIconOf(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    return reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL, 0));
}

kgp::autohide::Box BoxOf(const CRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

HFONT FontFor(BOOL bHorizontal)
{
    return bHorizontal ? GetKGPGlobalData().GetRegularFont() : GetKGPGlobalData().GetVerticalFont();
}

} // namespace

BOOL CKGPAutoHideButton::Create(CKGPAutoHideToolBar* pParentBar, CKGPDockingControlBar* pAutoHideWnd,
                                DWORD dwAlignment)
{
    m_pParentBar = pParentBar;
    m_pAutoHideWindow = pAutoHideWnd;
    m_dwAlignment = dwAlignment;
    if (pAutoHideWnd != nullptr)
        pAutoHideWnd->SetAutoHideParents(pParentBar, this);
    m_rect = CRect(CPoint(0, 0), GetSize());
    m_bVisible = TRUE;
    return TRUE;
}

CSize CKGPAutoHideButton::GetTextSize() const
{
    if (m_pAutoHideWindow == nullptr || m_pAutoHideWindow->GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    CString text;
    m_pAutoHideWindow->GetWindowText(text);
    if (text.IsEmpty())
        return CSize(0, 0);
    // Measured on a DC of the display's own (the screen's DC costs Wine's
    // server a look at the desktop's visible region and its monitors).
    const CMemoryDCHandle screen(::CreateCompatibleDC(nullptr));
    CSize measured(0, 0);
    if (screen) {
        CSelectionScope font(screen.Get(), FontFor(TRUE));
        SIZE size{};
        ::GetTextExtentPoint32W(screen.Get(), text, text.GetLength(), &size);
        measured = CSize(size.cx + m_nMarginSize, size.cy + m_nMarginSize);
    }
    kgp::autohide::ButtonSizeInput in;
    in.horizontal = IsHorizontal() != FALSE;
    in.text = {measured.cx, measured.cy};
    in.activeToolbar = m_pParentBar == nullptr || m_pParentBar->IsActiveToolBar();
    in.onlyActiveShowsText = CKGPAutoHideToolBar::m_bShowTextOnlyActive != FALSE;
    const kgp::autohide::Size text2 = kgp::autohide::ButtonTextSize(in);
    return CSize(text2.cx, text2.cy);
}

CSize CKGPAutoHideButton::GetSize() const
{
    kgp::autohide::ButtonSizeInput in;
    in.horizontal = IsHorizontal() != FALSE;
    in.hasPane = m_pAutoHideWindow != nullptr;
    in.overlappingStyle = CKGPVisualManager::GetInstance()->UsesAutoHideButtonStyle() != FALSE;
    in.overlapExtra = GetKGPGlobalData().m_nAutoHideButtonOverlapExtra;
    if (in.hasPane) {
        if (SmallIconOf(m_pAutoHideWindow) != nullptr)
            in.icon = {::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)};
        // The text comes measured and turned already; the size only adds it.
        const CSize text = GetTextSize();
        in.text = in.horizontal ? kgp::autohide::Size{text.cx, text.cy} : kgp::autohide::Size{text.cy, text.cx};
        in.activeToolbar = TRUE; // GetTextSize has applied the active toolbar's rule
        if (m_pParentBar != nullptr) {
            if (CKGPDockBarRow* pRow = m_pParentBar->GetDockBarRow())
                in.minimumAcross = pRow->GetMaxBarExtent() - pRow->m_nExtraHeight;
        }
    }
    const kgp::autohide::Size size = kgp::autohide::ButtonSize(in);
    return CSize(size.cx, size.cy);
}

void CKGPAutoHideButton::ShowAttachedWindow(BOOL bShow)
{
    if (m_pAutoHideWindow == nullptr || m_pParentBar == nullptr)
        return;
    const BOOL bShown = m_pAutoHideWindow->IsWindowVisible();
    if ((!bShow && !bShown) || (bShow && bShown)) {
        m_pParentBar->SetActiveInGroup(bShow);
        return;
    }
    m_pAutoHideWindow->Slide(bShow);
    m_pParentBar->SetActiveInGroup(bShow);
}

void CKGPAutoHideButton::UnSetAutoHideMode(CKGPDockingControlBar* pFirstBarInGroup)
{
    if (m_pAutoHideWindow != nullptr)
        m_pAutoHideWindow->UnpinFromAutoHide(pFirstBarInGroup);
}

void CKGPAutoHideButton::OnFillBackground(CDC* pDC, CRect rect)
{
    CKGPVisualManager::GetInstance()->FillAutoHideButtonFace(pDC, rect, this);
}

void CKGPAutoHideButton::OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize)
{
    CKGPVisualManager::GetInstance()->DrawAutoHideButtonFrame(pDC, rectBounds, rectBorderSize, this);
}

void CKGPAutoHideButton::OnDraw(CDC* pDC)
{
    namespace ah = kgp::autohide;
    const BOOL bHorz = IsHorizontal();
    const BOOL bOverlapping = CKGPVisualManager::GetInstance()->UsesAutoHideButtonStyle();
    const int corner = ah::ButtonCorner(bOverlapping != FALSE, bHorz != FALSE);
    const ah::Box border = ah::ButtonBorder(ah::EdgeOf(m_dwAlignment), m_nBorderSize);
    const CRect borderSizes(border.left, border.top, border.right, border.bottom);

    // A toolbar continuing a group reaches over the neighbour before each of
    // its buttons with a copy of the button's face.
    if (bOverlapping && m_pParentBar != nullptr && !m_pParentBar->m_bGroupStart) {
        const ah::Box face = ah::OverlapFaceBox(BoxOf(m_rect), bHorz != FALSE, corner);
        const CRect rectFace(face.left, face.top, face.right, face.bottom);
        OnFillBackground(pDC, rectFace);
        OnDrawBorder(pDC, rectFace, borderSizes);
    }
    OnFillBackground(pDC, m_rect);
    OnDrawBorder(pDC, m_rect, borderSizes);
    if (m_pAutoHideWindow == nullptr)
        return;

    const ah::Box box =
        ah::ButtonContentBox(BoxOf(m_rect), border, bHorz != FALSE, bOverlapping != FALSE, m_nMarginSize);
    CRect content(box.left, box.top, box.right, box.bottom);
    const HICON icon = SmallIconOf(m_pAutoHideWindow);
    if (icon != nullptr) {
        const int cx = ::GetSystemMetrics(SM_CXSMICON);
        const int cy = ::GetSystemMetrics(SM_CYSMICON);
        if (bHorz) {
            ::DrawIconEx(pDC->GetSafeHdc(), content.left, content.top + (content.Height() - cy) / 2, icon, cx, cy,
                         0, nullptr, DI_NORMAL);
            content.left += cx + m_nMarginSize;
        } else {
            ::DrawIconEx(pDC->GetSafeHdc(), content.left + (content.Width() - cx) / 2, content.top, icon, cx, cy,
                         0, nullptr, DI_NORMAL);
            content.top += cy + m_nMarginSize;
        }
    }
    CString text;
    m_pAutoHideWindow->GetWindowText(text);
    const BOOL bActive = m_pParentBar == nullptr || m_pParentBar->IsActiveToolBar();
    if (!ah::ButtonShowsText(text.IsEmpty() != FALSE, bActive != FALSE, icon != nullptr,
                             CKGPAutoHideToolBar::m_bShowTextOnlyActive != FALSE) ||
        text.IsEmpty() || content.IsRectEmpty())
        return;
    CSelectionScope font(pDC->GetSafeHdc(), FontFor(bHorz));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(CKGPVisualManager::GetInstance()->AutoHideButtonTextColour(this));
    if (bHorz) {
        pDC->DrawText(text, content, DT_SINGLELINE | DT_VCENTER);
    } else {
        // The vertical font turns the text by 90 degrees: it starts at the
        // column's left and runs down, its baseline at the column's right.
        CRect column = content;
        column.left = content.right - (content.Width() - GetKGPGlobalData().GetTextHeight(FALSE)) / 2;
        column.right = column.left + content.Height();
        column.bottom = column.top + content.Width();
        pDC->DrawText(text, column, DT_SINGLELINE | DT_NOCLIP);
    }
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
}
