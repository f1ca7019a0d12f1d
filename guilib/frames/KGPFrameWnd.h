// The library's SDI frame: it embeds the frame implementation and the dock
// manager, lays its client area out around the docking layout (the view takes
// what the bars leave), routes commands to the bars, filters keys and clicks
// for menus and toolbars, and offers the docking calls through which bars,
// floating frames and popup menus reach the dock manager.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPFrameLinks.h"

class CKGPBaseControlBar;
class CKGPMiniFrameWnd;

class CKGPFrameWnd : public CFrameWnd, public IKGPDockSite, public IKGPMenuHostFrame {
    DECLARE_DYNCREATE(CKGPFrameWnd)
public:
    CKGPFrameWnd();
    ~CKGPFrameWnd() override;

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    CKGPFrameImpl& GetFrameImpl() override { return m_Impl; }

    // The auto-hide strips of the edges given (the dock manager's).
    BOOL EnableAutoHideBars(DWORD dwDockStyle) { return m_dockManager.EnableAutoHideBars(dwDockStyle); }

    // ---- Own virtual operations.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame) override;
    virtual void AdjustClientArea();
    virtual CWnd* GetActiveOleItem() { return nullptr; }
    virtual BOOL OnPopupMenuOpening(CWnd* pPopup);
    virtual BOOL FillCustomizeMenuRest(CWnd* /*pPopup*/, UINT /*uiToolbarResId*/) { return TRUE; }
    void OnClosePopupMenu(CWnd* pPopup) override;
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, CWnd* /*pMenuButton*/, const CRect& /*rect*/) { return FALSE; }
    // Draws the side band of a popup menu; FALSE when the frame draws none.
    BOOL OnDrawMenuLogo(CDC* /*pDC*/, CWnd* /*pPopup*/, const CRect& /*rect*/) override { return FALSE; }
    virtual BOOL OnToolbarButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual BOOL OnMenuButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual void OnFrameHookNotify(UINT /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual BOOL OnToolbarMenuRequest(CObject* /*pBar*/, CPoint /*point*/) { return TRUE; }
    virtual void SetInPlaceBarsVisible(BOOL bShow);
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* /*pMiniFrame*/) override { return TRUE; }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* /*pBar*/) override { return TRUE; }

    // ---- Platform overrides.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void EnableDocking(DWORD dwDockStyle) override { m_dockManager.EnableDocking(dwDockStyle); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    virtual void OnContextHelp();
    // The border space an in-place server may take: the docking layout's inner area.
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    virtual void OnSetPreviewMode(BOOL bPreview);
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    // Full screen (the frame implementation keeps its state).
    BOOL ShowFullScreen() { return m_Impl.m_FullScreenMgr.ShowFullScreen(this); }
    BOOL IsFullScreen() const { return m_Impl.m_FullScreenMgr.IsFullScreen(); }
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);

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
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDWMCompositionChanged(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CKGPFrameImpl m_Impl;
    CKGPDockManager m_dockManager;
    BOOL m_bContextHelp = FALSE;
    BOOL m_bWasMaximized = FALSE;
    BOOL m_bIsMinimized = FALSE;
    CKGPFrameWnd* m_pPrintPreviewFrame = nullptr;
};
