#include "guilib/sheets/KGPToolbarCustomize.h"

#include <afxbars.h>
#include <afxframe.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPButtonAppearanceDlg.h"
#include "guilib/sheets/KGPCustomizeLinks.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/menus/KGPContextMenuManager.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/sheets/KGPKeyboardPage.h"
#include "guilib/sheets/KGPMenuPage.h"
#include "guilib/sheets/KGPMousePage.h"
#include "guilib/sheets/KGPOptionsPage.h"
#include "guilib/sheets/KGPToolsPage.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKGPToolbarCustomize, CPropertySheet)

CKGPToolbarCustomize* CKGPToolbarCustomize::s_pOpenSheet = nullptr;

namespace {

// The frame's window commands (new window, arrange, cascade, tile, ...) come in 16 from here.
constexpr UINT kFirstWindowCommand = 0xE130;

// A menu item's command name: the path of the menus above it and its text,
// each word begun in upper case, the spaces gone, cut at the first tab.
CString CommandNameFromPath(const CString& strPath)
{
    CString name;
    BOOL upper = FALSE;
    for (int i = 0; i < strPath.GetLength(); ++i) {
        const WCHAR ch = strPath[i];
        if (ch == L'\t')
            break;
        if (ch == L' ') {
            upper = TRUE;
            continue;
        }
        name += upper ? static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(
                            ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))))
                      : ch;
        upper = FALSE;
    }
    return name;
}

CString MenuText(HMENU hMenu, int nPos)
{
    WCHAR text[1025] = {};
    ::GetMenuStringW(hMenu, static_cast<UINT>(nPos), text, 1024, MF_BYPOSITION);
    return CString(text);
}

// The frame's default menu: its menu bar's, else its own.
HMENU FrameMenu(CFrameWnd* pFrame)
{
    const CKGPMenuBar* menuBar = CKGPMenuBar::FromFrame(pFrame);
    if (menuBar != nullptr && menuBar->GetDefaultMenu() != nullptr)
        return menuBar->GetDefaultMenu();
    return pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr ? ::GetMenu(pFrame->GetSafeHwnd()) : nullptr;
}

} // namespace

CKGPToolbarCustomize::CKGPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                           CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages)
    : CPropertySheet(_T(""), pWndParentFrame), m_pParentFrame(pWndParentFrame),
      m_bAutoSetFromMenus(bAutoSetFromMenus), m_uiFlags(uiFlags & ~0x40u)
{
    if (CKGPVisualManager* visual = CKGPVisualManager::GetInstance();
        visual != nullptr && !visual->IsSheetOptionAvailable())
        m_uiFlags &= ~KGP_CUSTOMIZE_VISUAL_OPTION;
    KGPRegisterSheetsLinks();
    KGPOfferButtonAppearanceDialog();
    m_strAllCommands = KGPLoadLibraryString(IDS_KGP_ALL_COMMANDS, _T("All Commands"));
    SetTitle(KGPLoadLibraryString(IDS_KGP_CUSTOMIZE_TITLE, _T("Customize")));
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    if ((m_uiFlags & KGP_CUSTOMIZE_NOHELP) == 0)
        m_psh.dwFlags |= PSH_HASHELP;

    m_pCustomizePage = std::make_unique<CKGPCustomizePage>();
    m_pToolbarsPage = std::make_unique<CKGPToolbarsPage>(pWndParentFrame);
    AddPage(m_pCustomizePage.get());
    AddPage(m_pToolbarsPage.get());
    if ((m_uiFlags & KGP_CUSTOMIZE_NOTOOLS) == 0 && g_pUserToolsManager != nullptr) {
        m_pToolsPage = std::make_unique<CKGPToolsPage>();
        AddPage(m_pToolsPage.get());
    }
    if (CKGPKeyboardManager::IsEnabled() && pWndParentFrame != nullptr && pWndParentFrame->m_hAccelTable != nullptr) {
        m_pKeyboardPage = std::make_unique<CKGPKeyboardPage>(pWndParentFrame, bAutoSetFromMenus);
        AddPage(m_pKeyboardPage.get());
    }
    if (g_pContextMenuManager != nullptr || CKGPMenuBar::FromFrame(pWndParentFrame) != nullptr) {
        m_pMenuPage = std::make_unique<CKGPMenuPage>(pWndParentFrame, bAutoSetFromMenus);
        AddPage(m_pMenuPage.get());
    }
    if (g_pMouseManager != nullptr) {
        m_pMousePage = std::make_unique<CKGPMousePage>();
        AddPage(m_pMousePage.get());
    }
    if (plistCustomPages != nullptr) {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;) {
            CRuntimeClass* rtc = plistCustomPages->GetNext(pos);
            std::unique_ptr<CObject> object(rtc != nullptr ? rtc->CreateObject() : nullptr);
            if (auto* page = DYNAMIC_DOWNCAST(CPropertyPage, object.get())) {
                AddPage(page);
                m_listCustomPages.push_back(std::move(object));
            }
        }
    }
    m_pOptionsPage = std::make_unique<CKGPOptionsPage>(CKGPMenuBar::FromFrame(pWndParentFrame) != nullptr);
    AddPage(m_pOptionsPage.get());
    if (m_bAutoSetFromMenus)
        SetupFromMenus();
    const CString newMenu = KGPLoadLibraryString(IDS_KGP_NEW_MENU, _T("New Menu"));
    CKGPToolbarMenuButton newMenuButton(0, nullptr, -1, newMenu);
    AddButton(newMenu, newMenuButton);
}

