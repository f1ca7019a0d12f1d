#include "guilib/frames/KGPMDIFrameWnd.h"


#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <vector>

IMPLEMENT_DYNCREATE(CKGPMDIFrameWnd, CMDIFrameWnd)

#ifndef ID_CONTEXT_HELP
#define ID_CONTEXT_HELP 0xE145
#endif

namespace {

constexpr UINT kWmIdleUpdateCmdUI = 0x0363;
// The Window menu's entry the system adds for a tenth child and more.
constexpr UINT kIdMoreWindows = AFX_IDM_FIRST_MDICHILD + 9;
// The tab menu's item that gives a tabbed document back to docking.
constexpr UINT kIdTabbedDocumentToPane = 0xFF96;
constexpr DWORD kAllowTabbedDocument = 16;

} // namespace

BEGIN_MESSAGE_MAP(CKGPMDIFrameWnd, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_MENUCHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_COMMAND(ID_CONTEXT_HELP, &CKGPMDIFrameWnd::OnContextHelp)
    ON_COMMAND(ID_WINDOW_NEW, &CKGPMDIFrameWnd::OnWindowNew)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CKGPMDIFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CKGPMDIFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CKGPMDIFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CKGPMDIFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &CKGPMDIFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, &CKGPMDIFrameWnd::OnBarCheck)
    ON_MESSAGE(WM_SETTEXT, &CKGPMDIFrameWnd::OnSetText)
    ON_MESSAGE(WM_EXITSIZEMOVE, &CKGPMDIFrameWnd::OnExitSizeMove)
    ON_MESSAGE(kWmIdleUpdateCmdUI, &CKGPMDIFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_DWMCOMPOSITIONCHANGED, &CKGPMDIFrameWnd::OnDWMCompositionChanged)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_CREATE, &CKGPMDIFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_DELETE, &CKGPMDIFrameWnd::OnToolbarDelete)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_POPUPMENU, &CKGPMDIFrameWnd::OnToolbarContextMenu)
    ON_REGISTERED_MESSAGE(KGM_CHANGEVISUALMANAGER, &CKGPMDIFrameWnd::OnChangeVisualManager)
    ON_REGISTERED_MESSAGE(KGM_POSTSETPREVIEWFRAME, &CKGPMDIFrameWnd::OnChangeVisualManager)
END_MESSAGE_MAP()

CKGPMDIFrameWnd::CKGPMDIFrameWnd() : m_Impl(this)
{
    KGPRegisterFrameLinks();
}

CKGPMDIFrameWnd::~CKGPMDIFrameWnd() = default;

void CKGPMDIFrameWnd::SetWindowsDialogEntry(UINT uiCmdId, LPCTSTR lpszText, BOOL bShowAlways)
{
    m_uiWindowsDlgMenuId = uiCmdId;
    m_strWindowsDlgMenuText = lpszText != nullptr ? lpszText : L"";
    m_bShowWindowsDlgAlways = bShowAlways;
}

void CKGPMDIFrameWnd::EnableMDITabs(BOOL bEnable, const CKGPMDITabParams& params)
{
    m_wndClientArea.EnableMDITabs(bEnable, params);
}

void CKGPMDIFrameWnd::EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params)
{
    m_wndClientArea.EnableMDITabbedGroups(bEnable, params);
}

// ---- Creation and loading.

BOOL CKGPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadToolbarParameters();
    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    if (m_Impl.GetMenuBar() != nullptr && m_Impl.m_hDefaultMenu != nullptr)
        m_hMenuDefault = m_Impl.m_hDefaultMenu;
    return TRUE;
}

BOOL CKGPMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this);
    m_Impl.m_pDockManager = &m_dockManager;
    m_Impl.RestorePlacement(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CKGPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    if (m_bDoSubclass)
        m_wndClientArea.SubclassWindow(m_hWndMDIClient);
    return TRUE;
}

int CKGPMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // A frame made without PreCreateWindow still docks.
    if (m_dockManager.GetDockSite() == nullptr) {
        m_dockManager.Create(this);
        m_Impl.m_pDockManager = &m_dockManager;
    }
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_Impl.m_bHasBorder = (lpCreateStruct->style & WS_BORDER) != 0;
    CKGPFrameImpl::AddFrame(this);
    m_Impl.OnChangeVisualManager();
    return 0;
}

HMENU CKGPMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CKGPMDIFrameWnd::OnRefreshWindowMenu()
{
    GetWindowMenuPopup(::GetMenu(m_hWnd));
}

// ---- Layout.

void CKGPMDIFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsPrintPreviewValid())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
}

BOOL CKGPMDIFrameWnd::OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame)
{
    return m_dockManager.OnMoveMiniFrame(pMiniFrame);
}

void CKGPMDIFrameWnd::AdjustClientArea()
{
    if (m_wndClientArea.GetSafeHwnd() == nullptr && m_hWndMDIClient == nullptr)
        return;
    CRect rect;
    m_dockManager.GetInnerDockRect(rect);
    if (m_dockManager.GetControlBars().IsEmpty())
        GetClientRect(rect);
    rect.left += m_rectBorder.left;
    rect.top += m_rectBorder.top;
    rect.right -= m_rectBorder.right;
    rect.bottom -= m_rectBorder.bottom;
    if (m_wndClientArea.GetSafeHwnd() != nullptr) {
        m_wndClientArea.CalcWindowRect(rect, 0);
        return;
    }
    ::SetWindowPos(m_hWndMDIClient, HWND_BOTTOM, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void CKGPMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr || m_bIsMinimized)
        return;
    m_bInRecalcLayout = TRUE;
    m_dockManager.AdjustDockingLayout();
    AdjustClientArea();
    if (bNotify && m_pNotifyHook != nullptr)
        m_pNotifyHook->OnRecalcLayout();
    m_bInRecalcLayout = FALSE;
}

BOOL CKGPMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    constexpr UINT kBorderRequest = 1;
    if (nBorderCmd == kBorderRequest) {
        m_dockManager.AdjustDockingLayout();
        CRect inner;
        m_dockManager.GetInnerDockRect(inner);
        *lpRectBorder = inner;
    }
    return TRUE;
}

void CKGPMDIFrameWnd::OnSetPreviewMode(BOOL bPreview)
{
    if (m_wndClientArea.AreMDITabs()) {
        CKGPTabWnd& tabs = m_wndClientArea.GetMDITabs();
        if (tabs.GetSafeHwnd() != nullptr)
            tabs.ShowWindow(bPreview ? SW_HIDE : SW_SHOWNOACTIVATE);
        m_wndClientArea.SetTabVisible(!bPreview);
    }
    m_dockManager.SetPrintPreviewMode(bPreview);
    AdjustDockingLayout();
    RecalcLayout(TRUE);
}

void CKGPMDIFrameWnd::SetInPlaceBarsVisible(BOOL bShow)
{
    m_dockManager.HideInPlaceBars(bShow);
    AdjustDockingLayout();
}

// ---- Menus.

BOOL CKGPMDIFrameWnd::OnSetMenu(HMENU hmenu)
{
    if (GetActiveOleItem() != nullptr)
        return FALSE;
    CKGPMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (pMenuBar == nullptr)
        return FALSE;
    ::SetMenu(m_hWnd, nullptr);
    pMenuBar->CreateFromMenu(hmenu != nullptr ? hmenu : pMenuBar->GetDefaultMenu(), hmenu == nullptr);
    GetWindowMenuPopup(hmenu != nullptr ? hmenu : pMenuBar->GetDefaultMenu());
    return TRUE;
}

void CKGPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CKGPMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (pMenuBar != nullptr && pMenuBar->IsWindowVisible()) {
        if (GetActiveOleItem() != nullptr)
            ::SetMenu(m_hWnd, hMenuAlt);
        else
            ::SetMenu(m_hWnd, nullptr);
    }
}

