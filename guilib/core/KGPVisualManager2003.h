// The 2003 look: soft blue-grey gradients for bars and list headers.
#pragma once

#include "guilib/core/KGPVisualManager.h"

class CKGPVisualManager2003 : public CKGPVisualManager {
    DECLARE_DYNCREATE(CKGPVisualManager2003)
public:
    CKGPVisualManager2003() = default;
    ~CKGPVisualManager2003() override = default;

    void OnFillBarBackground(CDC* pDC, CWnd* pBar, CRect rectClient) override;
    void OnFillHeaderCtrlBackground(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect rect) override;
    void OnDrawHeaderCtrlBorder(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                BOOL bIsHighlighted) override;
    void OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp) override;

    // Gradient ends of the look.
    static constexpr COLORREF kBarLight = RGB(227, 239, 255);
    static constexpr COLORREF kBarDark = RGB(175, 210, 255);
    static constexpr COLORREF kHeaderLight = RGB(252, 252, 254);
    static constexpr COLORREF kHeaderDark = RGB(218, 228, 242);
    static constexpr COLORREF kHeaderPressed = RGB(196, 212, 236);
    static constexpr COLORREF kHeaderHot = RGB(255, 231, 162);
    static constexpr COLORREF kLine = RGB(140, 160, 190);
    static constexpr COLORREF kArrow = RGB(70, 90, 130);

private:
    static void FillVerticalGradient(CDC* pDC, const CRect& rect, COLORREF top, COLORREF bottom);
};
