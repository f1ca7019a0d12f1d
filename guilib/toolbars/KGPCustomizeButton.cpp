#include "guilib/toolbars/KGPCustomizeButton.h"

#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBarShared.h"

IMPLEMENT_SERIAL(CCustomizeButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
{
    SetCustomizeCommand(iCustomizeCmdId, strCustomizeText);
}

void CCustomizeButton::SetCustomizeCommand(int iCustomizeCmdId, const CString& strCustomizeText)
{
    m_iCustomizeCmdId = iCustomizeCmdId;
    m_strCustomizeText = strCustomizeText;
}

void CCustomizeButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    if (const auto* other = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CKGPToolbarButton*>(&src)))
        SetCustomizeCommand(other->m_iCustomizeCmdId, other->m_strCustomizeText);
}

SIZE CCustomizeButton::MeasureOnBar(CDC* /*pDC*/, const CSize& sizeDefault, BOOL bHorz)
{
    if (!m_bShown)
        return CSize(0, 0);
    const int glyphs = CKGPToolBarShared::s_bLargeIconMode ? 2 : 1;
    const int length = glyphs * CKGPMenuGlyphs::GetWidth() + 2 * CKGPVisualManager::GetInstance()->GetMenuBorderSize();
    return bHorz ? CSize(length, sizeDefault.cy) : CSize(sizeDefault.cx, length);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* /*pImages*/, BOOL bHorz,
                              BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                              BOOL /*bGrayDisabledButtons*/)
{
    m_bDrawnHorizontal = bHorz;
    FillInterior(pDC, rect, bHighlight);
    const BOOL pressed = (m_nBits & TBBS_PRESSED) != 0;
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const int shift = pressed && manager->IsShiftPressedImage() ? 1 : 0;

    // The "more" glyph at the start, the drop glyph at the end, each a glyph
    // square centred across the button.
    const CSize glyph = CKGPMenuGlyphs::GetImageSize();
    CRect start = rect;
    CRect end = rect;
    if (bHorz) {
        start.top += 2;
        start.bottom = start.top + glyph.cy;
        end.bottom -= 2;
        end.top = end.bottom - glyph.cy;
    } else {
        start.left += 2;
        start.right = start.left + glyph.cx;
        end.right -= 2;
        end.left = end.right - glyph.cx;
    }
    start.OffsetRect(shift, shift);
    end.OffsetRect(shift, shift);
    if (HasHiddenButtons())
        CKGPMenuGlyphs::Draw(pDC, bHorz ? CKGPMenuGlyphs::kArrowDown : CKGPMenuGlyphs::kMoreVertical, start);
    if (HasCustomizeEntry())
        CKGPMenuGlyphs::Draw(pDC, bHorz ? CKGPMenuGlyphs::kDropArrow : CKGPMenuGlyphs::kDropArrowSmall, end);

    if (pressed)
        manager->DrawCustomizeButtonBorder(pDC, this, rect, KGP_BUTTON_PRESSED);
    else if (bHighlight && (m_nBits & TBBS_DISABLED) == 0)
        manager->DrawCustomizeButtonBorder(pDC, this, rect, KGP_BUTTON_HIGHLIGHTED);
}
