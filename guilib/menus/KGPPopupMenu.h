// The library's drop-down and context menu: a borderless popup frame that
// holds one popup menu bar whose buttons are the items. It places itself on
// the monitor that holds its point (flipping at the edges, opening upwards,
// scrolling when taller than the room), opens with an animation, casts a
// shadow, may show a side band, a tear-off caption and a resizing gripper,
// steps between the menus of its chain by the keys, and answers the
// accessibility queries about its items. Popups opened from items of a
// popup form a chain; the innermost one is the active popup menu.
#pragma once

#include <afxbars.h>
#include <afxcmn.h>
#include <afxhandle.h>

#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"

#include <ctime>
#include <memory>

namespace kgp {
struct AnimationGeometry;
}
class CKGPBaseRibbonElement;
class IKGPPopupMenuPage;

class CKGPPopupMenu : public CMiniFrameWnd, public IKGPMenuPopup {
    DECLARE_DYNCREATE(CKGPPopupMenu)
public:
    CKGPPopupMenu();
    // A popup the customisation page shows for editing a menu (a caption and
    // a system menu; the page hears of its closing).
    CKGPPopupMenu(IKGPPopupMenuPage* pCustPage, LPCTSTR lpszTitle);
    ~CKGPPopupMenu() override;

    // ---- Own virtual operations ----
    virtual CKGPPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    BOOL IsInCommand() const override;
    // No animation runs and nothing scrolls.
    virtual BOOL IsIdle() const { return m_bAnimationIsDone && m_iScrollMode == 0; }
    // The window and rectangle (screen) of what opened the popup: the parent
    // button's toolbar and button, or the ribbon element's; null otherwise.
    virtual CWnd* GetParentArea(CRect& rectParentBtn);
    // In customisation mode the items go back into the parent button, and so
    // up the chain.
    virtual void StoreItemsInParentButton();
    // Shadow, border, side band, tear-off caption, scroll buttons, gripper.
    virtual void DoPaint(CDC* pPaintDC);
    // One frame of the opening animation.
    virtual void DrawAnimationFrame(CDC* pPaintDC);
    // Fills the bar (recent files and user tools expanded), runs the first
    // command-UI update and offers the popup to the frame; FALSE refuses it.
    virtual BOOL InitMenuBar();
    virtual BOOL TearOff(CPoint point);
    // A new toolbar made of the menu's items (owned by the caller's frame).
    virtual CKGPToolBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    virtual void OnChooseItem(UINT /*uiCommandId*/) {}
    virtual int GetBorderSize() const;
    // x, y both -1: five pixels into the parent's client area. The menu handle
    // is the popup's (destroyed with it unless SetOwnsMenu(FALSE)).
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage = FALSE);

    // ---- IKGPMenuPopup: what the button that opens it asks ----
    BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu) override { return Create(pWndParent, x, y, hMenu, FALSE); }
    BOOL HasItems() const override { return FALSE; }
    void SetParentButton(CKGPToolbarMenuButton* pButton) override { m_pParentBtn = pButton; }
    void SetDropDirection(int nDirection) override { m_DropDirection = nDirection; }
    BOOL IsRightAligned() const override { return m_bRightAlign; }
    void SetMessageWnd(CWnd* pWnd) override { m_pMessageWnd = pWnd; }
    CWnd* GetMessageWnd() const override { return m_pMessageWnd; }
    BOOL IsInModalLoop() const override { return m_bResizeTracking; }
    int GetItemCount() const override { return GetMenuItemCount(); }
    CKGPToolbarButton* GetItem(int nIndex) const override;
    CWnd* GetParentWindow() const override { return m_pWndParent; }
    CWnd* GetPopupWindow() const override { return const_cast<CKGPPopupMenu*>(this); }
    IKGPMenuPopup* GetParentPopup() const override { return GetParentPopupMenu(); }
    void SaveItemsToParent() override { StoreItemsInParentButton(); }
    void CancelItems() override;
    void CloseMenu(BOOL bSetFocusToBar = FALSE) override;
    void ShowAllCommands() override;

    // ---- What the library frame asks while the popup is open ----
    // A popup that keeps the focus has the keys go to its own windows (none
    // of the library's popups does): the frame leaves them to the focus, and
    // closes the popup when the focus is elsewhere.
    virtual BOOL KeepsFocus() const { return FALSE; }
    // A quiet popup opens without the frame's hook and accessibility events.
    void SetQuiet(BOOL bQuiet = TRUE) { m_bQuiet = bQuiet; }
    BOOL IsQuiet() const { return m_bQuiet; }
    // Whether the popup took the last key sent to it (WM_KEYDOWN: a step, an
    // item's mnemonic, Enter, Esc...); a key it leaves goes on to the
    // application. Asked after the key, when the popup may be gone.
    static BOOL WasLastKeyTaken() { return s_bLastKeyTaken; }

    // ---- Operations ----
    // The popup that receives the keys: told to the owning dialog and asked
    // of the top frame, which may refuse it (it is then closed: FALSE).
    static BOOL ActivatePopupMenu(CWnd* pTopFrame, CKGPPopupMenu* pPopupMenu);
    static CKGPPopupMenu* GetActiveMenu() { return m_pActivePopupMenu; }
    // The library frame a popup for the window asks: the outermost frame
    // above it that is no popup, else the application's main window.
    static CWnd* TopFrameOf(const CWnd* pWnd);
    // Closes the whole chain, from its first popup.
    void CloseChain();
    CKGPPopupMenu* GetParentPopupMenu() const;
    CKGPToolBar* GetParentToolBar() const;
    CKGPToolbarMenuButton* GetParentButton() const { return m_pParentBtn; }
    // A menu's first level, opened by a menu button (no popup above it, not
    // being torn off); still answered while the popup is being destroyed.
    BOOL IsTopLevelButtonMenu() const;
    CKGPToolbarMenuButton* GetSelItem();
    // Where the screen point lies (kgp::PopupHit).
    int HitTest(CPoint pt) const;
    // Resizing by a gripper: both minimums 0 switch it off.
    void EnableResize(CSize sizeMinResize);
    BOOL IsResizable() const { return m_bIsResizable; }
    void SetParentRibbonElement(CKGPBaseRibbonElement* pElem);
    CKGPBaseRibbonElement* GetParentRibbonElement() const { return m_pParentRibbonElement; }
    // The screen below the shadow changed (the area in screen coordinates;
    // null: anywhere): the shadow is taken anew.
    void UpdateShadow(LPRECT lprectScreen = nullptr);
    static void UpdateAllShadows(LPRECT lprectScreen = nullptr);
    // A plain menu of the items, kept for accessibility; destroyed with the popup.
    BOOL BuildPlainMenu();
    BOOL DestroyAttachedMenu();
    // Menus do not show recently used commands first while this popup is open.
    void DisableRecentlyUsedMenus();
    // A tasks pane's menu of its pages: every item carries the one command and
    // is told by its position, so the items keep the checks and states the
    // pane gave them (no command handler updates them) and no recently-used
    // rule hides one. Marked before the popup is made.
    void SetTasksPaneMenu(BOOL bTasksPaneMenu = TRUE) { m_bTasksPaneMenu = bTasksPaneMenu; }
    BOOL IsTasksPaneMenu() const { return m_bTasksPaneMenu; }
    void SetRightAlign(BOOL bRightAlign = TRUE) { m_bRightAlign = bRightAlign; }
    void SetOwnsMenu(BOOL bOwnsMenu) { m_bOwnsMenu = bOwnsMenu; }
    void SetMaxWidth(int iMaxWidth) { m_iMaxWidth = iMaxWidth; }
    void SetMaxHeight(int nMaxHeight) { m_nMaxHeight = nMaxHeight; }
    // The side band: size (width or height) and side (0 left, 1 right, 2 top, 3 bottom).
    void SetLogo(int nSize, int nLocation);
    HMENU GetHMenu() const { return m_hMenu; }
    BOOL IsScrollable() const { return m_bScrollable; }
    BOOL IsPainted() const { return m_bIsPainted; }
    BOOL IsClosedByEscape() const { return m_bEscClose; }
    CSize GetFinalSize() const { return m_FinalSize; }
    int GetShadowSize() const { return m_iShadowSize; }
    int GetDropDirection() const { return m_DropDirection; }
    BOOL IsAnimationDone() const { return m_bAnimationIsDone; }
    CRect GetTearOffCaptionRect() const { return m_rectTearOffCaption; }
    CRect GetScrollUpRect() const { return m_rectScrollUp; }
    CRect GetScrollDownRect() const { return m_rectScrollDn; }

    // ---- Items (forwarded to the bar) ----
    int InsertItem(const CKGPToolbarMenuButton& button, int iInsertAt = -1);
    int InsertSeparator(int iInsertAt = -1);
    int GetMenuItemCount() const;
    CKGPToolbarMenuButton* GetMenuItem(int iIndex) const;
    BOOL RemoveItem(int iIndex);
    void RemoveAllItems();

    // ---- Library-wide options ----
    static int m_AnimationType;
    static int m_AnimationSpeed;
    static BOOL m_bMenuShadows;
    // The animation a new popup runs (none while customising).
    static int GetAnimationType();

    BOOL m_bAutoDestroy = TRUE;
    BOOL m_bTrackMode = FALSE;

    // ---- Frame slots ----
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

    // The inner area: scroll buttons and the bar's window placed.
    void AdjustScrollButtons();
    // The scroll buttons, the side band and the gripper in client coordinates.
    CRect InnerRect() const;
    CRect LogoRect() const;
    void DrawScrollButtons(CDC* pDC);
    // The popup's window on the screen for its size, from the placement rules.
    void PlaceWindow(CSize size);
    // Moves the bar's first row by a step (-1 up, 1 down); FALSE when it cannot.
    BOOL ScrollStep(int nStep);
    void EnsureHotItemVisible();
    // What the animation rules need of this popup as it is now.
    kgp::AnimationGeometry AnimationGeometryNow() const;
    void StartAnimation();
    void OnAnimationTimer();
    void OnScrollTimer();
    void TrackResize();
    void ExpandRecentFiles();
    void ExpandUserTools();
    void ReleaseAnimationImages();
    // Copies the screen behind the window into m_bmpBehind.
    void CaptureScreenBehind();
    // The finished menu drawn into the DC (its client coordinates).
    void RenderMenu(CDC* pDC);
    // The frame a popup for this window asks (the top frame, else the main window).
    CWnd* TopFrame() const;
    LRESULT OnAccHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccGetState(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    CWnd* m_pMessageWnd = nullptr;
    CWnd* m_pWndParent = nullptr;
    CKGPToolbarMenuButton* m_pParentBtn = nullptr;
    int m_DropDirection = 0;
    CKGPPopupMenuBar m_wndMenuBar;
    HMENU m_hMenu = nullptr;
    // The menu handle while the popup owns it.
    CMenuHandle m_ownedMenu;
    CPoint m_ptLocation;
    CPoint m_ptLocationInitial;
    CSize m_FinalSize;
    int m_nMenuBarHeight = 0;
    BOOL m_bOwnsMenu = TRUE;
    BOOL m_bRightAlign = FALSE;
    BOOL m_bShown = FALSE;
    BOOL m_bIsPainted = FALSE;
    int m_iMaxWidth = -1;
    int m_iLogoWidth = 0;
    int m_nLogoLocation = 0;
    IKGPPopupMenuPage* m_pMenuCustomizationPage = nullptr;
    CString m_strCaption;
    CSize m_AnimSize;
    BOOL m_bIsAnimRight = TRUE;
    BOOL m_bIsAnimDown = TRUE;
    BOOL m_bAnimationIsDone = TRUE;
    BOOL m_bScrollable = FALSE;
    CRect m_rectScrollUp;
    CRect m_rectScrollDn;
    int m_iScrollMode = 0;
    int m_iScrollBtnHeight = 0;
    int m_nMaxHeight = -1;
    // The opening animation's pictures: the screen behind, the finished menu
    // and, while fading, the blend shown (32-bit sections and their bits).
    CGdiHandle<HBITMAP> m_bmpScreenSrc;
    CGdiHandle<HBITMAP> m_bmpScreenDst;
    CGdiHandle<HBITMAP> m_bmpScreenTmp;
    int m_iFadePercent = 0;
    DWORD* m_cFadeSrcBits = nullptr;
    DWORD* m_cFadeDstBits = nullptr;
    DWORD* m_cFadeTmpBits = nullptr;
    // The screen behind the window (shadow included), taken before it shows.
    CGdiHandle<HBITMAP> m_bmpBehind;
    int m_iShadowSize = 0;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;
    BOOL m_bTearOffTracking = FALSE;
    BOOL m_bIsTearOffCaptionActive = FALSE;
    CRect m_rectTearOffCaption;
    CToolTipCtrl m_wndToolTip;
    BOOL m_bIsResizable = FALSE;
    BOOL m_bGripperShown = FALSE;
    CSize m_sizeMinResize;
    CRect m_rectResize;
    BOOL m_bResizeTracking = FALSE;
    CSize m_sizeCurrent;
    BOOL m_bWasRecentlyUsedOn = FALSE;
    BOOL m_bRestoreRecentlyUsed = FALSE;
    BOOL m_bTasksPaneMenu = FALSE;
    // The plain menu built for accessibility.
    CMenuHandle m_plainMenu;
    BOOL m_bEscClose = FALSE;
    BOOL m_bClosing = FALSE;
    BOOL m_bDestroying = FALSE;
    // IsTopLevelButtonMenu's answer kept when the destruction begins.
    BOOL m_bWasTopLevelButtonMenu = FALSE;
    // Answers whether the object still lives after a call that may delete it.
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
    CKGPBaseRibbonElement* m_pParentRibbonElement = nullptr;

    BOOL m_bQuiet = FALSE;

    static CKGPPopupMenu* m_pActivePopupMenu;
    static BOOL s_bLastKeyTaken;
    static clock_t m_nLastAnimTime;
};
