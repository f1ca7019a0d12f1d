// CFrameWnd: creation, views, command routing, closing.
#include <afxwin.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, &CFrameWnd::OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_EXT, ID_INDICATOR_REC, &CFrameWnd::OnUpdateKeyIndicator)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CFrameWnd::OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

// ---- Creation

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LPCTSTR resourceName = MAKEINTRESOURCEW(nIDResource);

    // The title is the first part of the string of the same id.
    CString fullTitle;
    fullTitle.LoadString(nIDResource);
    const int newline = fullTitle.Find(L'\n');
    m_strTitle = newline < 0 ? fullTitle : fullTitle.Left(newline);

    HINSTANCE iconModule = AfxFindResourceHandle(resourceName, RT_GROUP_ICON);
    HICON icon = ::LoadIconW(iconModule, resourceName);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    if (!Create(windowClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, resourceName, 0, pContext))
        return FALSE;

    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(resourceName);
    // Without a context nobody else sends the first update.
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName != nullptr) {
        HINSTANCE module = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        menu = ::LoadMenuW(module, lpszMenuName);  // absent: no menu bar
    }
    if (lpszWindowName != nullptr && m_strTitle.IsEmpty())
        m_strTitle = lpszWindowName;

    const bool defaultRect = CRect(rect) == rectDefault;
    const int x = defaultRect ? CW_USEDEFAULT : rect.left;
    const int y = defaultRect ? CW_USEDEFAULT : rect.top;
    const int width = defaultRect ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = defaultRect ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, width, height,
                        CWnd::HwndOf(pParentWnd), menu, pContext)) {
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams)) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!OnCreateClient(lpcs, pContext))
        return FALSE;
    RecalcLayout();
    // The status bar starts with the idle prompt, once the bars exist.
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return nullptr;
    auto* view = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (view == nullptr)
        return nullptr;
    // After a failed creation that got as far as a window, the view has
    // already deleted itself (PostNcDestroy); it must not be touched then.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr)
        return FALSE;
    HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAcceleratorsW(module, lpszResourceName);
    return m_hAccelTable != nullptr;
}

// ---- Views and documents

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* viewOld = m_pViewActive;
    if (pViewNew == viewOld)
        return;
    m_pViewActive = nullptr;
    if (viewOld != nullptr)
        viewOld->OnActivateView(FALSE, pViewNew, viewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, viewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    // The pane view becomes active before any view gets its first update:
    // views look up the active view from OnInitialUpdate.
    CView* view = GetActiveView();
    if (view == nullptr) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane != nullptr && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(pane);
            SetActiveView(view, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view != nullptr)
            view->OnActivateFrame(WA_INACTIVE, this);
        int showCommand = -1;
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == this) {
            showCommand = app->m_nCmdShow;
            app->m_nCmdShow = -1;  // only the first time
        }
        ActivateFrame(showCommand);
        if (view != nullptr && GetActiveView() == view)
            view->OnActivateView(TRUE, view, view);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr && !doc->GetTitle().IsEmpty())
        title = (GetStyle() & FWS_PREFIXTITLE) ? doc->GetTitle() + L" - " + m_strTitle
                                               : m_strTitle + L" - " + doc->GetTitle();
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

// ---- Commands

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view first (it passes on to its document), then the frame,
    // then the application.
    if (CView* view = GetActiveView())
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == nullptr)
        return;
    CCmdUI::UpdateMenu(pPopupMenu, this, m_bAutoMenuEnable);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout(m_nIdleFlags & idleNotify);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    m_nIdleFlags = 0;
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int virtualKey = 0;
    switch (pCmdUI->m_nID) {
    case ID_INDICATOR_CAPS:
        virtualKey = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        virtualKey = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        virtualKey = VK_SCROLL;
        break;
    default:
        // Extended selection, overwrite and record have no key state here.
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable((::GetKeyState(virtualKey) & 1) != 0);
}

// ---- Closing

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    HWND self = m_hWnd;
    if (app != nullptr && app->m_pMainWnd == this) {
        if (app->m_pDocManager != nullptr) {
            if (doc == nullptr && !app->m_pDocManager->SaveAllModified())
                return;
            // Closing the documents destroys their frames, this one included.
            app->m_pDocManager->CloseAllDocuments(FALSE);
            if (!::IsWindow(self))
                return;
        }
        doc = GetActiveDocument();
    }
    if (doc != nullptr)
        doc->PreCloseFrame(this);
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Bars and views go with their windows; forget the view now so nothing
    // routes commands to it while children are destroyed.
    m_pViewActive = nullptr;
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy()
{
    // The application's main window ends the message loop.
    CWinApp* app = AfxGetApp();
    bool wasMain = false;
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        wasMain = true;
    }
    CWinThread* thread = AfxGetThread();
    if (thread != nullptr && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        wasMain = true;
    }
    if (wasMain)
        ::PostQuitMessage(0);
    CWnd::OnNcDestroy();  // may delete this
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// ---- Focus, activation, painting

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (m_pViewActive != nullptr)
        m_pViewActive->OnActivateFrame(nState, this);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area: erasing under it only flickers.
    if (m_pViewActive != nullptr)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}
