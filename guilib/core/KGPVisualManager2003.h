// The 2003 look: soft blue gradients for bars, headers, captions, tabs and
// panes; orange gradients for hot and pressed buttons; flat menus with a
// shaded image margin and a soft shadow.
#pragma once

#include "guilib/core/KGPVisualManager.h"

class CKGPVisualManager2003 : public CKGPVisualManager {
    DECLARE_DYNCREATE(CKGPVisualManager2003)
public:
    CKGPVisualManager2003() = default;
    ~CKGPVisualManager2003() override = default;

    // Bars.
    void FillBarBackground(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect, CRect rectClip,
                           BOOL bNCArea = FALSE) override;
    void DrawSeparator(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect, BOOL bHorz) override;
    void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKGPBaseControlBar* pBar) override;
    void DrawToolbarNcBorder(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect) override;
    BOOL IsToolbarRoundShape(CKGPBaseControlBar* /*pBar*/) const override { return TRUE; }

    // Buttons.
    void FillButtonFace(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState) override;
    void DrawButtonBorder(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState) override;
    BOOL IsShiftPressedImage() const override { return FALSE; }
    BOOL IsCommandListFramed() const override { return TRUE; }
    COLORREF DrawCommandListRow(CDC* pDC, CRect rect, BOOL bSelected) override;
    void DrawComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                        CKGPToolbarComboBoxButton* pButton) override;
    void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                             CKGPToolbarComboBoxButton* pButton) override;
    UINT GetHelpButtonImage() const override { return 17067; }

    // Menus.
    void DrawPopupBorder(CDC* pDC, CKGPPopupMenu* pMenu, CRect rect) override;
    int GetPopupMenuBorderSize() const override { return 1; }
    void DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bHighlighted) override;
    void FillRarelyUsedMenuBackground(CDC* pDC, CRect rect) override;
    void DrawMenuCheckFrame(CDC* pDC, CRect rect) override;

    // Captions.
    void DrawCaptionBarBorder(CDC* pDC, CKGPCaptionBar* pBar, CRect rect, COLORREF clrBorder, BOOL bFlat) override;
    COLORREF DrawPaneCaption(CDC* pDC, CKGPDockingControlBar* pBar, BOOL bActive, CRect rectCaption,
                             CRect rectButtons) override;
    void DrawCaptionButton(CDC* pDC, CKGPVisualItem* pButton, BOOL bActive, BOOL bHorz, BOOL bMaximized,
                           BOOL bDisabled, int nImageID = -1) override;
    COLORREF FillFloatingFrameCaption(CDC* pDC, CRect rectCaption, CKGPMiniFrameWnd* pFrame, BOOL bActive) override;
    void DrawFloatingFrameBorder(CDC* pDC, CKGPMiniFrameWnd* pFrame, CRect rectBorder,
                                 CRect rectBorderSize) override;

    // Auto-hide and smart docking.
    BOOL UsesAutoHideButtonStyle() const override { return TRUE; }
    void FillAutoHideButtonFace(CDC* pDC, CRect rect, CKGPAutoHideButton* pButton) override;
    void DrawAutoHideButtonFrame(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                 CKGPAutoHideButton* pButton) override;
    void GetSmartDockingGroupColors(COLORREF& clrBackground, COLORREF& clrFrame) const override;

    // Tabs.
    void GetTabFrameColors(const CKGPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                           COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow, COLORREF& clrLight,
                           CBrush*& pbrFace, CBrush*& pbrBlack) override;
    void EraseTabsArea(CDC* pDC, CRect rect, const CKGPBaseTabWnd* pTabWnd) override;
    void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKGPBaseTabWnd* pTabWnd) override;

    // Outlook.
    void FillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                               COLORREF& clrText) override;
    void DrawOutlookPageButtonBorder(CDC* pDC, CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed) override;
    void DrawOutlookSplitter(CDC* pDC, CRect rect) override;
    void FillOutlookCaption(CDC* pDC, CRect rect, COLORREF& clrText) override;

    // Tasks pane.
    void FillTasksPaneBackground(CDC* pDC, CRect rect) override;
    void DrawTasksGroupCaption(CDC* pDC, CKGPVisualItem* pGroup, BOOL bIsHighlighted, BOOL bSelected,
                               BOOL bCanCollapse) override;
    void FillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial) override;
    void DrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle) override;

    // List header.
    void OnFillHeaderCtrlBackground(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect rect) override;
    void OnDrawHeaderCtrlBorder(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                BOOL bIsHighlighted) override;
    void OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp) override;

    // Colours of the look.
    static constexpr COLORREF kBarLight = RGB(227, 239, 255);
    static constexpr COLORREF kBarDark = RGB(175, 210, 255);
    static constexpr COLORREF kBarBorder = RGB(59, 97, 156);
    static constexpr COLORREF kGripper = RGB(39, 65, 118);
    static constexpr COLORREF kSeparator = RGB(106, 140, 203);
    static constexpr COLORREF kHotLight = RGB(255, 244, 204);
    static constexpr COLORREF kHotDark = RGB(255, 208, 145);
    static constexpr COLORREF kPressedLight = RGB(254, 145, 78);
    static constexpr COLORREF kPressedDark = RGB(255, 211, 142);
    static constexpr COLORREF kButtonBorder = RGB(0, 0, 128);
    static constexpr COLORREF kMenuBorder = RGB(0, 45, 150);
    static constexpr COLORREF kMenuRarely = RGB(214, 227, 255);
    static constexpr COLORREF kCaptionLight = RGB(89, 135, 214);
    static constexpr COLORREF kCaptionDark = RGB(0, 45, 150);
    static constexpr COLORREF kTasksLight = RGB(123, 162, 231);
    static constexpr COLORREF kTasksDark = RGB(99, 117, 214);
    static constexpr COLORREF kTasksGroup = RGB(214, 223, 247);
    static constexpr COLORREF kTasksCaptionText = RGB(33, 93, 198);
    static constexpr COLORREF kHeaderLight = RGB(252, 252, 254);
    static constexpr COLORREF kHeaderDark = RGB(218, 228, 242);
    static constexpr COLORREF kHeaderPressed = RGB(196, 212, 236);
    static constexpr COLORREF kHeaderHot = RGB(255, 231, 162);
    static constexpr COLORREF kLine = RGB(140, 160, 190);
    static constexpr COLORREF kArrow = RGB(70, 90, 130);

private:
    static void FillGradient(CDC* pDC, const CRect& rect, COLORREF start, COLORREF end, BOOL bHorz = FALSE);

    CBrush m_brTabFace;
    CBrush m_brTabBlack;
};
