#include "guilib/core/KGPVisualManager.h"

#include "guilib/core/KGPDrawManager.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualItem.h"

#include <afxbars.h>
#include <afxcmn.h>

#include <algorithm>
#include <memory>

IMPLEMENT_DYNCREATE(CKGPVisualManager, CObject)

UINT32 CKGPVisualManager::s_nCaptionMenuButtonFlag = 0;

namespace {

std::unique_ptr<CKGPVisualManager>& CurrentManager()
{
    static std::unique_ptr<CKGPVisualManager> manager;
    return manager;
}

BOOL CALLBACK RepaintThreadWindow(HWND hWnd, LPARAM)
{
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

const CKGPGlobalData& Data()
{
    return GetKGPGlobalData();
}

void Raised(CDC* pDC, const CRect& rect)
{
    pDC->Draw3dRect(&rect, Data().clrBtnHilite, Data().clrBtnShadow);
}

void Sunken(CDC* pDC, const CRect& rect)
{
    pDC->Draw3dRect(&rect, Data().clrBtnShadow, Data().clrBtnHilite);
}

void DrawTextIn(CDC* pDC, const CString& text, CRect rect, COLORREF colour, HFONT font, UINT format)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(colour);
    {
        const CSelectionScope selected(pDC->m_hDC, font);
        ::DrawTextW(pDC->m_hDC, text, text.GetLength(), &rect, format);
    }
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
}

} // namespace

CKGPVisualManager::CKGPVisualManager()
{
    s_nCaptionMenuButtonFlag = 0;
}

CKGPVisualManager* CKGPVisualManager::GetInstance()
{
    auto& manager = CurrentManager();
    if (!manager) {
        manager = std::make_unique<CKGPVisualManager>();
    }
    return manager.get();
}

BOOL CKGPVisualManager::SetDefaultManager(CRuntimeClass* pManagerClass)
{
    std::unique_ptr<CKGPVisualManager> created;
    if (pManagerClass == nullptr) {
        created = std::make_unique<CKGPVisualManager>();
    } else {
        if (!pManagerClass->IsDerivedFrom(RUNTIME_CLASS(CKGPVisualManager))) {
            return FALSE;
        }
        CObject* object = pManagerClass->CreateObject();
        if (object == nullptr) {
            return FALSE;
        }
        created.reset(static_cast<CKGPVisualManager*>(object));
    }
    CurrentManager() = std::move(created);
    ::EnumThreadWindows(::GetCurrentThreadId(), RepaintThreadWindow, 0);
    return TRUE;
}

void CKGPVisualManager::DestroyInstance()
{
    CurrentManager().reset();
}

void CKGPVisualManager::FillSolid(CDC* pDC, const CRect& rect, COLORREF colour)
{
    pDC->FillSolidRect(&rect, colour);
}

void CKGPVisualManager::FrameSolid(CDC* pDC, const CRect& rect, COLORREF colour)
{
    pDC->Draw3dRect(&rect, colour, colour);
}

void CKGPVisualManager::DrawGlyph(CDC* pDC, int nGlyph, const CRect& rect, COLORREF colour)
{
    CKGPMenuGlyphs::DrawInColour(pDC, nGlyph, rect, colour);
}

void CKGPVisualManager::DrawArrowTriangle(CDC* pDC, const CRect& rect, BOOL bUp, COLORREF colour)
{
    const int half = std::max(2, std::min(rect.Width(), rect.Height()) / 3);
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    POINT points[3];
    if (bUp) {
        points[0] = {cx - half, cy + half / 2};
        points[1] = {cx + half, cy + half / 2};
        points[2] = {cx, cy - half / 2 - 1};
    } else {
        points[0] = {cx - half, cy - half / 2};
        points[1] = {cx + half, cy - half / 2};
        points[2] = {cx, cy + half / 2 + 1};
    }
    const CGdiHandle<HBRUSH> brush(::CreateSolidBrush(colour));
    const CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    const CSelectionScope brushSelected(pDC->m_hDC, brush.Get());
    const CSelectionScope penSelected(pDC->m_hDC, pen.Get());
    ::Polygon(pDC->m_hDC, points, 3);
}

// ---- Bars ----

