// The library's wrapper around a container's frame window while a server's
// item is active in place: it embeds a dock manager so the server's bars can
// dock on the container's frame, lays them out when the frame is sized, and
// asks the server's document to renegotiate its border space. The in-place
// frame makes it and owns it; when it goes, its floating frames and the
// windows still parented to it go with it (the container's window stays).
#pragma once

#include <afxwin.h>
#include <afxoleframe.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/frames/KGPFrameLinks.h"

class CKGPBaseControlBar;
class CKGPMiniFrameWnd;

class CKGPOleCntrFrameWnd : public COleCntrFrameWnd, public IKGPDockSite {
    DECLARE_DYNAMIC(CKGPOleCntrFrameWnd)
public:
    explicit CKGPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame);
    ~CKGPOleCntrFrameWnd() override;

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    virtual void SetInPlaceBarsVisible(BOOL bShow);
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* /*pMiniFrame*/) override { return TRUE; }
    BOOL OnCloseDockingBar(CKGPBaseControlBar* /*pBar*/) override { return TRUE; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // ---- Docking calls, forwarded to the dock manager.
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE);
    BOOL InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy = TRUE, BOOL bAdjustLayout = FALSE,
                                         BOOL bAutoHide = FALSE, CKGPBaseControlBar* pBarReplacement = nullptr);
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                            CRuntimeClass* pRTCBarType) const;
    BOOL IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const;

    // The wrapper's share of the server's idle update: its floating frames
    // and the descendants of its docked bars.
    void OnIdleUpdate();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

    CKGPDockManager m_dockManager;
};
