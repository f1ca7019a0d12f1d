#include "guilib/core/KGPVisualManager2003.h"

#include "guilib/core/KGPDrawManager.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualItem.h"

IMPLEMENT_DYNCREATE(CKGPVisualManager2003, CKGPVisualManager)

void CKGPVisualManager2003::FillGradient(CDC* pDC, const CRect& rect, COLORREF start, COLORREF end, BOOL bHorz)
{
    CKGPDrawManager(*pDC).FillGradient(rect, start, end, bHorz);
}

// ---- Bars ----

void CKGPVisualManager2003::FillBarBackground(CDC* pDC, CKGPBaseControlBar*, CRect rect, CRect rectClip, BOOL)
{
    CRect visible = rect;
    if (!rectClip.IsRectEmpty()) {
        visible.IntersectRect(&rect, &rectClip);
    }
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&visible);
    FillGradient(pDC, rect, kBarLight, kBarDark);
    pDC->RestoreDC(saved);
}

void CKGPVisualManager2003::DrawSeparator(CDC* pDC, CKGPBaseControlBar*, CRect rect, BOOL bHorz)
{
    if (bHorz) {
        const int x = rect.CenterPoint().x;
        FillSolid(pDC, CRect(x, rect.top + 3, x + 1, rect.bottom - 3), kSeparator);
        FillSolid(pDC, CRect(x + 1, rect.top + 4, x + 2, rect.bottom - 2), RGB(255, 255, 255));
    } else {
        const int y = rect.CenterPoint().y;
        FillSolid(pDC, CRect(rect.left + 3, y, rect.right - 3, y + 1), kSeparator);
        FillSolid(pDC, CRect(rect.left + 4, y + 1, rect.right - 2, y + 2), RGB(255, 255, 255));
    }
}

void CKGPVisualManager2003::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKGPBaseControlBar*)
{
    // A column (or row) of light-backed dots.
    const CPoint centre = rectGripper.CenterPoint();
    for (int i = 4; i + 2 < (bHorz ? rectGripper.Height() : rectGripper.Width()) - 2; i += 4) {
        const CPoint dot = bHorz ? CPoint(centre.x - 1, rectGripper.top + i) : CPoint(rectGripper.left + i, centre.y - 1);
        FillSolid(pDC, CRect(dot.x + 1, dot.y + 1, dot.x + 3, dot.y + 3), RGB(255, 255, 255));
        FillSolid(pDC, CRect(dot.x, dot.y, dot.x + 2, dot.y + 2), kGripper);
    }
}

void CKGPVisualManager2003::DrawToolbarNcBorder(CDC* pDC, CKGPBaseControlBar*, CRect rect)
{
    FillSolid(pDC, CRect(rect.left + 2, rect.bottom - 1, rect.right - 2, rect.bottom), kBarBorder);
    FillSolid(pDC, CRect(rect.right - 1, rect.top + 2, rect.right, rect.bottom - 2), kBarBorder);
}

// ---- Buttons ----

void CKGPVisualManager2003::FillButtonFace(CDC* pDC, CKGPToolbarButton*, CRect rect, int nState)
{
    if (nState == KGP_BUTTON_PRESSED) {
        FillGradient(pDC, rect, kPressedLight, kPressedDark);
    } else if (nState == KGP_BUTTON_HIGHLIGHTED) {
        FillGradient(pDC, rect, kHotLight, kHotDark);
    }
}

void CKGPVisualManager2003::DrawButtonBorder(CDC* pDC, CKGPToolbarButton*, CRect rect, int nState)
{
    if (nState == KGP_BUTTON_PRESSED || nState == KGP_BUTTON_HIGHLIGHTED) {
        FrameSolid(pDC, rect, kButtonBorder);
    }
}

COLORREF CKGPVisualManager2003::DrawCommandListRow(CDC* pDC, CRect rect, BOOL bSelected)
{
    if (!bSelected) {
        return CKGPVisualManager::DrawCommandListRow(pDC, rect, FALSE);
    }
    FillGradient(pDC, rect, kHotLight, kHotDark);
    FrameSolid(pDC, rect, kButtonBorder);
    return GetKGPGlobalData().clrBtnText;
}

void CKGPVisualManager2003::DrawComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                                           CKGPToolbarComboBoxButton*)
{
    const COLORREF colour = bDisabled ? GetKGPGlobalData().clrGrayText
                                      : (bDropped || bHot) ? kButtonBorder : GetKGPGlobalData().clrWindow;
    FrameSolid(pDC, rect, colour);
}

void CKGPVisualManager2003::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                                                CKGPToolbarComboBoxButton*)
{
    if (bDisabled) {
        FillSolid(pDC, rect, GetKGPGlobalData().clrBtnFace);
    } else if (bDropped) {
        FillGradient(pDC, rect, kPressedLight, kPressedDark);
    } else if (bHot) {
        FillGradient(pDC, rect, kHotLight, kHotDark);
    } else {
        FillGradient(pDC, rect, kBarLight, kBarDark);
    }
    if (!bDisabled && (bDropped || bHot)) {
        FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), kButtonBorder);
    }
    DrawGlyph(pDC, CKGPMenuGlyphs::kDropArrow, rect,
              bDisabled ? GetKGPGlobalData().clrGrayText : GetKGPGlobalData().clrBtnText);
}

