// One page of an outlook bar: a column of large shortcut buttons stacked from
// the top and centred, over a plain colour or a tiled picture, scrolled by
// two small arrow buttons in its right corners when there is more above or
// below. All pages share one strip of button images. A page remembers the
// buttons the program gave it and can go back to them.
#pragma once

#include "guilib/controls/KGPButton.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookMath.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <vector>


class CKGPOutlookBarPane : public CKGPToolBar {
    DECLARE_SERIAL(CKGPOutlookBarPane)
public:
    CKGPOutlookBarPane();
    ~CKGPOutlookBarPane() override;
    // A page of its outlook bar, not a bar of the frame's.
    BOOL ShowsOnToolbarsList() const override { return FALSE; }

    // The toolbar's window, then the control-bar style kept.
    virtual BOOL CreatePane(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
                            UINT uiID = static_cast<UINT>(-1), DWORD dwControlBarStyle = 0);
    // Tiles the background picture from the rectangle's corner, or fills the
    // background colour.
    virtual void FillBackground(CDC* pDC, CRect rectFill);

    // ---- Buttons.
    BOOL AddButton(int iImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1);
    // An icon becomes an image of the shared strip first (drawn over the
    // background colour unless bAlphaBlend).
    BOOL AddIconButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt = -1, BOOL bAlphaBlend = FALSE);
    // Adds a picture to the strip all pages share; the first one sets the
    // image size. The new image's index, -1 when it was not added.
    static int AddBitmapImage(HBITMAP hBitmap);
    static CKGPToolBarImages& GetSharedImages() { return s_images; }
    static CSize GetSharedImageSize() { return s_sizeImage; }
    // The shared image whose pixels are those of the probe's first image
    // (a strip of the shared size), or -1.
    static int FindSharedImage(const CKGPToolBarImages& probe);
    // Empties the shared strip (the next image sets the size again).
    static void ClearSharedImages();
    void RemoveAllButtons() override;

    // The buttons as they stand become the page's default buttons.
    void SetDefaultState();
    BOOL HasDefaultButtons() const { return !m_lstDefaultButtons.IsEmpty(); }
    int GetDefaultButtonsCount() const { return static_cast<int>(m_lstDefaultButtons.GetCount()); }
    // Fresh copies of the default buttons replace the buttons; FALSE without defaults.
    BOOL RestoreDefaultButtons();
    // Loads the page; a stored list that no longer matches the defaults
    // gives way to them.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    // TRUE (and the defaults restored) when the buttons differ from the defaults.
    BOOL ResetIfDefaultsChanged();

    // ---- Background.
    // Loads a bitmap resource tiled behind the buttons (0: none; a bitmap
    // that does not load leaves none).
    void SetBackImage(UINT uiImageID);
    UINT GetBackImageID() const { return m_uiBackImageId; }
    BOOL HasBackImage() const { return m_uiBackImageId != 0; }
    void SetBackColor(COLORREF color) { m_clrBackColor = color; }
    COLORREF GetBackColor() const { return m_clrBackColor; }
    void SetTextColor(COLORREF color) { m_clrRegText = color; }
    COLORREF GetTextColor() const { return m_clrRegText; }
    void SetTransparentColor(COLORREF color) { m_clrTransparentColor = color; }

    // ---- Scrolling.
    void ScrollUp();
    void ScrollDown();
    void ScrollPageUp();
    void ScrollPageDown();
    BOOL IsScrollUpAvailable() const { return m_iFirstVisibleButton > 0 && m_iScrollOffset > 0; }
    BOOL IsScrollDownAvailable() const { return m_bScrollDown; }
    int GetScrollOffset() const { return m_iScrollOffset; }
    int GetFirstVisibleButton() const { return m_iFirstVisibleButton; }
    void EnablePageScrollMode(BOOL bPageScroll = TRUE) { m_bPageScrollMode = bPageScroll; }
    void SetExtraSpace(int nSpace) { m_nExtraSpace = nSpace; }
    int GetExtraSpace() const { return m_nExtraSpace; }
    // Resizes only re-place the buttons (the outlook window's locate-only layout).
    void SetDontAdjustLayout(BOOL bDont) { m_bDontAdjustLayout = bDont; }
    CKGPButton& GetScrollUpButton() { return m_btnUp; }
    CKGPButton& GetScrollDownButton() { return m_btnDown; }

    // ---- Moving between outlook bars.
    // The outlook bar the pane belongs to (its parent, or the parent's parent).
    CKGPOutlookBar* GetParentOutlookBar() const;
    // Becomes the last page of the bar (null: the bar it was dragged out of),
    // made active; FALSE unless the target is an outlook bar.
    BOOL AttachToOutlookBar(CWnd* pTarget);
    // The outlook bar under a screen point, null when none; the window
    // hExclude (a floating frame being dragged) and what it holds are looked
    // through.
    static CKGPOutlookBar* FindOutlookBarAt(CPoint ptScreen, HWND hExclude = nullptr);
    // The outlook bar the page was last floated out of, null when none.
    CKGPOutlookBar* GetRecentOutlookBar() const { return m_recentOutlookBar.Get(); }
    // Floating out of an outlook bar, the page remembers the bar.
    BOOL OnBeforeFloat(CRect& rect, KGPDockMethod method) override;
    // Dropped over an outlook bar, the page joins it.
    BOOL OnFloatingDrop(CPoint ptScreen) override;
    // Esc or a double-click on its floating frame: back to the bar it came from.
    BOOL ReturnToRecentHost() override;

    // ---- Toolbar behaviour the page changes.
    DWORD GetCurrentAlignment() const override;
    BOOL WantsExtraButtonSize() const override { return TRUE; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void AdjustLocations() override;
    void DoPaint(CDC* pDC) override;
    CKGPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    BOOL DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    BOOL EnableContextMenuItems(CKGPToolbarButton* pButton, CMenu* pPopup) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The layout's input as it stands (the buttons' wanted sizes measured
    // once per set of buttons, width, labels and image size).
    kgp::outlook::PaneInput LayoutInput();
    int InsertButton(std::unique_ptr<CKGPToolbarButton> pButton, int iInsertAt = -1) override;
    BOOL RemoveButton(int iIndex) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnSysColorChange();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    // A step the arrows and their timers take: single or a page.
    void StepUp();
    void StepDown();
    void RelayoutAndRepaint();
    // The icon drawn over the background colour in a bitmap of its size.
    CGdiHandle<HBITMAP> IconOnBackground(HICON hIcon, CSize size) const;
    BOOL IsOverButton(const CKGPButton& button, CPoint ptScreen) const;

    COLORREF m_clrRegText = static_cast<COLORREF>(-1);
    COLORREF m_clrTransparentColor = RGB(255, 0, 255);
    COLORREF m_clrBackColor;
    CKGPToolBarImages m_Images; // the background picture
    UINT m_uiBackImageId = 0;
    CKGPButton m_btnUp;
    CKGPButton m_btnDown;
    int m_iScrollOffset = 0;
    int m_iFirstVisibleButton = 0;
    BOOL m_bScrollDown = FALSE;
    BOOL m_bDrawShadedHighlight = FALSE;
    int m_nExtraSpace = 0;
    CKGPOutlookPageHome m_recentOutlookBar; // the bar it was last floated out of
    BOOL m_bDontAdjustLayout = FALSE;
    BOOL m_bPageScrollMode = FALSE;
    CKGPToolbarButtonList m_lstDefaultButtons;

    // The buttons' measured sizes and what they were measured for.
    struct MeasuredSizes {
        std::vector<int> widths;
        std::vector<int> heights;
        int clientWidth = -1;
        CSize image{-1, -1};
        BOOL bLabels = FALSE;
        BOOL bValid = FALSE;
    };
    MeasuredSizes m_measured;

    static CKGPToolBarImages s_images;
    static CSize s_sizeImage;
    // A hash of each shared image's pixels, in strip order.
    static std::vector<std::size_t> s_imageHashes;

    static constexpr UINT_PTR kTimerUp = 1;
    static constexpr UINT_PTR kTimerDown = 2;
    static constexpr UINT kScrollDelay = 200;
};
