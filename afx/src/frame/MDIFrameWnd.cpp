// CMDIFrameWnd: the MDI client, the children's menus and the window commands.
#include <afxwin.h>

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CMDIFrameWnd::OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

// ---- The client.

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, GetWindowMenuPopup(::GetMenu(m_hWnd)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpcs, HMENU hWindowMenu)
{
    CLIENTCREATESTRUCT clientCreate{};
    clientCreate.hWindowMenu = hWindowMenu;
    clientCreate.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                        MDIS_ALLCHILDSTYLES;
    const DWORD exStyle = (lpcs != nullptr && (lpcs->dwExStyle & WS_EX_CLIENTEDGE) == 0) ? WS_EX_CLIENTEDGE : 0;
    m_hWndMDIClient = ::CreateWindowExW(exStyle, L"MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &clientCreate);
    if (m_hWndMDIClient == nullptr)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    const int count = ::GetMenuItemCount(hMenuBar);
    for (int index = count - 1; index >= 0; --index) {
        HMENU popup = ::GetSubMenu(hMenuBar, index);
        if (popup == nullptr)
            continue;
        const int items = ::GetMenuItemCount(popup);
        for (int item = 0; item < items; ++item) {
            const UINT id = ::GetMenuItemID(popup, item);
            if (id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST)
                return popup;
        }
    }
    return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    // DefFrameProc must not reach a client that is gone with its frame.
    m_hWndMDIClient = nullptr;
}

// ---- The children.

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = m_hWndMDIClient == nullptr
                      ? nullptr
                      : reinterpret_cast<HWND>(::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                              reinterpret_cast<LPARAM>(&maximized)));
    auto* child = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(active));
    if (pbMaximized != nullptr)
        *pbMaximized = child != nullptr && maximized;
    return child;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != nullptr && pWndActivate != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient != nullptr && pWnd != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    if (m_hWndMDIClient != nullptr)
        ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    if (m_hWndMDIClient == nullptr)
        return nullptr;
    return reinterpret_cast<HMENU>(::SendMessageW(m_hWndMDIClient, WM_MDISETMENU,
                                                  reinterpret_cast<WPARAM>(hFrameMenu),
                                                  reinterpret_cast<LPARAM>(hWindowMenu)));
}

// ---- Frame overrides.

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child != nullptr ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view and document) first; it must not route back
    // through the application, which the frame does last.
    if (CMDIChildWnd* child = MDIGetActive()) {
        if (CView* view = child->GetActiveView())
            if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
                return TRUE;
        if (child->CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A child's entry of the Window menu: DefFrameProc activates it.
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= AFX_IDM_FIRST_MDICHILD)
        return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // Ctrl+F4, Ctrl+F6 of the active child; then its accelerators, then the frame's.
        if (m_hWndMDIClient != nullptr && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
        CMDIChildWnd* child = MDIGetActive();
        if (child != nullptr && child->m_hAccelTable != nullptr &&
            ::TranslateAcceleratorW(m_hWnd, child->m_hAccelTable, pMsg))
            return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    // A maximised child's name is added by the system itself.
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    CDocument* doc = child != nullptr ? child->GetActiveDocument() : nullptr;
    CString title = m_strTitle;
    if (bAddToTitle && !maximized && doc != nullptr && !doc->GetTitle().IsEmpty())
        title = (GetStyle() & FWS_PREFIXTITLE) ? doc->GetTitle() + L" - " + m_strTitle
                                               : m_strTitle + L" - " + doc->GetTitle();
    CString current;
    GetWindowText(current);
    const bool systemSuffix = maximized && current.Left(title.GetLength()) == title;
    if (current != title && !systemSuffix)
        SetWindowText(title);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
    if (menu != nullptr)
        MDISetMenu(menu, GetWindowMenuPopup(menu));
}

void CMDIFrameWnd::DelayUpdateFrameMenu(HMENU)
{
    m_nIdleFlags |= idleMenu;
}

LRESULT CMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(nullptr);
        ::DrawMenuBar(m_hWnd);
    }
    m_nIdleFlags |= idleTitle;  // the active child's title follows
    return CFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

// ---- Window commands.

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

void CMDIFrameWnd::OnWindowNew()
{
    // Another window on the active document, made from its template.
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active != nullptr ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = doc != nullptr ? doc->GetDocTemplate() : nullptr;
    if (docTemplate == nullptr)
        return;
    CFrameWnd* frame = docTemplate->CreateNewFrame(doc, active);
    if (frame == nullptr) {
        AfxMessageBox(L"Failed to create the document window.");
        return;
    }
    docTemplate->InitialUpdateFrame(frame, doc, TRUE);
}