// ---- Menus ----

void CKGPVisualManager2003::DrawPopupBorder(CDC* pDC, CKGPPopupMenu*, CRect rect)
{
    FrameSolid(pDC, rect, kMenuBorder);
}

void CKGPVisualManager2003::DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bHighlighted)
{
    if (bHighlighted) {
        FillGradient(pDC, rect, kHotLight, kHotDark);
    } else {
        FillGradient(pDC, rect, kBarLight, kBarDark);
    }
    DrawBarGripper(pDC, rect, FALSE, nullptr);
}

void CKGPVisualManager2003::FillRarelyUsedMenuBackground(CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, kMenuRarely);
}

void CKGPVisualManager2003::DrawMenuCheckFrame(CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, kHotDark);
    FrameSolid(pDC, rect, kButtonBorder);
}

// ---- Captions ----

void CKGPVisualManager2003::DrawCaptionBarBorder(CDC* pDC, CKGPCaptionBar*, CRect rect, COLORREF clrBorder, BOOL)
{
    const COLORREF colour = clrBorder == static_cast<COLORREF>(-1) ? kBarBorder : clrBorder;
    FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), colour);
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), colour);
}

COLORREF CKGPVisualManager2003::DrawPaneCaption(CDC* pDC, CKGPDockingControlBar*, BOOL bActive, CRect rectCaption,
                                                CRect)
{
    if (bActive) {
        FillGradient(pDC, rectCaption, kHotLight, kHotDark);
        return GetKGPGlobalData().clrBtnText;
    }
    FillGradient(pDC, rectCaption, kBarLight, kBarDark);
    return GetKGPGlobalData().clrBtnText;
}

void CKGPVisualManager2003::DrawCaptionButton(CDC* pDC, CKGPVisualItem* pButton, BOOL, BOOL, BOOL, BOOL bDisabled,
                                              int nImageID)
{
    if (pButton == nullptr) {
        return;
    }
    const CRect rect = pButton->GetVisualRect();
    if (!bDisabled && pButton->IsVisualPushed()) {
        FillGradient(pDC, rect, kPressedLight, kPressedDark);
        FrameSolid(pDC, rect, kButtonBorder);
    } else if (!bDisabled && pButton->IsVisualFocused()) {
        FillGradient(pDC, rect, kHotLight, kHotDark);
        FrameSolid(pDC, rect, kButtonBorder);
    }
    const int glyph = nImageID != -1 ? nImageID : pButton->GetVisualGlyph();
    DrawGlyph(pDC, glyph, rect, bDisabled ? GetKGPGlobalData().clrGrayText : GetKGPGlobalData().clrBtnText);
}

COLORREF CKGPVisualManager2003::FillFloatingFrameCaption(CDC* pDC, CRect rectCaption, CKGPMiniFrameWnd*, BOOL)
{
    FillGradient(pDC, rectCaption, kCaptionLight, kCaptionDark);
    return RGB(255, 255, 255);
}

void CKGPVisualManager2003::DrawFloatingFrameBorder(CDC* pDC, CKGPMiniFrameWnd*, CRect rectBorder,
                                                    CRect rectBorderSize)
{
    CRect inner = rectBorder;
    inner.DeflateRect(rectBorderSize.left, rectBorderSize.top, rectBorderSize.right, rectBorderSize.bottom);
    const int saved = pDC->SaveDC();
    pDC->ExcludeClipRect(&inner);
    FillSolid(pDC, rectBorder, kBarDark);
    pDC->RestoreDC(saved);
    FrameSolid(pDC, rectBorder, kCaptionDark);
}

// ---- Auto-hide and smart docking ----

void CKGPVisualManager2003::FillAutoHideButtonFace(CDC* pDC, CRect rect, CKGPAutoHideButton*)
{
    FillGradient(pDC, rect, kBarLight, kBarDark, rect.Height() > rect.Width());
}

void CKGPVisualManager2003::DrawAutoHideButtonFrame(CDC* pDC, CRect rectBounds, CRect, CKGPAutoHideButton*)
{
    FrameSolid(pDC, rectBounds, kSeparator);
}

void CKGPVisualManager2003::GetSmartDockingGroupColors(COLORREF& clrBackground, COLORREF& clrFrame) const
{
    clrBackground = kBarLight;
    clrFrame = kCaptionDark;
}

// ---- Tabs ----

void CKGPVisualManager2003::GetTabFrameColors(const CKGPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                              COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                              COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    CKGPVisualManager::GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight,
                                         pbrFace, pbrBlack);
    clrFace = kBarLight;
    clrDark = kSeparator;
    clrBlack = kBarBorder;
    clrDarkShadow = kBarBorder;
    if (m_brTabFace.GetSafeHandle() == nullptr) {
        m_brTabFace.CreateSolidBrush(kBarLight);
        m_brTabBlack.CreateSolidBrush(kBarBorder);
    }
    pbrFace = &m_brTabFace;
    pbrBlack = &m_brTabBlack;
}

