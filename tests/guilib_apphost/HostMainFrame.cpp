#include "tests/guilib_apphost/HostMainFrame.h"

#include <afxadv.h>

#include <afxmdi.h>

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/panes/KGPOutlookWnd.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPToolbarComboBoxButton.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostApp.h"

IMPLEMENT_DYNCREATE(CHostPane, CKGPDockingControlBar)

void CHostPane::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    static const COLORREF colours[] = {RGB(230, 240, 255), RGB(255, 240, 220), RGB(225, 250, 225),
                                       RGB(250, 230, 245), RGB(245, 245, 210)};
    pDC->FillSolidRect(client, colours[static_cast<UINT>(GetDlgCtrlID()) % 5]);
}

BEGIN_MESSAGE_MAP(CHostGeneralPage, CKGPPropertyPage)
    ON_EN_CHANGE(IDC_PAGE_NAME, &CHostGeneralPage::OnNameChange)
END_MESSAGE_MAP()

CHostGeneralPage::CHostGeneralPage() : CKGPPropertyPage(IDD_PAGE_GENERAL) {}

void CHostGeneralPage::OnNameChange()
{
    SetModified(TRUE);
}

BOOL CHostGeneralPage::OnApply()
{
    GetDlgItemText(IDC_PAGE_NAME, m_strName);
    ++m_nApplied;
    return CKGPPropertyPage::OnApply();
}

CHostOptionsSheet::CHostOptionsSheet(CWnd* pParent)
    : CKGPPropertySheet(_T("Options"), pParent), m_view(IDD_PAGE_VIEW)
{
    m_psh.dwFlags |= PSH_HASHELP;
    AddPage(&m_general);
    AddPage(&m_view);
}

IMPLEMENT_DYNCREATE(CHostMainFrame, CKGPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CHostMainFrame, CKGPMDIFrameWnd)
    ON_WM_CREATE()
    ON_REGISTERED_MESSAGE(KGTOOLBAR_RESETTOOLBAR, &CHostMainFrame::OnToolbarReset)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, &CHostMainFrame::OnViewCustomize)
    ON_COMMAND(ID_VIEW_OPTIONS, &CHostMainFrame::OnViewOptions)
    ON_COMMAND(ID_VIEW_CAPTION_BAR, &CHostMainFrame::OnViewCaptionBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CAPTION_BAR, &CHostMainFrame::OnUpdateViewCaptionBar)
    ON_COMMAND_RANGE(ID_INSERT_MENU, ID_INSERT_SYMBOL, &CHostMainFrame::OnRecordedCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_INSERT_MENU, ID_INSERT_SYMBOL, &CHostMainFrame::OnUpdateRecordedCommand)
    ON_COMMAND_RANGE(ID_FORMAT_BOLD, ID_FORMAT_CENTER, &CHostMainFrame::OnRecordedCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FORMAT_BOLD, ID_FORMAT_CENTER, &CHostMainFrame::OnUpdateRecordedCommand)
    ON_COMMAND_RANGE(ID_TASK_OPEN, ID_TASK_PRINT, &CHostMainFrame::OnRecordedCommand)
    ON_COMMAND_RANGE(ID_SHORTCUT_FIRST, ID_SHORTCUT_LAST, &CHostMainFrame::OnRecordedCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_SHORTCUT_FIRST, ID_SHORTCUT_LAST, &CHostMainFrame::OnUpdateRecordedCommand)
    ON_COMMAND_RANGE(ID_EDIT_COPY, ID_EDIT_PASTE, &CHostMainFrame::OnRecordedCommand)
    ON_COMMAND_RANGE(ID_FILE_OPEN, ID_FILE_OPEN, &CHostMainFrame::OnRecordedCommand)
    ON_COMMAND_RANGE(ID_FILE_SAVE, ID_FILE_SAVE, &CHostMainFrame::OnRecordedCommand)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CHostMainFrame::OnRecordedCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CHostMainFrame::OnUpdateRecordedCommand)
    ON_COMMAND_RANGE(ID_CAPTION_DETAILS, ID_CAPTION_DETAILS, &CHostMainFrame::OnRecordedCommand)
    ON_COMMAND(ID_FILE_CLOSE, &CHostMainFrame::OnFileClose)
    ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE, &CHostMainFrame::OnUpdateFileClose)
    ON_COMMAND_RANGE(ID_WINDOW_AS_TABS, ID_WINDOW_AS_WINDOWS, &CHostMainFrame::OnWindowShowAs)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_AS_TABS, ID_WINDOW_AS_WINDOWS, &CHostMainFrame::OnUpdateWindowShowAs)