BOOL CKGPMDIFrameWnd::OnShowPopupMenu(CWnd* pPopup)
{
    if (!m_Impl.OnShowPopupMenu(pPopup, this))
        return FALSE;
    if (!KGPMenuLinks::IsCustomizeMode() && m_hmenuWindow != nullptr && pPopup != nullptr)
        AppendWindowList(pPopup);
    return OnPopupMenuOpening(pPopup);
}

void CKGPMDIFrameWnd::AppendWindowList(CWnd* pPopup)
{
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    if (pMenu == nullptr || pMenu->GetHMenu() == nullptr)
        return;
    // Only the popup that holds a window command lists the windows.
    HMENU hPopup = pMenu->GetHMenu();
    BOOL bHasWindowCommand = FALSE;
    for (int i = 0; i < ::GetMenuItemCount(hPopup) && !bHasWindowCommand; ++i) {
        const UINT id = ::GetMenuItemID(hPopup, i);
        bHasWindowCommand = id >= AFX_IDM_WINDOW_FIRST && id <= AFX_IDM_WINDOW_LAST;
    }
    if (!bHasWindowCommand)
        return;

    const BOOL bWindowsDialog = m_uiWindowsDlgMenuId != 0;
    BOOL bMoreWindowsSeen = FALSE;
    BOOL bFirst = TRUE;
    const int count = ::GetMenuItemCount(m_hmenuWindow);
    for (int i = 0; i < count; ++i) {
        const UINT id = ::GetMenuItemID(m_hmenuWindow, i);
        if (id < AFX_IDM_FIRST_MDICHILD || id == static_cast<UINT>(-1))
            continue;
        if (id == kIdMoreWindows && bWindowsDialog) {
            bMoreWindowsSeen = TRUE;
            continue;
        }
        if (bFirst) {
            pMenu->InsertSeparator();
            if (m_hWndMDIClient != nullptr)
                ::SendMessageW(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
            bFirst = FALSE;
        }
        wchar_t text[256] = {};
        ::GetMenuStringW(m_hmenuWindow, i, text, 255, MF_BYPOSITION);
        CKGPToolbarMenuButton button(id, nullptr, -1, text);
        if (::GetMenuState(m_hmenuWindow, i, MF_BYPOSITION) & MF_CHECKED)
            button.m_nBits |= TBBS_CHECKED;
        pMenu->InsertItem(button);
    }
    if (bWindowsDialog && (bMoreWindowsSeen || m_bShowWindowsDlgAlways)) {
        if (!CKGPToolBar::s_lstAlwaysShownCommands.empty())
            CKGPToolBar::AddBasicCommand(m_uiWindowsDlgMenuId);
        pMenu->InsertItem(CKGPToolbarMenuButton(m_uiWindowsDlgMenuId, nullptr, -1, m_strWindowsDlgMenuText));
    }
}

BOOL CKGPMDIFrameWnd::OnPopupMenuOpening(CWnd* pPopup)
{
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, pPopup->m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

void CKGPMDIFrameWnd::OnClosePopupMenu(CWnd* pPopup)
{
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, pPopup->m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    m_dockManager.SetBarsMenuShown(FALSE);
}

// ---- Tabbed documents.

BOOL CKGPMDIFrameWnd::OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL /*bDrop*/)
{
    if ((dwAllowedItems & kAllowTabbedDocument) == 0 || !KGPMenuLinks::HasContextMenuManager())
        return FALSE;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    menu.AppendMenu(MF_STRING | MF_CHECKED, kIdTabbedDocumentToPane, L"Tabbed Document");
    HWND hSelf = m_hWnd;
    const UINT uiCmd = KGPMenuLinks::TrackContextMenu(menu.GetSafeHmenu(), point.x, point.y, this, FALSE);
    if (uiCmd == kIdTabbedDocumentToPane && ::IsWindow(hSelf)) {
        if (auto* pChild = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, MDIGetActive()))
            TabbedDocumentToControlBar(pChild);
    }
    return TRUE;
}

