// The visual manager: the one object the library's windows ask how to draw
// their backgrounds, borders and glyphs, and a few look-dependent metrics.
// The base class answers neutrally in system colours; derived managers give
// the library other looks. Drawing slots only draw: they never change the
// window or item they are given, and none fails.
#pragma once

#include <afxwin.h>

class CImageList;
class CKGPAppBarWnd;
class CKGPAutoHideButton;
class CKGPBaseControlBar;
class CKGPBaseTabWnd;
class CKGPButton;
class CKGPCaptionBar;
class CKGPDockingControlBar;
class CKGPHeaderCtrl;
class CKGPMiniFrameWnd;
class CKGPPopupMenu;
class CKGPSlider;
class CKGPToolbarButton;
class CKGPToolbarComboBoxButton;
class CKGPVisualItem;

// Button states passed to the button slots.
enum KGPButtonState { KGP_BUTTON_NORMAL = 0, KGP_BUTTON_PRESSED = 1, KGP_BUTTON_HIGHLIGHTED = 2 };

// The tasks pane's default metrics, in the order the pane reads them.
struct KGPTasksPaneMetrics {
    int verticalMargin = 12;
    int horizontalMargin = 12;
    int groupSpacing = 15;
    int groupCaptionHeight = 25;
    int groupCaptionHorzOffset = 13;
    int groupCaptionExtraHeight = 7;
    int tasksHorzOffset = 12;
    int taskIconOffset = 5;
    int taskSpacing = 4;
};

class CKGPVisualManager : public CObject {
    DECLARE_DYNCREATE(CKGPVisualManager)
public:
    CKGPVisualManager();
    ~CKGPVisualManager() override = default;
    CKGPVisualManager(const CKGPVisualManager&) = delete;
    CKGPVisualManager& operator=(const CKGPVisualManager&) = delete;

    // The current manager, made from the default class on first use; never null.
    static CKGPVisualManager* GetInstance();
    // Makes an object of the class (which must derive from CKGPVisualManager and
    // be dynamically creatable) the current manager and repaints the thread's
    // top-level windows. A null class restores the base manager. FALSE (and the
    // current manager kept) for a class that cannot be used.
    static BOOL SetDefaultManager(CRuntimeClass* pManagerClass);
    // Drops the current manager (at exit).
    static void DestroyInstance();

    // Class-wide switch: while 0 docking panes hide their menu caption button.
    static UINT32 s_nCaptionMenuButtonFlag;

