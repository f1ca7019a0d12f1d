// The frame implementation: the list of live frames, user toolbars and torn-off
// bars, popup-menu checks and the window placement kept by the state store.
#include "guilib/frames/KGPFrameImpl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameLinks.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <memory>

CList<CFrameWnd*, CFrameWnd*> CKGPFrameImpl::s_lstFrames;

namespace {

constexpr UINT kStringNoFreeToolbarId = 16243;
// The style of a toolbar the user creates: child, visible, top, gripper, hidden in place.
constexpr DWORD kUserToolbarStyle = 0x50402808;
// The control-bar style it gains: tooltips, prompts as the pointer flies by,
// a dynamic size (its rows wrap to its floating frame).
constexpr DWORD kUserToolbarBarStyle = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

} // namespace

CKGPFrameImpl::CKGPFrameImpl(CFrameWnd* pFrame)
    : m_pFrame(pFrame), m_pCustomUserToolBarRTC(RUNTIME_CLASS(CKGPToolBar)), m_FullScreenMgr(this)
{
}

CKGPFrameImpl::~CKGPFrameImpl() = default;

// ---- Live frames.

void CKGPFrameImpl::AddFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    for (POSITION pos = s_lstFrames.GetHeadPosition(); pos != nullptr;) {
        if (s_lstFrames.GetNext(pos)->GetSafeHwnd() == pFrame->GetSafeHwnd())
            return;
    }
    s_lstFrames.AddTail(pFrame);
}

void CKGPFrameImpl::RemoveFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return;
    for (POSITION pos = s_lstFrames.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        CFrameWnd* pListed = s_lstFrames.GetNext(pos);
        if (pListed == pFrame || (pListed->GetSafeHwnd() != nullptr && pListed->GetSafeHwnd() == pFrame->GetSafeHwnd())) {
            s_lstFrames.RemoveAt(at);
            return;
        }
    }
}

// ---- Toolbars and menus.

void CKGPFrameImpl::SetMenuBar(CKGPMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    if (m_pMenuBar == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    // The bar takes over the frame's own menu as its default one and knows its
    // resource (for a reset); the frame shows no menu of its own.
    m_hDefaultMenu = ::GetMenu(m_pFrame->m_hWnd);
    if (m_hDefaultMenu != nullptr)
        m_pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE, FALSE);
    ::SetMenu(m_pFrame->m_hWnd, nullptr);
    m_pMenuBar->SetDefaultMenuResId(m_nIDDefaultResource);
}

BOOL CKGPFrameImpl::IsUserToolbarId(const CWnd* pWnd) const
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const UINT id = static_cast<UINT>(pWnd->GetDlgCtrlID());
    return id >= m_uiUserToolbarFirst && id <= m_uiUserToolbarLast;
}

UINT CKGPFrameImpl::FindFreeToolbarId(UINT uiFirst, UINT uiLast, const CObList& lstToolbars)
{
    if (uiFirst == 0xFFFFFFFF || uiLast == 0xFFFFFFFF || uiFirst > uiLast)
        return 0;
    if (static_cast<UINT>(lstToolbars.GetCount()) >= uiLast - uiFirst + 1)
        return 0;
    for (UINT id = uiFirst; id <= uiLast; ++id) {
        BOOL bTaken = FALSE;
        for (POSITION pos = lstToolbars.GetHeadPosition(); pos != nullptr && !bTaken;) {
            auto* pBar = DYNAMIC_DOWNCAST(CWnd, lstToolbars.GetNext(pos));
            bTaken = pBar != nullptr && pBar->GetSafeHwnd() != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == id;
        }
        if (!bTaken)
            return id;
        if (id == uiLast)
            break;
    }
    return 0;
}

