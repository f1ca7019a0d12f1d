#include "guilib/frames/KGPMDIFrameWnd.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPDockingFrameMessages.h"
#include "guilib/frames/KGPLibraryLinks.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/ribbon/KGPRibbonBar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <afxpreview.h>

IMPLEMENT_DYNCREATE(CKGPMDIFrameWnd, CMDIFrameWnd)

namespace {

// The Window menu's entry the system adds for a tenth child and more.
constexpr UINT kIdMoreWindows = AFX_IDM_FIRST_MDICHILD + 9;
// The tab menu's item that gives a tabbed document back to docking.
constexpr UINT kIdTabbedDocumentToPane = 0xFF96;
constexpr DWORD kAllowTabbedDocument = 16;

} // namespace

BEGIN_MESSAGE_MAP(CKGPMDIFrameWnd, CKGPMainFrameT<CMDIFrameWnd>)
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_CONTEXTMENU()
    ON_WM_WINDOWPOSCHANGED()
    ON_COMMAND(ID_CONTEXT_HELP, &CKGPMDIFrameWnd::OnContextHelp)
    ON_COMMAND(ID_WINDOW_NEW, &CKGPMDIFrameWnd::OnWindowNew)
    ON_MESSAGE(WM_EXITSIZEMOVE, &CKGPMDIFrameWnd::OnExitSizeMove)
END_MESSAGE_MAP()

CKGPMDIFrameWnd::CKGPMDIFrameWnd()
{
    KGPRegisterLibraryLinks();
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
    if (!CKGPMainFrameT::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (m_Impl.GetMenuBar() != nullptr && m_Impl.m_hDefaultMenu != nullptr)
        m_hMenuDefault = m_Impl.m_hDefaultMenu;
    return TRUE;
}

BOOL CKGPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    if (m_bDoSubclass)
        m_wndClientArea.SubclassWindow(m_hWndMDIClient);
    return TRUE;
}

HMENU CKGPMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CKGPMDIFrameWnd::OnRefreshWindowMenu()
{
    // A frame whose menu bar shows its menu has none of its own: the windows
    // are listed in the bar's.
    HMENU menu = ::GetMenu(m_hWnd);
    if (menu == nullptr && m_Impl.GetMenuBar() != nullptr)
        menu = m_Impl.GetMenuBar()->GetHMenu();
    GetWindowMenuPopup(menu);
}

// ---- Layout.

void CKGPMDIFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsPrintPreviewValid())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
    // An auto-hidden pane slid out over the frame: the whole layout follows.
    if (IsAutoHidePaneShown())
        RecalcLayout(TRUE);
}

BOOL CKGPMDIFrameWnd::IsAutoHidePaneShown() const
{
    const CObList& sliders = m_dockManager.GetAutoHideBars();
    for (POSITION pos = sliders.GetHeadPosition(); pos != nullptr;) {
        const auto* pSlider = DYNAMIC_DOWNCAST(CWnd, sliders.GetNext(pos));
        if (pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr && pSlider->IsWindowVisible())
            return TRUE;
    }
    return FALSE;
}

void CKGPMDIFrameWnd::AdjustClientArea()
{
    if (m_wndClientArea.GetSafeHwnd() == nullptr && m_hWndMDIClient == nullptr)
        return;
    CRect rect = DockedClientRectLessBorder();
    if (m_wndClientArea.GetSafeHwnd() != nullptr) {
        m_wndClientArea.CalcWindowRect(rect, 0);
        return;
    }
    ::SetWindowPos(m_hWndMDIClient, HWND_BOTTOM, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void CKGPMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    RecalcMainFrameLayout(bNotify);
}

BOOL CKGPMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    if (nBorderCmd == borderGet) {
        CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        m_dockManager.AdjustDockingLayout();
        if (lpRectBorder != nullptr) {
            CRect inner; // what the docking layout leaves
            m_dockManager.GetInnerDockRect(inner);
            *lpRectBorder = inner;
        }
    } else if (nBorderCmd == borderSet) {
        CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
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
    if (CKGPRibbonBar* pRibbon = m_Impl.m_pRibbonBar; pRibbon != nullptr && pRibbon->IsWindowVisible())
        PostMessage(KGM_POSTSETPREVIEWFRAME, static_cast<WPARAM>(bPreview), 0);
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
    return CKGPFrameImpl::AnswerPopupOpening(pPopup, [this](CWnd* pOpening) { return OnPopupMenuOpening(pOpening); });
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
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
    // The child deletes itself with its window (a refused creation included).
    auto* pChild = AfxCreateSelfDeleting(new CKGPMDIChildWnd, [&](CKGPMDIChildWnd& child) {
        return child.Create(lpszClass, strText, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                            CFrameWnd::rectDefault, this);
    });
    if (pChild == nullptr)
        return nullptr;
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

// ---- Messages.

void CKGPMDIFrameWnd::OnDestroy()
{
    // The MDI client stays for the platform frame, which closes the documents.
    TearDownFrame(m_hWndMDIClient);
    CMDIFrameWnd::OnDestroy();
}

void CKGPMDIFrameWnd::OnClose()
{
    // A close request while a document window shows a print preview ends
    // only the preview: the document window and its document stay.
    if (m_pPrintPreviewFrame != nullptr) {
        CFrameWnd* pPreviewFrame = m_pPrintPreviewFrame;
        m_pPrintPreviewFrame = nullptr;
        pPreviewFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        return;
    }
    if (m_Impl.IsPrintPreview()) {
        CMDIFrameWnd::OnClose();
        return;
    }
    m_bClosing = TRUE;
    if (COleClientItem* pItem = GetActiveOleItem())
        pItem->Deactivate();
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
            if (KGPDockingFrameMessages::SendBarsPopupMenu(this, this, point))
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
    // Floating frames loaded while the frame was hidden show with it, once it
    // shows (over it).
    if ((lpwndpos->flags & SWP_SHOWWINDOW) != 0)
        m_dockManager.OnFrameShown();
    if (CKGPMenuBar* pMenuBar = m_Impl.GetMenuBar()) {
        BOOL bMaximized = FALSE;
        CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
        pMenuBar->SetMaximizeMode(bMaximized, bMaximized ? pChild : nullptr);
    }
}

LRESULT CKGPMDIFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    m_dockManager.RefreshDockBars();
    m_dockManager.AdjustDockingLayout();
    return 0;
}

