// The resizable docking pane: a control bar with a caption of its own and
// caption buttons (close, auto-hide pin, menu), docked at a frame edge in the
// split tree of a default slider, docked beside another pane, floating alone
// or with others in a floating frame, or a tab of a tabbed pane. Tabbed
// panes, the outlook bar, the tasks pane and the toolbox derive from it.
// Tabbed panes are reached through the tabbed-bar link. Auto-hidden, it
// stands as a button on a strip at its frame's edge and slides out of the
// strip and back (KGPDockingControlBarAutoHide.cpp).
#pragma once

#include "guilib/docking/KGPAutoHideMath.h"
#include "guilib/docking/KGPControlBar.h"

#include <afxcmn.h>

class CKGPAutoHideButton;
class CKGPAutoHideToolBar;
class CKGPBarContainer;
class CKGPCaptionButton;
class CKGPSlider;

// Caption-button hit codes of a pane.
constexpr UINT KGP_PANE_HIT_MENU = HTMINBUTTON; // 8
constexpr UINT KGP_PANE_HIT_PIN = HTMAXBUTTON;  // 9
constexpr UINT KGP_PANE_HIT_CLOSE = 19;

// Pane styles: a pane floats in a frame it may share with other panes.
constexpr DWORD KGP_CBRS_FLOAT_MULTI = 0x40;
// Tab styles of the pane made when another pane is dropped onto it as a tab.
constexpr DWORD KGP_TAB_STYLE_TABBED = 0x20;
constexpr DWORD KGP_TAB_STYLE_OUTLOOK = 0x40;