CKGPToolBar* CKGPFrameImpl::CreateUserToolbar(LPCTSTR lpszName)
{
    const UINT id = FindFreeToolbarId(m_uiUserToolbarFirst, m_uiUserToolbarLast, m_listUserDefinedToolbars);
    if (id == 0) {
        CString format;
        {
            CKGPLocalResource library;
            if (!format.LoadString(kStringNoFreeToolbarId))
                format = _T("No more than %d toolbars can be created.");
        }
        CString message;
        message.Format(format, static_cast<int>(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1));
        AfxMessageBox(message, MB_ICONINFORMATION);
        return nullptr;
    }
    std::unique_ptr<CObject> pObject(m_pCustomUserToolBarRTC->CreateObject());
    auto* pToolBar = DYNAMIC_DOWNCAST(CKGPToolBar, pObject.get());
    if (pToolBar == nullptr || !pToolBar->Create(m_pFrame, kUserToolbarStyle, id))
        return nullptr;
    pToolBar->SetWindowText(lpszName);
    pToolBar->SetBarStyleWord(pToolBar->GetBarStyleWord() | kUserToolbarBarStyle);
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    CRect rect;
    pToolBar->GetWindowRect(rect);
    const CPoint centre(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2);
    pToolBar->FloatBar(CRect(centre, rect.Size()), KGP_DM_UNKNOWN, true);
    // The buttons the user brings to the new bar line up in one row (not
    // wrapped to the width of the empty bar it floated with).
    pToolBar->SetMRUWidth(kgp::kNoLimit);
    m_pFrame->RecalcLayout();
    m_listUserDefinedToolbars.AddTail(pToolBar);
    static_cast<void>(pObject.release());  // the list owns it now
    return pToolBar;
}

BOOL CKGPFrameImpl::DeleteUserToolbar(CKGPToolBar* pToolBar)
{
    POSITION pos = m_listUserDefinedToolbars.Find(pToolBar);
    if (pos == nullptr)
        return FALSE;
    m_listUserDefinedToolbars.RemoveAt(pos);
    {
        const std::unique_ptr<CKGPToolBar> owned(pToolBar);  // out of the list, it goes here
        // Its stored state goes with it (under the section the frame names for user toolbars).
        pToolBar->DeleteStoredState(m_strControlBarRegEntry.IsEmpty() ? nullptr : m_strControlBarRegEntry.GetString());
        if (pToolBar->GetParentDockBar() != nullptr)
            pToolBar->RemoveFromDockBar();
        else if (CKGPMiniFrameWnd* pMiniFrame = pToolBar->GetParentMiniFrame(TRUE))
            pMiniFrame->RemoveControlBar(pToolBar, FALSE, FALSE);
        pToolBar->DestroyWindow();
    }
    m_pFrame->RecalcLayout();
    return TRUE;
}

void CKGPFrameImpl::AddTearOffBar(CKGPBaseControlBar* pBar)
{
    if (pBar != nullptr)
        m_listTearOffToolbars.AddTail(pBar);
}

void CKGPFrameImpl::RemoveTearOffBar(CKGPBaseControlBar* pBar)
{
    if (POSITION pos = m_listTearOffToolbars.Find(pBar))
        m_listTearOffToolbars.RemoveAt(pos);
}

void CKGPFrameImpl::LoadToolbarParameters()
{
    if (CKGPAppStateStore* pStore = GetWorkspace())
        CKGPToolBar::LoadParameters(pStore->SectionPath(_T("")));
}

void CKGPFrameImpl::OnLoadFrame()
{
    if (CKGPAppStateStore* pStore = GetWorkspace())
        pStore->LoadFrameState(nullptr, this);
}

void CKGPFrameImpl::OnClosePopupMenu(CWnd* pPopup)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    if (!data.m_bEnableAccessibility || pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr)
        return;
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    const BOOL bMenuEnds = pMenu != nullptr && pMenu->IsTopLevelButtonMenu();
    data.NotifyWinEvent(bMenuEnds ? EVENT_SYSTEM_MENUEND : EVENT_SYSTEM_MENUPOPUPEND, pPopup->m_hWnd, OBJID_CLIENT,
                        CHILDID_SELF);
    if (pMenu != nullptr)
        pMenu->DestroyAttachedMenu();
    if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && ::GetFocus() == m_pMenuBar->m_hWnd)
        m_pMenuBar->NotifyAccessibilityFocus();
}