END_MESSAGE_MAP()

CHostMainFrame::CHostMainFrame() = default;
CHostMainFrame::~CHostMainFrame() = default;

void CHostMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 || nCmd != HELP_CONTEXT) {
        CKGPMDIFrameWnd::WinHelp(dwData, nCmd); // a request without data starts context help again
        return;
    }
    HostApp().m_helpContexts.push_back(dwData);
}

CKGPMDIChildWnd* CHostMainFrame::ControlBarToTabbedDocument(CKGPDockingControlBar* pBar)
{
    return m_bRefusePaneDocuments ? nullptr : CKGPMDIFrameWnd::ControlBarToTabbedDocument(pBar);
}

int CHostMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (HostApp().m_bTabGroups)
        EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
    else
        EnableMDITabs(TRUE);
    CKGPDockManager::SetDockingMode(KGP_DOCK_SMART);
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    // The user's own toolbars (made in the customisation sheet).
    GetFrameImpl().SetUserToolbarRange(ID_USER_TOOLBAR_FIRST, ID_USER_TOOLBAR_LAST);
    if (!CreateBars() || !CreatePanes() || !CreateTasksPane() || !CreateShortcuts())
        return -1;
    DockBarsAndPanes();
    // The View menu's entry and the bars' context menu list the bars and
    // panes to show or hide.
    m_Impl.m_uiControlbarsMenuEntryID = ID_VIEW_BARS;
    GetDockManager()->EnableControlBarContextMenu(TRUE);
    return 0;
}

BOOL CHostMainFrame::CreateBars()
{
    // The commands the menus always show; the others (formats, the caption
    // bar) wait behind the menus' expand item until used, where the menus
    // show recently used commands first.
    for (UINT command : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_APP_EXIT, ID_EDIT_CUT, ID_EDIT_COPY,
                         ID_EDIT_PASTE, ID_VIEW_STATUS_BAR, ID_VIEW_BARS, ID_VIEW_CUSTOMIZE, ID_VIEW_OPTIONS,
                         ID_WINDOW_NEW,
                         ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_APP_ABOUT})
        CKGPToolBar::AddBasicCommand(command);
    if (!m_wndMenuBar.Create(this))
        return FALSE;

    const DWORD toolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                               CBRS_SIZE_DYNAMIC;
    if (!m_wndToolBar.CreateBarEx(this, TBSTYLE_FLAT, toolBarStyle, CRect(1, 1, 1, 1), ID_BAR_MAIN))
        return FALSE;
    m_bMainToolBarLoaded = m_wndToolBar.LoadToolBar(IDR_MAINFRAME);
    m_wndToolBar.SetWindowText(_T("Standard"));
    if (HostApp().m_bAlignDropDown &&
        (!m_wndAlignBar.Create(this, WS_CHILD | CBRS_TOP, ID_BAR_ALIGN) || !m_wndAlignBar.LoadToolBar(IDR_ALIGN)))
        return FALSE;
    if (!m_wndFormatBar.CreateBarEx(this, TBSTYLE_FLAT, toolBarStyle, CRect(1, 1, 1, 1), ID_BAR_FORMAT))
        return FALSE;
    m_bFormatBarLoaded = m_wndFormatBar.LoadToolBar(IDR_FORMAT);
    m_wndFormatBar.SetWindowText(_T("Format"));
    if (HostApp().m_bCustomizeButtons) {
        m_wndToolBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("&Customize..."));
        m_wndFormatBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("&Customize..."));
    }
    // Either may be closed (from its floating frame, or the View menu's list of the bars).
    for (CKGPToolBar* bar : {&m_wndToolBar, &m_wndFormatBar})
        bar->SetLibraryBarStyle(bar->GetLibraryBarStyle() | KGP_BARSTYLE_CLOSE);

    if (!m_wndStatusBar.Create(this))
        return FALSE;
    m_wndStatusBar.SetPaneText(0, _T("Ready"));
    DockControlBar(&m_wndStatusBar);

    if (!m_wndCaptionBar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, this, ID_BAR_CAPTION))
        return FALSE;
    m_wndCaptionBar.SetText(_T("Two notes are open."), CKGPCaptionBar::ALIGN_LEFT);
    m_wndCaptionBar.SetButton(_T("Details"), ID_CAPTION_DETAILS, CKGPCaptionBar::ALIGN_RIGHT, FALSE);
    DockControlBar(&m_wndCaptionBar);
    return TRUE;
}