CKGPToolbarCustomize::~CKGPToolbarCustomize()
{
    // A sheet deleted while its window lives closes it without deleting itself again.
    m_bDeleting = TRUE;
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CKGPToolbarCustomize::Create()
{
    if (s_pOpenSheet != nullptr)
        return FALSE;
    DWORD exStyle = m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr &&
                            (m_pParentFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0
                        ? WS_EX_LAYOUTRTL
                        : 0;
    if ((m_uiFlags & KGP_CUSTOMIZE_CONTEXT_HELP) != 0)
        exStyle |= WS_EX_CONTEXTHELP;
    s_pOpenSheet = this;
    if (!CPropertySheet::Create(m_pParentFrame, static_cast<DWORD>(-1), exStyle)) {
        s_pOpenSheet = nullptr;
        return FALSE;
    }
    // One Close button, the default one: Cancel's place, OK hidden (and no longer the default).
    if (CWnd* ok = GetDlgItem(IDOK)) {
        ok->ShowWindow(SW_HIDE);
        ok->SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
    }
    if (CWnd* close = GetDlgItem(IDCANCEL)) {
        close->SetWindowText(KGPLoadLibraryString(IDS_KGP_CLOSE, _T("Close")));
        close->SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    PlaceCloseButton();
    if ((m_uiFlags & KGP_CUSTOMIZE_NOHELP) == 0)
        MakeHelpButton();
    SetFrameCustomizeMode(TRUE);
    return TRUE;
}

void CKGPToolbarCustomize::PlaceCloseButton()
{
    CWnd* close = GetDlgItem(IDCANCEL);
    CWnd* tabs = GetTabControl();
    if (close == nullptr || tabs == nullptr)
        return;
    CRect pages;
    tabs->GetWindowRect(pages);
    ScreenToClient(pages);
    CRect button;
    close->GetWindowRect(button);
    CRect client;
    GetClientRect(client);
    // Close just below the pages at the right; the sheet ends 12 pixels below it.
    const CWnd* noOrder = nullptr;
    close->SetWindowPos(noOrder, client.right - 8 - button.Width(), pages.bottom + 4, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect window(0, 0, client.Width(), pages.bottom + button.Height() + 16);
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(noOrder, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPToolbarCustomize::MakeHelpButton()
{
    CWnd* textButton = GetDlgItem(IDHELP);
    CWnd* close = GetDlgItem(IDCANCEL);
    CWnd* tabs = GetTabControl();
    if (textButton == nullptr || close == nullptr || tabs == nullptr)
        return;
    CRect row;
    close->GetWindowRect(row);
    ScreenToClient(row);
    CRect pages;
    tabs->GetWindowRect(pages);
    ScreenToClient(pages);
    textButton->DestroyWindow();
    const CString help = KGPLoadLibraryString(IDS_KGP_HELP, _T("Help"));
    if (!m_wndHelpButton.Create(_T(""), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(0, 0, 0, 0), this,
                                IDHELP))
        return;
    m_wndHelpButton.SendMessage(WM_SETFONT, close->SendMessage(WM_GETFONT));
    BOOL imaged = FALSE;
    {
        CKGPLocalResource library;
        imaged = m_wndHelpButton.SetImage(CKGPVisualManager::GetInstance()->GetHelpButtonImage());
    }
    // Without the library's image the button says what it is.
    if (!imaged)
        m_wndHelpButton.SetWindowText(help);
    m_wndHelpButton.SetTooltip(help);
    m_wndHelpButton.SizeToContent();
    CRect button;
    m_wndHelpButton.GetWindowRect(button);
    const int height = std::min(button.Height(), row.Height());
    const CWnd* noOrder = nullptr;
    m_wndHelpButton.SetWindowPos(noOrder, pages.left, row.top + (row.Height() - height) / 2, button.Width(), height,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPToolbarCustomize::SetFrameCustomizeMode(BOOL bCustomize)
{
    if (m_bCustomizing == bCustomize)
        return;
    m_bCustomizing = bCustomize;
    CWaitCursor wait;
    CFrameWnd* frame = m_pParentFrame;
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) {
        // Every window of the frame that is no bar rests while customising.
        for (CWnd* child = frame->GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT)) {
            CWnd* permanent = CWnd::FromHandlePermanent(child->GetSafeHwnd());
            const BOOL isBar = permanent != nullptr && (permanent->IsKindOf(RUNTIME_CLASS(CKGPBaseControlBar)) ||
                                                         permanent->IsKindOf(RUNTIME_CLASS(CControlBar)));
            if (!isBar)
                child->EnableWindow(!bCustomize);
        }
        // So do the floating frames of panes that are no toolbars.
        if (CKGPDockManager* docks = CKGPGlobalUtils::Get().GetFrameDockManager(frame)) {
            const CObList& floating = docks->GetMiniFrames();
            for (POSITION pos = floating.GetHeadPosition(); pos != nullptr;) {
                auto* mini = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, floating.GetNext(pos));
                const CWnd* bar = mini != nullptr && mini->GetSafeHwnd() != nullptr ? mini->GetControlBar() : nullptr;
                if (mini != nullptr && mini->GetSafeHwnd() != nullptr &&
                    (bar == nullptr || !bar->IsKindOf(RUNTIME_CLASS(CKGPToolBar))))
                    mini->EnableWindow(!bCustomize);
            }
        }
        ::LockWindowUpdate(frame->GetSafeHwnd());
    }
    CKGPToolBar::SetCustomizeMode(bCustomize);
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) {
        frame->SendMessage(KGTOOLBAR_CUSTOMIZE, bCustomize);
        ::LockWindowUpdate(nullptr);
        if (!bCustomize) {
            if (CView* view = frame->GetActiveView())
                view->PostMessage(WM_SETFOCUS);
        }
    }
}

BOOL CKGPToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDCANCEL) {
        CloseSheet();
        return TRUE;
    }
    if (LOWORD(wParam) == IDHELP && m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr) {
        m_pParentFrame->SendMessage(KGTOOLBAR_CUSTOMIZEHELP, static_cast<WPARAM>(GetActiveIndex()),
                                    reinterpret_cast<LPARAM>(this));
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CKGPToolbarCustomize::CloseSheet()
{
    // Close: the sheet goes (there is nothing to cancel) once the tools are sound.
    if (m_pToolsPage != nullptr && g_pUserToolsManager != nullptr &&
        !CheckToolsValidity(g_pUserToolsManager->GetUserTools())) {
        SetActivePage(GetPageIndex(m_pToolsPage.get()));
        return FALSE;
    }
    DestroyWindow();
    return TRUE;
}

LRESULT CKGPToolbarCustomize::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        CloseSheet();
        return 0;
    }
    if (message == DM_GETDEFID)
        return MAKELRESULT(IDCANCEL, DC_HASDEFID);  // Enter closes
    const BOOL contextHelp = (m_uiFlags & KGP_CUSTOMIZE_CONTEXT_HELP) != 0;
    if (message == WM_HELP) {
        if (!contextHelp) {
            OnCommand(IDHELP, 0);
            return TRUE;
        }
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info != nullptr && info->iContextType == HELPINFO_WINDOW)
            ShowControlHelp(info->dwContextId + KGP_CUSTOMIZE_HELP_ID_BASE);
        return TRUE;
    }
    if (message == WM_CONTEXTMENU && contextHelp) {
        // A control's context menu asks for its help.
        const HWND control = reinterpret_cast<HWND>(wParam);
        if (control != nullptr && control != m_hWnd && ::IsChild(m_hWnd, control)) {
            ShowControlHelp(::GetWindowContextHelpId(control) + KGP_CUSTOMIZE_HELP_ID_BASE);
            return 0;
        }
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void CKGPToolbarCustomize::ShowControlHelp(DWORD_PTR dwHelpId)
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(dwHelpId, HELP_CONTEXTPOPUP);
}

void CKGPToolbarCustomize::PostNcDestroy()
{
    if (s_pOpenSheet == this)
        s_pOpenSheet = nullptr;
    SetFrameCustomizeMode(FALSE);
    CPropertySheet::PostNcDestroy();
    // A modeless sheet made with new goes with its window.
    if (!m_bDeleting)
        delete this;
}

// ---- The catalogue

CString CKGPToolbarCustomize::CleanText(const CString& strText) const
{
    CString text = strText;
    if ((m_uiFlags & KGP_CUSTOMIZE_KEEP_AMPERSANDS) == 0)
        text.Remove(L'&');
    const int tab = text.Find(L'\t');
    return tab >= 0 ? text.Left(tab) : text;
}

CKGPToolbarButtonList& CKGPToolbarCustomize::CategoryList(const CString& strCategory)
{
    auto& list = m_ButtonsByCategory[strCategory];
    if (!list) {
        list = std::make_unique<CKGPToolbarButtonList>();
        if (strCategory != m_strAllCommands)
            m_strCategoriesList.AddTail(strCategory);
    }
    return *list;
}

void CKGPToolbarCustomize::AddButton(UINT uiCategoryId, const CKGPToolbarButton& button, int iInsertBefore)
{
    CString category;
    category.LoadString(uiCategoryId);
    AddButton(category, button, iInsertBefore);
}

void CKGPToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CKGPToolbarButton& button, int iInsertBefore)
{
    if (lpszCategory == nullptr || !button.IsArchivable() || !CKGPToolBar::IsCommandPermitted(button.m_nCommand) ||
        !OnAssignKey(button.m_nCommand))
        return;
    CString text = button.m_strCaption;
    if (g_pUserToolsManager == nullptr || !g_pUserToolsManager->IsUserToolCmd(button.m_nCommand)) {
        if (text.IsEmpty() && button.m_nCommand != 0) {
            CString prompt;
            prompt.LoadString(button.m_nCommand);
            const int newline = prompt.Find(L'\n');
            text = newline >= 0 ? prompt.Mid(newline + 1) : CString();
        }
        if (text.IsEmpty())
            return;
        text = CleanText(text);
    }
    const CString category(lpszCategory);
    CKGPToolbarButtonList& list = CategoryList(category);
    // Buttons without a command (sub-menus) are told by their text.
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const auto* present = static_cast<const CKGPToolbarButton*>(list.GetNext(pos));
        if (button.m_nCommand != 0 && button.m_nCommand != static_cast<UINT>(-1) &&
            present->m_nCommand == button.m_nCommand)
            return;
        if ((button.m_nCommand == 0 || button.m_nCommand == static_cast<UINT>(-1)) &&
            present->m_nCommand == button.m_nCommand && present->m_strCaption == text)
            return;
    }
    std::unique_ptr<CObject> object(button.GetRuntimeClass()->CreateObject());
    auto* copy = DYNAMIC_DOWNCAST(CKGPToolbarButton, object.get());
    if (copy == nullptr)
        return;
    object.release();
    copy->CopyButton(button);
    copy->m_strCaption = text;
    // A sub-menu's button keeps the id of the bar its menu tears off into.
    const auto* menuButton = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(&button));
    if (auto* menuCopy = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, copy); menuButton != nullptr && menuCopy != nullptr)
        menuCopy->SetTearOffId(menuButton->GetTearOffId());
    POSITION before = iInsertBefore >= 0 ? list.FindIndex(iInsertBefore) : nullptr;
    if (before != nullptr)
        list.InsertBefore(before, copy);
    else
        list.AddTail(copy);
    if (category != m_strAllCommands)
        AddButton(m_strAllCommands, *copy, -1);
}

