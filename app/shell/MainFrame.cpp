#include "app/shell/MainFrame.h"

#include "widgets/ListDrag.h"
#include "widgets/MessageBox.h"
#include "pages/ProgramMessages.h"
#include "pages/AppMessages.h"
#include "app/shell/HelpPath.h"
#include "app/shell/LanguageResources.h"
#include "app/view/KeyloftView.h"
#include "app/view/WorkspaceBar.h"
#include "core/files/Folders.h"
#include "core/files/ShellHelpers.h"
#include "core/files/ShellSeam.h"
#include "core/link/USBPort.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "widgets/UiResources.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "res/resource.h"
#include "widgets/OwnerDrawMenu.h"

#include <utility>

namespace {

constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_SCRL, ID_INDICATOR_NUM, ID_INDICATOR_EXT};
constexpr int kProgressPane = 2;
constexpr int kProgressPaneWidth = 170;
constexpr int kCancelButtonWidth = 20;
constexpr int kWorkspaceBarWidth = 230;
// A close asked for while a box is up is tried again this often.
constexpr UINT_PTR kCloseRetryTimer = 1;
constexpr UINT kCloseRetryMs = 200;

// The Window popup's page items and the device-profile page slot behind each.
struct WindowPageItem {
    UINT command;
    int pageSlot;
};
constexpr WindowPageItem kWindowPageItems[] = {
    {ID_WINDOW_SONG, 0},      {ID_WINDOW_STYLE, 1},     {ID_WINDOW_VOICE, 2},
    {ID_WINDOW_MEMORY, 3},    {ID_WINDOW_EDIT_SONG, 4}, {ID_WINDOW_EDIT_STYLE, 5},
};

COLORREF Darker(COLORREF colour)
{
    return RGB(GetRValue(colour) * 3 / 5, GetGValue(colour) * 3 / 5, GetBValue(colour) * 3 / 5);
}

} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_WM_GETMINMAXINFO()
    ON_WM_INITMENUPOPUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_ACTIVATEAPP()
    ON_WM_MENUCHAR()
    ON_COMMAND(ID_VIEW_FUNCTION_BAR, &CMainFrame::OnToggleFunctionBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FUNCTION_BAR, &CMainFrame::OnUpdateToggleFunctionBar)
    ON_COMMAND_RANGE(ID_WINDOW_SONG, ID_WINDOW_FIRMWARE, &CMainFrame::OnWindowPage)
    ON_COMMAND(ID_FRAME_MINIMIZE, &CMainFrame::OnMinimize)
    ON_COMMAND(ID_HELP_DOCUMENT, &CMainFrame::OnHelp)
    ON_COMMAND(IDC_CANCEL_TRANSFER, &CMainFrame::OnCancelTransfer)
    ON_COMMAND(ID_RESTORE_DEFAULTS, &CMainFrame::OnRestoreDefaults)
    // Page toolbar commands: the pages act on them; an empty handler here keeps
    // their buttons enabled.
    ON_COMMAND_RANGE(32825, 32825, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32830, 32832, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32835, 32836, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32839, 32839, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32808, 32808, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32842, 32843, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32846, 32847, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32849, 32851, &CMainFrame::OnPageCommand)
    ON_COMMAND_RANGE(32866, 32866, &CMainFrame::OnPageCommand)
    ON_MESSAGE(AppMsg::SelectPage, &CMainFrame::OnSelectPage)
    ON_MESSAGE(AppMsg::BringPageForward, &CMainFrame::OnBringPageForward)
    ON_MESSAGE(AppMsg::DevProfileLoaded, &CMainFrame::OnDevProfileLoaded)
    ON_MESSAGE(AppMsg::ProgressBegin, &CMainFrame::OnProgressBegin)
    ON_MESSAGE(AppMsg::ProgressStep, &CMainFrame::OnProgressStep)
    ON_MESSAGE(AppMsg::ProgressEnd, &CMainFrame::OnProgressEnd)
    ON_MESSAGE(AppMsg::DeviceRemoved, &CMainFrame::OnDeviceRemoved)
    ON_MESSAGE(AppMsg::FirmwarePage, &CMainFrame::OnFirmwarePage)
    ON_MESSAGE(AppMsg::LanguageChanged, &CMainFrame::OnLanguageChanged)
    ON_MESSAGE(AppMsg::DeviceLost, &CMainFrame::OnDeviceLost)
    ON_MESSAGE(AppMsg::CompleteFrame, &CMainFrame::OnCompleteFrame)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style = WS_OVERLAPPEDWINDOW | WS_MAXIMIZE;
    return TRUE;
}