void CKGPVisualManager::FillBarBackground(CDC* pDC, CKGPBaseControlBar*, CRect rect, CRect rectClip, BOOL)
{
    if (!rectClip.IsRectEmpty()) {
        rect.IntersectRect(&rect, &rectClip);
    }
    FillSolid(pDC, rect, Data().clrBarFace);
}

void CKGPVisualManager::DrawSeparator(CDC* pDC, CKGPBaseControlBar*, CRect rect, BOOL bHorz)
{
    if (bHorz) {
        const int x = rect.CenterPoint().x;
        FillSolid(pDC, CRect(x - 1, rect.top + 2, x, rect.bottom - 2), Data().clrBtnShadow);
        FillSolid(pDC, CRect(x, rect.top + 2, x + 1, rect.bottom - 2), Data().clrBtnHilite);
    } else {
        const int y = rect.CenterPoint().y;
        FillSolid(pDC, CRect(rect.left + 2, y - 1, rect.right - 2, y), Data().clrBtnShadow);
        FillSolid(pDC, CRect(rect.left + 2, y, rect.right - 2, y + 1), Data().clrBtnHilite);
    }
}

void CKGPVisualManager::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKGPBaseControlBar*)
{
    CRect line = rectGripper;
    if (bHorz) {
        line.left = rectGripper.CenterPoint().x - 1;
        line.right = line.left + 3;
        line.DeflateRect(0, 2);
    } else {
        line.top = rectGripper.CenterPoint().y - 1;
        line.bottom = line.top + 3;
        line.DeflateRect(2, 0);
    }
    Raised(pDC, line);
}

void CKGPVisualManager::DrawToolbarNcBorder(CDC* pDC, CKGPBaseControlBar*, CRect rect)
{
    Raised(pDC, rect);
}

// ---- Toolbar buttons ----

void CKGPVisualManager::FillButtonFace(CDC* pDC, CKGPToolbarButton*, CRect rect, int nState)
{
    if (nState == KGP_BUTTON_PRESSED) {
        FillSolid(pDC, rect, Data().clrBtnLight);
    }
}

void CKGPVisualManager::DrawButtonBorder(CDC* pDC, CKGPToolbarButton*, CRect rect, int nState)
{
    if (nState == KGP_BUTTON_PRESSED) {
        Sunken(pDC, rect);
    } else if (nState == KGP_BUTTON_HIGHLIGHTED) {
        Raised(pDC, rect);
    }
}

COLORREF CKGPVisualManager::GetButtonTextColor(CKGPToolbarButton*, int) const
{
    return Data().clrBtnText;
}

COLORREF CKGPVisualManager::DrawCommandListRow(CDC* pDC, CRect rect, BOOL bSelected)
{
    FillSolid(pDC, rect, bSelected ? Data().clrHilite : Data().clrWindow);
    return bSelected ? Data().clrTextHilite : Data().clrWindowText;
}

void CKGPVisualManager::FillCommandList(CDC* pDC, CRect rectClient)
{
    FillSolid(pDC, rectClient, Data().clrWindow);
}

void CKGPVisualManager::DrawCustomizeButtonBorder(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState)
{
    DrawButtonBorder(pDC, pButton, rect, nState);
}

void CKGPVisualManager::DrawMdiCaptionButton(CDC* pDC, CRect rect, UINT nSysCommand, int nState)
{
    UINT kind = DFCS_CAPTIONCLOSE;
    if (nSysCommand == SC_MINIMIZE) {
        kind = DFCS_CAPTIONMIN;
    } else if (nSysCommand == SC_RESTORE || nSysCommand == SC_MAXIMIZE) {
        kind = DFCS_CAPTIONRESTORE;
    }
    RECT r = rect;
    ::DrawFrameControl(pDC->m_hDC, &r, DFC_CAPTION, kind | (nState == KGP_BUTTON_PRESSED ? DFCS_PUSHED : 0));
}

void CKGPVisualManager::DrawComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL, BOOL,
                                       CKGPToolbarComboBoxButton*)
{
    if (bDisabled) {
        FrameSolid(pDC, rect, Data().clrBtnShadow);
    } else {
        Sunken(pDC, rect);
    }
}

void CKGPVisualManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL,
                                            CKGPToolbarComboBoxButton*)
{
    RECT r = rect;
    ::DrawFrameControl(pDC->m_hDC, &r, DFC_SCROLL,
                       DFCS_SCROLLCOMBOBOX | (bDisabled ? DFCS_INACTIVE : 0) | (bDropped ? DFCS_PUSHED : 0));
}