CKGPMDIChildWnd* CKGPMDIFrameWnd::ControlBarToTabbedDocument(CKGPDockingControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    CString strText;
    pBar->GetWindowText(strText);
    auto hIcon = reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_SMALL));
    auto* pChild = new CKGPMDIChildWnd;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
    if (!pChild->Create(lpszClass, strText, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                        CFrameWnd::rectDefault, this)) {
        if (pChild->m_hWnd == nullptr)
            delete pChild;
        return nullptr;
    }
    pChild->SetTitle(strText);
    pChild->SetWindowText(strText);
    pChild->AddTabbedControlBar(pBar);
    return pChild;
}

BOOL CKGPMDIFrameWnd::TabbedDocumentToControlBar(CKGPMDIChildWnd* pMDIChildWnd)
{
    if (pMDIChildWnd == nullptr || !pMDIChildWnd->ReturnTabbedControlBar())
        return FALSE;
    pMDIChildWnd->SendMessage(WM_CLOSE);
    return TRUE;
}

CWnd* CKGPMDIFrameWnd::PaneToTabbedDocument(UINT nPaneID)
{
    auto* pBar = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_dockManager.FindBarById(nPaneID, TRUE));
    return pBar != nullptr ? ControlBarToTabbedDocument(pBar) : nullptr;
}

CWnd* CKGPMDIFrameWnd::CreateNewWindow(LPCTSTR /*lpszDocName*/, CObject* /*pObj*/)
{
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    if (pActive == nullptr)
        return nullptr;
    if (bMaximized)
        pActive->ShowWindow(SW_RESTORE);
    CMDIFrameWnd::OnWindowNew();
    CMDIChildWnd* pNew = MDIGetActive();
    if (bMaximized && pNew != nullptr)
        pNew->ShowWindow(SW_MAXIMIZE);
    return DYNAMIC_DOWNCAST(CKGPMDIChildWnd, pNew);
}

void CKGPMDIFrameWnd::OnWindowNew()
{
    CreateNewWindow(nullptr, nullptr);
}

// ---- Stored arrangement.

BOOL CKGPMDIFrameWnd::LoadMDIState(LPCTSTR lpszProfileName)
{
    return m_wndClientArea.LoadState(lpszProfileName, m_nFrameID);
}

BOOL CKGPMDIFrameWnd::SaveMDIState(LPCTSTR lpszProfileName)
{
    return m_wndClientArea.SaveState(lpszProfileName, m_nFrameID);
}

// ---- Commands and input.

BOOL CKGPMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_dockManager.OnBarsMenuCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKGPMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 1 && m_Impl.ProcessKeyboard(VK_ESCAPE))
        return TRUE; // an accelerator while a popup menu is open
    if (KGPMenuLinks::IsCustomizeMode())
        return FALSE;
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

BOOL CKGPMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.PreTranslateFrameMessage(pMsg)) {
    case CKGPFrameImpl::PreTranslateResult::Consumed:
        return TRUE;
    case CKGPFrameImpl::PreTranslateResult::Untranslated:
        return FALSE;
    case CKGPFrameImpl::PreTranslateResult::PassOn:
        break;
    }
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

void CKGPMDIFrameWnd::OnContextHelp()
{
    // As the SDI frame: the layer picks no window; the help file opens at its contents.
    if (m_bContextHelp)
        return;
    m_bContextHelp = TRUE;
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pszHelpFilePath != nullptr)
        ::WinHelpW(m_hWnd, pApp->m_pszHelpFilePath, HELP_FINDER, 0);
    m_bContextHelp = FALSE;
}

void CKGPMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    if (CWinApp* pApp = AfxGetApp())
        ::WinHelpW(m_hWnd, pApp->m_pszHelpFilePath, nCmd, dwData);
}

void CKGPMDIFrameWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    WinHelp(dwData, nCmd);
}

// ---- Docking calls.

BOOL CKGPMDIFrameWnd::AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
}

BOOL CKGPMDIFrameWnd::InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CKGPMDIFrameWnd::RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                      BOOL bAutoHide, CKGPBaseControlBar* pBarReplacement)
{
    m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
}

