// Frames, documents, views and document templates.
//
// Design (for writers of frames, views and bars on top of these):
// - Creation of a document window (CSingleDocTemplate::OpenDocumentFile(NULL)):
//   the document is created, the frame is created by LoadFrame(id) with a
//   CCreateContext in lpCreateParams; the frame's WM_CREATE calls
//   OnCreateClient, which creates the view (child id AFX_IDW_PANE_FIRST) and
//   the view joins the document in its own WM_CREATE. Then the document's
//   OnNewDocument runs, the thread's main window is set (first frame), and
//   InitialUpdateFrame makes the pane view active BEFORE WM_INITIALUPDATE
//   reaches the views, so a view's OnInitialUpdate finds both
//   AfxGetMainWnd() and GetParentFrame()->GetActiveView() set.
// - Layout: RecalcLayout -> RepositionBars: every child with an id in the
//   control-bar range gets WM_SIZEPARENT in Z order (creation order) and takes
//   its strip from the remaining client rectangle (top, bottom, left, right by
//   its CBRS_ALIGN_* bit); the pane (AFX_IDW_PANE_FIRST) gets what is left.
//   Dock bars made by EnableDocking are such children too; a bar docked in one
//   is laid out inside it. Bars register with their frame (m_listControlBars)
//   when created and leave it when destroyed.
// - Commands: OnCmdMsg routes to the active view (which passes on to its
//   document, which passes on to its template), then the frame's own maps,
//   then the application.
// - Idle update: WM_IDLEUPDATECMDUI reaches the frame (title update) and every
//   permanent descendant; control bars update their items through CCmdUI with
//   the frame as command target. Popup menus are updated on WM_INITMENUPOPUP.
// - Closing: OnClose asks the document (CanCloseFrame -> SaveModified); the
//   main frame closes every document of the application; the window is then
//   destroyed and, for the application's main window, WM_QUIT is posted.
#pragma once

#include "afxwnd.h"
#include "afxcmdui.h"

#include <vector>

class CDocument;
class CView;
class CFrameWnd;
class CDocTemplate;
class CControlBar;
class CDockBar;
class CMenu;
struct CPrintPreviewState;

// ---- Standard ids (shared with resource scripts).
#ifndef AFX_IDW_CONTROLBAR_FIRST
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_MENUBAR 0xE807
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#endif
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_VIEW_REBAR 0xE804
#endif
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#ifndef ID_INDICATOR_EXT
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705
#endif
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#endif
#ifndef ID_CONTEXT_HELP
#define ID_CONTEXT_HELP 0xE145 // context help (Shift+F1): CFrameWnd::OnContextHelp
#endif

// Frame window styles (in the style passed to LoadFrame/Create).
#ifndef FWS_ADDTOTITLE
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L
#endif

// The styles of a view made by CFrameWnd::CreateView.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// WM_SIZEPARENT's lParam: the rectangle still free, shrunk by each bar.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP = nullptr;   // deferred positions, or null to move at once
    RECT rect{};           // the free rectangle, parent client coordinates
    SIZE sizeTotal{};      // the space the bars take (query mode)
    BOOL bStretch = TRUE;  // bars stretch across the free width/height
};

// Lays out pParent's control bars (ids nIDFirst..nIDLast) and places the
// window nIDLeftOver in the rest (CWnd::RepositionBars of the framework).
// reposQuery: nothing moves, *lpRectParam gets the rest; reposExtra: the rest
// is shrunk further by *lpRectParam (a border) before the left-over window
// takes it. lpRectClient replaces the client rectangle when given.
void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                       LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
// Moves a window inside a WM_SIZEPARENT pass (deferred when hDWP is set).
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// What a frame's creation passes down to the view and the view to the document.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// ---- Document

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    // Life cycle.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();  // destroys the document's frames, deletes it when m_bAutoDelete
    virtual void DeleteContents();
    virtual BOOL SaveModified();     // asks the user when modified; FALSE = cancel
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    virtual void OnChangedViewList();  // closes the document after its last view went
    virtual BOOL DoFileSave();

    // Commands: the document's map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;

    DECLARE_MESSAGE_MAP()
};

// ---- View

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnInitialUpdate();  // calls OnUpdate(nullptr, 0, nullptr)
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);  // invalidates
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;  // deletes the view
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