void CKGPVisualManager2003::EraseTabsArea(CDC* pDC, CRect rect, const CKGPBaseTabWnd*)
{
    FillGradient(pDC, rect, kBarLight, kBarDark);
}

void CKGPVisualManager2003::DrawTab(CDC* pDC, CRect rectTab, int, BOOL bIsActive, const CKGPBaseTabWnd*)
{
    if (bIsActive) {
        FillSolid(pDC, rectTab, RGB(255, 255, 255));
    } else {
        FillGradient(pDC, rectTab, RGB(255, 255, 255), kBarLight);
    }
    FillSolid(pDC, CRect(rectTab.left, rectTab.top, rectTab.left + 1, rectTab.bottom), kSeparator);
    FillSolid(pDC, CRect(rectTab.left, rectTab.top, rectTab.right, rectTab.top + 1), kSeparator);
    FillSolid(pDC, CRect(rectTab.right - 1, rectTab.top, rectTab.right, rectTab.bottom), kSeparator);
}

// ---- Outlook ----

void CKGPVisualManager2003::FillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted,
                                                  BOOL bIsPressed, COLORREF& clrText)
{
    if (bIsPressed) {
        FillGradient(pDC, rect, kPressedLight, kPressedDark);
    } else if (bIsHighlighted) {
        FillGradient(pDC, rect, kHotLight, kHotDark);
    } else {
        FillGradient(pDC, rect, kBarLight, kBarDark);
    }
    clrText = GetKGPGlobalData().clrBtnText;
}

void CKGPVisualManager2003::DrawOutlookPageButtonBorder(CDC* pDC, CRect& rect, BOOL, BOOL)
{
    FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), RGB(255, 255, 255));
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), kBarBorder);
}

void CKGPVisualManager2003::DrawOutlookSplitter(CDC* pDC, CRect rect)
{
    FillGradient(pDC, rect, kCaptionLight, kCaptionDark);
    DrawBarGripper(pDC, rect, FALSE, nullptr);
}

void CKGPVisualManager2003::FillOutlookCaption(CDC* pDC, CRect rect, COLORREF& clrText)
{
    FillGradient(pDC, rect, kCaptionLight, kCaptionDark);
    clrText = RGB(255, 255, 255);
}

// ---- Tasks pane ----

void CKGPVisualManager2003::FillTasksPaneBackground(CDC* pDC, CRect rect)
{
    FillGradient(pDC, rect, kTasksLight, kTasksDark);
}

void CKGPVisualManager2003::DrawTasksGroupCaption(CDC* pDC, CKGPVisualItem* pGroup, BOOL bIsHighlighted, BOOL,
                                                  BOOL bCanCollapse)
{
    if (pGroup == nullptr) {
        return;
    }
    const CRect rect = pGroup->GetVisualRect();
    FillGradient(pDC, rect, RGB(255, 255, 255), RGB(198, 211, 247), TRUE);
    CRect text = rect;
    text.DeflateRect(GetTasksPaneMetrics().groupCaptionHorzOffset, 0);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(bIsHighlighted ? RGB(66, 142, 255) : kTasksCaptionText);
    {
        const CSelectionScope selected(pDC->m_hDC, GetKGPGlobalData().GetBoldFont());
        const CString label = pGroup->GetVisualText();
        ::DrawTextW(pDC->m_hDC, label, label.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
    if (bCanCollapse) {
        const CRect glyph(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
        DrawGlyph(pDC, pGroup->IsVisualPushed() ? CKGPMenuGlyphs::kArrowDown : CKGPMenuGlyphs::kArrowUp, glyph,
                  kTasksCaptionText);
    }
}

void CKGPVisualManager2003::FillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial)
{
    FillSolid(pDC, rect, bSpecial ? RGB(239, 243, 255) : kTasksGroup);
}

void CKGPVisualManager2003::DrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL, BOOL)
{
    FrameSolid(pDC, rect, RGB(255, 255, 255));
}

// ---- List header ----

void CKGPVisualManager2003::OnFillHeaderCtrlBackground(CKGPHeaderCtrl*, CDC* pDC, CRect rect)
{
    FillGradient(pDC, rect, kHeaderLight, kHeaderDark);
}

void CKGPVisualManager2003::OnDrawHeaderCtrlBorder(CKGPHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                   BOOL bIsHighlighted)
{
    if (bIsPressed) {
        FillGradient(pDC, rect, kHeaderPressed, kHeaderDark);
    } else if (bIsHighlighted) {
        FillGradient(pDC, rect, kHeaderLight, kHeaderHot);
    }
    // A thin separator on the right and a base line: the flat 2003 header.
    FillSolid(pDC, CRect(rect.right - 1, rect.top + 3, rect.right, rect.bottom - 3), kLine);
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), kLine);
}

void CKGPVisualManager2003::OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl*, CDC* pDC, CRect& rectArrow, BOOL bIsUp)
{
    DrawArrowTriangle(pDC, rectArrow, bIsUp, kArrow);
}
