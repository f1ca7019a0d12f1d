// The tab control: lays out the tab strip (at the bottom or the top), the
// tabs, the scroll, tab-list and close buttons and the window area, paints
// the strip through the visual manager in one of eight styles, scrolls the
// strip and offers a drop-down list of all tabs. Tabbed panes and the MDI
// tab groups use it.
#pragma once

#include "guilib/controls/KGPButton.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/tabs/KGPTabLayout.h"

#include <array>

class CKGPTabWnd;

// A button of the strip: erases no background; the visual manager draws its
// face and border for the tab window.
class CKGTabButton : public CKGPButton {
public:
    CKGTabButton() = default;

protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CKGPTabWnd : public CKGPBaseTabWnd {
    DECLARE_DYNCREATE(CKGPTabWnd)
public:
    // Style codes: 0 classic, 1 flat, 2 flat with a shared scroll bar, 3
    // classic with scroll buttons, 4 OneNote-like, 5 VS2005-like, 6 rounded,
    // 7 rounded with scroll buttons.
    enum Style {
        STYLE_3D = 0,
        STYLE_FLAT = 1,
        STYLE_FLAT_SHARED_HORZ_SCROLL = 2,
        STYLE_3D_SCROLLED = 3,
        STYLE_3D_ONENOTE = 4,
        STYLE_3D_VS2005 = 5,
        STYLE_3D_ROUNDED = 6,
        STYLE_3D_ROUNDED_SCROLL = 7,
    };
    enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

    CKGPTabWnd();
    ~CKGPTabWnd() override;

    BOOL Create(int style, const RECT& rect, CWnd* pParentWnd, UINT nID, int location = LOCATION_BOTTOM,
                BOOL bCloseBtn = FALSE);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Base overrides.
    BOOL IsPtInTabArea(CPoint point) const override;
    void GetTabsRect(CRect& rect) const override { rect = m_rectTabsArea; }
    CWnd* GetChildAtPoint(CPoint point) const override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    int GetTabsHeight() const override;
    void RecalcTabsHeight() override;
    void RecalcLayout() override;
    BOOL SetImageList(HIMAGELIST hImageList) override;
    BOOL SetImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255)) override;
    void EnableInPlaceEdit(BOOL bEnable) override;
    void CalcRectEdit(CRect& rectEdit) override;
    BOOL SetActiveTab(int iTab) override;
    int GetTabFromPoint(CPoint& pt) const override;
    BOOL EnsureVisible(int iTab) override;
    void SwapTabs(int nFisrtTabID, int nSecondTabNum) override;
    void MoveTab(int nSource, int nDest) override;
    void SetHideSingleTab(BOOL bHide = TRUE) override;
    BOOL IsFlatTab() const override { return m_style.flat; }
    BOOL IsOneNoteStyle() const override { return m_style.oneNote; }
    BOOL IsVS2005Style() const override { return m_style.vs2005; }
    BOOL IsLeftRightRounded() const override { return m_style.rounded; }
    BOOL IsFlatFrame() const override { return m_bFlatFrame; }
    BOOL IsMDITab() const override { return m_bIsMDITab; }

    // ---- Own operations.
    virtual void AdjustTabs();
    virtual void AdjustTabsScroll();
    virtual void RecalcScrollBarLayout();
    virtual void ShowTabList(CPoint point);
    virtual void DrawTabClipped(CDC* pDC, int iTab, BOOL bIsActive);
    virtual void DrawTab(CDC* pDC, int iTab, BOOL bIsActive);
    virtual void DrawGroupSplitterTracker(const CRect& rectTracker);

    BOOL SetTabStyle(int style);
    void EnableTabList(BOOL bEnable = TRUE);
    BOOL IsTabListMode() const { return m_bTabListMode; }
    void SetGroupSplitterMode(int mode);
    void SetHideWhenEmpty(BOOL bHide = TRUE);
    void SetActiveTabBold(BOOL bBold = TRUE);
    BOOL IsActiveTabBold() const { return m_bIsActiveTabBold; }
    void SetFlatFrame(BOOL bFlat = TRUE, BOOL bRepaint = TRUE);
    void SetMaxTabWidth(int nWidth) { m_nTabMaxWidth = nWidth; }
    void SetWindowPositions(BOOL bSet) { m_bSetWindowPositions = bSet; }
    void SetMDITab(BOOL bMDI) { m_bIsMDITab = bMDI; }
    BOOL HasTabCloseButton() const { return m_bCloseBtn; }
    int GetGroupSplitterMode() const { return m_nSplitterMode; }
    // The MDI tab group that holds the active document window.
    void SetActiveInMDITabGroup(BOOL bActive) { m_bIsActiveInMDITabGroup = bActive; }
    BOOL IsActiveInMDITabGroup() const { return m_bIsActiveInMDITabGroup; }
    const kgp::tabs::TabStyle& GetTabStyleFlags() const { return m_style; }
    int GetScrollOffset() const { return m_nTabsHorzOffset; }
    int GetFirstVisibleTabNum() const { return m_nFirstVisibleTab; }
    BOOL IsScrollButtonEnabled(kgp::tabs::ButtonKind kind) const;
    CRect GetWndArea() const { return m_rectWndArea; }
    // What the strip and the borders take around a page, in either direction,
    // whatever the window's size now.
    CSize GetSizeAroundWndArea() const;
    BOOL IsTabsHiddenByList() const { return m_bTabsHiddenByList; }
    // Presses a strip button as a click would.
    void PressButton(kgp::tabs::ButtonKind kind);

    // The icon of a tab-list command (the popup menu asks while it draws).
    static HICON GetTabListMenuIcon(UINT uiCmd);
    // The text measurement the layout uses: the label's width in the font.
    int MeasureLabel(int iTab, BOOL bBold) const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    // An MDI tab window stays at the bottom of the z-order.
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A tooltip showing comes above every window; a column dragged in the
    // active list view's header brings the shared scroll bar up to date.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // While the toolbars are customised, a button dragged over a tab opens it:
    // copied with Ctrl, else moved.
    DROPEFFECT OnDragOverToolbarData(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    // The shared scroll bar takes the active window's horizontal scrolling.
    void SyncSharedScrollBar(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

    void CreateButtons(BOOL bAtCreation);
    void CreateToolTip();
    void BuildFlatFonts();
    void UpdateTooltipTools();
    kgp::tabs::StripInput StripInputFor(const CRect& client) const;
    kgp::tabs::ScrollInput CurrentScroll() const;
    void ApplyScroll(const kgp::tabs::ScrollState& state);
    std::vector<int> FullWidths() const;
    int Overlap() const;
    void DrawLabel(CDC* pDC, int iTab, CRect rect, BOOL bIsActive);
    void StartGroupSplitterDrag(CPoint point);
    // An MDI tab dragged past the system's drag distance (screen gets the
    // point in screen coordinates).
    BOOL IsMDITabDragged(CPoint point, CPoint& screen) const;
    // The cursor (screen) is over this window's own frame: no other window
    // of the screen (a floating pane, a popup, another program) lies there
    // over the documents and the groups an MDI tab may be dropped on.
    BOOL IsOverOwnFrame(CPoint screen) const;
    // Makes the active tab's document window the active MDI child.
    void ActivateMDIChild();

    kgp::tabs::TabStyle m_style;
    int m_nStyleCode = 0;
    BOOL m_bCloseBtn = FALSE;
    CRect m_rectTabsArea;
    CRect m_rectWndArea;
    std::array<CKGTabButton, 5> m_buttons;
    int m_nButtonsCount = 0;
    int m_nTabsHorzOffset = 0;
    int m_nTabsHorzOffsetMax = 0;
    int m_nTabsTotalWidth = 0;
    int m_nFirstVisibleTab = 0;
    int m_nHorzScrollWidth = 0;
    CRect m_rectTabSplitter;
    CScrollBar m_wndScrollWnd;
    CFont m_fntTabs;
    CFont m_fntTabsBold;
    BOOL m_bSetWindowPositions = TRUE;
    BOOL m_bFlatFrame = TRUE;
    BOOL m_bHideWhenEmpty = FALSE;
    BOOL m_bIsActiveTabBold = FALSE;
    BOOL m_bTabListMode = FALSE;
    BOOL m_bTabsHiddenByList = FALSE;
    int m_nTabMaxWidth = 0;
    int m_nSplitterMode = 0;
    CRect m_rectGroupSplitter;
    BOOL m_bIsMDITab = FALSE;
    BOOL m_bIsActiveInMDITabGroup = FALSE;
    int m_nImageMargin = kgp::tabs::kImageMargin;
    std::array<BOOL, 5> m_buttonEnabled = {};
    BOOL m_bTrackSplitter = FALSE;
    BOOL m_bTrackGroupSplitter = FALSE;
    CRect m_rectTracker;
    CRect m_rectDragBounds;
};