BOOL CKGPFrameImpl::OnShowPopupMenu(CWnd* pPopup, CFrameWnd*)
{
    if (m_pDockManager != nullptr) {
        const CKGPSmartDockingManager* pSmart = m_pDockManager->GetSmartDockingManager();
        if (pSmart != nullptr && pSmart->IsStarted() && pSmart->IsActive())
            return FALSE;
    }
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    if (pMenu == nullptr)
        return TRUE;
    const BOOL bCustomizing = KGPMenuLinks::IsCustomizeMode();
    // The entry that stands for the bars becomes the list of the bars.
    if (m_uiControlbarsMenuEntryID != 0 && m_pDockManager != nullptr &&
        pMenu->GetMenuBar()->CommandToIndex(m_uiControlbarsMenuEntryID) >= 0) {
        if (bCustomizing)
            return FALSE;
        CMenu menu;
        if (menu.CreatePopupMenu()) {
            m_pDockManager->BuildBarsMenu(menu, m_uiControlbarsMenuExtra);
            pMenu->GetMenuBar()->ImportFromMenu(menu.GetSafeHmenu(), TRUE);
            m_pDockManager->SetBarsMenuShown(TRUE);
        }
    }
    // A toolbar's customise button offers its bar's buttons to show or hide.
    if (!bCustomizing && IsCustomizeButtonMenu(pPopup))
        BuildAddRemoveButtonsMenu(pPopup);
    // The bar whose menu opened takes the focus (it gives it back on close).
    if (!bCustomizing) {
        CKGPPopupMenu* pTop = pMenu;
        while (CKGPPopupMenu* pAbove = pTop->GetParentPopupMenu())
            pTop = pAbove;
        CKGPToolBar* pBar = pTop->GetParentToolBar();
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && !pBar->IsKindOf(RUNTIME_CLASS(CKGPPopupMenuBar)) &&
            pBar->IsDocked() && CWnd::GetFocus() != pBar)
            pBar->SetFocus();
    }
    return TRUE;
}

BOOL CKGPFrameImpl::IsQuietPopup(CWnd* pPopup)
{
    const auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    return pMenu != nullptr && pMenu->IsQuiet();
}

void CKGPFrameImpl::RebuildPlainMenu(CWnd* pPopup)
{
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    if (pMenu == nullptr || !GetKGPGlobalData().m_bEnableAccessibility)
        return;
    pMenu->DestroyAttachedMenu();
    pMenu->BuildPlainMenu();
}

namespace {

// The toolbar customise button whose own drop-down the popup is (not its
// floating frame's caption menu).
CCustomizeButton* DropDownChevron(const CKGPPopupMenu* pMenu)
{
    auto* pChevron = pMenu != nullptr ? DYNAMIC_DOWNCAST(CCustomizeButton, pMenu->GetParentButton()) : nullptr;
    return pChevron != nullptr && !pChevron->IsCaptionMenuOpen() ? pChevron : nullptr;
}

// The customise button of a floating toolbar whose caption menu the popup's
// parent is: the popup is that menu's list of the bar's buttons.
CCustomizeButton* CaptionMenuChevron(const CKGPPopupMenu* pMenu)
{
    const CKGPPopupMenu* pAbove = pMenu != nullptr ? pMenu->GetParentPopupMenu() : nullptr;
    if (pAbove == nullptr || pAbove->GetParentPopupMenu() != nullptr)
        return nullptr;
    auto* pChevron = DYNAMIC_DOWNCAST(CCustomizeButton, pAbove->GetParentButton());
    return pChevron != nullptr && pChevron->IsCaptionMenuOpen() ? pChevron : nullptr;
}

// The popup is the third level of a customise button's drop-down: the
// drop-down > "Add or Remove Buttons" > a bar's name > this popup.
BOOL IsAddRemoveButtonsLevel(const CKGPPopupMenu* pMenu)
{
    const CKGPPopupMenu* pAbove = pMenu != nullptr ? pMenu->GetParentPopupMenu() : nullptr;
    if (pAbove == nullptr)
        return FALSE;
    const CKGPToolbarMenuButton* pItem = pAbove->GetParentButton();
    if (pItem != nullptr && pItem->m_strCaption.Find(CCustomizeButton::AddRemoveButtonsText()) < 0)
        return FALSE;
    return DropDownChevron(pAbove->GetParentPopupMenu()) != nullptr;
}

// The toolbar whose control id the popup's first item names, among the bars
// with a customise button (the bar of the drop-down's own button first).
CKGPToolBar* ToolbarNamedBy(const CKGPPopupMenu& menu)
{
    const CKGPToolbarMenuButton* pFirst = menu.GetMenuItemCount() > 0 ? menu.GetMenuItem(0) : nullptr;
    if (pFirst == nullptr || pFirst->m_strCaption.IsEmpty())
        return nullptr;
    const int nId = _ttoi(pFirst->m_strCaption);
    const CCustomizeButton* pChevron = DropDownChevron(menu.GetParentPopupMenu()->GetParentPopupMenu());
    auto* pOwnBar = pChevron != nullptr ? DYNAMIC_DOWNCAST(CKGPToolBar, pChevron->GetParentWnd()) : nullptr;
    if (pOwnBar != nullptr && pOwnBar->GetSafeHwnd() != nullptr && pOwnBar->GetDlgCtrlID() == nId)
        return pOwnBar;
    const CObList& bars = CKGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPToolBar*>(bars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && pBar->GetDlgCtrlID() == nId && pBar->GetCustomizeButton() != nullptr)
            return pBar;
    }
    return nullptr;
}