// ---- Menus ----

void CKGPVisualManager::DrawMenuShadow(CDC* pDC, CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                                       CBitmap* pBmpRight, CBitmap* pBmpBottom, BOOL bRTL)
{
    CKGPDrawManager(*pDC).DrawShadow(rect, nDepth, nMinBrightness, nMaxBrightness, pBmpRight, pBmpBottom, bRTL);
}

void CKGPVisualManager::DrawPopupBorder(CDC* pDC, CKGPPopupMenu*, CRect rect)
{
    pDC->Draw3dRect(&rect, Data().clrBtnLight, Data().clrBtnDkShadow);
    rect.DeflateRect(1, 1);
    Raised(pDC, rect);
}

void CKGPVisualManager::DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bHighlighted)
{
    FillSolid(pDC, rect, bHighlighted ? Data().clrActiveCaption : Data().clrInactiveCaption);
}

void CKGPVisualManager::DrawMenuResizeGripper(CDC* pDC, CRect rect, BOOL bBothDirections)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
    const int size = std::min(rect.Height(), 12);
    const CRect grip = bBothDirections ? CRect(rect.right - size, rect.bottom - size, rect.right, rect.bottom)
                                       : CRect(rect.CenterPoint().x - 8, rect.top + 2, rect.CenterPoint().x + 8,
                                               rect.bottom - 2);
    for (int x = grip.left + 1; x < grip.right - 1; x += 3) {
        for (int y = grip.top + 1; y < grip.bottom - 1; y += 3) {
            if (!bBothDirections || (x - grip.left) + (y - grip.top) >= grip.Width() - 2) {
                FillSolid(pDC, CRect(x, y, x + 2, y + 2), Data().clrBtnShadow);
            }
        }
    }
}

void CKGPVisualManager::DrawShowAllMenuItems(CDC* pDC, CRect rect, int nState)
{
    DrawButtonBorder(pDC, nullptr, rect, nState);
    CRect upper = rect;
    upper.bottom = upper.CenterPoint().y + 1;
    CRect lower = rect;
    lower.top = upper.bottom - 5;
    DrawGlyph(pDC, CKGPMenuGlyphs::kArrowDown, upper, Data().clrBtnText);
    DrawGlyph(pDC, CKGPMenuGlyphs::kArrowDown, lower, Data().clrBtnText);
}

void CKGPVisualManager::DrawCustomizeListSubMenuArrow(CDC* pDC, CRect rect)
{
    DrawGlyph(pDC, CKGPMenuGlyphs::kMoreVertical, rect, Data().clrBtnText);
}

void CKGPVisualManager::FillRarelyUsedMenuBackground(CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, Data().clrBtnLight);
}

void CKGPVisualManager::DrawMenuCheckFrame(CDC* pDC, CRect rect)
{
    Sunken(pDC, rect);
}

// ---- Captions ----

void CKGPVisualManager::DrawCaptionBarBorder(CDC* pDC, CKGPCaptionBar*, CRect rect, COLORREF clrBorder, BOOL bFlat)
{
    const bool given = clrBorder != static_cast<COLORREF>(-1);
    const COLORREF top = given ? clrBorder : bFlat ? Data().clrBtnShadow : Data().clrBtnHilite;
    const COLORREF bottom = given ? clrBorder : Data().clrBtnShadow;
    FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), top);
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottom);
}

COLORREF CKGPVisualManager::GetCaptionBarTextColor(CKGPCaptionBar*) const
{
    return Data().clrBtnText;
}

COLORREF CKGPVisualManager::DrawPaneCaption(CDC* pDC, CKGPDockingControlBar*, BOOL bActive, CRect rectCaption, CRect)
{
    FillSolid(pDC, rectCaption, bActive ? Data().clrActiveCaption : Data().clrInactiveCaption);
    return bActive ? Data().clrCaptionText : Data().clrInactiveCaptionText;
}