void CKGPToolbarCustomize::WalkMenu(HMENU hMenu, const CString& strCategory, const CString& strPath)
{
    const int count = ::GetMenuItemCount(hMenu);
    BOOL windowCommands = FALSE;
    for (int i = 0; i < count; ++i) {
        const CString raw = MenuText(hMenu, i);
        CString text = raw;
        if ((m_uiFlags & KGP_CUSTOMIZE_KEEP_AMPERSANDS) == 0)
            text.Remove(L'&');
        if (const HMENU sub = ::GetSubMenu(hMenu, i)) {
            // A menu that may be torn off carries its bar's id in its text: the
            // id goes with its menu button, the mark leaves every name.
            const UINT tearOffId = g_pTearOffMenuManager != nullptr ? CKGPTearOffManager::ParseTearOffId(text) : 0;
            CString plain = raw;
            if (tearOffId != 0)
                CKGPTearOffManager::ParseTearOffId(plain);
            plain.Remove(L'&');
            const CString category = strCategory.IsEmpty() ? plain : strCategory;
            if (!m_bAutoSetFromMenus) {
                WalkMenu(sub, CString(), CString());
                continue;
            }
            if (!strCategory.IsEmpty()) {
                CKGPToolbarMenuButton menuButton(0, sub, -1, text);
                menuButton.SetTearOffId(tearOffId);
                AddButton(category, menuButton);
            }
            WalkMenu(sub, category, strPath.IsEmpty() ? text : strPath + L" " + text);
            continue;
        }
        const UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0)
            continue;  // a separator
        windowCommands = windowCommands || (id >= kFirstWindowCommand && id < kFirstWindowCommand + 16);
        const CString category = strCategory.IsEmpty() ? m_strAllCommands : strCategory;
        if (g_pUserToolsManager != nullptr && id == g_pUserToolsManager->GetToolsEntryCmd()) {
            // The user tools' entry stands for every tool.
            const CObList& tools = g_pUserToolsManager->GetUserTools();
            for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
                const auto* tool = static_cast<const CKGPUserTool*>(tools.GetNext(pos));
                CKGPToolbarButton button(tool->GetCommandId(), 0, tool->m_strLabel);
                AddButton(category, button);
            }
            continue;
        }
        CKGPToolbarButton button(id, -1, text);
        if (!strPath.IsEmpty())
            button.m_strDescription = CommandNameFromPath(strPath + L" " + text);
        AddButton(category, button);
    }
    // The Window menu of an MDI frame that offers a windows dialog offers it here too.
    UINT windowsDialog = 0;
    CString windowsDialogText;
    const IKGPWindowsDialogLink* mdi = CKGPLink<IKGPWindowsDialogLink>::Get();
    if (windowCommands && mdi != nullptr &&
        mdi->GetWindowsDialogCommand(m_pParentFrame, windowsDialog, windowsDialogText) && windowsDialog != 0 &&
        !windowsDialogText.IsEmpty())
        AddButton(strCategory.IsEmpty() ? m_strAllCommands : strCategory,
                  CKGPToolbarButton(windowsDialog, -1, windowsDialogText));
}