// The command an entry carries: the button's, or the no-command entry's for
// a button without one (so that the entry is never taken for a separator).
UINT EntryCommand(UINT uiCommand)
{
    return uiCommand == 0 || uiCommand == 0xFFFFFFFFu ? CCustomizeButton::kNoCommandEntry : uiCommand;
}

} // namespace

BOOL CKGPFrameImpl::IsCustomizeButtonMenu(CWnd* pPopup) const
{
    const auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    return IsAddRemoveButtonsLevel(pMenu) || CaptionMenuChevron(pMenu) != nullptr;
}

void CKGPFrameImpl::BuildAddRemoveButtonsMenu(CWnd* pPopup)
{
    // One entry per button of the bar (checked while the button shows), the
    // buttons of its resource it lost since (unchecked), then its reset.
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    CKGPToolBar* pBar = nullptr;
    if (const CCustomizeButton* pCaptionChevron = CaptionMenuChevron(pMenu))
        pBar = DYNAMIC_DOWNCAST(CKGPToolBar, pCaptionChevron->GetParentWnd());
    else if (IsAddRemoveButtonsLevel(pMenu))
        pBar = ToolbarNamedBy(*pMenu);
    if (pMenu == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    pMenu->RemoveAllItems();
    CKGPCustomizeMenuButton::m_pWndToolBar = pBar;
    int nInserted = 0;
    {
        // A button without a caption is named as the customisation sheet names its command.
        const CKGPToolbarCustomize names(m_pFrame, TRUE, KGP_CUSTOMIZE_KEEP_AMPERSANDS);
        for (int i = 0; i < pBar->GetCount(); ++i) {
            const CKGPToolbarButton* pButton = pBar->GetButton(i);
            if (pButton->IsSeparator() || pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
                continue;
            CString text = pButton->m_strCaption;
            if (text.IsEmpty()) {
                if (LPCTSTR name = names.GetCommandName(pButton->m_nCommand))
                    text = name;
            }
            // (An entry without a command of its own shows no image: the
            // command manager keeps images by command.)
            const UINT command = EntryCommand(pButton->m_nCommand);
            CKGPCustomizeMenuButton entry(command, nullptr, command == pButton->m_nCommand ? pButton->GetImage() : -1,
                                          text, pButton->m_bUserImage);
            const CKGPToolbarButton* pNext = pBar->GetButton(i + 1);
            entry.SetItemIndex(i, TRUE, pNext != nullptr && pNext->IsSeparator());
            if (pMenu->InsertItem(entry) >= 0)
                ++nInserted;
        }
    }
    // The frame's part: the resource's buttons the bar lost since, to bring back.
    if (m_pMenuHost != nullptr)
        m_pMenuHost->FillCustomizeMenuRest(pPopup, pBar->GetResourceID());
    if (nInserted > 0)
        pMenu->InsertSeparator();
    CKGPCustomizeMenuButton reset(CCustomizeButton::kNoCommandEntry, nullptr, -1,
                                  KGPLoadLibraryString(IDS_KGP_RESET_THIS_TOOLBAR, _T("&Reset Toolbar")));
    reset.SetItemIndex(CKGPCustomizeMenuButton::kResetEntry);
    pMenu->InsertItem(reset);
}

namespace {

// Where the entries of the bar's buttons begin in a customise menu: at the
// first of them, else (the bar shows no button) at the menu's end.
int FirstButtonEntry(const CKGPPopupMenu& menu)
{
    const int count = menu.GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        const auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, menu.GetMenuItem(i));
        if (entry != nullptr && entry->GetItemIndex() >= 0 && entry->GetItemIndex() != CKGPCustomizeMenuButton::kResetEntry)
            return i;
    }
    return count;
}

} // namespace