void CKGPMDIFrameWnd::DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

CKGPBaseControlBar* CKGPMDIFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                         CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKGPMDIFrameWnd::IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.IsPointNearDockBar(point, dwAlignment, bOuterEdge);
}

CKGPBaseControlBar* CKGPMDIFrameWnd::GetControlBar(UINT nID)
{
    return m_dockManager.FindBarById(nID, TRUE);
}

void CKGPMDIFrameWnd::ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (pBar != nullptr)
        pBar->ShowBar(bShow, bDelay, bActivate);
}

// ---- Messages.

void CKGPMDIFrameWnd::OnDestroy()
{
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableLayout(FALSE);
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    for (HWND hChild : children) {
        if (hChild != m_hWndMDIClient && ::IsWindow(hChild) && ::GetParent(hChild) == m_hWnd)
            ::DestroyWindow(hChild);
    }
    CKGPFrameImpl::RemoveFrame(this);
    CMDIFrameWnd::OnDestroy();
}

void CKGPMDIFrameWnd::OnClose()
{
    if (m_pPrintPreviewFrame != nullptr) {
        m_pPrintPreviewFrame->SendMessage(WM_CLOSE);
        m_pPrintPreviewFrame = nullptr;
        return;
    }
    if (m_Impl.IsPrintPreview()) {
        CMDIFrameWnd::OnClose();
        return;
    }
    m_bClosing = TRUE;
    m_Impl.OnCloseFrame();
    HWND hSelf = m_hWnd;
    CMDIFrameWnd::OnClose();
    // A close the user cancelled (a document kept open) leaves the frame as it
    // was: its layout follows its size again.
    if (::IsWindow(hSelf) && CWnd::FromHandlePermanent(hSelf) == this)
        m_bClosing = FALSE;
}

void CKGPMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_bClosing) {
        CMDIFrameWnd::OnSize(nType, cx, cy);
        return;
    }
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    m_dockManager.HideMiniFrames(!m_bIsMinimized, RUNTIME_CLASS(CKGPBaseToolBar));
    if (!m_bIsMinimized && nType != SIZE_MAXIMIZED && !m_bWasMaximized) {
        m_dockManager.SuspendRecalc(TRUE);
        AdjustDockingLayout();
        CMDIFrameWnd::OnSize(nType, cx, cy);
        m_dockManager.SuspendRecalc(FALSE);
        BOOL bDragFull = TRUE;
        ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bDragFull, 0);
        if (!bDragFull)
            RecalcLayout(TRUE);
    } else {
        CMDIFrameWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        m_bWasMaximized = nType == SIZE_MAXIMIZED;
    }
    m_Impl.UpdateCaption();
}

void CKGPMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        if (!KGPMenuLinks::IsCustomizeMode())
            m_Impl.DeactivateMenu();
    } else if (nState == WA_CLICKACTIVE) {
        UpdateWindow();
    }
}

void CKGPMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMDIFrameWnd::OnActivateApp(bActive, dwThreadID);
    m_dockManager.HideMiniFrames(bActive, RUNTIME_CLASS(CKGPBaseToolBar));
    m_Impl.OnActivateApp(bActive);
}

LRESULT CKGPMDIFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.OnMenuChar(nChar))
        return 0xFFFF0002;
    return CMDIFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKGPMDIFrameWnd::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CKGPTabWnd& tabs = m_wndClientArea.GetMDITabs();
    if (tabs.GetSafeHwnd() == nullptr || KGPMenuLinks::GetActivePopupMenu() != nullptr ||
        (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0)
        return;
    if (pWnd != nullptr && pWnd->m_hWnd == m_hWndMDIClient) {
        CWnd* pUnder = WindowFromPoint(point);
        auto* pGroup = DYNAMIC_DOWNCAST(CKGPTabWnd, pUnder);
        if (pGroup == nullptr || !m_wndClientArea.IsMemberOfMDITabGroup(pGroup)) {
            if (SendMessage(KGTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y)))
                m_dockManager.ShowBarsContextMenu(point);
            return;
        }
        CPoint ptTab = point;
        pGroup->ScreenToClient(&ptTab);
        const int nTab = pGroup->GetTabFromPoint(ptTab);
        if (nTab >= 0)
            pGroup->SetActiveTab(nTab);
    } else if (pWnd != nullptr && pWnd->m_hWnd == tabs.m_hWnd) {
        CPoint ptTab = point;
        tabs.ScreenToClient(&ptTab);
        const int nTab = tabs.GetTabFromPoint(ptTab);
        if (nTab >= 0)
            tabs.SetActiveTab(nTab);
    } else {
        return;
    }
    OnShowMDITabContextMenu(point, m_wndClientArea.GetMDITabsContextMenuAllowedItems(), FALSE);
}

void CKGPMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CMDIFrameWnd::OnWindowPosChanged(lpwndpos);
    if (CKGPMenuBar* pMenuBar = m_Impl.GetMenuBar()) {
        BOOL bMaximized = FALSE;
        CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
        pMenuBar->SetMaximizeMode(bMaximized, bMaximized ? pChild : nullptr);
    }
}

void CKGPMDIFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CMDIFrameWnd::OnWindowPosChanging(lpwndpos);
    m_Impl.OnWindowPosChanging(lpwndpos);
}

void CKGPMDIFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    m_Impl.OnGetMinMaxInfo(lpMMI);
    CMDIFrameWnd::OnGetMinMaxInfo(lpMMI);
    m_Impl.m_FullScreenMgr.OnGetMinMaxInfo(lpMMI);
}

void CKGPMDIFrameWnd::OnNcPaint()
{
    if (!m_Impl.OnNcPaint())
        Default();
}

BOOL CKGPMDIFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_Impl.OnNcActivate(bActive))
        return TRUE;
    return CMDIFrameWnd::OnNcActivate(bActive);
}

void CKGPMDIFrameWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp))
        CMDIFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

LRESULT CKGPMDIFrameWnd::OnNcHitTest(CPoint point)
{
    const UINT hit = m_Impl.OnNcHitTest(point);
    return hit != 0 ? static_cast<LRESULT>(hit) : CMDIFrameWnd::OnNcHitTest(point);
}

void CKGPMDIFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_Impl.OnNcMouseMove(nHitTest, point);
    CMDIFrameWnd::OnNcMouseMove(nHitTest, point);
}

void CKGPMDIFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_Impl.OnLButtonDown(point);
    CMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void CKGPMDIFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_Impl.OnLButtonUp(point);
    CMDIFrameWnd::OnLButtonUp(nFlags, point);
}

void CKGPMDIFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    m_Impl.OnMouseMove(point);
    CMDIFrameWnd::OnMouseMove(nFlags, point);
}

LRESULT CKGPMDIFrameWnd::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    m_Impl.OnSetText();
    return result;
}

LRESULT CKGPMDIFrameWnd::OnDWMCompositionChanged(WPARAM, LPARAM)
{
    m_Impl.OnDwmCompositionChanged();
    return 0;
}

LRESULT CKGPMDIFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    m_dockManager.RefreshDockBars();
    m_dockManager.AdjustDockingLayout();
    return 0;
}

LRESULT CKGPMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    m_dockManager.SendMessageToMiniFrames(kWmIdleUpdateCmdUI);
    return CMDIFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

LRESULT CKGPMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKGPMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CKGPToolBar*>(lParam));
}

LRESULT CKGPMDIFrameWnd::OnToolbarContextMenu(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CKGPMDIFrameWnd::OnChangeVisualManager(WPARAM, LPARAM)
{
    m_Impl.OnChangeVisualManager();
    return 0;
}

void CKGPMDIFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKGPFrameImpl::UpdateBarCommand(m_dockManager, pCmdUI);
}

BOOL CKGPMDIFrameWnd::OnBarCheck(UINT nID)
{
    return CKGPFrameImpl::ToggleBarCommand(m_dockManager, nID);
}
