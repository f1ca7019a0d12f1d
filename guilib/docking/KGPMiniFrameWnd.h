// The floating window that carries a control bar while it is not docked: a
// pop-up owned by the frame whose dock manager lists it, with a border, a
// caption and caption buttons (close, pin, menu) drawn by the visual manager.
// It hosts one bar and sizes itself to it, moves by its caption (the frame
// itself, or an outline, follows the mouse), docks its bar when it rests over a
// docking place or on a double click, rolls up to its caption when pinned open
// no more, keeps on the work area, carries a bar torn off a menu, and stores its
// floating state in the layout archive. Every floating bar is listed
// library-wide by its control id.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <afxtemplptr.h>
#include <afxwin.h>

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDragFrameImpl.h"

class CKGPCaptionButton;
class CKGPControlBar;
class CKGPDockManager;
class CKGPDockingControlBar;
class CKGPStoredLoad;

// The caption buttons a floating frame may carry (SetCaptionButtons).
constexpr DWORD KGP_CAPTION_BTN_PIN = 0x1;
constexpr DWORD KGP_CAPTION_BTN_CLOSE = 0x2;
constexpr DWORD KGP_CAPTION_BTN_PANE_MENU = 0x4;
constexpr DWORD KGP_CAPTION_BTN_CUSTOMIZE = 0x10;

class CKGPMiniFrameWnd : public CWnd {
    DECLARE_SERIAL(CKGPMiniFrameWnd)
public:
    CKGPMiniFrameWnd();
    ~CKGPMiniFrameWnd() override;