// The toolbars' placeholders become a menu button and a combo box whenever a
// bar is loaded from its resource (at creation and after a reset).
LRESULT CHostMainFrame::OnToolbarReset(WPARAM wParam, LPARAM)
{
    auto replace = [](CKGPToolBar& bar, UINT id, std::unique_ptr<CKGPToolbarButton> button) {
        const int index = bar.CommandToIndex(id);
        if (index < 0)
            return;
        // In first, so that the placeholder's going leaves the separators.
        if (bar.InsertButton(std::move(button), index) == index)
            bar.RemoveButton(index + 1);
    };
    if (wParam == IDR_MAINFRAME) {
        CMenu menu;
        menu.LoadMenu(IDR_INSERT_POPUP);
        auto button = std::make_unique<CKGPToolbarMenuButton>(ID_INSERT_MENU, ::GetSubMenu(menu.GetSafeHmenu(), 0),
                                                              6, _T("Insert"));
        replace(m_wndToolBar, ID_INSERT_MENU, std::move(button));
    } else if (wParam == IDR_FORMAT) {
        auto combo = std::make_unique<CKGPToolbarComboBoxButton>(ID_FORMAT_ZOOM, 3, CBS_DROPDOWNLIST, 90);
        combo->AddItem(_T("50%"));
        combo->AddItem(_T("100%"));
        combo->AddItem(_T("200%"));
        combo->SelectItem(1, FALSE);
        replace(m_wndFormatBar, ID_FORMAT_ZOOM, std::move(combo));
        if (m_wndAlignBar.GetSafeHwnd() != nullptr) {
            replace(m_wndFormatBar, ID_FORMAT_LEFT, std::make_unique<CKGPDropDownToolbarButton>(_T("Align"),
                                                                                                &m_wndAlignBar));
            const int center = m_wndFormatBar.CommandToIndex(ID_FORMAT_CENTER);
            if (center >= 0)
                m_wndFormatBar.RemoveButton(center);
        }
    }
    return 0;
}

BOOL CHostMainFrame::CreatePanes()
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    struct Made {
        CHostPane& pane;
        LPCTSTR title;
        UINT id;
        DWORD side;
    };
    const Made panes[] = {
        {m_wndFiles, _T("Files"), ID_PANE_FILES, CBRS_RIGHT},
        {m_wndClasses, _T("Classes"), ID_PANE_CLASSES, CBRS_RIGHT},
        {m_wndOutput, _T("Output"), ID_PANE_OUTPUT, CBRS_BOTTOM},
        {m_wndWatch, _T("Watch"), ID_PANE_WATCH, CBRS_BOTTOM},
        {m_wndProperties, _T("Properties"), ID_PANE_PROPERTIES, CBRS_RIGHT},
        {m_wndFind, _T("Find"), ID_PANE_FIND, CBRS_RIGHT},
    };
    for (const Made& made : panes) {
        if (!made.pane.Create(made.title, this, CRect(0, 0, 200, 150), TRUE, made.id, style | made.side))
            return FALSE;
        made.pane.EnableDocking(CBRS_ALIGN_ANY);
    }
    return TRUE;
}

BOOL CHostMainFrame::CreateTasksPane()
{
    if (!m_wndTasks.Create(_T("Tasks"), this, CRect(0, 0, 200, 220), TRUE, ID_PANE_TASKS,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT))
        return FALSE;
    const int group = m_wndTasks.AddGroup(_T("Note tasks"));
    m_wndTasks.AddTask(group, _T("Open a note"), -1, ID_TASK_OPEN);
    m_wndTasks.AddTask(group, _T("Print the note"), -1, ID_TASK_PRINT);
    m_wndTasks.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

BOOL CHostMainFrame::CreateShortcuts()
{
    if (!m_wndShortcuts.Create(_T("Shortcuts"), this, CRect(0, 0, 180, 400), ID_PANE_SHORTCUTS,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT, KGP_BARSTYLE_RESIZE))
        return FALSE;
    CKGPOutlookWnd* outlook = m_wndShortcuts.GetOutlookWnd();
    struct Page {
        CKGPOutlookBarPane& page;
        UINT id;
        LPCTSTR title;
        LPCTSTR first;
        LPCTSTR second;
        UINT firstCommand;
    };
    const Page pages[] = {
        {m_wndMailPage, ID_PAGE_MAIL, _T("Mail"), _T("Inbox"), _T("Sent"), ID_SHORTCUT_FIRST},
        {m_wndNotesPage, ID_PAGE_NOTES, _T("Notes"), _T("Recent"), _T("Archive"), ID_SHORTCUT_FIRST + 2},
    };
    for (const Page& made : pages) {
        if (!made.page.CreatePane(&m_wndShortcuts, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, made.id))
            return FALSE;
        made.page.EnableTextLabels(TRUE);
        made.page.AddIconButton(::LoadIcon(nullptr, IDI_INFORMATION), made.first, made.firstCommand);
        made.page.AddIconButton(::LoadIcon(nullptr, IDI_WARNING), made.second, made.firstCommand + 1);
        made.page.SetDefaultState();
        outlook->AddTab(&made.page, made.title, static_cast<UINT>(-1), FALSE);
    }
    m_wndShortcuts.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

void CHostMainFrame::DockBarsAndPanes()
{
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndFormatBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndFormatBar);

    DockControlBar(&m_wndTasks);
    DockControlBar(&m_wndFiles);
    CKGPDockingControlBar* tabbed = nullptr;
    m_wndClasses.AttachToTabWnd(&m_wndFiles, KGP_DM_SHOW, TRUE, &tabbed);
    DockControlBar(&m_wndOutput);
    m_wndWatch.DockToBar(&m_wndOutput, CBRS_ALIGN_RIGHT);
    DockControlBar(&m_wndProperties);
    m_wndProperties.SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT);
    FloatFindPane();
}