// ---- Document templates

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    ~CDocTemplate() override;

    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    UINT GetResourceID() const { return m_nIDResource; }
    // Part n of the template string (resource m_nIDResource, '\n' separated).
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    virtual void LoadTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void CloseAllDocuments(BOOL bEndSession);
    virtual BOOL SaveAllModified();

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

    CRuntimeClass* m_pDocClass = nullptr;
    CRuntimeClass* m_pFrameClass = nullptr;
    CRuntimeClass* m_pViewClass = nullptr;
    UINT m_nIDResource = 0;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
};

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    // With a null path: a new document in a new frame (or the existing
    // document re-initialised in its frame).
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CDocument* m_pOnlyDoc = nullptr;
};

// A template whose documents each open in frames of their own (a program of
// several documents): the documents in order of creation, and the menu and
// accelerators of the template's resource id, which its frames share and the
// template owns.
class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    // The template string, and the menu and accelerators of the resource id
    // when they exist.
    void LoadTemplate() override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    // A new document (null path) or the file, in a frame of its own.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // The document name followed by a number counting the untitled ones.
    void SetDefaultTitle(CDocument* pDocument) override;

    CMenuHandle m_hMenuShared;
    CAcceleratorHandle m_hAccelTable;

protected:
    CPtrList m_docList;
    UINT m_nUntitledCount = 0;
};

// The application's templates (CWinApp::m_pDocManager).
class CDocManager : public CObject {
public:
    CDocManager() = default;
    ~CDocManager() override;  // deletes the templates
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetDocumentCount() const;
    void CloseAllDocuments(BOOL bEndSession);
    BOOL SaveAllModified();
    virtual void OnFileNew();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);

private:
    std::vector<CDocTemplate*> m_templateList;
};

// ---- Frame

// Told when a frame has laid itself out (an in-place frame's hook).
class COleFrameHook : public CCmdTarget {
public:
    virtual void OnRecalcLayout() {}
};

// Known by run-time class only: the program has no splitter windows.
class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
};

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    CFrameWnd* AsFrameWnd() override { return this; }

    // Creation.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // Layout.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE)
    {
        AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlag, lpRectParam, lpRectClient, bStretch);
    }
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // The border space an in-place item negotiates with its frame: borderGet
    // answers the client area less the frame's bars, borderRequest agrees,
    // borderSet keeps the border the view is inset by (none for null) and
    // answers whether it changed; the caller lays the frame out.
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    // Print preview (afxpreview.h): the frame's menu and control bars step
    // aside, or come back as the state recorded them.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Control bars and docking (dock bars at the sides, floating mini frames).
    virtual void EnableDocking(DWORD dwDockStyle);
    virtual void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Floats the bar in a mini frame whose window is at ptScreen.
    virtual void FloatControlBar(CControlBar* pBar, CPoint ptScreen, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
    virtual void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CDockBar* GetDockBar(UINT nDockBarID) const;
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    // Status prompt.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    CWnd* GetMessageBar();

    // Commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Help. The application's help file at the context given (WinHelp's
    // commands); a frame may answer otherwise.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    // The application's help file as HTML help (HtmlHelp's commands; a help
    // context by default); a frame may answer otherwise.
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    // Context help (the application's context-help command, Shift+F1): the
    // pointer becomes the help pointer and m_bHelpMode is set until a click
    // names a window, whose help context (its WM_HELPHITTEST answer, or the
    // first of its parents' up to the frame) is shown through WinHelp; Esc,
    // a right click or a lost capture ends it with nothing shown. A window
    // answering -1 has no help there and the mode goes on.
    virtual BOOL CanEnterHelpMode();
    afx_msg void OnContextHelp();

    BOOL m_bAutoMenuEnable = TRUE;  // disable menu items without a handler
    BOOL m_bHelpMode = FALSE;       // TRUE while context help (Shift+F1) picks a window
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    CRect m_rectBorder;
    BOOL m_bInRecalcLayout = FALSE;
    COleFrameHook* m_pNotifyHook = nullptr; // told after each notifying layout (not owned)
    std::vector<CControlBar*> m_listControlBars;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;
    int m_nIdleFlags = 0;
    enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

protected:
    CView* m_pViewActive = nullptr;
    CString m_strTitle;

    void PostNcDestroy() override;  // deletes the frame

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    virtual BOOL OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
};
