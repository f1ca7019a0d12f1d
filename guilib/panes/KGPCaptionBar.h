// A thin bar a frame docks across its top edge to show a message: an image
// (an icon or the first image of a bitmap strip), a text and a push button
// that sends a command to the owner, each aligned left, right or centred.
#pragma once

#include "guilib/core/KGPToolBarImages.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/panes/KGPCaptionBarLayout.h"

class CKGPCaptionBar : public CKGPControlBar {
    DECLARE_DYNCREATE(CKGPCaptionBar)
public:
    enum BarElement { ELEM_BUTTON, ELEM_TEXT, ELEM_ICON };
    enum BarElementAlignment {
        ALIGN_INVALID = 0,
        ALIGN_LEFT = kgp::caption::kAlignLeft,
        ALIGN_RIGHT = kgp::caption::kAlignRight,
        ALIGN_CENTER = kgp::caption::kAlignCenter,
    };

    CKGPCaptionBar();
    ~CKGPCaptionBar() override;

    // A child bar of the frame along its top edge (nHeight -1: computed).
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    // ---- Base overrides.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void RecalcLayout() override;
    void AdjustHostLayout() override;
    BOOL AllowsInsertBefore() const override { return FALSE; }

    // ---- Elements.
    // A button with this label (empty: none) sending uiCmdUI (0: none);
    // bHasDropDownArrow makes it react to the mouse and show its triangle.
    void SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment btnAlignment = ALIGN_LEFT,
                   BOOL bHasDropDownArrow = TRUE);
    void EnableButton(BOOL bEnable = TRUE);
    void SetButtonPressed(BOOL bPresed = TRUE);
    void RemoveButton();
    // The caller keeps the icon alive while the bar shows it.
    void SetIcon(HICON hIcon, BarElementAlignment iconAlignment = ALIGN_LEFT);
    void RemoveIcon();
    // The bitmap's first image (width and height of the bitmap's height when
    // sizeImage is empty) as the image; stretched from margin to margin.
    void SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch = FALSE,
                   BarElementAlignment bmpAlignment = ALIGN_RIGHT, CSize sizeImage = CSize(0, 0));
    void RemoveBitmap();
    void SetText(const CString& strText, BarElementAlignment textAlignment = ALIGN_RIGHT);
    void RemoveText();
    BarElementAlignment GetAlignment(BarElement elem) const;
    void SetBorderSize(int nSize) { m_nBorderSize = nSize; }
    int GetBorderSize() const { return m_nBorderSize; }
    void SetMargin(int nMargin) { m_nMargin = nMargin; }
    int GetMargin() const { return m_nMargin; }
    void SetFlatBorder(BOOL bFlat = TRUE) { m_bFlatBorder = bFlat; }
    int GetCurrentHeight() const { return m_nCurrentHeight; }
    CRect GetButtonRect() const { return m_rectButton; }
    CRect GetTextRect() const { return m_rectDrawText; }
    CRect GetImageRect() const { return m_rectImage; }
    BOOL IsButtonHighlighted() const { return m_bBtnHighlight; }
    BOOL IsButtonPressed() const { return m_bBtnPressed; }

    COLORREF m_clrBarText = static_cast<COLORREF>(-1);
    COLORREF m_clrBarBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrBarBorder = static_cast<COLORREF>(-1);

protected:
    virtual void OnDrawBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rect);
    virtual void OnDrawText(CDC* pDC, CRect rect, const CString& strText);
    virtual void OnDrawImage(CDC* pDC, CRect rect);
    virtual void OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Lays the elements out in the client area and notes the height.
    void RecalcElements();
    CSize GetImageSize() const;
    void PaintClient();
    void PaintBorders();
    void OnMouseMoveOverButton(UINT nFlags, CPoint point);
    void OnButtonDown(CPoint point);
    void OnButtonUp();
    void OnMouseLeft();
    void RedrawButton();

    HICON m_hIcon = nullptr;
    CKGPToolBarImages m_Bitmap;
    BOOL m_bStretchImage = FALSE;
    int m_nImageAlign = ALIGN_LEFT;
    CRect m_rectImage;
    HFONT m_hFont = nullptr;
    CString m_strText;
    int m_nTextAlign = ALIGN_LEFT;
    CRect m_rectText;
    CRect m_rectDrawText;
    CString m_strBtnText;
    UINT m_uiBtnID = 0;
    int m_nBtnAlign = ALIGN_LEFT;
    CRect m_rectButton;
    BOOL m_bBtnPressed = FALSE;
    BOOL m_bBtnHighlight = FALSE;
    BOOL m_bBtnChecked = FALSE;
    BOOL m_bTracked = FALSE;
    BOOL m_bBtnActive = TRUE;
    int m_nBorderSize = 4;
    int m_nMargin = 4;
    int m_nHorzElementOffset = 4;
    int m_nFixedHeight = -1;
    int m_nCurrentHeight = 0;
    BOOL m_bFlatBorder = FALSE;
};