// Find floats at the right of the notes, below their tab strip and clear of
// the panes' captions.
void CHostMainFrame::FloatFindPane()
{
    RecalcLayout();
    CRect notes;
    ::GetWindowRect(m_hWndMDIClient, notes);
    const CSize size(180, 140);
    m_wndFind.FloatBar(CRect(CPoint(notes.right - size.cx - 40, notes.top + 60), size), KGP_DM_UNKNOWN, true);
}

std::vector<CKGPDockingControlBar*> CHostMainFrame::StoredPanes()
{
    return {&m_wndFiles, &m_wndClasses, &m_wndOutput, &m_wndWatch, &m_wndProperties, &m_wndTasks, &m_wndShortcuts,
            &m_wndFind};
}

std::vector<CKGPToolBar*> CHostMainFrame::StoredBars()
{
    return {&m_wndMenuBar, &m_wndToolBar, &m_wndFormatBar};
}

void CHostMainFrame::OnViewCustomize()
{
    auto* sheet = new CKGPToolbarCustomize(this, TRUE);
    sheet->Create();
}

void CHostMainFrame::OnViewOptions()
{
    CHostOptionsSheet sheet(this);
    m_nOptionsResult = sheet.DoModal();
    m_nOptionsApplied = sheet.m_general.m_nApplied;
    if (m_nOptionsResult == IDOK)
        m_strOptionsName = sheet.m_general.m_strName;
}

void CHostMainFrame::OnViewCaptionBar()
{
    m_wndCaptionBar.ShowBar(!m_wndCaptionBar.IsBarVisible(), FALSE, FALSE);
    RecalcLayout();
}

void CHostMainFrame::OnUpdateViewCaptionBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndCaptionBar.IsBarVisible());
}

void CHostMainFrame::OnRecordedCommand(UINT nID)
{
    HostApp().m_commands.push_back(nID);
    CString text;
    text.Format(_T("Command %u"), nID);
    m_wndStatusBar.SetPaneText(0, text);
}

void CHostMainFrame::OnUpdateRecordedCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// File > Close closes the active note's window, as its Ctrl+F4 does.
void CHostMainFrame::OnFileClose()
{
    if (CMDIChildWnd* note = MDIGetActive())
        note->SendMessage(WM_CLOSE);
}

void CHostMainFrame::OnUpdateFileClose(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CHostMainFrame::OnWindowShowAs(UINT nID)
{
    if (nID == ID_WINDOW_AS_TABS)
        EnableMDITabs(TRUE);
    else if (nID == ID_WINDOW_AS_GROUPS)
        EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
    else if (IsMDITabbedGroup())
        EnableMDITabbedGroups(FALSE, CKGPMDITabParams());
    else
        EnableMDITabs(FALSE);
    RecalcLayout();
}

void CHostMainFrame::OnUpdateWindowShowAs(CCmdUI* pCmdUI)
{
    const UINT shown = AreMDITabs() ? ID_WINDOW_AS_TABS
                       : IsMDITabbedGroup() ? ID_WINDOW_AS_GROUPS
                                            : ID_WINDOW_AS_WINDOWS;
    pCmdUI->SetRadio(pCmdUI->m_nID == shown);
}
