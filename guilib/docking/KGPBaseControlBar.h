// The window every bar of the library derives from: its docking data (where it
// may dock, where it is docked, the frame, dock bar and row that hold it, its
// docking mode), the virtual interface through which the dock manager, dock
// bars, rows and floating frames talk to any bar, and the shared behaviour
// (owner forwarding, visibility in the registry and in archives, moves inside
// a deferred window-position batch).
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CKGPDockBar;
class CKGPDockBarRow;
class CKGPDockManager;
class CKGPMiniFrameWnd;
class CKGPStoredLoad;

// Library bar flags (m_dwBarStyle).
constexpr DWORD KGP_BARSTYLE_FLOAT = 0x1;
constexpr DWORD KGP_BARSTYLE_AUTOHIDE = 0x2;
constexpr DWORD KGP_BARSTYLE_RESIZE = 0x4;
constexpr DWORD KGP_BARSTYLE_CLOSE = 0x8;

// Docking mode bits.
constexpr int KGP_DOCK_IMMEDIATE = 1;
constexpr int KGP_DOCK_DRAGFRAME = 2;
constexpr int KGP_DOCK_SMART = 0x80;

// Dock methods passed to docking and floating.
enum KGPDockMethod {
    KGP_DM_UNKNOWN = 0,
    KGP_DM_MOUSE = 1,
    KGP_DM_DBLCLICK = 2,
    KGP_DM_SHOW = 3,
    KGP_DM_RECT = 4,
    KGP_DM_STANDARD = 5,
};

class CKGPBaseControlBar : public CWnd {
    DECLARE_DYNAMIC(CKGPBaseControlBar)
public:
    CKGPBaseControlBar() = default;
    ~CKGPBaseControlBar() override = default;

    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    virtual BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    virtual BOOL IsDocked() const;
    virtual BOOL IsTabbed() const;
    virtual BOOL IsFloating() const { return !IsDocked(); }
    virtual BOOL IsShownAsDocument() const { return m_bShownAsDocument; }
    // Set while an MDI document window shows the bar instead of its dock place.
    void SetShownAsDocument(BOOL bShown) { m_bShownAsDocument = bShown; }
    virtual BOOL DocksAtFrameEdge() const { return TRUE; }
    virtual BOOL IsBarVisible() const;
    virtual BOOL AllowsInsertBefore() const { return CanFloat(); }
    virtual BOOL CanBeDocked(CKGPBaseControlBar* /*pDockBar*/) const { return FALSE; }
    virtual BOOL CanAcceptBar(const CKGPBaseControlBar* /*pBar*/) const { return FALSE; }
    virtual BOOL IsPaneKind() const { return FALSE; }
    // TRUE for the sliders between docking panes.
    virtual BOOL IsSliderKind() const { return FALSE; }
    // TRUE for toolbars (floating frames draw and size those differently).
    virtual BOOL IsToolBarKind() const { return FALSE; }
    virtual BOOL IsInMDITabMode() const { return FALSE; }
    virtual BOOL IsResizable() const { return TRUE; }
    virtual BOOL IsAutoHideMode() const { return FALSE; }

    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual DWORD GetEnabledAlignment() const { return m_dwEnabledAlign; }
    virtual CFrameWnd* GetDockSiteFrame() const;
    virtual CKGPDockBar* GetParentDockBar() const { return m_pParentDockBar; }
    virtual int GetCaptionHeight() const { return 0; }
    // The height of a pane's bottom tab area (0 for bars without tabs).
    virtual int GetTabAreaHeight() const { return 0; }
    virtual BOOL GetRecentVisibleState() const { return m_bRecentVisibleState; }
    // A saved layout applied shows a bar as its own values read since the
    // last layout say; a bar none was read for (a layout from an archive that
    // holds only the layout) keeps the visibility it had before the apply.
    BOOL IsVisibleStateRead() const { return m_bVisibleStateRead; }
    void KeepVisibleState(BOOL bVisible);
    void ForgetVisibleStateRead() { m_bVisibleStateRead = FALSE; }
    virtual BOOL IsStateRestored() const { return m_bStateRestored; }
    virtual void SetStateRestored(BOOL bRestored) { m_bStateRestored = bRestored; }
    virtual int GetDockingMode() const;
    virtual HICON GetBarIcon(BOOL bBig);
    virtual DWORD GetBarStyleWord() const { return m_dwStyle; }
    virtual DWORD GetLibraryBarStyle() const { return m_dwBarStyle; }
    virtual BOOL CanBeClosed() const { return (m_dwBarStyle & KGP_BARSTYLE_CLOSE) != 0; }
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeResized() const { return (m_dwBarStyle & KGP_BARSTYLE_RESIZE) != 0; }
    virtual BOOL CanAutoHide() const { return (m_dwBarStyle & KGP_BARSTYLE_AUTOHIDE) != 0; }

