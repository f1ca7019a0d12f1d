// Control bars: the base class, toolbar, status bar and dock bars.
//
// Design:
// - A control bar is a child of a frame (or of any window that calls
//   AfxRepositionBars). In a layout pass it receives WM_SIZEPARENT and takes
//   a strip of the free rectangle on the side its CBRS_ALIGN_* bit names; its
//   size comes from CalcFixedLayout, or CalcDynamicLayout for
//   CBRS_SIZE_DYNAMIC bars.
// - Idle update: on WM_IDLEUPDATECMDUI a visible bar calls OnUpdateCmdUI with
//   its command target (the owner when it is a frame, else the parent frame,
//   else the owner window), and each item is updated through a CCmdUI.
// - Commands and notifications of child windows placed inside a bar (a button
//   or progress bar in the status bar) are offered to the child (reflection)
//   and then forwarded to the bar's owner, as if the child sat in the owner.
// - Docking: EnableDocking on the frame makes CDockBar children for the
//   sides asked for; DockControlBar moves a bar into one. A dock bar holds rows
//   (columns at the left and right) of bars: a bar docked without a rectangle
//   starts a new row after the others, one docked with a rectangle (screen
//   coordinates) joins the row under the rectangle's centre at the rectangle's
//   position along it. Bars keep their own sizes; the last bar of a row that
//   sizes itself (CBRS_SIZE_DYNAMIC) stretches to the row's end.
// - Floating: EnableDocking on a bar gives it a CDockContext. A press on the bar
//   (or the caption of its floating frame) starts a drag showing the drag
//   rectangle; the release docks the bar at an edge of the frame it may dock at
//   (under the pointer) or floats it in a CMiniDockFrameWnd owned by the frame.
//   A double click toggles between floating and the last docked place.
//   Dock layouts are not saved.
#pragma once

#include "afxwin.h"
#include "afxcomctl.h"
#include "afxtoolbarres.h"

#include <vector>

class CDockBar;
class CDockContext;

// ---- Bar styles (m_dwStyle).
#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#endif

// ---- Layout modes of CalcDynamicLayout.
#ifndef LM_STRETCH
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40
#endif

// ---- Toolbar button styles: TBSTYLE_* in the low word, TBSTATE_* << 16
// (with the enabled bit inverted) above.
#ifndef TBBS_BUTTON
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
#define TBBS_ELLIPSES MAKELONG(0, TBSTATE_ELLIPSES)
#define TBBS_MARKED MAKELONG(0, TBSTATE_MARKED)
#define TBBS_BREAK 0x20000000L
#endif

// ---- Status bar pane styles.
#ifndef SBPS_NORMAL
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
#endif

// ---- Control bar

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // Bar style (CBRS_*): alignment, borders, tooltips, sizing.
    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void EnableDocking(DWORD dwDockStyle);  // CBRS_ALIGN_* sides it may dock at
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const;
    int GetCount() const { return m_nCount; }
    BOOL IsFloating() const;
    BOOL IsDockBar() const;
    virtual BOOL IsVisible() const;
    CFrameWnd* GetDockingFrame() const;

    // Sizes: bHorz is the orientation of the strip the bar sits in.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DelayShow(BOOL bShow);

    BOOL m_bAutoDelete = FALSE;  // delete in PostNcDestroy
    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;
    int m_cxDefaultGap = 2;
    int m_nCount = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockSite = nullptr;  // the frame the bar belongs to
    CDockBar* m_pDockBar = nullptr;    // the dock bar holding it, or null
    CDockContext* m_pDockContext = nullptr;  // owned; made by EnableDocking

protected:
    // A fixed size that, stretched, takes the whole length of its side.
    static CSize Stretched(CSize size, BOOL bStretch, BOOL bHorz);
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The command target of idle updates.
    CFrameWnd* GetUpdateTarget() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// ---- Toolbar: the window is the toolbar common control itself.

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);

    // Buttons and images from a toolbar resource (type 241) and the bitmap of
    // the same id, both from the current resource module.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL SetBitmap(HBITMAP hbmImageWell);  // images m_sizeImage wide, light grey transparent
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    CToolBarCtrl& GetToolBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};

protected:
    CImageList m_imageList;
    int m_nImages = 0;

    CSize ContentSize() const;
    afx_msg BOOL OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// ---- Status bar: the status bar common control with panes laid out from
// the right (fixed widths) and a stretching pane.

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    // Each id other than ID_SEPARATOR names a string giving the pane's text
    // and width; the first separator pane stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CStatusBarCtrl& GetStatusBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;
        CString strText;
    };
    std::vector<Pane> m_panes;

    void UpdateParts();
    void ShowPaneText(int nIndex);
    int TextWidth(const CString& text) const;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// ---- Dock bar: holds the bars docked at one side of a frame (or the one bar
// of a floating frame).
class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // lpRect: where the bar should go, in screen coordinates (see above).
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    BOOL RemoveControlBar(CControlBar* pBar);
    int GetDockedCount() const { return static_cast<int>(m_arrBars.size()); }
    int GetDockedVisibleCount() const;
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Places the docked bars inside the dock bar (after a show, hide or resize).
    void LayoutBars();

    struct DockedBar {
        CControlBar* pBar;
        int nRow;     // rows (columns for left/right) in order of their numbers
        int nOffset;  // asked-for position along the row
    };
    std::vector<DockedBar> m_arrBars;
    BOOL m_bFloating = FALSE;

protected:
    CSize BarSize(CControlBar* pBar) const;
    // Where each visible bar goes for a dock bar of this length along its rows.
    std::vector<std::pair<CControlBar*, CRect>> Arrange(int nLength) const;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// ---- Drag docking of one bar.
class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drags the bar from ptScreen until the button is released (docks or floats
    // it there), Esc is pressed or the capture is lost (nothing changes).
    virtual void StartDrag(CPoint ptScreen);
    // Floats a docked bar where it last floated; docks a floating bar where it
    // was last docked.
    virtual void ToggleDocking();

    // The steps of a drag, in screen coordinates.
    void BeginDrag(CPoint ptScreen);
    void MoveDrag(CPoint ptScreen);
    void EndDrag(BOOL bAccept);
    // The dock bar whose edge zone holds the point and that the bar may dock
    // in; nullptr when the bar would float there.
    CDockBar* DockBarAt(CPoint ptScreen) const;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CRect m_rectDrag;        // the bar's rectangle where it would go
    CRect m_rectLast;        // the rectangle drawn on the screen
    CSize m_sizeLast;        // and its frame's thickness
    CPoint m_ptStart;
    CRect m_rectStart;
    BOOL m_bDragging = FALSE;
    UINT m_uMRUDockID = 0;   // where it was last docked
    CRect m_rectMRUDockPos;
    CPoint m_ptMRUFloatPos{-1, -1}; // where it last floated (-1: not yet)

protected:
    void DrawDragRect(BOOL bErase);
};

// ---- The small frame holding a floating bar.
class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMiniFrameWnd)
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    // A tool window owned by pDockSite holding a floating dock bar; on failure
    // the object has deleted itself.
    BOOL Create(CFrameWnd* pDockSite, DWORD dwBarStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CControlBar* GetFloatingBar() const;

    CDockBar m_wndDockBar{TRUE};

protected:
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};
