// How a toolbar button paints itself: on its bar, its background, and its row
// in the customisation command list. Colours, frames and backgrounds come
// from the visual manager; this file places the image and the caption and
// chooses the state.
#include "guilib/toolbars/KGPToolbarButton.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <algorithm>

namespace {

constexpr UINT kCheckedOrPressed = TBBS_CHECKED | TBBS_PRESSED;

int StateOf(const CKGPToolbarButton& button, BOOL bHighlight)
{
    return kgp::ButtonState(button.m_nBits, bHighlight != FALSE);
}

}  // namespace

void CKGPToolbarButton::FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight)
{
    if (m_bNoFill)
        return;
    int state = StateOf(*this, bHighlight);
    if (CKGPToolBarShared::s_bCustomizing && !CKGPToolBarShared::s_bAltDragCustomizing && !m_bOfLockedBar)
        state = KGP_BUTTON_NORMAL;
    CKGPVisualManager::GetInstance()->FillButtonFace(pDC, this, rect, state);
}

void CKGPToolbarButton::DrawFaceImage(CDC* pDC, CKGPToolBarImages* pImages, int x, int y, BOOL bDisabled,
                                      BOOL bShadow, BOOL bFaded)
{
    pImages->DrawImage(pDC, x, y, GetImage(), FALSE, bDisabled, FALSE, bShadow, bFaded, 255);
}

void CKGPToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    m_bDrawnHorizontal = bHorz;
    FillInterior(pDC, rect, bHighlight);

    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const CKGPGlobalData& global = GetKGPGlobalData();
    const CSize imageSize = pImages != nullptr ? pImages->GetImageSize() : CSize(0, 0);

    CRect area = rect;
    if (m_bOnToolbar) {
        const CSize extra = manager->GetExtraButtonSize();
        area.DeflateRect(extra.cx / 2, extra.cy / 2);
    }

    const CString shown = CaptionAsShown();
    const CSize textExtent = shown.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(shown, shown.GetLength());
    const BOOL imageShown = IsImageShown();
    const BOOL captionBeside = m_bShowCaption && !m_strCaption.IsEmpty() && !(m_bCaptionBelow && bHorz);
    const BOOL shadowSwitch = manager->IsShadowHighlightedImage();
    const BOOL checkedOrPressed = (m_nBits & kCheckedOrPressed) != 0;

    kgp::ButtonFaceInput face;
    face.width = area.Width();
    face.height = area.Height();
    face.imageCx = imageSize.cx;
    face.imageCy = imageSize.cy;
    face.textCx = textExtent.cx;
    face.horizontal = bHorz != FALSE;
    face.imageShown = imageShown != FALSE;
    face.captionBeside = captionBeside != FALSE;
    face.captionBelow = m_bCaptionBelow != FALSE;
    face.pressedShift = checkedOrPressed && !bCustomizeMode && !shadowSwitch && manager->IsShiftPressedImage();
    if (captionBeside) {
        TEXTMETRIC metrics{};
        pDC->GetTextMetrics(&metrics);
        face.fontHeight = metrics.tmHeight;
    }
    const kgp::ButtonFaceLayout place = kgp::LayOutButtonFace(face);

    const BOOL shadow = bHighlight && !bCustomizeMode && !WantsNoShadow() && shadowSwitch &&
                        !global.m_bNoHotShadowByApp && !global.m_bNoHotShadowByDisplay &&
                        (m_nBits & (kCheckedOrPressed | TBBS_DISABLED)) == 0;
    const BOOL faded = !bHighlight && manager->IsFadeInactiveImage();
    const int imageX = area.left + place.imageX;
    const int imageY = area.top + place.imageY;

    const BOOL disabledLook = (m_nBits & TBBS_DISABLED) != 0 && (m_nBits & TBBS_PRESSED) == 0 && !bCustomizeMode;
    // A user tool shows its program's icon in the image's place.
    const BOOL toolIcon = imageShown && pImages != nullptr && !m_bUserImage &&
                          KGPToolbarLinks::DrawToolIcon(pDC, CRect(CPoint(imageX, imageY), imageSize), m_nCommand);
    if (imageShown && pImages != nullptr && !toolIcon) {
        if (disabledLook) {
            DrawFaceImage(pDC, pImages, imageX, imageY, bGrayDisabledButtons, FALSE, faded);
        } else if (shadow) {
            DrawFaceImage(pDC, pImages, imageX + 1, imageY + 1, FALSE, TRUE, faded);
            DrawFaceImage(pDC, pImages, imageX - 1, imageY - 1, FALSE, FALSE, faded);
        } else {
            DrawFaceImage(pDC, pImages, imageX, imageY, FALSE, FALSE, faded);
        }
    }

    const BOOL captionBelow = m_bCaptionBelow && bHorz;
    if (captionBelow || (m_bShowCaption && !m_strCaption.IsEmpty())) {
        pDC->SetTextColor(manager->GetButtonTextColor(this, StateOf(*this, bHighlight)));
        int textX = place.textX;
        int textY = place.textY;
        CRect rectText = area;
        UINT format = DT_SINGLELINE;
        if (captionBelow) {
            textY += imageSize.cy + 3;
            rectText.left = (area.left + area.right - m_sizeCaption.cx) / 2 + textX;
            rectText.right = (area.left + area.right + m_sizeCaption.cx) / 2;
            format = DT_CENTER | (s_bWrapCaptions ? DT_WORDBREAK : 0);
        } else if (imageShown) {
            const int gap = CKGPToolBarShared::s_bLargeIconMode ? 6 : 0;
            (bHorz ? textX : textY) += (bHorz ? imageSize.cx : imageSize.cy) + gap;
            rectText.left = area.left + textX + 3;
        } else {
            rectText.left = area.left + 4;
        }

        if (bHorz) {
            rectText.top = area.top + textY;
            if (captionBelow && m_bOnToolbar)
                rectText.top += manager->GetExtraButtonSize().cy / 2;
            pDC->DrawText(m_strCaption, rectText, format);
        } else {
            rectText.top = area.top + textY;
            DrawVerticalCaption(pDC, area, rectText, textExtent.cy, textExtent.cx);
        }
    }

    if (bCustomizeMode || !WantsBorder() || !bDrawBorder)
        return;
    if (checkedOrPressed)
        manager->DrawButtonBorder(pDC, this, rect, KGP_BUTTON_PRESSED);
    else if (bHighlight && (m_nBits & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)) == 0)
        manager->DrawButtonBorder(pDC, this, rect, KGP_BUTTON_HIGHLIGHTED);
}