    virtual void SetCurrentAlignment(DWORD dwAlignment);
    virtual void SetBarStyleWord(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual void SetLibraryBarStyle(DWORD dwStyle) { m_dwBarStyle = dwStyle; }
    virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlign = dwAlignment; }
    virtual void EnableGripper(BOOL /*bEnable*/) {}
    virtual void OnRelayoutHook() {}

    virtual BOOL DockToBar(CKGPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, KGPDockMethod /*method*/)
    {
        return FALSE;
    }
    virtual BOOL FloatBar(CRect /*rect*/, KGPDockMethod /*method*/ = KGP_DM_UNKNOWN, bool /*bShow*/ = true)
    {
        return FALSE;
    }
    // Docks beside another bar (panes); the base docks nowhere.
    virtual BOOL DockToWindow(DWORD /*dwAlignment*/, LPCRECT /*lpRect*/, DWORD /*dwDockFlags*/ = 0,
                              CKGPBaseControlBar* /*pRelativeBar*/ = nullptr, int /*nRelativeIndex*/ = -1,
                              BOOL /*bOuterEdge*/ = FALSE)
    {
        return FALSE;
    }
    virtual CSize CalcSize(BOOL /*bVertDock*/) { return CSize(0, 0); }
    virtual void RecalcLayout() {}
    virtual void AdjustHostLayout() {}
    // The floating frame made for the bar when it floats (the base floats in none).
    virtual CKGPMiniFrameWnd* CreateFloatingFrame(CRect /*rect*/, KGPDockMethod /*method*/ = KGP_DM_UNKNOWN)
    {
        return nullptr;
    }
    // An auto-hide slider slides its pane out of view unless it is pKeep;
    // other bars do nothing.
    virtual void SlideOutAutoHidePane(const CKGPBaseControlBar* /*pKeep*/, BOOL /*bImmediately*/) {}
    // A docking pane's default slider (the slider beside it along its edge), else null.
    virtual CKGPBaseControlBar* GetDefaultSlider() const { return nullptr; }
    virtual void ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CKGPMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;

