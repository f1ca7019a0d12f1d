// Document, view, frame and sizing bar used by the frame tests and the demo.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>

#include <string>
#include <vector>

// What happened, in order, while a document window was made.
struct FrameEvents {
    std::vector<std::string> order;
    bool mainWindowSetAtInitialUpdate = false;
    bool activeViewSetAtInitialUpdate = false;
    bool documentSetAtInitialUpdate = false;
    int documentCommands = 0;
    int statusButtonClicks = 0;
    int checkedCommands = 0;
    int checkedUpdates = 0;
    bool checked = true;
};
FrameEvents& Events();

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    BOOL OnNewDocument() override;

protected:
    afx_msg void OnDocumentCommand();
    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
};

// A bar docked at a side with a chosen width and a tree filling it.
class CSizingBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingBar)
public:
    BOOL Create(CWnd* pParentWnd, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_idleUpdates; }
    int m_width = 150;
    int m_idleUpdates = 0;
    CTreeCtrl m_tree;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    CSizingBar m_workspace;
    CButton m_statusButton;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnChecked();
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI);
    afx_msg void OnPlain();
    afx_msg void OnViewWorkspace();
    afx_msg void OnUpdateViewWorkspace(CCmdUI* pCmdUI);
    afx_msg void OnStatusButton();
    DECLARE_MESSAGE_MAP()
};