BOOL CKGPToolbarCustomize::SetupFromMenus()
{
    const HMENU frameMenu = FrameMenu(m_pParentFrame);
    if (frameMenu != nullptr)
        WalkMenu(frameMenu, CString(), CString());
    if (CWinApp* app = AfxGetApp()) {
        for (POSITION pos = app->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* tmpl = DYNAMIC_DOWNCAST(CMultiDocTemplate, app->GetNextDocTemplate(pos));
            if (tmpl != nullptr && tmpl->m_hMenuShared && tmpl->m_hMenuShared.Get() != frameMenu)
                WalkMenu(tmpl->m_hMenuShared.Get(), CString(), CString());
        }
    }
    return frameMenu != nullptr;
}

const CObList* CKGPToolbarCustomize::GetCategory(LPCTSTR lpszCategory) const
{
    const auto found = m_ButtonsByCategory.find(CString(lpszCategory));
    return found == m_ButtonsByCategory.end() ? nullptr : found->second.get();
}

template <class Box>
void CKGPToolbarCustomize::FillCategories(Box& wndCategory, BOOL bAddEmpty) const
{
    auto add = [&wndCategory](const CString& name, const CObList* list) {
        const int index = wndCategory.AddString(name);
        if (index >= 0)
            wndCategory.SetItemData(index, reinterpret_cast<DWORD_PTR>(list));
    };
    for (POSITION pos = m_strCategoriesList.GetHeadPosition(); pos != nullptr;) {
        const CString& name = m_strCategoriesList.GetNext(pos);
        const CObList* list = GetCategory(name);
        if (list != nullptr && (bAddEmpty || !list->IsEmpty()))
            add(name, list);
    }
    add(m_strAllCommands, GetCategory(m_strAllCommands));
}