    // Visibility under "<path>KGPBaseControlBar-<id>[<index in hex>]"; id -1 is
    // the bar's own control id, index -1 none. Loading reads the whole stored
    // state of the bar (ReadState) and changes the bar only when all of it is
    // sound; FALSE when it was refused or a key is missing.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1);
    // Reads the bar's registry values, checks them and queues their changes
    // in the load (derived bars read their own, then the base's). FALSE when
    // a key is missing; damage refuses the load.
    virtual BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex);
    // Reads the bar's part of an archive (the edge and the visibility, then
    // what derived bars add) and queues its changes; damage throws.
    virtual void ReadArchive(CArchive& ar, CKGPStoredLoad& load);
    // The base bar's part of ReadArchive: the edge read (queued with the
    // visibility), for a bar that checks it against what it reads after.
    DWORD ReadEdgeAndVisibility(CArchive& ar, CKGPStoredLoad& load);

    virtual HDWP MoveBarTo(CRect rect, BOOL bRepaint, HDWP hdwp = nullptr);
    virtual HDWP SetBarWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                 HDWP hdwp = nullptr);
    virtual void CopyState(CKGPBaseControlBar* pOther);
    virtual void RemoveFromHost(BOOL /*bDelay*/) {}
    virtual void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHandler*/) {}
    virtual BOOL OnShowContextMenu(CWnd* pParentFrame, CPoint point);
    virtual BOOL HideInPrintPreviewMode() const { return TRUE; }
    virtual BOOL CreateBar(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwBarStyle,
                           CCreateContext* pContext = nullptr);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);
    // The bar's client size laid out for a length: its width (bHorz) or its
    // height (a floating toolbar wraps its rows to it); (0, 0) for a bar
    // whose floating frame is not resized by its edges this way.
    virtual CSize CalcSizeForLength(int /*nLength*/, BOOL /*bHorz*/) { return CSize(0, 0); }
    // The caption buttons its floating frame shows (KGP_CAPTION_BTN_...
    // bits): the close button when the bar may be closed.
    virtual DWORD GetFloatingCaptionButtons() const;
    // Its floating frame's menu button (its rectangle on the screen) was
    // pressed: the bar drops its menu under it; FALSE when it has none.
    virtual BOOL ShowCaptionMenu(CWnd* /*pMiniFrame*/, const CRect& /*rectButton*/) { return FALSE; }
    // Takes the focus when its floating frame gets it (toolbars leave it where it was).
    virtual BOOL WantsFocus() const { return TRUE; }

    // Reaching the frame's dock manager (nothing when there is none).
    BOOL RegisterWithDockManager(CKGPBaseControlBar* pBar = nullptr);
    void RemoveFromDockManager(BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE,
                               CKGPBaseControlBar* pBarToReplaceWith = nullptr);
    BOOL InsertInDockManager(CKGPBaseControlBar* pBarToInsert, BOOL bAfter);
    BOOL DockToParentFrame(BOOL bUseStoredFrame = TRUE);
    CKGPDockManager* GetDockManager() const;
    // Whether a screen point lies near the dock manager's outer or inner docked
    // edge (TRUE with no dock manager on a dialog).
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const;
    CKGPBaseControlBar* FindBarAtPoint(CPoint point, int nSensitivity, BOOL bExactBar = FALSE,
                                       CRuntimeClass* pRTCBarType = nullptr,
                                       const CKGPBaseControlBar* pBarToIgnore = nullptr) const;
    // The tab window holding the bar as a tab (hwndTab: the window the tab
    // shows), and the tabbed bar owning it; null when the bar is not a tab.
    CWnd* GetTabWindow(HWND& hwndTab) const;
    CKGPBaseControlBar* GetParentTabbedBar() const;

    CKGPDockBarRow* GetDockBarRow() const { return m_pDockBarRow; }
    void SetDockBarRow(CKGPDockBarRow* pRow) { m_pDockBarRow = pRow; }
    void SetParentDockBar(CKGPDockBar* pDockBar) { m_pParentDockBar = pDockBar; }
    void SetDockSite(CFrameWnd* pFrame) { m_pDockSite = pFrame; }
    void SetDockingMode(int nMode) { m_nDockMode = nMode; }
    BOOL IsOnDialog() const { return m_bOnDialog; }
    // The rectangle the row arranges this bar in while it lays all bars out at once.
    CRect m_rectLayout;

    // Library-wide settings.
    static BOOL s_bThreadedPaint;
    static BOOL s_bLoadingState;
    static LPCTSTR s_pszProfileSection;

    // The registry key of a bar's values: "<path><class>-<id>" or
    // "<path><class>-<id><index in hex>".
    static CString BarRegistryKey(LPCTSTR lpszPath, LPCTSTR lpszClass, int nID, int nIndex);
    // The same under the library path of the profile, id -1 being this bar's own.
    CString StateKey(LPCTSTR lpszProfileName, LPCTSTR lpszClass, int nID, int nIndex) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The frame a context-menu request goes to: the dock site when it is a
    // frame, else the main window, else the top-level frame.
    CWnd* MenuFrame() const;

    DWORD m_dwExtraStyle = 0;
    DWORD m_dwEnabledAlign = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwBarStyle = 0;
    BOOL m_bRecentVisibleState = FALSE;
    BOOL m_bVisibleStateRead = FALSE;
    BOOL m_bStateRestored = FALSE;
    CKGPDockBar* m_pParentDockBar = nullptr;
    CKGPDockBarRow* m_pDockBarRow = nullptr;
    mutable CFrameWnd* m_pDockSite = nullptr;
    int m_nDockMode = 0;
    CRect m_rectKept;
    BOOL m_bOnDialog = FALSE;
    BOOL m_bShownAsDocument = FALSE;
    // Set by a bar built from a dialog template (its resource name) before
    // creation; the window's size right after that creation.
    LPCTSTR m_lpszDlgTemplate = nullptr;
    CSize m_sizeDialog;

private:
    // The bar's tab in its tab window: -1 when it is none.
    int TabIndex(CWnd*& pTabWnd) const;
    BOOL CreateFromTemplate(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                            CWnd* pParentWnd, UINT nID);
};