    // Style, window rectangle, visibility, the bar's id (a tabbed pane
    // without one by its record, KGPStoredTabbedPane), caption buttons and
    // pin; loading makes the window (for the frame whose layout is being read)
    // only when all of it is sound, and a damaged record throws.
    void Serialize(CArchive& ar) override;
    // Reads the stored floating state, checks it and queues the window's making.
    virtual void ReadArchive(CArchive& ar, CKGPStoredLoad& load);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Hosting, in slot order.
    virtual BOOL CanBeAttachedTo(CKGPBaseControlBar* pTarget);
    virtual BOOL NeedsRollDown() const;
    virtual BOOL NeedsRollUp() const;
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    // The hosted bar is a docking pane.
    virtual BOOL GetHostedBarKindFlag() const;
    virtual void AddControlBar(CKGPBaseControlBar* pBar);
    // The bar leaves; an empty frame is destroyed now (bDestroyIfEmpty) or on
    // its next check, or only hidden when bKeepWhenEmpty.
    virtual void RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty = FALSE,
                                  BOOL bKeepWhenEmpty = FALSE);
    virtual void ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith);
    // The caption buttons become those the hosted bar asks for now (none
    // when it asks for none), the pin kept while the frame rolls up.
    void TakeHostedBarCaptionButtons();
    // Ends a drag: docks, attaches or moves; the bar that took the hosted bar.
    virtual CKGPBaseControlBar* DockOnDragEnd(BOOL& bDocked);
    virtual void CheckGripperVisibility() {}
    virtual void SetCaptionButtons(DWORD dwButtons);
    // The caption buttons a stored record of this frame may name.
    virtual DWORD GetStorableCaptionButtons() const
    {
        return KGP_CAPTION_BTN_PIN | KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_PANE_MENU | KGP_CAPTION_BTN_CUSTOMIZE;
    }
    // A drag ends on a target pane: kind 1 into its place, 2 as a tab; 0 on
    // docking, 1 when nothing was done. By the mouse (KGP_DM_MOUSE, the
    // button still down) a frame of several panes hands its drag on to its
    // first pane.
    virtual int DockToTarget(int nKind, CKGPBaseControlBar* pTarget, KGPDockMethod method = KGP_DM_UNKNOWN);
    virtual void MoveBy(int dx, int dy);
    // Back to the bar's recent docked place (dock method 2).
    virtual void DockOnDoubleClick();
    virtual BOOL IsDockPlaceUnderCursor() const;
    virtual int GetControlBarCount() const;
    virtual int GetVisibleBarCount() const;
    virtual CWnd* GetControlBar() const;
    virtual CWnd* GetFirstVisibleBar() const;
    virtual int GetDockingMode() const;
    // The window sized to the bar's fixed layout plus borders and caption.
    virtual void SizeToContent();
    virtual CString GetCaptionText();
    virtual void CalcBorderSize(CRect& rectBorderSize) const;
    // The rectangle a dragged window would take inside this frame (multi-pane frames).
    virtual void HitTestDockArea(CPoint point, CWnd* pWndToDock, CRect& rectResult, BOOL& bDrawTab)
    {
        rectResult.SetRectEmpty();
        bDrawTab = FALSE;
    }
    virtual CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility);
    // Window coordinates: inside the left, top and right borders, one caption high.
    virtual void GetCaptionRect(CRect& rectCaption) const;
    // The bar laid over the client area.
    virtual void AdjustLayout();
    virtual void RecalcLayout();
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    // After loading: takes up the bar whose id the archive named, or the
    // tabbed pane its record made.
    virtual BOOL SetDockState(CKGPDockManager* pDockManager);
    // The tabbed pane a loaded record made in this frame (its tabs still to
    // be taken back), or null.
    CKGPDockingControlBar* GetRestoredTabbedPane() const;
    // A stored frame whose one bar already floats alone in a live frame of
    // the same class moves that frame to its stored place instead of making a
    // window anew: the live frame a loaded record took over, or nullptr.
    // Only a whole layout's load allows it (the dock manager asks before the
    // record is read).
    void AllowTakeOver() { m_bMayTakeOver = TRUE; }
    CKGPMiniFrameWnd* GetTakenOverFrame() const { return m_pTakenOver; }
    // After the load committed: the record holds no more than the bar of the
    // frame it took over (else it makes a window of its own after all).
    virtual BOOL LoadedRecordFitsTakenOver() const { return TRUE; }
    // Makes the window of a committed record at its stored place.
    BOOL CreateStoredWindow();
    virtual void RecordPanePlace(CKGPBaseControlBar* /*pPane*/) {}
    virtual void RecordTabPlace(CKGPBaseControlBar* /*pPane*/, CKGPBaseControlBar* /*pTabbedPane*/) {}
    virtual void ShowPane(CKGPBaseControlBar* /*pPane*/, BOOL /*bShow*/) {}
    // Screen point: HTCAPTION in the caption only when asked; otherwise the
    // caption button there or HTCLIENT (the frame moves itself).
    virtual LRESULT HitTest(CPoint point, BOOL bDetectCaption);
    virtual void ValidateHostedBar();
    virtual void SetRollUpTimer();
    virtual void KillRollUpTimer();
    virtual void RecalcPaneFrames() {}
    virtual void ConvertToTabbedDocument();
    virtual BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    virtual void OnCapture(BOOL bOnOff);
    // pWndToDestroy is destroyed when the drag ends (a bar's own drag handed over).
    virtual void EnterDragMode(HWND hWndToDestroyOnRelease = nullptr);
    virtual void DrawBorder(CDC* pDC, const CRect& rectWindow);
    virtual void DrawCaptionButtons(CDC* pDC);
    // The window rectangle becomes the bar's recent floating rectangle, the
    // cursor its drag offset.
    virtual void SaveRecentFloatingState();
    virtual BOOL CanClose();
    // Hides the frame, then its bar.
    virtual void CloseMiniFrame();
    virtual void OnPressCaptionButton(UINT nHit);
    // Docks a hosted docking pane where the cursor points.
    // The pane under the point that the hosted pane would join as a tab
    // while dragged with the markers: another floating frame's only visible
    // pane when the point is in that frame's caption, or a docked pane when
    // the point is in its caption band or tab area; null when none takes it.
    CKGPDockingControlBar* TabTargetAt(CPoint ptScreen) const;
    CKGPDockingControlBar* RecordedTabTarget() const;
    // Released on the centre marker over the documents of a frame that shows
    // them as tabs: the hosted pane becomes a tabbed document; whether it did.
    BOOL DropAsTabbedDocument();
    virtual CKGPBaseControlBar* DockBarByMouse(BOOL& bDocked);
    virtual CKGPCaptionButton* AddCaptionButton(UINT nHit);
    virtual void OnTrackCaptionButtons(CPoint point);
    virtual void StopCaptionButtonsTracking();
    virtual void CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI);
    virtual void OnCheckRollState();
    virtual void RecalcCaptionHeight();
    // TRUE for frames that hold several panes in a split tree.
    virtual BOOL IsMultiPaneFrame() const { return FALSE; }
    // Multi-pane frames keep a list of their own; this frame holds one bar.
    virtual BOOL InsertControlBar(CKGPBaseControlBar* /*pBar*/, CKGPBaseControlBar* /*pBarToInsertAt*/,
                                  BOOL /*bAfter*/)
    {
        return FALSE;
    }

    // ---- Caption buttons, timers, moves.
    void ArrangeCaptionButtons();
    CKGPCaptionButton* FindCaptionButton(UINT nHit) const;
    CKGPCaptionButton* FindCaptionButtonAtPoint(CPoint point) const;
    void RemoveCaptionButtons();
    void RedrawCaptionButton(CKGPCaptionButton* pButton);
    // The caption button of that hit code looks pushed (or no longer), at once.
    void SetCaptionButtonPushed(UINT nHit, BOOL bPushed);
    int GetCaptionButtonsTotalWidth() const;
    void UpdateCaptionTooltips();
    void UpdateCaptionTooltipRects();
    void StartRollUpTimer();
    void StopRollUpTimer();
    void SetDockingTimer(UINT nTimeOut);
    void KillDockingTimer();
    // Tells the owner frame of a move; FALSE when the frame docked meanwhile.
    BOOL NotifyFrameOfMove();
    // The drag holds the frame at this point of the screen.
    void HoldAt(CPoint ptScreen);
    // Carries a bar just torn off a menu until the button is released (1) or the
    // tear-off is cancelled (0: the bar is destroyed).
    int StartTearOff(CWnd* pMenuWnd);
    void MoveDragFrame();
    // In smart docking: the markers follow the drag (started on its first
    // move), the central group over the pane under the cursor, the place
    // marker where the frame would land by the marker under the cursor.
    void TrackSmartDocking(CPoint ptScreen);
    BOOL IsMoving() const { return m_bCaptured; }
    // Esc during the drag: the drag ends where it began (an outline is
    // erased; a frame that followed the mouse gives its bar back to the
    // place it was dragged from).
    void CancelDragByEscape();
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsPinned() const { return m_bPinned; }
    DWORD GetCaptionButtonFlags() const { return m_dwCaptionButtons; }
    const CObList& GetCaptionButtons() const { return m_lstCaptionButtons; }
    UINT_PTR GetDockingTimer() const { return m_nDockTimerID; }
    // The pin state a bar carries while docked; a pinned frame does not roll up.
    int GetPinState() const { return m_bPinned; }
    void SetPinState(int nState) { m_bPinned = nState != 0; }
    // Where the cursor stood when the frame's drag began or last moved it.
    CPoint GetDragCursor() const { return m_ptHot; }
    // How far the frame, following the mouse, has still to go to stand where
    // the cursor holds it: the moves not handled yet (a busy machine hands
    // several over at once). None when it does not follow the mouse.
    CSize GetMoveBehindCursor() const;
    // Where the cursor holds the frame while it is dragged (window coordinates).
    void SetDragOffset(CPoint point)
    {
        m_ptDragOffset = point;
        m_sizeCursorInFrame = CSize(point.x, point.y);
    }

    void SetDockManager(CKGPDockManager* pManager) { m_pDockManager = pManager; }
    // The dock manager given, else that of the frame owning this one.
    CKGPDockManager* GetDockManager() const;
    CWnd* GetParentFrameWnd() const { return CWnd::FromHandle(m_hParentWnd); }
    UINT GetSavedBarID() const { return m_nRestoredEmbeddedBarID; }
    // Posted when the frame owning this one has shown (it then stands over
    // what showed while it came up): shows this frame over it if it holds a
    // bar and its owner still shows.
    static constexpr UINT kShowOverOwnerMessage = WM_USER + 0x3A1;

    // ---- Every bar floating in any frame, by control id; every live frame.
    static void AddRemoveBarFromGlobalMap(CKGPBaseControlBar* pBar, BOOL bAdd);
    static CKGPBaseControlBar* FindFloatingBarByID(UINT nID);
    static void GetFloatingBars(CObList& list, CRuntimeClass* pRTCBarType = nullptr, BOOL bIncludeTabs = FALSE);
    // Redraws every live floating frame (the look changed).
    static void RedrawAll();

    // Written by the bar that creates the frame; Esc during a drag puts it back.
    CRect m_rectRecentFloatingRect{0, 0, 100, 100};
    static int m_nCaptionButtonSpacing;
    static int m_nCaptionButtonMargin;
    static UINT m_nRollTimeOut;
    // Library-wide: a frame grows to its bar's (its tree's) minimum size when
    // smaller.
    static BOOL m_bRespectMinSize;
    // Timer ids.
    static constexpr UINT_PTR kDockingTimerId = 4;
    static constexpr UINT_PTR kRollUpTimerId = 5;

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMoving(UINT nSide, LPRECT lpRect);
    afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnExitSizeMove(WPARAM, LPARAM);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    afx_msg LRESULT OnCheckEmptyState(WPARAM, LPARAM);
    afx_msg LRESULT OnShowOverOwner(WPARAM, LPARAM);
    afx_msg LRESULT OnUpdateToolTips(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // A bar a load takes up leaves the tabbed pane it stands in as a tab
    // (an emptied tabbed pane goes) and its auto-hide strip.
    static void TakeOutOfTabAndStrip(CKGPBaseControlBar* pBar);
    CKGPBaseControlBar* HostedBar() const;
    CKGPControlBar* HostedControlBar() const;
    BOOL HostsToolBar() const;
    // Leaves the drag: capture released, moving cleared, the bar told.
    void EndMove();
    // Ends a drag as Esc or a lost capture does.
    void CancelDrag(BOOL bByEscape);
    // A drag's end offered to the hosted bar first; TRUE when the bar took it.
    BOOL GiveDropToHostedBar();
    // The hit code of the caption button at a screen point, or 0.
    UINT CaptionButtonHitAt(CPoint ptScreen) const;
    void SetHotButton(UINT nHit);
    // The record stores a tabbed pane without an id by the pane's own record
    // (a frame of several panes stores its panes in its tree instead).
    virtual BOOL StoresTabbedPaneRecord() const { return TRUE; }
    // Puts the window where at least a caption height stays on the work area.
    CRect KeptOnWorkArea(const CRect& rect) const;

    BOOL m_bBlockMove = FALSE;
    BOOL m_bActive = FALSE;
    int m_nCaptionHeight = 0;
    COwningPtrList<CObList, CKGPCaptionButton*> m_lstCaptionButtons;
    DWORD m_dwCaptionButtons = 0;
    CToolTipCtrl* m_pToolTip = nullptr;
    CKGPBaseControlBar* m_pTargetPane = nullptr;
    HWND m_hEmbeddedBar = nullptr;
    BOOL m_bCaptured = FALSE;
    BOOL m_bMoved = FALSE;
    CPoint m_ptHot{-1, -1};
    int m_nDockToTargetKind = 0;
    // The pane a drop now would make the hosted pane a tab of, while an
    // immediate drag with markers is over its caption or tab area (or
    // another floating frame's caption); null otherwise.
    HWND m_hTabTarget = nullptr;
    // Where the cursor held the frame when it last followed the mouse.
    CSize m_sizeCursorInFrame{0, 0};
    int m_nMinTrackX = 0;
    int m_nMinTrackY = 0;
    UINT m_nHit = 0;
    UINT m_nHot = 0;
    CRect m_rectRedraw;
    UINT_PTR m_nDockTimerID = 0;
    UINT_PTR m_nRollTimerID = 0;
    BOOL m_bRolledUp = FALSE;
    int m_nHeightBeforeRollUp = 0;
    BOOL m_bPinned = FALSE;
    CKGPDragFrameImpl m_dragFrameImpl;
    BOOL m_bKeepWhenEmpty = FALSE;
    HWND m_hParentWnd = nullptr;
    HWND m_hWndToDestroyOnRelease = nullptr;
    HWND m_hLastFocusWnd = nullptr;
    BOOL m_bHostsToolbar = TRUE;
    CKGPDockManager* m_pDockManager = nullptr;
    UINT m_nRestoredEmbeddedBarID = 0;
    // The tabbed pane the record last applied made in this frame.
    HWND m_hRestoredTabbedPane = nullptr;
    BOOL m_bRestoredVisible = FALSE;
    // A loaded record's floating place, kept from its commit on.
    struct StoredPlace {
        DWORD style = 0;
        CRect rect;
        BOOL visible = FALSE;
        UINT barId = 0;
        DWORD buttons = 0;
        BOOL pinned = FALSE;
        CFrameWnd* pParent = nullptr;
    };
    StoredPlace m_stored;
    BOOL m_bMayTakeOver = FALSE;
    // The stored record makes no window besides the frame's own (a frame of
    // several panes with sliders or tabs makes more).
    BOOL m_bRecordMakesNoWindow = TRUE;
    CKGPMiniFrameWnd* m_pTakenOver = nullptr;
    CKGPMiniFrameWnd* FindFrameToTakeOver() const;
    void TakeStoredPlace(const StoredPlace& stored);
    void ApplyStoredPlace(const StoredPlace& stored);
    CPoint m_ptDragOffset{0, 0};

    static CList<HWND, HWND> s_lstFrames;
    static CMap<UINT, UINT, HWND, HWND> s_mapFloatingBars;
};