// The bar has selected its downward-writing vertical font: the text runs from
// top to bottom across the centre of the button, and the mnemonic, which the
// system does not underline in that direction, gets a line by hand.
void CKGPToolbarButton::DrawVerticalCaption(CDC* pDC, const CRect& rectButton, CRect rectText, int nTextHeight,
                                            int nTextWidth)
{
    const int centre = (rectButton.left + rectButton.right) / 2 - nTextHeight / 2;
    rectText.left = centre + nTextHeight;
    rectText.right = centre;
    rectText.top += std::max<int>(0, rectButton.bottom - nTextWidth - rectText.top) / 2;
    rectText.bottom = rectButton.bottom;

    const kgp::DisplayCaption caption = kgp::CaptionAsShown(std::wstring(m_strCaption.GetString()));
    const CString text(caption.text.c_str());
    pDC->DrawText(text, rectText, DT_SINGLELINE | DT_NOCLIP);
    if (caption.mnemonic < 0)
        return;

    CRect through = rectText;
    CRect before = rectText;
    pDC->DrawText(text.Left(caption.mnemonic + 1), through, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    pDC->DrawText(text.Left(caption.mnemonic), before, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    CPen pen(PS_SOLID, 1, pDC->GetTextColor());
    const CSelectionScope selected(*pDC, pen);
    const int x = (rectButton.left + rectButton.right) / 2 - nTextHeight / 2;
    pDC->MoveTo(x, rectText.top + through.Width());
    pDC->LineTo(x, rectText.top + before.Width());
}

int CKGPToolbarButton::DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const BOOL savedShowCaption = m_bShowCaption;
    m_bShowCaption = FALSE;

    CKGPToolBarImages* strip = CKGPToolBarShared::s_pUserImageStrip;
    if (!m_bUserImage) {
        CKGPToolBarImages& normal = CKGPToolBarShared::s_imgNormal;
        CKGPToolBarImages& menu = CKGPToolBarShared::s_imgMenu;
        strip = menu.GetCount() == normal.GetCount() ? &menu : &normal;
    }
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const int menuImageWidth = CKGPToolBarShared::GetMenuImageSize().cx;
    const int columnWidth = menuImageWidth + 6;
    const BOOL hasImage = GetImage() >= 0 && strip != nullptr;

    CRect rectImage = rect;
    rectImage.right = rectImage.left + columnWidth;
    CRect rectRow = rect;
    if (bSelected && !manager->IsCommandListFramed() && hasImage) {
        manager->FillButtonFace(pDC, this, rectImage, KGP_BUTTON_HIGHLIGHTED);
        manager->DrawButtonBorder(pDC, this, rectImage, KGP_BUTTON_HIGHLIGHTED);
        rectRow.left = rectImage.right;
    }
    const COLORREF textColour = manager->DrawCommandListRow(pDC, rectRow, bSelected);

    const BOOL toolIcon = hasImage && !m_bUserImage &&
                          KGPToolbarLinks::DrawToolIcon(pDC, CRect(rect.left, rect.top, rect.left + columnWidth, rect.bottom),
                                                        m_nCommand);
    if (hasImage && !toolIcon && strip->BeginDrawImage(!bSelected && manager->IsFadeInactiveImage())) {
        const BOOL shadow = bSelected && manager->IsShadowHighlightedImage() &&
                            GetKGPGlobalData().IsHotImageShadowAllowed();
        if (shadow) {
            strip->DrawImage(pDC, rect.left + 4, rect.top + 4, GetImage(), FALSE, FALSE, FALSE, TRUE);
            strip->DrawImage(pDC, rect.left + 2, rect.top + 2, GetImage());
        } else {
            strip->DrawImage(pDC, rect.left + 3, rect.top + 3, GetImage());
        }
        strip->EndDrawImage();
    }

    int width = columnWidth;
    if (!m_strCaption.IsEmpty()) {
        const COLORREF oldColour = pDC->SetTextColor(textColour);
        pDC->SetBkMode(TRANSPARENT);
        CRect rectText = rect;
        rectText.left = rect.left + menuImageWidth + 10;
        pDC->DrawText(m_strCaption, rectText, DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(oldColour);
        const CSize extent = pDC->GetTextExtent(m_strCaption, m_strCaption.GetLength());
        width = columnWidth + std::min<int>(extent.cx, rectText.Width());
    }
    m_bShowCaption = savedShowCaption;
    return width;
}
