#include "guilib/core/KGPVisualManager2003.h"

IMPLEMENT_DYNCREATE(CKGPVisualManager2003, CKGPVisualManager)

void CKGPVisualManager2003::FillVerticalGradient(CDC* pDC, const CRect& rect, COLORREF top, COLORREF bottom)
{
    const int height = rect.Height();
    if (height <= 0 || rect.Width() <= 0) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        const int w = height > 1 ? (y * 255) / (height - 1) : 0;
        const COLORREF colour = RGB((GetRValue(top) * (255 - w) + GetRValue(bottom) * w) / 255,
                                    (GetGValue(top) * (255 - w) + GetGValue(bottom) * w) / 255,
                                    (GetBValue(top) * (255 - w) + GetBValue(bottom) * w) / 255);
        FillSolid(pDC, CRect(rect.left, rect.top + y, rect.right, rect.top + y + 1), colour);
    }
}

void CKGPVisualManager2003::OnFillBarBackground(CDC* pDC, CWnd*, CRect rectClient)
{
    FillVerticalGradient(pDC, rectClient, kBarLight, kBarDark);
}

void CKGPVisualManager2003::OnFillHeaderCtrlBackground(CKGPHeaderCtrl*, CDC* pDC, CRect rect)
{
    FillVerticalGradient(pDC, rect, kHeaderLight, kHeaderDark);
}

void CKGPVisualManager2003::OnDrawHeaderCtrlBorder(CKGPHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                   BOOL bIsHighlighted)
{
    if (bIsPressed) {
        FillVerticalGradient(pDC, rect, kHeaderPressed, kHeaderDark);
    } else if (bIsHighlighted) {
        FillVerticalGradient(pDC, rect, kHeaderLight, kHeaderHot);
    }
    // A thin separator on the right and a base line: the flat 2003 header.
    FillSolid(pDC, CRect(rect.right - 1, rect.top + 3, rect.right, rect.bottom - 3), kLine);
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), kLine);
}

void CKGPVisualManager2003::OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl*, CDC* pDC, CRect& rectArrow, BOOL bIsUp)
{
    DrawArrowTriangle(pDC, rectArrow, bIsUp, kArrow);
}
