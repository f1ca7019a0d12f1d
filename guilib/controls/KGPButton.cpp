#include "guilib/controls/KGPButton.h"

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPRegisteredMessages.h"

IMPLEMENT_DYNCREATE(CKGPButton, CButton)

namespace {

constexpr UINT_PTR kAutoRepeatTimer = 0x4B47;
constexpr int kBorder = 3;  // the border and a pixel of air on every side

} // namespace

CKGPButton::~CKGPButton()
{
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
}

void CKGPButton::SetStdImage(int nGlyph, int nMargin, int nDisabledGlyph)
{
    m_bitmap.DeleteObject();
    m_nStdGlyph = nGlyph;
    m_nImageMargin = nMargin > 0 ? nMargin : 0;
    m_nDisabledGlyph = nDisabledGlyph;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CKGPButton::SetImage(UINT nBitmapResId)
{
    m_bitmap.DeleteObject();
    m_nStdGlyph = -1;
    const BOOL loaded = m_bitmap.LoadBitmap(nBitmapResId);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return loaded;
}

CSize CKGPButton::GetImageSize() const
{
    if (m_bitmap.GetSafeHandle() != nullptr) {
        BITMAP info{};
        m_bitmap.GetBitmap(&info);
        return CSize(info.bmWidth, info.bmHeight);
    }
    if (m_nStdGlyph >= 0)
        return CKGPMenuGlyphs::GetImageSize() + CSize(2 * m_nImageMargin, 2 * m_nImageMargin);
    return CSize(0, 0);
}

void CKGPButton::SizeToContent()
{
    CSize size = GetImageSize();
    if (size.cx == 0) {
        CClientDC dc(this);
        const CSelectionScope selected(dc, GetKGPGlobalData().GetRegularFont());
        CString text;
        GetWindowText(text);
        size = dc.GetTextExtent(text);
        size.cx += 8;
    }
    SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, size.cx + 2 * kBorder, size.cy + 2 * kBorder,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPButton::SetTooltip(LPCTSTR lpszToolTip)
{
    m_strToolTip = lpszToolTip != nullptr ? lpszToolTip : L"";
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_pToolTip == nullptr && !m_strToolTip.IsEmpty())
        CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_BUTTON);
    AddToolTipText();
}

void CKGPButton::AddToolTipText()
{
    if (m_pToolTip == nullptr)
        return;
    if (m_pToolTip->GetToolCount() > 0)
        m_pToolTip->UpdateTipText(m_strToolTip, this);
    else
        m_pToolTip->AddTool(this, m_strToolTip);
    m_pToolTip->Activate(!m_strToolTip.IsEmpty());
}