BOOL CMainFrame::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, LPCTSTR /*lpszMenuName*/, DWORD dwExStyle, CCreateContext* pContext)
{
    // Without the template's menu: the frame shows the skinned one, which comes
    // with CompleteFrame.
    return CFrameWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nullptr, dwExStyle,
                             pContext);
}

CString CMainFrame::NotConnectedCaption()
{
    CString name;
    CString notConnected;
    name.LoadString(AFX_IDS_APP_TITLE);
    notConnected.LoadString(IDS_NOT_CONNECTED);
    return name + L" - " + notConnected;
}

CWorkspaceBar* CMainFrame::GetWorkspaceBar() const
{
    return static_cast<CWorkspaceBar*>(m_workspaceBar.get());
}

CKeyloftView* CMainFrame::GetKeyloftView() const
{
    CView* view = GetActiveView();
    return view == nullptr ? nullptr : DYNAMIC_DOWNCAST(CKeyloftView, view);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return 0;
}

bool CMainFrame::CompleteFrame()
{
    if (m_completed)
        return !m_completeFailed;
    m_completed = true;
    if (!CreateBars()) {
        m_completeFailed = true;
        return false;
    }
    SetupStatusBar();
    LoadMainMenu();
    CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003));
    RecalcLayout();
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return true;
}

LRESULT CMainFrame::OnCompleteFrame(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return CompleteFrame() ? 0 : 1;
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    CompleteFrame();
    CFrameWnd::ActivateFrame(nCmdShow);
}

BOOL CMainFrame::CreateBars()
{
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return FALSE;

    auto bar = std::make_unique<CWorkspaceBar>();
    if (!bar->Create(L"", this, CSize(kWorkspaceBarWidth, kWorkspaceBarWidth), TRUE, IDW_WORKSPACE_BAR,
                     WS_CHILD | WS_VISIBLE | CBRS_TOP))
        return FALSE;
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    EnableDocking(CBRS_ALIGN_ANY);
    bar->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    ShowControlBar(bar.get(), TRUE, FALSE);
    const CRect dockRect(0, 0, 200, 200);
    DockControlBar(bar.get(), AFX_IDW_DOCKBAR_LEFT, &dockRect);
    m_workspaceBar = std::move(bar);
    return TRUE;
}

void CMainFrame::SetupStatusBar()
{
    UINT id = 0;
    UINT style = 0;
    int width = 0;
    m_statusBar.GetPaneInfo(kProgressPane, id, style, width);
    m_statusBar.SetPaneInfo(kProgressPane, id, style, kProgressPaneWidth);

    CRect pane;
    m_statusBar.GetItemRect(kProgressPane, &pane);
    CRect barRect = pane;
    barRect.right -= kCancelButtonWidth;
    m_progress.Create(WS_CHILD | PBS_SMOOTH, barRect, &m_statusBar, IDC_FRAME_PROGRESS);
    const COLORREF base = GetUiResources().m_baseColour;
    m_progress.SetColors(base, Darker(base));

    CRect buttonRect(barRect.right, pane.top, pane.right, pane.bottom);
    m_cancelButton.Create(L"", WS_CHILD, buttonRect, &m_statusBar, IDC_CANCEL_TRANSFER);
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(IDB_CANCEL_TRANSFER), RT_BITMAP);
    auto normal = static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(IDB_CANCEL_TRANSFER), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    auto active = static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(IDB_CANCEL_TRANSFER_ACTIVE),
                                                    IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    m_cancelButton.SetBitmaps(normal, active, RGB(255, 0, 255));
}

void CMainFrame::LoadMainMenu()
{
    ::SetMenu(m_hWnd, nullptr);
    if (m_menu.GetMenuHandle() != nullptr)
        m_menu.DestroyMenu();
    else if (HMENU current = ::GetMenu(m_hWnd))
        CMenuHandle(current).Reset();
    // The template's own menu is replaced by the skinned one for good.
    const HMENU templateMenu = std::exchange(m_hMenuDefault, nullptr);
    if (templateMenu != nullptr && ::IsMenu(templateMenu))
        CMenuHandle(templateMenu).Reset();
    if (m_menu.LoadMenu(IDR_MAINFRAME))
        ::SetMenu(m_hWnd, m_menu.GetMenuHandle());
    m_menuTrimmed = false;
    ::DrawMenuBar(m_hWnd);
}

