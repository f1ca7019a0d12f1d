// The library's MDI document window: it takes a frame implementation and a
// dock manager of its own from KGPFrameBase.h (a document window may carry
// docked bars, its own docking calls reach them), keeps the
// client area's tabs in step with its title and icon, loses its caption and
// fills the client while it is a tab, and may wrap a docking pane of the main
// frame so that the pane is shown as a tabbed document.
#pragma once

#include <afxwin.h>

#include "guilib/frames/KGPFrameBase.h"
#include "guilib/frames/KGPMDIClientLinks.h"

class CKGPBaseControlBar;
class CKGPDockingControlBar;
class CKGPMDIFrameWnd;
class CKGPMiniFrameWnd;
class CKGPTabWnd;

class CKGPMDIChildWnd : public CKGPDockSiteFrameT<CMDIChildWnd>, public IKGPMDITabChild {
    DECLARE_DYNCREATE(CKGPMDIChildWnd)
public:
    CKGPMDIChildWnd();
    ~CKGPMDIChildWnd() override;

    CKGPFrameImpl& GetFrameImpl() { return m_Impl; }
    CKGPMDIFrameWnd* GetLibraryMDIFrame() const { return m_pMDIFrame; }
    // A child counts as a tab while it has no system menu.
    BOOL IsTabbedChild() const { return (GetStyle() & WS_SYSMENU) == 0; }
    const CRect& GetRestoreRect() const { return m_rectRestore; }

    // ---- Own virtual operations.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    virtual BOOL OnChildHook(int /*nFirst*/, int /*nSecond*/) { return FALSE; }
    void GetFrameText(CString& strText) const override;
    HICON GetFrameIcon() const override;
    BOOL CanShowOnMDITabs() override { return TRUE; }
    virtual BOOL IsReadyForTabs() { return TRUE; }
    virtual BOOL IsTabHookSet() { return FALSE; }
    CString GetDocumentName(CObject** pObj) override;
    // Destroys the child through the client, then has the frame update its
    // menu (a maximised child's buttons leave the menu bar with it).
    BOOL DestroyWindow() override;

    // ---- Bars docked in the document window.
    // A bar that may float loses that here unless floating bars are allowed
    // in document windows library-wide (m_bEnableFloatingBars); a bar that
    // then neither floats nor resizes (a toolbar) is a plain bar along its
    // edge; any other (a docking pane) may dock on every side and docks.
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    static BOOL m_bEnableFloatingBars;

    // ---- The client area's bookkeeping.
    CKGPTabWnd* GetRelatedTabGroup() const override { return m_pRelatedTabGroup; }
    void SetRelatedTabGroup(CKGPTabWnd* pGroup) override { m_pRelatedTabGroup = pGroup; }
    BOOL IsToBeDestroyed() const override { return m_bToBeDestroyed; }
    void SetToBeDestroyed(BOOL bToBeDestroyed) override { m_bToBeDestroyed = bToBeDestroyed; }
    int GetTabbedPaneID() const override;

    // ---- The wrapped docking pane.
    // Takes the pane in: out of its dock place, into this child, shown as a document.
    void AddTabbedControlBar(CKGPDockingControlBar* pBar);
    CKGPDockingControlBar* GetTabbedControlBar() const { return m_pTabbedControlBar; }
    // Gives the pane back to the main frame's docking, at the side it came
    // from; FALSE when the child wraps none.
    BOOL ReturnTabbedControlBar();
    virtual void AdjustClientArea();

    // ---- Platform overrides.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The client area of the library MDI frame, null under a plain MDI frame.
    class CKGPMainClientAreaWnd* ClientArea() const;
    BOOL IsInGroupsMode() const;
    // Sizes the child so that its client area covers the MDI client's.
    void FillMDIClient();
    BOOL VisualManagerDrawsCaption() const;

    CKGPTabWnd* m_pRelatedTabGroup = nullptr;
    CKGPMDIFrameWnd* m_pMDIFrame = nullptr;
    BOOL m_bToBeDestroyed = FALSE;
    CRect m_rectRestore;
    BOOL m_bActive = FALSE;
    CKGPDockingControlBar* m_pTabbedControlBar = nullptr;
    // The side the wrapped pane was docked at.
    DWORD m_dwTabbedPaneAlignment = CBRS_ALIGN_LEFT;

    // Set while one child handles its activation (re-entry from another child's).
    static BOOL s_bInMDIActivate;
};