void CKGPToolbarCustomize::FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) const
{
    FillCategories(wndCategory, bAddEmpty);
}

void CKGPToolbarCustomize::FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty) const
{
    FillCategories(wndCategory, bAddEmpty);
}

void CKGPToolbarCustomize::FillAllCommandsList(CListBox& wndListOfCommands) const
{
    wndListOfCommands.ResetContent();
    const CObList* all = GetCategory(m_strAllCommands);
    if (all == nullptr)
        return;
    for (POSITION pos = all->GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(all->GetNext(pos));
        const int index = wndListOfCommands.AddString(button->m_strCaption);
        if (index >= 0)
            wndListOfCommands.SetItemData(index, reinterpret_cast<DWORD_PTR>(button));
    }
}

LPCTSTR CKGPToolbarCustomize::GetCommandName(UINT uiCmd) const
{
    const CObList* all = GetCategory(m_strAllCommands);
    if (all == nullptr)
        return nullptr;
    for (POSITION pos = all->GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<const CKGPToolbarButton*>(all->GetNext(pos));
        if (button->m_nCommand == uiCmd)
            return button->m_strCaption;
    }
    return nullptr;
}

int CKGPToolbarCustomize::GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstCommands)
{
    int count = 0;
    for (POSITION pos = lstCommands.GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<const CKGPToolbarButton*>(lstCommands.GetNext(pos));
        if (button->m_strCaption == lpszItemName)
            ++count;
    }
    return count;
}