    // ---- Bars ----
    virtual void FillBarBackground(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect, CRect rectClip,
                                   BOOL bNCArea = FALSE);
    virtual void DrawSeparator(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect, BOOL bHorz);
    virtual void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CKGPBaseControlBar* pBar);
    virtual void DrawToolbarNcBorder(CDC* pDC, CKGPBaseControlBar* pBar, CRect rect);
    // Called with the bar after it painted; nothing in the base manager.
    virtual void OnToolbarPainted(CDC* /*pDC*/, CKGPBaseControlBar* /*pBar*/) {}
    virtual CSize GetExtraButtonSize() const { return CSize(0, 0); }
    virtual BOOL IsToolbarRoundShape(CKGPBaseControlBar* /*pBar*/) const { return FALSE; }

    // ---- Toolbar buttons ----
    virtual void FillButtonFace(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState);
    virtual void DrawButtonBorder(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState);
    virtual COLORREF GetButtonTextColor(CKGPToolbarButton* pButton, int nState) const;
    virtual BOOL IsShiftPressedImage() const { return TRUE; }
    virtual BOOL IsCommandListFramed() const { return FALSE; }
    // Fills a row of the customisation command list; answers its text colour.
    virtual COLORREF DrawCommandListRow(CDC* pDC, CRect rect, BOOL bSelected);
    virtual void FillCommandList(CDC* pDC, CRect rectClient);
    virtual void DrawCustomizeButtonBorder(CDC* pDC, CKGPToolbarButton* pButton, CRect rect, int nState);
    virtual void DrawMdiCaptionButton(CDC* pDC, CRect rect, UINT nSysCommand, int nState);
    virtual void DrawComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                                CKGPToolbarComboBoxButton* pButton);
    virtual void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHot,
                                     CKGPToolbarComboBoxButton* pButton);
    // FALSE clears the customisation sheet's option bit 0x04.
    virtual BOOL IsSheetOptionAvailable() const { return TRUE; }
    // Image of the customisation sheet's help button.
    virtual UINT GetHelpButtonImage() const { return 16131; }

    BOOL IsShadowHighlightedImage() const { return m_bShadowHighlightedImage; }
    void SetShadowHighlightedImage(BOOL bOn) { m_bShadowHighlightedImage = bOn; }
    BOOL IsFadeInactiveImage() const { return m_bFadeInactiveImage; }
    void SetFadeInactiveImage(BOOL bOn) { m_bFadeInactiveImage = bOn; }
    BOOL GetOptionsLookFlag() const { return m_bOptionsLook; }
    // The caller repaints the main window afterwards.
    virtual void SetOptionsLookFlag(BOOL bOn) { m_bOptionsLook = bOn; }

    // ---- Menus ----
    virtual int GetMenuShadowDepth() const { return 4; }
    // Darkens the bands right of and below rect (minimum and maximum brightness
    // in percent, 100 and 65 by the popups); the screen bits under each band are
    // kept in the bitmaps (taken on first use, restored from afterwards).
    virtual void DrawMenuShadow(CDC* pDC, CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                                CBitmap* pBmpRight, CBitmap* pBmpBottom, BOOL bRTL);
    virtual void DrawPopupBorder(CDC* pDC, CKGPPopupMenu* pMenu, CRect rect);
    virtual int GetPopupMenuBorderSize() const { return 2; }
    virtual int GetMenuBorderSize() const { return 2; }
    virtual int GetPopupMenuGap() const { return 1; }
    virtual int GetMenuImageMargin() const { return 2; }
    virtual void DrawTearOffCaption(CDC* pDC, CRect rect, BOOL bHighlighted);
    virtual void DrawMenuResizeGripper(CDC* pDC, CRect rect, BOOL bBothDirections);
    // State 0 normal, 1 pressed, 2 highlighted.
    virtual void DrawShowAllMenuItems(CDC* pDC, CRect rect, int nState);
    virtual int GetShowAllMenuItemsHeight() const { return 16; }
    virtual void DrawCustomizeListSubMenuArrow(CDC* pDC, CRect rect);
    virtual void FillRarelyUsedMenuBackground(CDC* pDC, CRect rect);
    virtual void DrawMenuCheckFrame(CDC* pDC, CRect rect);

    // ---- Captions and caption buttons ----
    virtual void DrawCaptionBarBorder(CDC* pDC, CKGPCaptionBar* pBar, CRect rect, COLORREF clrBorder, BOOL bFlat);
    virtual COLORREF GetCaptionBarTextColor(CKGPCaptionBar* pBar) const;
    // Fills a docking pane's caption; answers the caption text colour.
    virtual COLORREF DrawPaneCaption(CDC* pDC, CKGPDockingControlBar* pBar, BOOL bActive, CRect rectCaption,
                                     CRect rectButtons);
    virtual int GetPaneCaptionExtraHeight() const { return 0; }
    virtual void DrawCaptionButton(CDC* pDC, CKGPVisualItem* pButton, BOOL bActive, BOOL bHorz, BOOL bMaximized,
                                   BOOL bDisabled, int nImageID = -1);
    virtual CSize GetCaptionButtonExtraSize() const { return CSize(0, 0); }
    // Fills a floating frame's caption; answers the caption text colour.
    virtual COLORREF FillFloatingFrameCaption(CDC* pDC, CRect rectCaption, CKGPMiniFrameWnd* pFrame, BOOL bActive);
    virtual void DrawFloatingFrameBorder(CDC* pDC, CKGPMiniFrameWnd* pFrame, CRect rectBorder, CRect rectBorderSize);
    virtual void DrawFloatingToolbarBorder(CDC* pDC, CKGPBaseControlBar* pBar, CRect rectBorder,
                                           CRect rectBorderSize);

    // ---- Sliders, auto-hide, smart docking ----
    // Alignment: CBRS_ALIGN_LEFT, _RIGHT, _TOP or _BOTTOM of the auto-hide edge.
    virtual void DrawSlider(CDC* pDC, CKGPSlider* pSlider, CRect rect, BOOL bAutoHide, DWORD dwAlignment = 0);
    virtual BOOL UsesAutoHideButtonStyle() const { return FALSE; }
    virtual void FillAutoHideButtonFace(CDC* pDC, CRect rect, CKGPAutoHideButton* pButton);
    virtual void DrawAutoHideButtonFrame(CDC* pDC, CRect rectBounds, CRect rectBorderSize,
                                         CKGPAutoHideButton* pButton);
    virtual COLORREF AutoHideButtonTextColour(CKGPAutoHideButton* pButton) const;
    virtual void GetSmartDockingGroupColors(COLORREF& clrBackground, COLORREF& clrFrame) const;
    virtual COLORREF GetSmartDockingHighlightColor() const;
    // One smart-docking marker (an arrow pointing to the edge, 0 left, 1 right,
    // 2 top, 3 bottom, 4 centre) in rect.
    virtual void DrawSmartDockingMarker(CDC* pDC, CRect rect, int nSide, BOOL bHighlighted);

    // ---- Tabs ----
    virtual void GetTabFrameColors(const CKGPBaseTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                   COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                   COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    // TRUE when it erased; else the tab window fills the face itself.
    virtual BOOL EraseTabsFrame(CDC* pDC, CRect rect, const CKGPBaseTabWnd* pTabWnd);
    virtual void EraseTabsArea(CDC* pDC, CRect rect, const CKGPBaseTabWnd* pTabWnd);
    // The tab's shape; the tab window draws its label and icon over it.
    virtual void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKGPBaseTabWnd* pTabWnd);
    virtual void DrawTabButtonFace(CDC* /*pDC*/, CRect /*rect*/, CKGPButton* /*pButton*/,
                                   CKGPBaseTabWnd* /*pTabWnd*/) {}
    virtual void DrawTabButtonBorder(CDC* /*pDC*/, CRect /*rect*/, CKGPButton* /*pButton*/,
                                     CKGPBaseTabWnd* /*pTabWnd*/) {}
    virtual int GetDockingTabsBorderSize() const { return 3; }
    virtual BOOL IsDockingTabFrameFilled() const { return FALSE; }
    virtual int GetMDITabsBorderSize() const { return 2; }
    // TRUE when it painted an MDI client or print-preview background.
    virtual BOOL EraseMDIClientArea(CDC* /*pDC*/, CRect /*rectClient*/) { return FALSE; }

    // ---- Outlook ----
    virtual void FillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                       COLORREF& clrText);
    virtual void DrawOutlookPageButtonBorder(CDC* pDC, CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed);
    virtual void DrawOutlookSplitter(CDC* pDC, CRect rect);
    virtual void FillOutlookCaption(CDC* pDC, CRect rect, COLORREF& clrText);

    // ---- Tasks pane ----
    virtual void FillTasksPaneBackground(CDC* pDC, CRect rect);
    virtual void DrawTasksGroupCaption(CDC* pDC, CKGPVisualItem* pGroup, BOOL bIsHighlighted, BOOL bSelected,
                                       BOOL bCanCollapse);
    virtual void FillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial);
    virtual void DrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle);
    virtual void DrawTask(CDC* pDC, CKGPVisualItem* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                          BOOL bIsSelected);
    virtual void DrawScrollButtons(CDC* pDC, CRect rect, BOOL bUp, int nGlyph, BOOL bIsHighlighted);
    virtual void DrawTasksPaneFrame(CDC* pDC, CRect rect);
    virtual KGPTasksPaneMetrics GetTasksPaneMetrics() const { return KGPTasksPaneMetrics(); }

    // ---- Frames and application bars ----
    virtual BOOL DrawsFrameCaption() const { return FALSE; }
    // FALSE under desktop composition or without a caption-replacing ribbon.
    virtual BOOL SetFrameRegion(CWnd* pFrame, int nWidth, int nHeight, BOOL bHasCaptionRibbon = FALSE);
    virtual void OnActivateApplication(CWnd* /*pFrame*/, BOOL /*bActive*/) {}
    virtual BOOL PaintFrameNc(CWnd* /*pFrame*/, CObList* /*pCaptionButtons*/, CRect /*rectRedraw*/)
    {
        return FALSE;
    }
    virtual BOOL OnFrameNcActivate(CWnd* /*pFrame*/, BOOL /*bActive*/) { return FALSE; }
    virtual CSize GetFrameCaptionButtonSize() const { return CSize(0, 0); }
    virtual void DrawAppBarBorder(CDC* pDC, CKGPAppBarWnd* pAppBar, CRect rectWindow);
    virtual void DrawAppBarCaption(CDC* pDC, CKGPAppBarWnd* pAppBar, CRect rectCaption, const CString& strCaption);

    // ---- List header ----
    virtual void OnFillHeaderCtrlBackground(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect rect);
    virtual void OnDrawHeaderCtrlBorder(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                        BOOL bIsHighlighted);
    virtual void OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp);
    virtual COLORREF GetHeaderCtrlTextColor(CKGPHeaderCtrl* pCtrl, BOOL bIsPressed, BOOL bIsHighlighted);

protected:
    // A filled triangle pointing up or down, centred in rect.
    static void DrawArrowTriangle(CDC* pDC, const CRect& rect, BOOL bUp, COLORREF colour);
    static void FillSolid(CDC* pDC, const CRect& rect, COLORREF colour);
    static void FrameSolid(CDC* pDC, const CRect& rect, COLORREF colour);
    // A menu glyph centred in rect.
    static void DrawGlyph(CDC* pDC, int nGlyph, const CRect& rect, COLORREF colour);

private:
    BOOL m_bShadowHighlightedImage = FALSE;
    BOOL m_bFadeInactiveImage = FALSE;
    BOOL m_bOptionsLook = FALSE;
};
