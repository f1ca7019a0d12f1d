// The host's main frame: the library's MDI frame with MDI tabs and smart
// docking, made in OnCreate the way an application makes it (the base
// first, then the bars and panes in the usual order).
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPStatusBar.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/panes/KGPCaptionBar.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPTasksPane.h"
#include "guilib/sheets/KGPPropertySheet.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <memory>
#include <vector>

// A docking pane that paints itself in a colour of its own (by its id), so
// that a screenshot tells the panes apart.
class CHostPane : public CKGPDockingControlBar {
    DECLARE_DYNCREATE(CHostPane)
protected:
    void DoPaint(CDC* pDC) override;
};

// The options' first page: a name, applied by Apply or OK.
class CHostGeneralPage : public CKGPPropertyPage {
public:
    CHostGeneralPage();
    BOOL OnApply() override;

    CString m_strName;
    int m_nApplied = 0;

protected:
    afx_msg void OnNameChange();
    DECLARE_MESSAGE_MAP()
};

// The options: a property sheet of two pages, opened modally, with help.
class CHostOptionsSheet : public CKGPPropertySheet {
public:
    explicit CHostOptionsSheet(CWnd* pParent);

    CHostGeneralPage m_general;
    CKGPPropertyPage m_view;
};

class CHostMainFrame : public CKGPMDIFrameWnd {
    DECLARE_DYNCREATE(CHostMainFrame)
public:
    CHostMainFrame();
    ~CHostMainFrame() override;

    // ---- What a test reads of the frame.
    CKGPMenuBar m_wndMenuBar;
    CKGPToolBar m_wndToolBar;
    CKGPToolBar m_wndFormatBar;
    // The toolbar the Format bar's "Align" drop-down button opens (made only
    // when the application asks for that button).
    CKGPDropDownToolBar m_wndAlignBar;
    CKGPStatusBar m_wndStatusBar;
    CKGPCaptionBar m_wndCaptionBar;
    CHostPane m_wndFiles;
    CHostPane m_wndClasses;
    CHostPane m_wndOutput;
    CHostPane m_wndWatch;
    CHostPane m_wndProperties;
    // Floats over the frame's right half from the start.
    CHostPane m_wndFind;
    CKGPTasksPane m_wndTasks;
    CKGPOutlookBar m_wndShortcuts;
    CKGPOutlookBarPane m_wndMailPage;
    CKGPOutlookBarPane m_wndNotesPage;
    // The docking panes the application made, in the order it made them.
    std::vector<CKGPDockingControlBar*> StoredPanes();
    // The bars that keep their own state: the menu bar and the toolbars.
    std::vector<CKGPToolBar*> StoredBars();
    // What the last options sheet ended with (IDOK, IDCANCEL; 0: never
    // opened), the name it applied and how often it applied.
    INT_PTR m_nOptionsResult = 0;
    CString m_strOptionsName;
    int m_nOptionsApplied = 0;
    // What LoadToolBar answered for each toolbar.
    BOOL m_bMainToolBarLoaded = FALSE;
    BOOL m_bFormatBarLoaded = FALSE;

    // Help is recorded (HostApp().m_helpContexts), not shown.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    // While set, the frame makes no tabbed document of a pane (an application
    // keeping its panes out of its documents).
    BOOL m_bRefusePaneDocuments = FALSE;
    CKGPMDIChildWnd* ControlBarToTabbedDocument(CKGPDockingControlBar* pBar) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
    afx_msg void OnViewCustomize();
    afx_msg void OnViewOptions();
    afx_msg void OnViewCaptionBar();
    afx_msg void OnUpdateViewCaptionBar(CCmdUI* pCmdUI);
    afx_msg void OnRecordedCommand(UINT nID);
    afx_msg void OnUpdateRecordedCommand(CCmdUI* pCmdUI);
    afx_msg void OnWindowShowAs(UINT nID);
    afx_msg void OnFileClose();
    afx_msg void OnUpdateFileClose(CCmdUI* pCmdUI);
    afx_msg void OnUpdateWindowShowAs(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateBars();
    BOOL CreatePanes();
    BOOL CreateTasksPane();
    BOOL CreateShortcuts();
    void DockBarsAndPanes();
    void FloatFindPane();
};