void CKGPVisualManager::DrawCaptionButton(CDC* pDC, CKGPVisualItem* pButton, BOOL bActive, BOOL, BOOL,
                                          BOOL bDisabled, int nImageID)
{
    if (pButton == nullptr) {
        return;
    }
    const CRect rect = pButton->GetVisualRect();
    if (!bDisabled && pButton->IsVisualPushed()) {
        Sunken(pDC, rect);
    } else if (!bDisabled && pButton->IsVisualFocused()) {
        Raised(pDC, rect);
    }
    const int glyph = nImageID != -1 ? nImageID : pButton->GetVisualGlyph();
    const COLORREF colour = bDisabled ? Data().clrGrayText : bActive ? Data().clrCaptionText : Data().clrBtnText;
    DrawGlyph(pDC, glyph, rect, colour);
}

COLORREF CKGPVisualManager::FillFloatingFrameCaption(CDC* pDC, CRect rectCaption, CKGPMiniFrameWnd*, BOOL bActive)
{
    return DrawPaneCaption(pDC, nullptr, bActive, rectCaption, CRect());
}

void CKGPVisualManager::DrawFloatingFrameBorder(CDC* pDC, CKGPMiniFrameWnd*, CRect rectBorder, CRect rectBorderSize)
{
    CRect inner = rectBorder;
    inner.DeflateRect(rectBorderSize.left, rectBorderSize.top, rectBorderSize.right, rectBorderSize.bottom);
    const int saved = pDC->SaveDC();
    pDC->ExcludeClipRect(&inner);
    FillSolid(pDC, rectBorder, Data().clrBtnFace);
    pDC->RestoreDC(saved);
    RECT edge = rectBorder;
    ::DrawEdge(pDC->m_hDC, &edge, EDGE_RAISED, BF_RECT);
}

void CKGPVisualManager::DrawFloatingToolbarBorder(CDC* pDC, CKGPBaseControlBar*, CRect rectBorder,
                                                  CRect rectBorderSize)
{
    DrawFloatingFrameBorder(pDC, nullptr, rectBorder, rectBorderSize);
}

// ---- Sliders, auto-hide, smart docking ----

void CKGPVisualManager::DrawSlider(CDC* pDC, CKGPSlider*, CRect rect, BOOL bAutoHide, DWORD dwAlignment)
{
    FillBarBackground(pDC, nullptr, rect, rect);
    if (!bAutoHide) {
        return;
    }
    CRect line = rect;
    COLORREF colour = Data().clrBtnShadow;
    if (dwAlignment & CBRS_ALIGN_LEFT) {
        line.right = line.left + 1;
        colour = Data().clrBtnHilite;
    } else if (dwAlignment & CBRS_ALIGN_RIGHT) {
        line.left = line.right - 1;
    } else if (dwAlignment & CBRS_ALIGN_TOP) {
        line.bottom = line.top + 1;
        colour = Data().clrBtnHilite;
    } else {
        line.top = line.bottom - 1;
    }
    FillSolid(pDC, line, colour);
}

void CKGPVisualManager::FillAutoHideButtonFace(CDC* pDC, CRect rect, CKGPAutoHideButton*)
{
    FillSolid(pDC, rect, Data().clrBarFace);
}

void CKGPVisualManager::DrawAutoHideButtonFrame(CDC* pDC, CRect rectBounds, CRect, CKGPAutoHideButton*)
{
    FrameSolid(pDC, rectBounds, Data().clrBtnShadow);
}

COLORREF CKGPVisualManager::AutoHideButtonTextColour(CKGPAutoHideButton*) const
{
    return Data().clrBtnText;
}

void CKGPVisualManager::GetSmartDockingGroupColors(COLORREF& clrBackground, COLORREF& clrFrame) const
{
    clrBackground = Data().clrBtnFace;
    clrFrame = Data().clrBtnShadow;
}

COLORREF CKGPVisualManager::GetSmartDockingHighlightColor() const
{
    return Data().clrActiveCaption;
}

void CKGPVisualManager::DrawSmartDockingMarker(CDC* pDC, CRect rect, int nSide, BOOL bHighlighted)
{
    COLORREF background = 0;
    COLORREF frame = 0;
    GetSmartDockingGroupColors(background, frame);
    FillSolid(pDC, rect, bHighlighted ? GetSmartDockingHighlightColor() : background);
    FrameSolid(pDC, rect, frame);
    static constexpr int kSideGlyphs[] = {CKGPMenuGlyphs::kScrollLeft, CKGPMenuGlyphs::kScrollRight,
                                          CKGPMenuGlyphs::kScrollUp, CKGPMenuGlyphs::kArrowDown};
    if (nSide >= 0 && nSide < 4) {
        DrawGlyph(pDC, kSideGlyphs[nSide], rect, frame);
    } else {
        CRect centre = rect;
        centre.DeflateRect(rect.Width() / 3, rect.Height() / 3);
        FrameSolid(pDC, centre, frame);
    }
}