void CMainFrame::OnDestroy()
{
    ::SetMenu(m_hWnd, nullptr);
    if (m_menu.GetMenuHandle() != nullptr)
        m_menu.DestroyMenu();
    CFrameWnd::OnDestroy();
}

void CMainFrame::OnClose()
{
    // Code that waits in a box (a page's question, a failure note) goes on
    // with its page once the box has gone: the window, the view and its pages
    // may not go under it. Boxes still up close (a question as cancelled) and
    // the close comes again once every modal loop has ended.
    if (CMessageBox::CloseOpenBoxes() > 0 || !IsWindowEnabled()) {
        SetTimer(kCloseRetryTimer, kCloseRetryMs, nullptr);
        return;
    }
    if (CKeyloftView* view = GetKeyloftView()) {
        if (!view->CloseDevice())
            return;
        // The background threads use the view's port: they end before it goes.
        view->StopThreads();
    }
    CFrameWnd::OnClose();
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCloseRetryTimer) {
        CFrameWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kCloseRetryTimer);
    OnClose();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = 800;
    lpMMI->ptMinTrackSize.y = 600;
}

bool CMainFrame::IsWindowPopup(CMenu& popup)
{
    if (popup.GetMenuItemCount() <= 0)
        return false;
    if (popup.GetMenuItemID(0) == ID_WINDOW_SONG)
        return true;
    // Once the song item went, the popup is still known by the function bar item.
    return ::GetMenuState(popup.GetSafeHmenu(), ID_VIEW_FUNCTION_BAR, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void CMainFrame::RemoveHiddenWindowItems(CMenu& windowPopup)
{
    for (const auto& item : kWindowPageItems)
        if (!IsPageVisible(item.pageSlot))
            windowPopup.RemoveMenu(item.command, MF_BYCOMMAND);
    windowPopup.RemoveMenu(ID_WINDOW_FIRMWARE, MF_BYCOMMAND);
}

void CMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    if (!bSysMenu && pPopupMenu != nullptr && IsWindowPopup(*pPopupMenu)) {
        RemoveHiddenWindowItems(*pPopupMenu);
        m_menuTrimmed = true;
    }
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

void CMainFrame::OnMouseMove(UINT nFlags, CPoint point)
{
    FollowListDrag(*this, point);
    CFrameWnd::OnMouseMove(nFlags, point);
}

void CMainFrame::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndListDragOnRelease();
    CFrameWnd::OnLButtonUp(nFlags, point);
}

void CMainFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    if (!bActive && IsListDragging())
        EndListDrag();
    CFrameWnd::OnActivateApp(bActive, dwThreadID);
}

LRESULT CMainFrame::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    return SkinMenuOnMenuChar(nChar, nFlags, pMenu);
}

void CMainFrame::OnToggleFunctionBar()
{
    if (CControlBar* bar = m_workspaceBar.get())
        ShowControlBar(bar, !bar->IsWindowVisible(), FALSE);
}

void CMainFrame::OnUpdateToggleFunctionBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_workspaceBar && m_workspaceBar->IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnWindowPage(UINT nID)
{
    if (CWorkspaceBar* bar = GetWorkspaceBar())
        bar->SelectPage(static_cast<int>(nID - ID_WINDOW_SONG));
}

void CMainFrame::OnMinimize()
{
    ::CloseWindow(m_hWnd);
}

void CMainFrame::OnHelp()
{
    const CString& device = GetDeviceNames().m_deviceName;
    const CString model = device.IsEmpty() ? CString() : GetInterName(device);
    ShellOpen(BuildHelpPath(GetProgramFolder(), model, GetAppProfile().GetLanguage(),
                               [](const CString& folder) { return FolderExists(folder); }));
}

CUSBPort* CMainFrame::GetActivePort() const
{
    CKeyloftView* view = GetKeyloftView();
    return view == nullptr ? nullptr : &view->GetPort();
}