class CKGPDockingControlBar : public CKGPControlBar {
    DECLARE_SERIAL(CKGPDockingControlBar)
public:
    CKGPDockingControlBar();
    ~CKGPDockingControlBar() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Base overrides.
    BOOL IsPaneKind() const override { return TRUE; }
    BOOL DocksAtFrameEdge() const override { return TRUE; }
    BOOL IsResizable() const override { return TRUE; }
    BOOL IsAutoHideMode() const override { return m_bPinState; }
    int GetCaptionHeight() const override;
    int GetTabAreaHeight() const override;
    BOOL CanAutoHide() const override;
    void EnableGripper(BOOL bEnable) override;
    BOOL IsBarVisible() const override;
    CKGPBaseControlBar* GetDefaultSlider() const override;
    void ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    void RemoveFromHost(BOOL bKeepLayout) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    BOOL DockControlBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override;
    BOOL DockByMouse(CKGPBaseControlBar* pDockBar) override;
    BOOL DockToWindow(DWORD dwAlignment, LPCRECT lpRect, DWORD dwDockFlags = 0,
                      CKGPBaseControlBar* pRelativeBar = nullptr, int nRelativeIndex = -1,
                      BOOL bOuterEdge = FALSE) override;
    void StoreRecentDockInfo() override;
    void OnAfterChangeParent(CWnd* pOldParent) override;
    void OnAfterDock(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override;
    BOOL OnBeforeFloat(CRect& rect, KGPDockMethod method) override;
    void ToggleAutoHide() override;
    void EnterDragMode(BOOL bRememberOffset) override;
    BOOL CanAcceptBar(const CKGPBaseControlBar* pBar) const override;
    // Leaves its host: the floating frame that shares it with other panes, or
    // its default slider's tree (and the dock manager).
    void RemoveFromDockBar() override;
    CKGPBaseControlBar* DockAtDragFrameDrop(BOOL& bHandled) override;
    int GetDockMethodAtCursor(int nSensitivity, CKGPBaseControlBar*& pTarget) override;
    // A pane in a multi-pane floating frame.
    virtual BOOL IsInFloatingMultiPaneFrame() const;

    // ---- Own operations, in slot order.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_HIDE_INPLACE,
                        DWORD dwTabbedStyle = KGP_TAB_STYLE_TABBED,
                        DWORD dwBarStyle = KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE |
                                           KGP_BARSTYLE_AUTOHIDE);
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle = KGP_TAB_STYLE_TABBED,
                        DWORD dwBarStyle = KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE |
                                           KGP_BARSTYLE_AUTOHIDE,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                          UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = KGP_TAB_STYLE_TABBED,
                          DWORD dwBarStyle = KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE |
                                             KGP_BARSTYLE_AUTOHIDE,
                          CCreateContext* pContext = nullptr);
    virtual CString GetTabAreaText() const { return CString(); }
    // The pane's tab areas at its top and bottom (screen); none for a plain pane.
    virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const;
    virtual BOOL IsDockablePane() const { return TRUE; }
    // 0 outside, a caption button's hit code, HTCLIENT (1), HTCAPTION (2) on the
    // caption when asked, -2 for the default processing.
    virtual int HitTest(CPoint point, BOOL bDetectCaption = FALSE);
    virtual BOOL IsAcceptedBy(CKGPBaseControlBar* pOther) const;
    virtual BOOL CanBeTabbed() const { return TRUE; }
    // Whether a pane dragged onto this one (a tabbed pane: onto its tabs) may
    // become one of its tabs; beside it, its bar-acceptance answers.
    virtual BOOL CanTakeAsTab(const CKGPDockingControlBar* /*pPane*/) const { return TRUE; }
    virtual BOOL IsAutoHideAllAllowed() const { return m_bEnableAutoHideAll; }
    // Unless auto-hidden: the MDI frame shows the pane (a tab: its tabbed
    // pane) as a tabbed document.
    virtual void ConvertToTabbedDocument(BOOL bActiveTabOnly = TRUE);
    // The pane's menu asks for it as a tabbed document.
    void OnTabbedDocumentCommand(BOOL bTabbed) override
    {
        if (bTabbed)
            ConvertToTabbedDocument();
    }
    // While another pane is dragged over this one: 3 as a tab, 2 beside, 0 not.
    virtual int HitTestDockArea(CPoint point, int nSensitivity) const;
    virtual CKGPDockingControlBar* AttachToTabWnd(CKGPDockingControlBar* pTabControlBarAttachTo,
                                                 KGPDockMethod method, BOOL bSetActive = TRUE,
                                                 CKGPDockingControlBar** ppTabbedControlBar = nullptr);
    virtual CKGPDockingControlBar* CreateTabbedControlBar();
    // Whether AttachToTabWnd would take this pane as a tab of the target,
    // asked before anything moves.
    BOOL CanAttachAsTabTo(CKGPDockingControlBar* pTarget) const;
    // A press on the caption armed a drag that has not begun.
    BOOL IsDragArmed() const { return m_bPrepareToFloat; }
    // Leaves the tabbed pane holding it as a tab for the frame's own window
    // (it is to dock or float by itself); a tabbed pane left without tabs goes.
    void LeaveTabbedPane();
    // Leaves the floating frame holding it for the frame's own window (it is
    // to dock); FALSE when it has no frame to go to.
    BOOL LeaveFloatingFrame();
    // Where the pane stood before a dock that a later step may still refuse,
    // and the way back there (its floating frame, else its recent docked place).
    struct PlaceBefore {
        HWND hFloatingFrame = nullptr; // the frame it floated in, if it floated
        CRect frameRect;
        BOOL bDocked = FALSE; // in a tree or a tabbed pane (a pane never docked has no place to go back to)
    };
    PlaceBefore RememberPlace();
    void PutBack(const PlaceBefore& place);
    // Leaves its host for a tab of the target, checked first and put back
    // when refused; whether it became the tab (a tabbed pane: whether its
    // tabs did).
    BOOL DockAsTabOf(CKGPDockingControlBar* pTarget);
    virtual BOOL DockToBar(CKGPDockingControlBar* pTargetBar, DWORD dwAlignment, LPCRECT lpRect = nullptr);
    using CKGPControlBar::DockToBar;
    // A tab floats out of its tabbed pane (it leaves it first, keeping the
    // tab's place to come back to); any other pane as a control bar floats.
    BOOL FloatBar(CRect rect, KGPDockMethod method = KGP_DM_UNKNOWN, bool bShow = true) override;
    virtual int RestoreSliderPanes();
    virtual void NotifyAfterDock();
    virtual BOOL DockToRecentPlace() { return DockPane(nullptr, nullptr, KGP_DM_SHOW); }
    // Into auto-hide at the edge (its button on the toolbar given, else on a
    // new one) or back; the toolbar holding the button, null when off or
    // refused.
    virtual CKGPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                 CKGPAutoHideToolBar* pCurrAutoHideToolBar = nullptr,
                                                 BOOL bUseTimer = TRUE);
    virtual BOOL GetAutoHideSwitch() const { return s_bAutoHideSwitch; }
    virtual BOOL IsSlideFinished() const { return !m_slide.IsSliding() || !m_slide.LastSlideWasIn(); }
    virtual int GetSlideMode() const { return m_nSlideMode; }
    virtual void CopyPaneState(CKGPDockingControlBar* pOther);
    virtual void StoreRecentTabPlace();
    virtual void OnPressButtons(UINT /*nHit*/) {}
    virtual void DrawCaption(CDC* pDC, CRect rectCaption);
    virtual void AdjustToSliderContainer();
    virtual void OnTrackCaptionButtons(CPoint point);
    virtual void StopCaptionButtonsTracking();
    virtual void SetCaptionButtons();
    virtual BOOL CheckAutoHideCondition();
    virtual BOOL CheckStopSlideCondition(BOOL bDirection);
    virtual void OnSlide(BOOL bSlideOut);

    // The docking operation of every docking method (see KGPDockMethod).
    virtual BOOL DockPane(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method);
    // Gives this pane's place (floating frame or split tree) to pBarToReplaceWith.
    BOOL ReplaceWith(CKGPDockingControlBar* pBarToReplaceWith, BOOL bHandleInDockManager = FALSE);
    CKGPCaptionButton* FindCaptionButton(UINT nHit) const;
    void EnableCaptionButton(UINT nHit, BOOL bEnable);
    // Back from an auto-hide strip (the auto-hide bars call it).
    void UnpinFromAutoHide(CKGPDockingControlBar* pBarToAttach);
    // The second half of going into auto-hide, for a pane already out of
    // every host with its way back recorded (a tabbed pane's tabs): its own
    // auto-hide slider and its button on the toolbar given (else a new one);
    // slid out when it was visible and the timer is asked for, else hidden.
    CKGPAutoHideToolBar* PinToStrip(DWORD dwAlignment, CKGPAutoHideToolBar* pCurrAutoHideToolBar, BOOL bUseTimer,
                                    BOOL bVisible);
    // A layout applied pins a pane its record names as auto-hidden straight
    // to the strip at that edge (it was taken out of every host): what
    // docking it there in a tree of its own and pinning it would leave, the
    // tree's slider never made. Only a pane that is no tabbed pane, that may
    // auto-hide and whose frame has a strip at the edge can: CanPinAsLoaded.
    // lpRect: its place in the frame's client area, else where it stands.
    BOOL CanPinAsLoaded(DWORD dwAlignment) const;
    CKGPAutoHideToolBar* PinAsLoaded(DWORD dwAlignment, LPCRECT lpRect, CKGPAutoHideToolBar* pCurrAutoHideToolBar);
    // An auto-hidden pane slides out of its strip (shown) or back in (hidden);
    // without the timer at once.
    void Slide(BOOL bSlideOut, BOOL bUseTimer = TRUE);
    // The auto-hide button standing for the pane and its toolbar (the button sets them).
    void SetAutoHideParents(CKGPAutoHideToolBar* pToolBar, CKGPAutoHideButton* pButton)
    {
        m_pAutoHideBar = pToolBar;
        m_pAutoHideButton = pButton;
    }
    CKGPAutoHideToolBar* GetAutoHideToolBar() const { return m_pAutoHideBar; }
    CKGPAutoHideButton* GetAutoHideButton() const { return m_pAutoHideButton; }
    BOOL IsSliding() const { return m_slide.IsSliding(); }
    // The slide and check timers on another clock (tests give their own).
    void SetSlideClock(kgp::autohide::SlideMachine::Clock clock);
    virtual void OnPressCloseButton();
    // Hides the pane (or its tab) as its close button does.
    void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) { ShowBar(bShow, bDelay, bActivate); }

    // ---- Fields the split tree and the tests read.
    int GetSizeShare() const { return m_nLastPercent; }
    void SetSizeShare(int nShare) { m_nLastPercent = nShare; }
    virtual int GetLargestPaneValue() const { return -1; }
    HWND GetDefaultSliderHwnd() const { return m_hDefaultSlider; }
    void SetDefaultSlider(HWND hSlider) { m_hDefaultSlider = hSlider; }
    CKGPSlider* GetDefaultPaneSlider() const;
    BOOL HasCaption() const { return m_bHasGripper; }
    BOOL IsActivePane() const { return m_bActivePane; }
    CRect GetSlideRect() const { return m_rectRestored; }
    DWORD GetTabbedStyle() const { return m_dwTabbedStyle; }
    // While set, the auto-hide check never slides the pane in (the tree sets it).
    BOOL m_bHoldOpen = FALSE;

    // ---- Library-wide settings.
    static int m_nCaptionMargin;
    static int m_nButtonsEdgeMargin;
    static BOOL m_bHideInapplicableButtons;
    static int m_nDefaultSlideMode;
    // Slides end in one step while set (as in a remote session).
    static BOOL m_bDisableAnimation;
    // Raised by the dock manager while it shows or hides all bars.
    static BOOL s_bAutoHideSwitch;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Lays the caption buttons out in the caption (window coordinates).
    void ArrangeCaptionButtons(const CRect& rectWindowInClient);
    void RedrawCaptionButton(CKGPCaptionButton* pButton);
    void UpdateTooltipRects();
    // The caption buttons' tooltip, made (or made again) with its tools.
    void MakeCaptionToolTip();
    CKGPCaptionButton* CaptionButtonAt(CPoint ptScreen) const;
    // The frame whose dock manager takes the pane (the floating frame's owner when floating).
    CFrameWnd* DockingFrame() const;
    // The pin pressed: this pane (or, with Ctrl, all of its tree's panes) auto-hides or comes back.
    void OnPressPin();
    void OnPressMenuButton(CKGPCaptionButton* pButton);
    // The pane recorded beside this one when it was last a docked tab, while
    // that place is still in the tree of the slider given and takes it.
    CKGPDockingControlBar* RecentTabNeighbour(CKGPSlider* pSlider) const;
    // Going while auto-hidden: its button and its auto-hide slider go too.
    void LeaveAutoHideOnDestroy();
    // Shown or hidden while auto-hidden: slid out by its button, or, while the
    // dock manager shows or hides all bars, its button shown or hidden.
    void ShowAutoHidden(BOOL bShow, BOOL bActivate);

    BOOL m_bPrepareToFloat = FALSE;
    BOOL m_bReadyToFloat = FALSE;
    int m_cyGripper = 0;
    BOOL m_bHasGripper = FALSE;
    int m_nBorderSize = 0;
    BOOL m_bActivePane = FALSE;
    CRect m_rectRedraw;
    int m_nLastPercent = 100;
    BOOL m_bEnableAutoHideAll = TRUE;
    BOOL m_bPinState = FALSE;
    int m_nSlideMode = m_nDefaultSlideMode;
    int m_nSlideStep = 0;
    kgp::autohide::SlideMachine m_slide;
    CKGPAutoHideToolBar* m_pAutoHideBar = nullptr;
    CKGPAutoHideButton* m_pAutoHideButton = nullptr;
    CRect m_rectRestored;
    COwningPtrList<CObList, CKGPCaptionButton*> m_arrButtons;
    DWORD m_dwTabbedStyle = KGP_TAB_STYLE_TABBED;
    HWND m_hDefaultSlider = nullptr;
    UINT m_nHot = 0;
    UINT m_nHit = 0;
    BOOL m_bCaptionButtonsCaptured = FALSE;
    CToolTipCtrl* m_pToolTip = nullptr;
    CPoint m_ptPressed;
};
