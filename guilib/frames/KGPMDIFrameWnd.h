// The library's MDI main frame: like the SDI frame it embeds the frame
// implementation and the dock manager (menu bar, docking, tear-off bars,
// caption), and it subclasses the MDI client with the client area that shows
// the children as tabs. It keeps the Window menu (and its copy in library
// popup menus) in step with the children, turns docking panes into tabbed
// documents and back, and saves and loads the MDI arrangement.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPFrameLinks.h"
#include "guilib/frames/KGPMDIClientLinks.h"
#include "guilib/frames/KGPMainClientAreaWnd.h"

class CKGPBaseControlBar;
class CKGPDockingControlBar;
class CKGPMDIChildWnd;
class CKGPMiniFrameWnd;

class CKGPMDIFrameWnd : public CMDIFrameWnd,
                        public IKGPDockSite,
                        public IKGPMenuHostFrame,
                        public IKGPMDIClientFrame {
    DECLARE_DYNCREATE(CKGPMDIFrameWnd)
public:
    CKGPMDIFrameWnd();
    ~CKGPMDIFrameWnd() override;

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    CKGPFrameImpl& GetFrameImpl() override { return m_Impl; }
    CKGPMainClientAreaWnd& GetClientArea() { return m_wndClientArea; }

    // ---- MDI tabs and groups (the client area's modes).
    void EnableMDITabs(BOOL bEnable = TRUE, const CKGPMDITabParams& params = CKGPMDITabParams());
    void EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params);
    BOOL AreMDITabs() const { return m_wndClientArea.AreMDITabs(); }
    BOOL IsMDITabbedGroup() const { return m_wndClientArea.IsMDITabbedGroup(); }
    // The auto-hide strips of the edges given (the dock manager's).
    BOOL EnableAutoHideBars(DWORD dwDockStyle) { return m_dockManager.EnableAutoHideBars(dwDockStyle); }
    // A windows-dialog entry at the end of the Window menu (0: none).
    void SetWindowsDialogEntry(UINT uiCmdId, LPCTSTR lpszText, BOOL bShowAlways = FALSE);
    UINT GetWindowsDialogCommand() const { return m_uiWindowsDlgMenuId; }
    const CString& GetWindowsDialogText() const { return m_strWindowsDlgMenuText; }
    HMENU GetWindowMenu() const { return m_hmenuWindow; }
    int GetFrameID() const { return m_nFrameID; }
    void SetFrameID(int nFrameID) { m_nFrameID = nFrameID; }
    BOOL IsClosing() const { return m_bClosing; }
    // Full screen (the command given closes it; Escape leaves it too).
    void EnableFullScreenMode(UINT uiFullScreenID) { m_Impl.m_FullScreenMgr.EnableFullScreenMode(uiFullScreenID); }
    BOOL ShowFullScreen() { return m_Impl.m_FullScreenMgr.ShowFullScreen(this); }
    BOOL IsFullScreen() const { return m_Impl.m_FullScreenMgr.IsFullScreen(); }
    CFrameWnd* GetPrintPreviewFrame() const { return m_pPrintPreviewFrame; }
    void SetPrintPreviewFrame(CFrameWnd* pFrame) { m_pPrintPreviewFrame = pFrame; }

    // ---- Own virtual operations.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame) override;
    BOOL OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL bDrop) override;
    virtual CKGPMDIChildWnd* ControlBarToTabbedDocument(CKGPDockingControlBar* pBar);
    virtual BOOL TabbedDocumentToControlBar(CKGPMDIChildWnd* pMDIChildWnd);
    virtual BOOL GetFrameOption() const { return m_bFrameOption; }
    BOOL OnSetMenu(HMENU hmenu) override;
    virtual BOOL OnPopupMenuOpening(CWnd* pPopup);
    virtual BOOL FillCustomizeMenuRest(CWnd* /*pPopup*/, UINT /*uiToolbarResId*/) { return TRUE; }
    void OnClosePopupMenu(CWnd* pPopup) override;
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, CWnd* /*pMenuButton*/, const CRect& /*rect*/) { return FALSE; }
    BOOL OnDrawMenuLogo(CDC* /*pDC*/, CWnd* /*pPopup*/, const CRect& /*rect*/) override { return FALSE; }
    virtual BOOL OnToolbarButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual BOOL OnMenuButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) override { return FALSE; }
    void OnAdjustMDIClientArea(CRect& /*rectClient*/, CRect& /*rectTabs*/) override {}
    virtual void OnFrameHookNotify(UINT /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual BOOL OnToolbarMenuRequest(CObject* /*pBar*/, CPoint /*point*/) { return TRUE; }
    virtual void SetInPlaceBarsVisible(BOOL bShow);
    virtual void AdjustClientArea();
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* /*pMiniFrame*/) override { return TRUE; }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* /*pBar*/) override { return TRUE; }
    virtual BOOL LoadMDIState(LPCTSTR lpszProfileName);
    virtual BOOL SaveMDIState(LPCTSTR lpszProfileName);
    CWnd* CreateDocumentWindow(LPCTSTR /*lpszDocName*/, CObject* /*pObj*/) override { return nullptr; }
    CWnd* CreateNewWindow(LPCTSTR lpszDocName, CObject* pObj) override;
    virtual CWnd* GetActiveOleItem() { return nullptr; }

    // ---- What the client area asks besides.
    void OnRefreshWindowMenu() override;
    CWnd* PaneToTabbedDocument(UINT nPaneID) override;
    BOOL IsMDIFrameClosing() const override { return m_bClosing; }
    BOOL IsMDIFrameFullScreen() const override { return m_Impl.m_FullScreenMgr.IsFullScreen(); }

    // ---- Platform overrides.
    HMENU GetWindowMenuPopup(HMENU hMenuBar) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void EnableDocking(DWORD dwDockStyle) override { m_dockManager.EnableDocking(dwDockStyle); }
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    virtual void OnSetPreviewMode(BOOL bPreview);

    // ---- Docking calls offered to bars, floating frames and popup menus.
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy = TRUE, BOOL bAdjustLayout = FALSE,
                                         BOOL bAutoHide = FALSE, CKGPBaseControlBar* pBarReplacement = nullptr);
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                            CRuntimeClass* pRTCBarType) const;
    BOOL IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const;
    CKGPBaseControlBar* GetControlBar(UINT nID) override;
    void ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    BOOL OnShowPopupMenu(CWnd* pPopup) override;
    BOOL IsMinimized() const { return m_bIsMinimized; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnContextHelp();
    afx_msg void OnWindowNew();
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDWMCompositionChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The child entries of the Window menu appended to a library popup that
    // holds a window command.
    void AppendWindowList(CWnd* pPopup);

    CKGPMainClientAreaWnd m_wndClientArea;
    HMENU m_hmenuWindow = nullptr;
    CKGPFrameImpl m_Impl;
    CKGPDockManager m_dockManager;
    BOOL m_bContextHelp = FALSE;
    BOOL m_bDoSubclass = TRUE;
    UINT m_uiWindowsDlgMenuId = 0;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways = FALSE;
    BOOL m_bFrameOption = FALSE;
    BOOL m_bWasMaximized = FALSE;
    BOOL m_bIsMinimized = FALSE;
    BOOL m_bClosing = FALSE;
    int m_nFrameID = 0;
    CFrameWnd* m_pPrintPreviewFrame = nullptr;
};
