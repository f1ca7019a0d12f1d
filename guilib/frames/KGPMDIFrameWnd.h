// The library's MDI main frame: like the SDI frame it takes the frame
// implementation, the dock manager and their handlers from KGPFrameBase.h
// (menu bar, docking, tear-off bars, caption), and it subclasses the MDI
// client with the client area that shows the children as tabs. It keeps the
// Window menu (and its copy in library popup menus) in step with the
// children, turns docking panes into tabbed documents and back, and saves and
// loads the MDI arrangement.
#pragma once

#include <afxwin.h>

#include "guilib/frames/KGPFrameBase.h"
#include "guilib/frames/KGPMDIClientLinks.h"
#include "guilib/frames/KGPMainClientAreaWnd.h"

class CKGPBaseControlBar;
class CKGPDockingControlBar;
class CKGPMDIChildWnd;
class CKGPMiniFrameWnd;

class CKGPMDIFrameWnd : public CKGPMainFrameT<CMDIFrameWnd>, public IKGPMDIClientFrame {
    DECLARE_DYNCREATE(CKGPMDIFrameWnd)
public:
    CKGPMDIFrameWnd();
    ~CKGPMDIFrameWnd() override;

    CKGPMainClientAreaWnd& GetClientArea() { return m_wndClientArea; }

    // ---- MDI tabs and groups (the client area's modes).
    void EnableMDITabs(BOOL bEnable = TRUE, const CKGPMDITabParams& params = CKGPMDITabParams());
    void EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params);
    BOOL AreMDITabs() const { return m_wndClientArea.AreMDITabs(); }
    BOOL IsMDITabbedGroup() const { return m_wndClientArea.IsMDITabbedGroup(); }
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
    CFrameWnd* GetPrintPreviewFrame() const { return m_pPrintPreviewFrame; }
    void SetPrintPreviewFrame(CFrameWnd* pFrame) { m_pPrintPreviewFrame = pFrame; }

    // ---- Own virtual operations.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL bDrop) override;
    virtual CKGPMDIChildWnd* ControlBarToTabbedDocument(CKGPDockingControlBar* pBar);
    virtual BOOL TabbedDocumentToControlBar(CKGPMDIChildWnd* pMDIChildWnd);
    virtual BOOL GetFrameOption() const { return m_bFrameOption; }
    // Whether the menu bar shows the system menu of a maximised document
    // window whose caption has none (no WS_SYSMENU); one with it always shows.
    virtual BOOL ShowsChildSystemMenu(CWnd* /*pChild*/) const { return FALSE; }
    BOOL OnSetMenu(HMENU hmenu) override;
    BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) override { return FALSE; }
    void OnAdjustMDIClientArea(CRect& /*rectClient*/, CRect& /*rectTabs*/) override {}
    virtual void AdjustClientArea();
    virtual BOOL LoadMDIState(LPCTSTR lpszProfileName);
    virtual BOOL SaveMDIState(LPCTSTR lpszProfileName);
    CWnd* CreateDocumentWindow(LPCTSTR /*lpszDocName*/, CObject* /*pObj*/) override { return nullptr; }
    CWnd* CreateNewWindow(LPCTSTR lpszDocName, CObject* pObj) override;

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
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    // The border space an in-place item may take: the docking layout's inner
    // area, laid out first; the border set is the layer's.
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnSetPreviewMode(BOOL bPreview) override;
    BOOL OnShowPopupMenu(CWnd* pPopup) override;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowNew();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // An auto-hidden pane is slid out (its slider shows).
    BOOL IsAutoHidePaneShown() const;
    // The child entries of the Window menu appended to a library popup that
    // holds a window command.
    void AppendWindowList(CWnd* pPopup);

    CKGPMainClientAreaWnd m_wndClientArea;
    HMENU m_hmenuWindow = nullptr;
    BOOL m_bDoSubclass = TRUE;
    UINT m_uiWindowsDlgMenuId = 0;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways = FALSE;
    BOOL m_bFrameOption = FALSE;
    BOOL m_bClosing = FALSE;
    int m_nFrameID = 0;
    CFrameWnd* m_pPrintPreviewFrame = nullptr;
};
