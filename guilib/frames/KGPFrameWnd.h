// The library's SDI frame, as far as docking needs it: it embeds the dock
// manager and lays out through it, placing its view in what the bars leave.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/frames/KGPFrameLinks.h"

class CKGPBaseControlBar;

class CKGPFrameWnd : public CFrameWnd, public IKGPDockSite {
    DECLARE_DYNCREATE(CKGPFrameWnd)
public:
    CKGPFrameWnd();

    CKGPDockManager* GetDockManager() override { return &m_dockManager; }
    void AdjustDockingLayout() override { RecalcLayout(); }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void EnableDocking(DWORD dwDockStyle) override { m_dockManager.EnableDocking(dwDockStyle); }
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE) { return m_dockManager.AddControlBar(pBar, bTail); }
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr)
    {
        m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CKGPDockManager m_dockManager;
};