BOOL CKGPFrameImpl::FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId)
{
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
    CKGPToolBar* pBar = CKGPCustomizeMenuButton::m_pWndToolBar;
    if (pMenu == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr || pBar->GetResourceID() != uiToolbarResId)
        return TRUE;
    CKGPCustomizeMenuButton::AddMissingResourceEntries(*pMenu, *pBar, FirstButtonEntry(*pMenu));
    return TRUE;
}

BOOL CKGPFrameImpl::IsPrintPreview() const
{
    return m_pDockManager != nullptr && m_pDockManager->IsPrintPreviewValid();
}

void CKGPFrameImpl::UpdateBarCommand(CKGPDockManager& manager, CCmdUI* pCmdUI)
{
    CKGPBaseControlBar* pBar = manager.FindBarById(pCmdUI->m_nID, TRUE);
    if (pBar == nullptr) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsBarVisible());
}

BOOL CKGPFrameImpl::ToggleBarCommand(CKGPDockManager& manager, UINT nID)
{
    CKGPBaseControlBar* pBar = manager.FindBarById(nID, TRUE);
    if (pBar == nullptr)
        return FALSE;
    pBar->ShowBar(!pBar->IsBarVisible(), FALSE, FALSE);
    return TRUE;
}

// ---- Placement.

void CKGPFrameImpl::RestorePlacement(CREATESTRUCT& cs)
{
    CKGPAppStateStore* pStore = GetWorkspace();
    if (pStore == nullptr)
        return;
    CRect rect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int flags = 0;
    int showCmd = SW_SHOWNORMAL;
    if (!pStore->LoadPlacement(rect, flags, showCmd))
        return;
    if (showCmd != SW_SHOWMAXIMIZED)
        showCmd = SW_SHOWNORMAL;
    if (CWinApp* pApp = AfxGetApp()) {
        const int start = pApp->m_nCmdShow;
        if (start != SW_SHOWMINIMIZED && start != SW_SHOWMAXIMIZED && start != SW_MINIMIZE &&
            start != SW_SHOWMINNOACTIVE)
            pApp->m_nCmdShow = showCmd;
    }
    const CRect work = CKGPGlobalUtils::WorkAreaAt(rect.TopLeft());
    CRect placed = work;
    CRect meet;
    if (showCmd != SW_SHOWMAXIMIZED) {
        if (!meet.IntersectRect(&rect, &work))
            return; // not on any monitor now: the create values stay
        placed.SetRect(meet.left, meet.top, meet.left + rect.Width(), meet.top + rect.Height());
    }
    cs.x = placed.left;
    cs.y = placed.top;
    cs.cx = placed.Width();
    cs.cy = placed.Height();
}

void CKGPFrameImpl::OnCloseFrame()
{
    // A frame closing in full screen stores its normal place.
    m_FullScreenMgr.RestoreState(m_pFrame);
    CKGPAppStateStore* pStore = GetWorkspace();
    if (pStore == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    pStore->OnMainFrameClosing(this);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!m_pFrame->GetWindowPlacement(&placement))
        return;
    const int showCmd = placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    CRect normal(placement.rcNormalPosition);
    normal.OffsetRect(work.left, work.top);
    pStore->StorePlacement(normal, static_cast<int>(placement.flags), showCmd);
}

BOOL CKGPFrameImpl::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || (m_pFrame->GetStyle() & WS_BORDER) != 0)
        return FALSE;
    CRect window;
    m_pFrame->GetWindowRect(window);
    CRect monitor;
    CRect work = CKGPGlobalUtils::WorkAreaAt(window.CenterPoint(), &monitor);
    // An auto-hidden taskbar keeps a 2-pixel strip to come back through.
    const int edges = GetKGPGlobalData().m_nAutoHideTaskbarEdges;
    if ((edges & 1) != 0)
        work.left += 2;
    if ((edges & 2) != 0)
        work.right -= 2;
    if ((edges & 4) != 0)
        work.top += 2;
    if ((edges & 8) != 0)
        work.bottom -= 2;
    lpMMI->ptMaxPosition = CPoint(work.left - monitor.left, work.top - monitor.top);
    lpMMI->ptMaxSize = CPoint(work.Width(), work.Height());
    return TRUE;
}

void CKGPFrameImpl::SetToolbarsHelpMode(BOOL bOn)
{
    CKGPToolBar::SetHelpMode(bOn);
}
