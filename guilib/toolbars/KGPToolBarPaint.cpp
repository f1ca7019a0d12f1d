// The toolbar's paint: background, separators and buttons into one memory DC,
// each button from the strip its state asks for, and in customisation mode
// the frame of the selected button and the insertion marker.
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"

namespace {

// The strip being drawn from: one is opened for drawing when a button needs
// it and closed when the next button needs another, or when the paint ends.
class CStripInUse {
public:
    CStripInUse() = default;
    ~CStripInUse() { Use(nullptr); }
    CStripInUse(const CStripInUse&) = delete;
    CStripInUse& operator=(const CStripInUse&) = delete;
    void Use(CKGPToolBarImages* pStrip)
    {
        if (pStrip == m_pStrip)
            return;
        if (m_pStrip != nullptr)
            m_pStrip->EndDrawImage();
        m_pStrip = pStrip != nullptr && pStrip->BeginDrawImage() ? pStrip : nullptr;
    }

private:
    CKGPToolBarImages* m_pStrip = nullptr;
};

}  // namespace

CKGPToolBar* CKGPToolBar::s_pCustomSelBar = nullptr;
COLORREF CKGPToolBar::s_clrText = static_cast<COLORREF>(-1);

COLORREF CKGPToolBar::GetDefaultTextColor()
{
    return s_clrText != static_cast<COLORREF>(-1) ? s_clrText : GetKGPGlobalData().clrBtnText;
}

BOOL CKGPToolBar::IsButtonHighlighted(int iIndex) const
{
    if (iIndex < 0)
        return FALSE;
    if (iIndex == m_track.pressed)
        return (GetButtonStyle(iIndex) & TBBS_PRESSED) != 0 || iIndex == m_track.hot;
    return iIndex == m_track.hot && m_track.pressed < 0;
}

void CKGPToolBar::DoPaint(CDC* pPaintDC)
{
    CKGPMemDC memory(*pPaintDC, this);
    CDC* pDC = &memory.GetDC();
    CKGPBaseToolBar::DoPaint(pDC);
    CRect clip;
    pDC->GetClipBox(clip);
    const BOOL horz = IsHorizontal();
    const CKGPGlobalData& global = GetKGPGlobalData();
    const CSelectionScope font(*pDC, horz ? global.GetBarFont() : global.GetVerticalFont());
    pDC->SetTextColor(GetDefaultTextColor());
    pDC->SetBkMode(TRANSPARENT);
    CRect client;
    GetClientRect(client);
    OnFillBackground(pDC, client);

    CStripInUse strip;
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        CRect overlap;
        if (!button->m_bShown || button->m_bOverflowed || !overlap.IntersectRect(button->m_rcButton, clip))
            continue;
        if (button->IsSeparator()) {
            DrawSeparatorButton(pDC, *button, client, horz);
            continue;
        }
        const BOOL highlighted = IsButtonHighlighted(index);
        CKGPToolBarImages* images = StripFor(*button, highlighted);
        strip.Use(images);
        DrawButton(pDC, button, images, highlighted);
    }

    if (s_bCustomizing && s_pCustomSelBar == this && !IsLocked()) {
        const CKGPToolbarButton* selected = GetButton(m_customize.selected);
        if (selected != nullptr && selected->IsArchivable()) {
            CRect frame = selected->m_rcButton;
            pDC->Draw3dRect(frame, GetDefaultTextColor(), GetDefaultTextColor());
            frame.DeflateRect(1, 1);
            pDC->Draw3dRect(frame, GetDefaultTextColor(), GetDefaultTextColor());
        }
    }
    if (s_bCustomizing && m_customize.markIndex >= GetCount())
        m_customize.markIndex = -1;
    if (s_bCustomizing && m_customize.markIndex >= 0)
        DrawInsertMarker(pDC);
}

void CKGPToolBar::DrawSeparatorButton(CDC* pDC, const CKGPToolbarButton& separator, const CRect& rectClient,
                                      BOOL bHorz)
{
    CRect rect = separator.m_rcButton;
    if (bHorz && separator.m_bRowBreak) {
        // A separator that breaks a row lies across the bar, in the gap below the row
        // (the look draws a line across the bar for a vertical one).
        rect = CRect(rectClient.left, rect.bottom, rectClient.right, rect.bottom + kgp::kRowGap);
        CKGPVisualManager::GetInstance()->DrawSeparator(pDC, this, rect, FALSE);
    } else {
        CKGPVisualManager::GetInstance()->DrawSeparator(pDC, this, rect, bHorz);
    }
}

BOOL CKGPToolBar::DrawButton(CDC* pDC, CKGPToolbarButton* pButton, CKGPToolBarImages* pImages, BOOL bHighlighted,
                             BOOL bDrawDisabledImages)
{
    CRect overlap;
    CRect clip;
    pDC->GetClipBox(clip);
    if (!pButton->m_bShown || !overlap.IntersectRect(pButton->m_rcButton, clip))
        return TRUE;
    const BOOL customizing = s_bCustomizing && !s_bAltDragCustomizing && !IsLocked();
    pButton->OnDraw(pDC, pButton->m_rcButton, pImages, IsHorizontal(), customizing, bHighlighted, m_bDrawOptionA,
                    bDrawDisabledImages && m_bDrawOptionB);
    return TRUE;
}