// ---- Tabs ----

void CKGPVisualManager::GetTabFrameColors(const CKGPBaseTabWnd*, COLORREF& clrDark, COLORREF& clrBlack,
                                          COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                          COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    clrDark = Data().clrBtnShadow;
    clrBlack = Data().clrBtnDkShadow;
    clrHighlight = Data().clrBtnHilite;
    clrFace = Data().clrBtnFace;
    clrDarkShadow = Data().clrBtnDkShadow;
    clrLight = Data().clrBtnLight;
    pbrFace = CBrush::FromHandle(Data().GetBtnFaceBrush());
    pbrBlack = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

BOOL CKGPVisualManager::EraseTabsFrame(CDC*, CRect, const CKGPBaseTabWnd*)
{
    return FALSE;
}

void CKGPVisualManager::EraseTabsArea(CDC* pDC, CRect rect, const CKGPBaseTabWnd*)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
}

void CKGPVisualManager::DrawTab(CDC* pDC, CRect rectTab, int, BOOL bIsActive, const CKGPBaseTabWnd*)
{
    FillSolid(pDC, rectTab, bIsActive ? Data().clrWindow : Data().clrBtnFace);
    FillSolid(pDC, CRect(rectTab.left, rectTab.top, rectTab.left + 1, rectTab.bottom), Data().clrBtnHilite);
    FillSolid(pDC, CRect(rectTab.left, rectTab.top, rectTab.right, rectTab.top + 1), Data().clrBtnHilite);
    FillSolid(pDC, CRect(rectTab.right - 1, rectTab.top, rectTab.right, rectTab.bottom), Data().clrBtnDkShadow);
}

// ---- Outlook ----

void CKGPVisualManager::FillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL, BOOL, COLORREF& clrText)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
    clrText = Data().clrBtnText;
}

void CKGPVisualManager::DrawOutlookPageButtonBorder(CDC* pDC, CRect& rect, BOOL, BOOL bIsPressed)
{
    if (bIsPressed) {
        Sunken(pDC, rect);
    } else {
        Raised(pDC, rect);
    }
}

void CKGPVisualManager::DrawOutlookSplitter(CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
    Raised(pDC, rect);
}

void CKGPVisualManager::FillOutlookCaption(CDC* pDC, CRect rect, COLORREF& clrText)
{
    FillSolid(pDC, rect, Data().clrBtnShadow);
    clrText = Data().clrBtnHilite;
}

// ---- Tasks pane ----

void CKGPVisualManager::FillTasksPaneBackground(CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, Data().clrWindow);
}

void CKGPVisualManager::DrawTasksGroupCaption(CDC* pDC, CKGPVisualItem* pGroup, BOOL bIsHighlighted, BOOL,
                                              BOOL bCanCollapse)
{
    if (pGroup == nullptr) {
        return;
    }
    CRect rect = pGroup->GetVisualRect();
    FillSolid(pDC, rect, Data().clrBtnFace);
    const COLORREF text = bIsHighlighted ? Data().clrHilite : Data().clrBtnText;
    CRect textRect = rect;
    textRect.DeflateRect(GetTasksPaneMetrics().groupCaptionHorzOffset, 0);
    DrawTextIn(pDC, pGroup->GetVisualText(), textRect, text, Data().GetBoldFont(),
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (bCanCollapse) {
        const CRect glyph(rect.right - rect.Height(), rect.top, rect.right, rect.bottom);
        DrawGlyph(pDC, pGroup->IsVisualPushed() ? CKGPMenuGlyphs::kArrowDown : CKGPMenuGlyphs::kArrowUp, glyph, text);
    }
}

void CKGPVisualManager::FillTasksGroupInterior(CDC* pDC, CRect rect, BOOL)
{
    FillSolid(pDC, rect, Data().clrWindow);
}

void CKGPVisualManager::DrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL, BOOL)
{
    FrameSolid(pDC, rect, Data().clrBtnShadow);
}

