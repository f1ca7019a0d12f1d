// The tab window of an outlook bar: a full-width button per page instead of a
// strip of tabs, the buttons of the pages up to the active one at the top,
// the others at the bottom and the active page between them. In the compact
// mode the active page's name stands at the top, the page buttons stack at
// the bottom under a splitter the user drags for more or fewer of them, and
// the pages that do not fit become icon buttons on a toolbar along the
// bottom edge, whose customise button offers more, fewer and an options
// dialog that orders and hides pages.
#pragma once

#include "guilib/controls/KGPButton.h"
#include "guilib/panes/KGPOutlookMath.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <map>

class CKGPOutlookWnd;
class CKGPOutlookBar;

// Commands of the outlook window.
constexpr UINT KGP_OUTLOOK_SHOW_MORE = 61952;
constexpr UINT KGP_OUTLOOK_SHOW_FEWER = 61953;
constexpr UINT KGP_OUTLOOK_OPTIONS = 61954;
constexpr UINT KGP_OUTLOOK_FIRST_PAGE_BUTTON = 61955;

// The compact mode's bottom toolbar: one check button per page that did not
// fit, the customise button at the right.
class CKGPOutlookBarToolBar : public CKGPToolBar {
    DECLARE_DYNAMIC(CKGPOutlookBarToolBar)
public:
    explicit CKGPOutlookBarToolBar(CKGPOutlookWnd* pParentBar = nullptr) : m_pParentBar(pParentBar) {}
    BOOL ShowsOnToolbarsList() const override { return FALSE; }

    void SetParentBar(CKGPOutlookWnd* pParentBar) { m_pParentBar = pParentBar; }
    // The page a button stands for (-1 when none).
    int PageOfButton(int iButton) const;
    void MapButton(int iButton, int iPage) { m_TabButtons[iButton] = iPage; }
    void ClearButtonMap() { m_TabButtons.clear(); }
    void AdjustLocations() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    void OnCustomizeMode(BOOL bSet) override;

    // The button size the layout uses: the image size and (10, 14).
    CSize ButtonSize() const;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CKGPOutlookWnd* m_pParentBar;
    std::map<int, int> m_TabButtons;
};

// A page-scroll arrow, drawn like a page button.
class CKGPOutlookSrcrollButton : public CKGPButton {
public:
    CKGPOutlookSrcrollButton() = default;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

// The bottom toolbar's customise button: two glyphs, and a menu with more,
// fewer and options after the hidden pages.
class COutlookCustomizeButton : public CCustomizeButton {
    DECLARE_SERIAL(COutlookCustomizeButton)
public:
    COutlookCustomizeButton() = default;

    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    HMENU CreateMenu() const override;
};

class CKGPOutlookWnd : public CKGPBaseTabWnd {
    DECLARE_DYNCREATE(CKGPOutlookWnd)
public:
    CKGPOutlookWnd();
    ~CKGPOutlookWnd() override;

    virtual BOOL Create(const CRect& rect, CWnd* pParentWnd, UINT nID);

    // ---- Base overrides.
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabsRect(CRect& rect) const override { rect = m_rectWndArea; }
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    void RecalcLayout() override;
    BOOL IsTabDetachable(int iTab) const override;
    void EnableInPlaceEdit(BOOL bEnable) override { m_bIsInPlaceEdit = bEnable; }
    void CalcRectEdit(CRect& rectEdit) override { rectEdit.DeflateRect(1, 1); }
    BOOL SetActiveTab(int iTab) override;
    CWnd* GetChildAtPoint(CPoint point) const override;
    void OnChangeTabs() override { m_nVisiblePageButtons = -1; }
    int ResolveTabIndex(int iTab) const override { return iTab == -1 ? m_iPressed : iTab; }
    BOOL OnDropToolbarData(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    DROPEFFECT OnDragOverToolbarData(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    // Where a dragged pane would drop: null over a visible page button.
    CWnd* FindTargetWnd(CPoint pt);

    // ---- Own operations.
    virtual void ShowMoreButtons();
    virtual void ShowFewerButtons();
    virtual BOOL CanShowMoreButtons() const { return m_nVisiblePageButtons < m_nMaxVisiblePageButtons; }
    virtual BOOL CanShowFewerButtons() const { return m_nVisiblePageButtons > 0; }
    virtual void ShowOptionsDialog();
    void ShowScrollButtons(BOOL bShow, BOOL bEnableUp, BOOL bEnableDown);

    // Animated page changes (off by default, for all outlook windows).
    static void EnableAnimation(BOOL bEnable = TRUE) { m_bEnableAnimation = bEnable; }
    static BOOL IsAnimation() { return m_bEnableAnimation; }
    void SetBorderSize(int nBorderSize);
    int GetBorderSize() const { return m_nBorderSize; }
    // 0 left, 2 right, anything else centred.
    void SetPageButtonTextAlign(UINT uiAlign, BOOL bRedraw = TRUE);
    BOOL SetToolbarImageList(UINT uiID, int cx, COLORREF clrTransp = RGB(255, 0, 255));

    BOOL IsMode2003() const;
    CKGPOutlookBar* GetParentOutlookBar() const;
    int GetVisiblePageButtons() const { return m_nVisiblePageButtons; }
    // How many page buttons the compact mode stacks (-1: all); a locate-only layout follows.
    void SetVisiblePageButtons(int nCount);
    int GetMaxVisiblePageButtons() const { return m_nMaxVisiblePageButtons; }
    CRect GetPageRect() const { return m_rectWndArea; }
    CRect GetCaptionRect() const { return m_rectCaption; }
    CRect GetSplitterRect() const { return m_rectSplitter; }
    CKGPOutlookBarToolBar& GetToolBar() { return m_wndToolBar; }
    BOOL AreScrollButtonsShown() const { return m_bScrollButtons; }
    // The layout's input as it stands.
    kgp::outlook::WindowInput LayoutInput() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    void RebuildToolBar(const std::vector<int>& pagesOnToolbar);
    void DrawTabButton(CDC& dc, int iTab);
    void StopSplitterTracking();
    // Moves the pages' windows into the page rectangle (pages of outlook
    // panes keep to re-placing their buttons in a locate-only layout).
    void PlacePageWindow(CWnd* pWnd);
    void AnimatePageChange(int iOld, int iNew);

    CRect m_rectWndArea;
    CRect m_rectCaption;
    int m_nBorderSize = 0;
    CRect m_rectSplitter;
    BOOL m_bIsTracking = FALSE;
    int m_nTrackStartY = 0;
    int m_nTrackStartCount = 0;
    CKGPOutlookBarToolBar m_wndToolBar;
    int m_nVisiblePageButtons = -1;
    int m_nMaxVisiblePageButtons = 0;
    BOOL m_bDontAdjustLayout = FALSE;
    BOOL m_bScrollButtons = FALSE;
    CKGPOutlookSrcrollButton m_btnUp;
    CKGPOutlookSrcrollButton m_btnDown;
    UINT m_nPageButtonTextAlign = 6;
    CImageList m_imagesToolbar;
    CSize m_sizeToolbarImage{0, 0};

    static BOOL m_bEnableAnimation;
};