void CMainFrame::OnCancelTransfer()
{
    if (CUSBPort* port = GetActivePort())
        port->RequestCancel();
}

int CMainFrame::AskRestoreDefaults()
{
    return ShowMessageBox(-1, IDS_ASK_RESTORE_DEFAULTS, MB_MODE_OKCANCEL, MSG_SOUND_NONE);
}

void CMainFrame::OnRestoreDefaults()
{
    if (AskRestoreDefaults() == IDOK)
        GetAppProfile().Reset();
}

void CMainFrame::OnPageCommand(UINT /*nID*/) {}

LRESULT CMainFrame::SendToView(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CView* view = GetActiveView();
    return view != nullptr && view->GetSafeHwnd() != nullptr ? view->SendMessage(message, wParam, lParam) : 0;
}

void CMainFrame::PostToView(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CView* view = GetActiveView();
    if (view != nullptr && view->GetSafeHwnd() != nullptr)
        view->PostMessage(message, wParam, lParam);
}

LRESULT CMainFrame::OnSelectPage(WPARAM wParam, LPARAM lParam)
{
    PostToView(AppMsg::SelectPage, wParam, lParam);
    return 0;
}

LRESULT CMainFrame::OnBringPageForward(WPARAM wParam, LPARAM /*lParam*/)
{
    if (CWorkspaceBar* bar = GetWorkspaceBar())
        bar->SelectPage(static_cast<int>(wParam));
    return 0;
}

LRESULT CMainFrame::OnDevProfileLoaded(WPARAM wParam, LPARAM lParam)
{
    // A new instrument may switch on pages an earlier one had hidden from the
    // Window popup: start again from the full menu, unless it is still whole.
    if (m_menuTrimmed || m_menu.GetMenuHandle() == nullptr)
        LoadMainMenu();
    if (CControlBar* bar = m_workspaceBar.get(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
        bar->SendMessage(AppMsg::DevProfileLoaded, wParam, lParam);
    return 0;
}

void CMainFrame::ApplyProgress(const FrameProgress& progress)
{
    if (m_progress.GetSafeHwnd() == nullptr)
        return;
    m_progress.SetRange32(progress.lower, progress.upper);
    m_progress.SetStep(progress.step);
    m_progress.SetPos(progress.position);
    m_progress.ShowWindow(progress.visible ? SW_SHOW : SW_HIDE);
    // The cancel button stands beside the bar while a transfer runs.
    if (m_cancelButton.GetSafeHwnd() != nullptr)
        m_cancelButton.ShowWindow(progress.visible ? SW_SHOW : SW_HIDE);
}

LRESULT CMainFrame::OnProgressBegin(WPARAM wParam, LPARAM lParam)
{
    m_progressState.Begin(wParam, lParam);
    ApplyProgress(m_progressState);
    return 0;
}

LRESULT CMainFrame::OnProgressStep(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_progressState.Step();
    if (m_progress.GetSafeHwnd() != nullptr)
        m_progress.SetPos(m_progressState.position);
    return 0;
}

LRESULT CMainFrame::OnProgressEnd(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_progressState.End();
    ApplyProgress(m_progressState);
    return 0;
}

LRESULT CMainFrame::OnDeviceRemoved(WPARAM wParam, LPARAM lParam)
{
    return SendToView(AppMsg::DeviceRemoved, wParam, lParam);
}

LRESULT CMainFrame::OnFirmwarePage(WPARAM wParam, LPARAM lParam)
{
    return SendToView(AppMsg::FirmwarePage, wParam, lParam);
}

LRESULT CMainFrame::OnLanguageChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    LoadMainMenu();
    // The idle text the menu's closing put up came from the language before.
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    if (GetDeviceNames().m_deviceName.IsEmpty())
        SetWindowText(NotConnectedCaption());
    if (CControlBar* bar = m_workspaceBar.get(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
        bar->PostMessage(AppMsg::LanguageChanged, 0, 0);
    PostToView(AppMsg::LanguageChanged, 0, 0);
    return 0;
}

LRESULT CMainFrame::OnDeviceLost(WPARAM wParam, LPARAM lParam)
{
    SetWindowText(NotConnectedCaption());
    SendToView(AppMsg::DeviceLost, wParam, lParam);
    return 0;
}