void CKGPVisualManager::DrawTask(CDC* pDC, CKGPVisualItem* pTask, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    if (pTask == nullptr) {
        return;
    }
    CRect rect = pTask->GetVisualRect();
    const int icon = pTask->GetVisualGlyph();
    if (pIcons != nullptr && pIcons->GetSafeHandle() != nullptr && icon >= 0) {
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(pIcons->GetSafeHandle(), &cx, &cy);
        ::ImageList_Draw(pIcons->GetSafeHandle(), icon, pDC->m_hDC, rect.left, rect.top + (rect.Height() - cy) / 2,
                         ILD_TRANSPARENT);
        rect.left += cx + GetTasksPaneMetrics().taskIconOffset;
    }
    DrawTextIn(pDC, pTask->GetVisualText(), rect, bIsHighlighted ? Data().clrHilite : Data().clrWindowText,
               bIsHighlighted ? Data().GetUnderlineFont() : Data().GetRegularFont(),
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CKGPVisualManager::DrawScrollButtons(CDC* pDC, CRect rect, BOOL, int nGlyph, BOOL bIsHighlighted)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
    if (bIsHighlighted) {
        Raised(pDC, rect);
    }
    DrawGlyph(pDC, nGlyph, rect, Data().clrBtnText);
}

void CKGPVisualManager::DrawTasksPaneFrame(CDC* pDC, CRect rect)
{
    FrameSolid(pDC, rect, Data().clrBtnShadow);
}

// ---- Frames and application bars ----

BOOL CKGPVisualManager::SetFrameRegion(CWnd* pFrame, int nWidth, int nHeight, BOOL bHasCaptionRibbon)
{
    if (pFrame == nullptr || pFrame->m_hWnd == nullptr || GetKGPGlobalData().IsDwmCompositionEnabled() ||
        !bHasCaptionRibbon) {
        return FALSE;
    }
    CGdiHandle<HRGN> region(::CreateRectRgn(0, 0, nWidth, nHeight));
    const CGdiHandle<HRGN> corner(::CreateRectRgn(0, 0, 5, 5));
    ::CombineRgn(region.Get(), region.Get(), corner.Get(), RGN_DIFF);
    ::SetRectRgn(corner.Get(), nWidth - 5, 0, nWidth, 5);
    ::CombineRgn(region.Get(), region.Get(), corner.Get(), RGN_DIFF);
    const CGdiHandle<HRGN> left(::CreateEllipticRgn(0, 0, 11, 11));
    const CGdiHandle<HRGN> right(::CreateEllipticRgn(nWidth - 11, 0, nWidth, 11));
    ::CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
    ::CombineRgn(region.Get(), region.Get(), right.Get(), RGN_OR);
    if (::SetWindowRgn(pFrame->m_hWnd, region.Get(), TRUE))
        static_cast<void>(region.Detach());  // the window owns the region now
    return TRUE;
}

void CKGPVisualManager::DrawAppBarBorder(CDC* pDC, CKGPAppBarWnd*, CRect rectWindow)
{
    RECT edge = rectWindow;
    ::DrawEdge(pDC->m_hDC, &edge, EDGE_RAISED, BF_RECT);
}

void CKGPVisualManager::DrawAppBarCaption(CDC* pDC, CKGPAppBarWnd*, CRect rectCaption, const CString& strCaption)
{
    FillSolid(pDC, rectCaption, Data().clrActiveCaption);
    CRect text = rectCaption;
    text.DeflateRect(2, 0);
    DrawTextIn(pDC, strCaption, text, Data().clrCaptionText, Data().GetBoldFont(),
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

// ---- List header ----

void CKGPVisualManager::OnFillHeaderCtrlBackground(CKGPHeaderCtrl*, CDC* pDC, CRect rect)
{
    FillSolid(pDC, rect, Data().clrBtnFace);
}

void CKGPVisualManager::OnDrawHeaderCtrlBorder(CKGPHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL)
{
    RECT edge = rect;
    ::DrawEdge(pDC->m_hDC, &edge, bIsPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CKGPVisualManager::OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl*, CDC* pDC, CRect& rectArrow, BOOL bIsUp)
{
    DrawArrowTriangle(pDC, rectArrow, bIsUp, Data().clrBtnShadow);
}

COLORREF CKGPVisualManager::GetHeaderCtrlTextColor(CKGPHeaderCtrl*, BOOL, BOOL)
{
    return Data().clrBtnText;
}