void CKGPButton::PreSubclassWindow()
{
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CKGPButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr && pMsg->message >= WM_MOUSEFIRST &&
        pMsg->message <= WM_MOUSELAST)
        m_pToolTip->RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CKGPButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KGM_UPDATETOOLTIPS) {
        if (m_pToolTip != nullptr && (wParam & KGP_TOOLTIP_BUTTON) != 0) {
            CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_BUTTON);
            AddToolTipText();
        }
        return 0;
    }
    switch (message) {
    case WM_MOUSEMOVE:
        if (!m_bHighlighted) {
            m_bHighlighted = TRUE;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
            Invalidate();
        }
        break;
    case WM_MOUSELEAVE:
        m_bHighlighted = FALSE;
        Invalidate();
        break;
    case WM_LBUTTONDOWN:
        if (m_nAutoRepeatDelay > 0) {
            const LRESULT result = CButton::WindowProc(message, wParam, lParam);
            StartAutoRepeat();
            return result;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        StopAutoRepeat();
        break;
    case WM_TIMER:
        if (wParam == kAutoRepeatTimer) {
            if ((GetState() & BST_PUSHED) != 0)
                ClickOnce();
            return 0;
        }
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CKGPButton::StartAutoRepeat()
{
    m_bAutoRepeating = TRUE;
    ClickOnce();
    SetTimer(kAutoRepeatTimer, static_cast<UINT>(m_nAutoRepeatDelay), nullptr);
}

void CKGPButton::StopAutoRepeat()
{
    if (!m_bAutoRepeating)
        return;
    m_bAutoRepeating = FALSE;
    KillTimer(kAutoRepeatTimer);
    // The release must not click once more after the repeats.
    if ((GetState() & BST_PUSHED) != 0) {
        SetState(FALSE);
        ::ReleaseCapture();
    }
}

void CKGPButton::ClickOnce()
{
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKGPButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    const UINT state = lpDrawItemStruct->itemState;
    const int saved = pDC->SaveDC();
    OnFillBackground(pDC, rect, state);
    OnDrawBorder(pDC, rect, state);
    OnDraw(pDC, rect, state);
    if ((state & ODS_FOCUS) != 0 && (state & ODS_NOFOCUSRECT) == 0)
        OnDrawFocusRect(pDC, CRect(lpDrawItemStruct->rcItem));
    pDC->RestoreDC(saved);
}

void CKGPButton::OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    COLORREF face = data.clrBtnFace;
    if ((uiState & ODS_SELECTED) != 0)
        face = data.clrBtnShadow;
    else if (m_bHighlighted && (uiState & ODS_DISABLED) == 0)
        face = data.clrBtnHilite;
    pDC->FillSolidRect(rectClient, face);
}

void CKGPButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    if ((uiState & ODS_SELECTED) != 0)
        pDC->Draw3dRect(rectClient, data.clrBtnDkShadow, data.clrBtnHilite);
    else
        pDC->Draw3dRect(rectClient, data.clrBtnHilite, data.clrBtnDkShadow);
    rectClient.DeflateRect(1, 1);
    if ((uiState & ODS_SELECTED) == 0)
        pDC->Draw3dRect(rectClient, data.clrBtnFace, data.clrBtnShadow);
    rectClient.DeflateRect(1, 1);
}

void CKGPButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    const BOOL disabled = (uiState & ODS_DISABLED) != 0;
    CRect content = rect;
    if ((uiState & ODS_SELECTED) != 0)
        content.OffsetRect(1, 1);
    CString text;
    GetWindowText(text);
    const CSize image = GetImageSize();
    CRect imageRect = content;
    if (image.cx > 0 && !text.IsEmpty()) {
        imageRect.right = imageRect.left + image.cx + 4;
        content.left = imageRect.right;
    }
    if (image.cx > 0)
        DrawImage(pDC, imageRect, disabled);
    if (!text.IsEmpty() && (image.cx == 0 || imageRect != content)) {
        const CKGPGlobalData& data = GetKGPGlobalData();
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(disabled ? data.clrGrayText : data.clrBtnText);
        const CSelectionScope font(*pDC, data.GetRegularFont());
        pDC->DrawText(text, content, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void CKGPButton::DrawImage(CDC* pDC, const CRect& rect, BOOL bDisabled)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    if (m_nStdGlyph >= 0) {
        const int glyph = bDisabled && m_nDisabledGlyph >= 0 ? m_nDisabledGlyph : m_nStdGlyph;
        CKGPMenuGlyphs::DrawInColour(pDC, glyph, rect,
                                     bDisabled && m_nDisabledGlyph < 0 ? data.clrGrayText : data.clrBtnText);
        return;
    }
    BITMAP info{};
    m_bitmap.GetBitmap(&info);
    CDC source;
    source.CreateCompatibleDC(pDC);
    const CSelectionScope selected(source, m_bitmap);
    const CPoint at(rect.left + (rect.Width() - info.bmWidth) / 2, rect.top + (rect.Height() - info.bmHeight) / 2);
    pDC->TransparentBlt(at.x, at.y, info.bmWidth, info.bmHeight, &source, 0, 0, info.bmWidth, info.bmHeight,
                        source.GetPixel(0, 0));
}

void CKGPButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    CRect focus = rectClient;
    focus.DeflateRect(kBorder, kBorder);
    pDC->DrawFocusRect(focus);
}
