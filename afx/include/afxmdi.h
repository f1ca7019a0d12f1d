// Frames of a program of several document windows inside one main window.
//
// Design:
// - CMDIFrameWnd makes the system's MDI client (class "MDICLIENT", child id
//   AFX_IDW_PANE_FIRST, so the frame's layout gives it what the bars leave) in
//   OnCreateClient, with the popup of the frame's menu that holds the window
//   commands as its Window menu. Messages the frame does not handle go to
//   DefFrameProc, which keeps the client in step (sizing, child entries of the
//   Window menu, the system menu of a maximised child).
// - CMDIChildWnd is made by the client (WM_MDICREATE); the creation context
//   travels in the MDICREATESTRUCT. Unhandled messages go to DefMDIChildProc.
//   Destroying a child goes through the client (WM_MDIDESTROY).
// - Menus: an active child puts its shared menu (the document template's) on
//   the frame through WM_MDISETMENU; without an active child the frame's own
//   default menu comes back.
// - Commands: the active child (and its view and document) first, then the
//   frame. The window commands (arrange, cascade, tile, new window) are the
//   frame's; the child entries of the Window menu reach DefFrameProc.
#pragma once

#include "afxframe.h"

#ifndef AFX_IDM_FIRST_MDICHILD
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif
#ifndef ID_WINDOW_NEW
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#endif
#ifndef AFX_IDM_WINDOW_FIRST
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
#endif

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // The MDI client, made when the frame is created.
    HWND m_hWndMDIClient = nullptr;

    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // Makes the MDI client; hWindowMenu gets the child entries (may be null).
    virtual BOOL CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu);
    // The popup of hMenuBar holding a window command, or null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // ---- The children.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade(int nType = 0);
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Puts a menu (and its Window popup) on the frame; returns the menu it replaced.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    // ---- Frame overrides.
    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The active child's menu, or hMenuAlt (or the default menu) without one.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnWindowNew();
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Made by pParentWnd's MDI client (the application's main window when null).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Puts this child's menu on the frame when it becomes active.
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The menu shown while this child is active (its template's, not owned).
    HMENU m_hMenuShared = nullptr;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
