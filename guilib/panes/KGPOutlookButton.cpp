#include "guilib/panes/KGPOutlookButton.h"

#include "guilib/core/KGPDrawManager.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPOutlookMath.h"

IMPLEMENT_SERIAL(CKGPOutlookButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)

CKGPOutlookButton::CKGPOutlookButton() = default;

BOOL CKGPOutlookButton::AcceptsBar(CKGPToolBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKGPOutlookBarPane));
}

void CKGPOutlookButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKGPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentBar = DYNAMIC_DOWNCAST(CKGPOutlookBarPane, pWndParent);
}

void CKGPOutlookButton::SetImage(int iImage)
{
    m_nImage = iImage;
}

SIZE CKGPOutlookButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    const int cx = sizeDefault.cx;
    const int cy = sizeDefault.cy;
    const CString caption = m_strCaption;
    if (!bHorz) {
        const int blanks = pDC->GetTextExtent(CString(_T("   "))).cx;
        CRect rectText(0, 0, std::max(0, cx - blanks), 0);
        int textHeight = 0;
        if (m_bShowCaption && !caption.IsEmpty())
            textHeight = pDC->DrawText(caption, rectText, DT_CALCRECT | DT_WORDBREAK);
        else
            rectText.right = 0;
        const kgp::outlook::ButtonSize size =
            kgp::outlook::VerticalButtonSize(cx, cy, m_sizeImage.cx, rectText.Width(), textHeight);
        m_bIsWholeText = size.textFits ? TRUE : FALSE;
        return CSize(size.width, size.height);
    }
    const CSize line = pDC->GetTextExtent(caption);
    const kgp::outlook::ButtonSize size = kgp::outlook::HorizontalButtonSize(
        cx, cy, m_sizeImage.cy, {line.cx, line.cy}, [&](int width) {
            CRect rect(0, 0, width, cy);
            const int height = pDC->DrawText(caption, rect, DT_CALCRECT | DT_WORDBREAK);
            return kgp::outlook::TextExtent{rect.Width(), height};
        });
    m_bIsWholeText = TRUE;
    return CSize(size.width, size.height);
}

COLORREF CKGPOutlookButton::CaptionColour(int nState) const
{
    CKGPGlobalData& data = GetKGPGlobalData();
    const BOOL bDisabled = (m_nBits & TBBS_DISABLED) != 0;
    const BOOL bBackImage = m_pWndParentBar != nullptr && m_pWndParentBar->HasBackImage();
    if (bDisabled && !bBackImage)
        return CKGPVisualManager::GetInstance()->GetButtonTextColor(const_cast<CKGPOutlookButton*>(this), nState);
    COLORREF colour = m_pWndParentBar != nullptr ? m_pWndParentBar->GetTextColor() : static_cast<COLORREF>(-1);
    if (bDisabled)
        colour = data.clrGrayText;
    if (colour == static_cast<COLORREF>(-1)) {
        colour = bBackImage ? data.clrWindowText
                            : CKGPVisualManager::GetInstance()->GetButtonTextColor(
                                  const_cast<CKGPOutlookButton*>(this), nState);
    }
    return colour;
}

void CKGPOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    const BOOL bPressed = (m_nBits & TBBS_PRESSED) != 0;
    const BOOL bChecked = (m_nBits & TBBS_CHECKED) != 0;
    const BOOL bDisabled = (m_nBits & TBBS_DISABLED) != 0;
    const BOOL bBackImage = m_pWndParentBar != nullptr && m_pWndParentBar->HasBackImage();

    CRect rectButton = rect;
    if (m_bOnToolbar) {
        const CSize extra = CKGPVisualManager::GetInstance()->GetExtraButtonSize();
        rectButton.DeflateRect(extra.cx / 2 + 1, extra.cy / 2 + 1);
    }
    const int shift = (bPressed && bHighlight && !bCustomizeMode) ? 1 : 0;
    const CSize sizeImage = m_sizeImage;

    CRect rectImage;
    // The caption keeps the width it was measured in (the extra size is the image's margin).
    CRect rectText(rect.left, rectButton.top, rect.right, rectButton.bottom);
    if (!bHorz) {
        rectImage = CRect(CPoint(rectButton.left + (rectButton.Width() - sizeImage.cx) / 2, rectButton.top + 5),
                          sizeImage);
        rectText.top = rectImage.bottom + 2;
    } else {
        rectImage = CRect(CPoint(rectButton.left + 5, rectButton.top + (rectButton.Height() - sizeImage.cy) / 2),
                          sizeImage);
        rectText.left = rectButton.left + sizeImage.cx + 10;
    }

    const int image = GetImage();
    if (image >= 0 && pImages != nullptr && m_bShowImage) {
        CRect rectBack = rectImage;
        rectBack.InflateRect(2, 2);
        if (bBackImage) {
            if (bHighlight)
                CKGPDrawManager(*pDC).HighlightRect(rectBack, 85);
        } else {
            FillInterior(pDC, rectBack, bHighlight);
        }
        pImages->DrawImage(pDC, rectImage.left + shift, rectImage.top + shift, image, FALSE,
                           bDisabled && bGrayDisabledButtons);
    } else if (bBackImage && bHighlight) {
        CKGPDrawManager(*pDC).HighlightRect(rectButton, 85);
    }

    if (bDrawBorder && !bCustomizeMode) {
        CRect rectBorder = rectImage;
        rectBorder.InflateRect(2, 2);
        if ((bPressed && bHighlight) || bChecked)
            CKGPVisualManager::GetInstance()->DrawButtonBorder(pDC, this, rectBorder, 1);
        else if (bHighlight)
            CKGPVisualManager::GetInstance()->DrawButtonBorder(pDC, this, rectBorder, 2);
    }

    if (!m_bShowCaption || m_strCaption.IsEmpty())
        return;
    const int nState = bHighlight ? 2 : ((bChecked || bPressed) ? 1 : 0);
    const COLORREF clrOld = pDC->SetTextColor(CaptionColour(nState));
    if (bHorz) {
        CRect rectCalc = rectText;
        const int height = pDC->DrawText(m_strCaption, rectCalc, DT_CALCRECT | DT_WORDBREAK);
        rectText.top = rectButton.top + (rectButton.Height() - height) / 2;
        rectText.bottom = rectText.top + height;
    }
    const UINT format = m_bIsWholeText ? (DT_CENTER | DT_WORDBREAK) : (DT_WORDBREAK | DT_END_ELLIPSIS);
    CString text = m_strCaption;
    pDC->DrawText(text, rectText, bHorz ? (format & ~DT_CENTER) : format);
    pDC->SetTextColor(clrOld);
}
