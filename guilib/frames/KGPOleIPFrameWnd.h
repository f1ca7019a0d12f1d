// The library's in-place frames of an OLE server: while the server's item is
// active inside a container, its frame holds a frame implementation and a
// dock manager like the library's main frames (menus, keys, user toolbars,
// docking), names itself the library's active frame (and gives the name back
// on deactivation), and puts a library wrapper (CKGPOleCntrFrameWnd) around
// the container's frame window so the server's bars can dock there.
// CKGPOleIPFrameWnd and CKGPOleDocIPFrameWnd share one body
// (CKGPInPlaceFrameT) and differ in three points: who tells the dock manager
// its frame, what the dock manager does after the in-place layout, and
// whether deactivation closes an open menu during customisation.
#pragma once

#include <afxwin.h>
#include <afxoleframe.h>
#include <afxpreview.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPFrameLinks.h"

class CKGPBaseControlBar;
class CKGPMiniFrameWnd;
class CKGPOleCntrFrameWnd;

template <class TBase>
class CKGPInPlaceFrameT : public TBase, public IKGPDockSite, public IKGPMenuHostFrame {
public:
    explicit CKGPInPlaceFrameT(BOOL bDocumentFrame);
    ~CKGPInPlaceFrameT() override;

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    CKGPFrameImpl& GetFrameImpl() override { return m_Impl; }
    HWND GetLastTopLevelFrame() const { return m_hwndLastTopLevelFrame; }

    // ---- Own virtual operations.
    virtual void SetInPlaceBarsVisible(BOOL bShow);
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    virtual BOOL OnPopupMenuOpening(CWnd* /*pPopup*/) { return TRUE; }
    BOOL FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId) override;
    void OnClosePopupMenu(CWnd* pPopup) override;
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, CWnd* /*pMenuButton*/, const CRect& /*rect*/) { return FALSE; }
    virtual BOOL OnToolbarButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual BOOL OnMenuButtonQuery(CObject* /*pButton*/, int /*nValue*/) { return FALSE; }
    virtual void OnFrameHookNotify(UINT /*nCode*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    virtual BOOL OnToolbarMenuRequest(CObject* /*pBar*/, CPoint /*point*/) { return TRUE; }
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* /*pMiniFrame*/) override { return TRUE; }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* /*pBar*/) override { return TRUE; }

    // ---- Platform overrides.
    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    // Context help with the library's toolbars in help mode meanwhile; a
    // help request without data during it starts it again.
    virtual void OnContextHelp();
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F) override;
    BOOL OnShowPopupMenu(CWnd* pPopup) override;
    BOOL OnDrawMenuLogo(CDC* /*pDC*/, CWnd* /*pPopup*/, const CRect& /*rect*/) override { return FALSE; }
    CKGPBaseControlBar* GetControlBar(UINT nID) override { return m_dockManager.FindBarById(nID, TRUE); }
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE) override
    {
        return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
    }
    void EnableDocking(DWORD dwDockStyle) override { m_dockManager.EnableDocking(dwDockStyle); }
    // The container's frame as the library wrapper, or null before the bars were made.
    CKGPOleCntrFrameWnd* GetContainerFrameWrapper() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    // The library's active-frame name goes back to the frame remembered when
    // it names this frame now.
    void GiveBackActiveFrame();

    CKGPFrameImpl m_Impl;
    CKGPDockManager m_dockManager;
    BOOL m_bContextHelp = FALSE;
    HWND m_hwndLastTopLevelFrame = nullptr;
    const BOOL m_bDocumentFrame;

    DECLARE_MESSAGE_MAP()
};

class CKGPOleIPFrameWnd : public CKGPInPlaceFrameT<COleIPFrameWnd> {
    DECLARE_DYNCREATE(CKGPOleIPFrameWnd)
public:
    CKGPOleIPFrameWnd();
};

class CKGPOleDocIPFrameWnd : public CKGPInPlaceFrameT<COleDocIPFrameWnd> {
    DECLARE_DYNCREATE(CKGPOleDocIPFrameWnd)
public:
    CKGPOleDocIPFrameWnd();
};
