// CMDIChildWnd: a document window made by the MDI client of its frame.
#include <afxwin.h>

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

namespace {

CMDIFrameWnd* MainMDIFrame()
{
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
}

} // namespace

// ---- Creation.

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = MainMDIFrame();
    if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr)
        return FALSE;
    if (lpszWindowName != nullptr && m_strTitle.IsEmpty())
        m_strTitle = lpszWindowName;

    CREATESTRUCT cs{};
    cs.style = dwStyle | WS_CHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    const bool defaultRect = CRect(rect) == rectDefault;
    cs.x = defaultRect ? CW_USEDEFAULT : rect.left;
    cs.y = defaultRect ? CW_USEDEFAULT : rect.top;
    cs.cx = defaultRect ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = defaultRect ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!PreCreateWindow(cs))
        return FALSE;

    MDICREATESTRUCTW mdiCreate{};
    mdiCreate.szClass = cs.lpszClass;
    mdiCreate.szTitle = cs.lpszName;
    mdiCreate.hOwner = cs.hInstance;
    mdiCreate.x = cs.x;
    mdiCreate.y = cs.y;
    mdiCreate.cx = cs.cx;
    mdiCreate.cy = cs.cy;
    // The client keeps only the styles it knows; the rest is put back once made.
    mdiCreate.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mdiCreate.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdiCreate)));
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
        return FALSE;
    if (cs.style & WS_MAXIMIZE)
        pParentWnd->MDIMaximize(this);
    if (cs.style & WS_VISIBLE) {
        ::ShowWindow(hWnd, (cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    auto* frame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    if (frame == nullptr)
        frame = MainMDIFrame();
    if (frame == nullptr)
        return FALSE;

    CString fullTitle;
    fullTitle.LoadString(nIDResource);
    const int newline = fullTitle.Find(L'\n');
    m_strTitle = newline < 0 ? fullTitle : fullTitle.Left(newline);

    LPCTSTR resourceName = MAKEINTRESOURCEW(nIDResource);
    HICON icon = ::LoadIconW(AfxFindResourceHandle(resourceName, RT_GROUP_ICON), resourceName);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    // The window becomes visible when its document is ready (InitialUpdateFrame).
    if (!Create(windowClass, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, frame, pContext))
        return FALSE;
    // The template's shared menu and accelerators.
    if (pContext != nullptr)
        if (auto* multi = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate)) {
            m_hMenuShared = multi->m_hMenuShared.Get();
            m_hAccelTable = multi->m_hAccelTable.Get();
        }
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // The client passes the MDICREATESTRUCT; its lParam is the creation context.
    CCreateContext* context = nullptr;
    if (lpcs->lpCreateParams != nullptr)
        context = reinterpret_cast<CCreateContext*>(static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams)->lParam);
    return OnCreateHelper(lpcs, context) ? 0 : -1;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Through the client, which keeps its list and the Window menu in step.
    HWND client = ::GetParent(m_hWnd);
    if (client == nullptr)
        return CFrameWnd::DestroyWindow();
    MDIDestroy();
    return TRUE;
}

// ---- Operations.

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND client = ::GetParent(m_hWnd);
    return client != nullptr ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(client)))
                             : nullptr;
}

void CMDIChildWnd::MDIDestroy()
{
    if (m_hWnd != nullptr)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    if (m_hWnd != nullptr)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    if (m_hWnd != nullptr)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    if (m_hWnd != nullptr)
        ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

// ---- Activation, menus and titles.

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    const BOOL visible = IsWindowVisible();
    CMDIFrameWnd* frame = GetMDIFrame();
    BOOL maximized = FALSE;
    CMDIChildWnd* active = frame != nullptr ? frame->MDIGetActive(&maximized) : nullptr;
    if (nCmdShow == -1) {
        if (!visible)
            nCmdShow = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (frame != nullptr && active != this)
        frame->MDIActivate(this);
    if (frame != nullptr) {
        frame->OnUpdateFrameMenu(nullptr);
        ::DrawMenuBar(frame->m_hWnd);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CString title = m_strTitle;
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc != nullptr && !doc->GetTitle().IsEmpty())
        title = doc->GetTitle();
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame == nullptr)
        return;
    HMENU menu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuShared;
    if (bActive && pActivateWnd == this) {
        if (menu == nullptr)
            menu = frame->m_hMenuDefault;
        if (menu != nullptr)
            frame->MDISetMenu(menu, frame->GetWindowMenuPopup(menu));
    } else if (!bActive && pActivateWnd == nullptr) {
        // The last child went: the frame's own menu comes back.
        if (frame->m_hMenuDefault != nullptr)
            frame->MDISetMenu(frame->m_hMenuDefault, frame->GetWindowMenuPopup(frame->m_hMenuDefault));
    }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CFrameWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate && m_pViewActive != nullptr)
        m_pViewActive->OnActivateFrame(WA_ACTIVE, this);
    else if (!bActivate && m_pViewActive != nullptr)
        m_pViewActive->OnActivateFrame(WA_INACTIVE, this);
    OnUpdateFrameMenu(bActivate, bActivate ? this : pActivateWnd, nullptr);
    if (CMDIFrameWnd* frame = GetMDIFrame())
        ::DrawMenuBar(frame->m_hWnd);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    const int result = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    // A click into an inactive child activates it.
    if (CMDIFrameWnd* frame = GetMDIFrame(); frame != nullptr && frame->MDIGetActive() != this)
        MDIActivate();
    return result;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // The frame translates the child's accelerators (it is the active child's
    // frame that owns the keyboard); nothing more to do here.
    return CWnd::PreTranslateMessage(pMsg);
}
