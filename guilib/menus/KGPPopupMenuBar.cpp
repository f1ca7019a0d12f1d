// The bar inside a popup: its creation and the menu delay, the sub-menus
// that open and close after the delay under the mouse, mouse input handed to
// the menus below, the click on an item, and the chosen command.
#include "guilib/menus/KGPPopupMenuBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPMenuSound.h"
#include "guilib/menus/KGPPopupBarRules.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/ribbon/KGPBaseRibbonElement.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <cstdlib>
#include <utility>

IMPLEMENT_SERIAL(CKGPPopupMenuBar, CKGPToolBar, 1)

BEGIN_MESSAGE_MAP(CKGPPopupMenuBar, CKGPToolBar)
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CREATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPPopupMenuBar::OnIdleUpdateCmdUI)
    ON_COMMAND(16916, &CKGPPopupMenuBar::OnShowImageAndText)
    ON_COMMAND(16915, &CKGPPopupMenuBar::OnShowTextOnly)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kOpenTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;
constexpr UINT_PTR kFocusEventTimer = 20;
constexpr UINT kFocusEventDelay = 100;
constexpr UINT kSubMenu = static_cast<UINT>(-1);
constexpr UINT kNoAction = static_cast<UINT>(-2);

}  // namespace

int CKGPPopupMenuBar::s_nMenuShowDelay = -1;
int CKGPPopupMenuBar::s_nLastCommandIndex = -1;
BOOL CKGPPopupMenuBar::s_bShowAllCommands = FALSE;
BOOL CKGPPopupMenuBar::s_bHiddenItemsMnemonics = TRUE;

CKGPPopupMenuBar::CKGPPopupMenuBar()
{
    m_bRestoreFocus = FALSE;
    // Most menus open and close outside customisation mode, where no drop lands.
    m_bDropTargetWhenCustomizing = TRUE;
}

CKGPPopupMenuBar::~CKGPPopupMenuBar()
{
    // Its own WM_DESTROY stops its timers and closes its open sub-menus.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    *m_pAlive = false;
}

// ---- The menu delay ----

int CKGPPopupMenuBar::GetMenuShowDelay()
{
    if (s_nMenuShowDelay < 0)
        ReadMenuShowDelay();
    return s_nMenuShowDelay;
}

void CKGPPopupMenuBar::ReadMenuShowDelay()
{
    CKGPRegistry reg(FALSE, TRUE);
    CString text;
    const BOOL present = reg.Open(_T("Control Panel\\Desktop")) && reg.Read(_T("MenuShowDelay"), text);
    s_nMenuShowDelay = kgp::MenuShowDelayFrom(present != FALSE, present ? std::wcstol(text, nullptr, 10) : 0);
}

int CKGPPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    GetMenuShowDelay();
    return 0;
}

void CKGPPopupMenuBar::OnNcPaint() {}

void CKGPPopupMenuBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

CKGPPopupMenu* CKGPPopupMenuBar::GetPopupMenu() const
{
    return DYNAMIC_DOWNCAST(CKGPPopupMenu, GetParent());
}

void CKGPPopupMenuBar::KillTimers()
{
    if (GetSafeHwnd() == nullptr)
        return;
    KillTimer(kOpenTimer);
    KillTimer(kCloseTimer);
    KillTimer(kFocusEventTimer);
}

void CKGPPopupMenuBar::OnDestroy()
{
    KillTimers();
    m_pDelayedPopupMenuButton = nullptr;
    m_pDelayedClosePopupMenuButton = nullptr;
    CloseOpenSubMenus();
    CKGPToolBar::OnDestroy();
}

void CKGPPopupMenuBar::CloseOpenSubMenus()
{
    for (CKGPToolbarButton* button : ButtonsInOrder()) {
        auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, button);
        IKGPMenuPopup* sub = item != nullptr ? item->GetPopupMenu() : nullptr;
        if (sub == nullptr)
            continue;
        sub->SaveItemsToParent();
        if (CWnd* window = sub->GetPopupWindow(); window != nullptr && window->GetSafeHwnd() != nullptr)
            window->SendMessage(WM_CLOSE);
    }
}

// ---- Sub-menus under the mouse ----

void CKGPPopupMenuBar::ChangeHot(int iIndex)
{
    const int old = GetHotButton();
    auto* next = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(iIndex));
    // The sub-menu of another item closes: at once from the keys or while
    // customising, else after the delay (the pointer may come back).
    CKGPToolbarMenuButton* dropped = GetDroppedDownMenu();
    if (iIndex != old && dropped != nullptr && dropped != next) {
        if (s_bCustomizing || m_bKeyboardChange) {
            if (dropped == m_pDelayedClosePopupMenuButton)
                m_pDelayedClosePopupMenuButton = nullptr;
            dropped->CancelState();
            CKGPPopupMenu::ActivatePopupMenu(CKGPPopupMenu::TopFrameOf(this), GetPopupMenu());
        } else if (dropped != m_pDelayedClosePopupMenuButton) {
            m_pDelayedClosePopupMenuButton = dropped;
            dropped->m_bToBeClosed = TRUE;
            SetTimer(kCloseTimer, static_cast<UINT>(kgp::CloseDelay(GetMenuShowDelay())), nullptr);
            InvalidateButton(ButtonToIndex(dropped));
        }
    }
    SetHotButton(iIndex);
    if (iIndex == old || next == nullptr)
        return;

    if (!m_bKeyboardChange && GetCapture() != this && GetKGPGlobalData().m_bEnableAccessibility)
        SetTimer(kFocusEventTimer, kFocusEventDelay, nullptr);
    if (s_bCustomizing || m_bKeyboardChange)
        return;
    const BOOL opensMenu = next->m_nCommand == kSubMenu || next->IsMenuOnly() ||
                           next->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton));
    if (!opensMenu || (next->m_nBits & TBBS_DISABLED) != 0)
        return;
    if (next == m_pDelayedClosePopupMenuButton)
        RestoreDelayedSubMenu();
    else if (!next->IsDroppedDown())
        next->HandleClick(this, TRUE);
}

void CKGPPopupMenuBar::StartPopupMenuTimer(CKGPToolbarMenuButton* pMenuButton, int nDelayFactor)
{
    KillTimer(kOpenTimer);
    if (pMenuButton != nullptr && pMenuButton == m_pDelayedClosePopupMenuButton) {
        m_pDelayedPopupMenuButton = nullptr;
        RestoreDelayedSubMenu();
        return;
    }
    m_pDelayedPopupMenuButton = pMenuButton;
    if (pMenuButton != nullptr)
        SetTimer(kOpenTimer, static_cast<UINT>(kgp::OpenDelay(GetMenuShowDelay(), nDelayFactor)), nullptr);
}

void CKGPPopupMenuBar::CloseDelayedSubMenu()
{
    CKGPToolbarMenuButton* button = std::exchange(m_pDelayedClosePopupMenuButton, nullptr);
    if (button == nullptr)
        return;
    KillTimer(kCloseTimer);
    button->m_bToBeClosed = FALSE;
    button->CancelState();
}

void CKGPPopupMenuBar::RestoreDelayedSubMenu()
{
    CKGPToolbarMenuButton* button = std::exchange(m_pDelayedClosePopupMenuButton, nullptr);
    if (button == nullptr)
        return;
    KillTimer(kCloseTimer);
    button->m_bToBeClosed = FALSE;
    const int index = ButtonToIndex(button);
    SetHotButton(index);
    InvalidateButton(index);
    if (IKGPMenuPopup* sub = button->GetPopupMenu())
        CKGPPopupMenu::ActivatePopupMenu(CKGPPopupMenu::TopFrameOf(this), static_cast<CKGPPopupMenu*>(sub));
}

void CKGPPopupMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    switch (nIDEvent) {
    case kOpenTimer: {
        KillTimer(kOpenTimer);
        if (CToolTipCtrl* tip = GetToolTipCtrl(); tip != nullptr && tip->GetSafeHwnd() != nullptr)
            tip->Pop();
        if (m_pDelayedClosePopupMenuButton != nullptr && m_pDelayedClosePopupMenuButton->m_rcButton.PtInRect(cursor))
            return;
        CloseDelayedSubMenu();
        CKGPToolbarMenuButton* button = std::exchange(m_pDelayedPopupMenuButton, nullptr);
        if (button != nullptr && ButtonToIndex(button) == GetHotButton() && button->OpenPopupMenu())
            InvalidateButton(ButtonToIndex(button));
        return;
    }
    case kCloseTimer: {
        KillTimer(kCloseTimer);
        CKGPToolbarMenuButton* button = m_pDelayedClosePopupMenuButton;
        if (button == nullptr || button->m_rcButton.PtInRect(cursor))
            return;
        m_pDelayedClosePopupMenuButton = nullptr;
        button->m_bToBeClosed = FALSE;
        button->CancelState();
        CKGPPopupMenu::ActivatePopupMenu(CKGPPopupMenu::TopFrameOf(this), GetPopupMenu());
        return;
    }
    case kFocusEventTimer: {
        KillTimer(kFocusEventTimer);
        CRect client;
        GetClientRect(client);
        const int hot = GetHotButton();
        if (hot >= 0 && client.PtInRect(cursor) && HitTest(cursor) == hot)
            GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, hot + 1);
        return;
    }
    default:
        CKGPToolBar::OnTimer(nIDEvent);
    }
}

BOOL CKGPPopupMenuBar::KeepsHotOnLeave() const
{
    const CKGPToolbarMenuButton* hot = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(GetHotButton()));
    return hot != nullptr && hot->IsDroppedDown();
}

// ---- The mouse ----

CKGPPopupMenuBar* CKGPPopupMenuBar::FindDestBar(CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    const CKGPPopupMenu* popup = GetPopupMenu();
    for (CKGPPopupMenu* above = popup != nullptr ? popup->GetParentPopupMenu() : nullptr; above != nullptr;
         above = above->GetParentPopupMenu()) {
        CRect window;
        above->GetWindowRect(window);
        if (window.PtInRect(screen))
            return above->GetMenuBar();
    }
    return nullptr;
}

BOOL CKGPPopupMenuBar::PassToBar(CKGPPopupMenuBar* pBar, UINT message, UINT nFlags, CPoint point)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    MapWindowPoints(pBar, &point, 1);
    pBar->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
    return TRUE;
}

void CKGPPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bFirstMove) {
        m_bFirstMove = FALSE;
        return;
    }
    CRect client;
    GetClientRect(client);
    if (!s_bCustomizing && !client.PtInRect(point)) {
        PassToBar(FindDestBar(point), WM_MOUSEMOVE, nFlags, point);
        return;
    }
    CKGPToolBar::OnMouseMove(nFlags, point);
}

void CKGPPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bFirstClick = FALSE;
    m_bButtonPressed = TRUE;
    CRect client;
    GetClientRect(client);
    if (!s_bCustomizing && !client.PtInRect(point)) {
        PassToBar(FindDestBar(point), WM_LBUTTONDOWN, nFlags, point);
        return;
    }
    const auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(HitTest(point)));
    // A press between the items, or on an item whose sub-menu is open, is no choice.
    if (!s_bCustomizing && (GetButton(HitTest(point)) == nullptr || (item != nullptr && item->IsDroppedDown())))
        return;
    m_pPressedEntry = nullptr;
    if (!s_bCustomizing && item != nullptr && item->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton))) {
        // A customise menu's entry answers for itself, whatever the state of
        // the command it names (it does not run it).
        m_pPressedEntry = GetButton(HitTest(point));
        return;
    }
    CKGPToolBar::OnLButtonDown(nFlags, point);
}

void CKGPPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bFirstClick && !s_bCustomizing) {
        m_bFirstClick = FALSE;
        return;
    }
    CRect client;
    GetClientRect(client);
    if (!s_bCustomizing && !client.PtInRect(point)) {
        const std::shared_ptr<bool> alive = m_pAlive;
        if (GetCapture() == this)
            ReleaseCapture();
        PassToBar(FindDestBar(point), WM_LBUTTONUP, nFlags, point);
        if (*alive) {
            if (CKGPPopupMenu* popup = GetPopupMenu())
                popup->CloseChain();
        }
        return;
    }
    if (!m_bButtonPressed && !s_bCustomizing)
        return;
    m_bButtonPressed = FALSE;
    if (CKGPToolbarButton* entry = std::exchange(m_pPressedEntry, nullptr)) {
        if (GetButton(HitTest(point)) == entry)
            ClickItem(entry);
        return;
    }
    m_pPendingClick = nullptr;
    CKGPToolBar::OnLButtonUp(nFlags, point);
    // Last: the command closes the menus, this bar with them.
    if (CKGPToolbarButton* item = std::exchange(m_pPendingClick, nullptr))
        ClickItem(item);
}

void CKGPPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(HitTest(point)));
    if (item != nullptr && (item->m_nCommand == kSubMenu || item->m_nCommand == kNoAction)) {
        Default();
        return;
    }
    CKGPToolBar::OnLButtonDblClk(nFlags, point);
}

BOOL CKGPPopupMenuBar::HandledOnRelease(CKGPToolbarButton* pButton)
{
    if (s_bCustomizing)
        return FALSE;
    m_pPendingClick = pButton;
    return TRUE;
}

// ---- The click on an item and the command ----

BOOL CKGPPopupMenuBar::ClickItem(CKGPToolbarButton* pItem) { return pItem != nullptr && ItemAction(pItem); }

BOOL CKGPPopupMenuBar::ItemAction(CKGPToolbarButton* pItem)
{
    if (pItem->m_nCommand == kNoAction)
        return TRUE;
    auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, pItem);
    if ((pItem->m_nBits & TBBS_DISABLED) != 0) {
        // An entry of a customise menu answers for itself, enabled or not.
        if (item != nullptr && item->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton))) {
            item->OnClickMenuItem();
            return TRUE;
        }
        return FALSE;
    }
    if (pItem->m_nCommand == kSubMenu)
        return FALSE;
    if (item != nullptr && item->HasSeparateCommand()) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        if (item->GetCommandRect().PtInRect(cursor))
            return TRUE;
        if (IKGPMenuPopup* sub = item->GetPopupMenu()) {
            if (CWnd* window = sub->GetPopupWindow(); window != nullptr && window->GetSafeHwnd() != nullptr)
                window->SendMessage(WM_CLOSE);
        }
        return FALSE;
    }
    if (item != nullptr && item->IsDroppedDown())
        return FALSE;
    if (item != nullptr) {
        const std::shared_ptr<bool> alive = m_pAlive;
        if (item->OnClickMenuItem() || !*alive)
            return TRUE;
        if (ClickHiddenButton(*item))
            return TRUE;
    }
    if (item != nullptr && item->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton)))
        return item->HandleClick(this, FALSE);
    InvokeMenuCommand(pItem->m_nCommand, item);
    return TRUE;
}

BOOL CKGPPopupMenuBar::ClickHiddenButton(const CKGPToolbarMenuButton& item)
{
    CKGPPopupMenu* popup = GetPopupMenu();
    auto* chevron = popup != nullptr && popup->GetParentPopupMenu() == nullptr
                        ? DYNAMIC_DOWNCAST(CCustomizeButton, popup->GetParentButton())
                        : nullptr;
    if (chevron == nullptr)
        return FALSE;
    // The entry's own button acts, though the bar may have laid its buttons
    // out anew since its menu was made: another button may stand at the
    // entry's place among the hidden ones now (found again by its command; a
    // button no longer hidden leaves its command to the menu).
    int index = ButtonToIndex(&item);
    const CKGPToolbarButton* hidden = chevron->GetHiddenButtonAt(index);
    if (hidden == nullptr || hidden->m_nCommand != item.m_nCommand)
        index = item.m_nCommand != 0 ? HiddenEntryOf(*chevron, item.m_nCommand) : -1;
    if (index < 0)
        return FALSE;
    // The menu goes first (this bar with it): the button's click may open its own.
    popup->CloseChain();
    chevron->OnClickMenuItem(index);
    return TRUE;
}

int CKGPPopupMenuBar::HiddenEntryOf(const CCustomizeButton& chevron, UINT uiCmdId)
{
    // Its menu lists each hidden button once, with separators between groups.
    const int entries = 2 * static_cast<int>(chevron.GetHiddenButtons().GetCount()) + 1;
    for (int i = 0; i < entries; ++i) {
        const CKGPToolbarButton* button = chevron.GetHiddenButtonAt(i);
        if (button != nullptr && button->m_nCommand == uiCmdId)
            return i;
    }
    return -1;
}

CWnd* CKGPPopupMenuBar::CommandTarget() const
{
    const CKGPPopupMenu* popup = GetPopupMenu();
    if (popup != nullptr && popup->GetMessageWnd() != nullptr)
        return popup->GetMessageWnd();
    return CKGPToolBar::CommandTarget();
}

void CKGPPopupMenuBar::SetInCommand(BOOL bInCommand)
{
    m_bInCommand = bInCommand;
    const CKGPPopupMenu* popup = GetPopupMenu();
    for (CKGPPopupMenu* above = popup != nullptr ? popup->GetParentPopupMenu() : nullptr; above != nullptr;
         above = above->GetParentPopupMenu())
        above->GetMenuBar()->m_bInCommand = bInCommand;
}

void CKGPPopupMenuBar::InvokeMenuCommand(UINT uiCmdId, const CKGPToolbarMenuButton* pItem)
{
    CKGPPopupMenu* popup = GetPopupMenu();
    CWnd* messageWnd = popup != nullptr ? popup->GetMessageWnd() : nullptr;
    CKGPPopupMenu* top = popup;
    while (top != nullptr && top->GetParentPopupMenu() != nullptr)
        top = top->GetParentPopupMenu();
    // A sub-menu's owner is the bar of the popup above, which goes with the
    // menus before a posted command arrives: the owner of the first popup's
    // bar (the bar that opened the menus, or the window a menu was tracked
    // over) takes the command.
    const CKGPPopupMenuBar* first = top != nullptr ? top->GetMenuBar() : this;
    CWnd* owner = first->GetOwner() != nullptr ? first->GetOwner() : first->GetParent();
    if (CWnd* prompt = messageWnd != nullptr ? messageWnd : owner)
        prompt->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (top != nullptr) {
        if (CKGPToolBar* bar = top->GetParentToolBar(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
            bar->LeaveHotState();
    }

    if (uiCmdId != 0) {
        SetInCommand(TRUE);
        CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kCommand);
        // A customise button's menu: the hidden button with the command acts
        // as clicked where it would show (the menus close first, this bar with them).
        auto* chevron = popup != nullptr ? DYNAMIC_DOWNCAST(CCustomizeButton, popup->GetParentButton()) : nullptr;
        if (const int entry = chevron != nullptr ? HiddenEntryOf(*chevron, uiCmdId) : -1; entry >= 0) {
            popup->CloseChain();
            chevron->OnClickMenuItem(entry);
            return;
        }
        CKGPToolBar::AddCommandUsage(uiCmdId);
        if (popup != nullptr)
            popup->OnChooseItem(uiCmdId);
        const UINT message = kgp::MessageForCommand(uiCmdId) == kgp::CommandMessage::SysCommand ? WM_SYSCOMMAND
                                                                                               : WM_COMMAND;
        if (messageWnd != nullptr) {
            messageWnd->PostMessage(message, uiCmdId);
        } else if (!KGPToolbarLinks::InvokeTool(uiCmdId)) {
            if (owner != nullptr)
                owner->PostMessage(message, uiCmdId);
            if (CKGPBaseRibbonElement* element = popup != nullptr ? popup->GetParentRibbonElement() : nullptr) {
                popup->SetParentRibbonElement(nullptr);
                element->NotifyCommand(uiCmdId);
            }
        }
    }
    s_nLastCommandIndex = pItem != nullptr ? ButtonToIndex(pItem) : -1;
    if (m_bPaletteMode && popup != nullptr && pItem != nullptr) {
        if (CKGPToolbarMenuButton* parent = popup->GetParentButton()) {
            parent->m_nCommand = pItem->m_nCommand;
            parent->SetImage(pItem->GetImage());
            if (CWnd* bar = parent->GetParentWnd(); bar != nullptr && bar->GetSafeHwnd() != nullptr)
                bar->InvalidateRect(parent->m_rcButton);
        }
    }
    const std::shared_ptr<bool> alive = m_pAlive;
    if (top != nullptr && top->GetSafeHwnd() != nullptr)
        top->DestroyWindow();
    if (*alive)
        SetInCommand(FALSE);
}

// ---- Command UI ----

CFrameWnd* CKGPPopupMenuBar::CommandFrame() const
{
    if (const CKGPPopupMenu* popup = GetPopupMenu(); popup != nullptr && popup->IsTasksPaneMenu())
        return CKGPToolBar::CommandFrame();
    CWnd* target = CommandTarget();
    CFrameWnd* frame = target != nullptr ? target->AsFrameWnd() : nullptr;
    if (frame == nullptr && target != nullptr)
        frame = target->GetTopLevelFrame();
    if (frame == nullptr || frame->IsKindOf(RUNTIME_CLASS(CKGPPopupMenu))) {
        CWnd* top = CKGPPopupMenu::TopFrameOf(this);
        frame = top != nullptr ? top->AsFrameWnd() : nullptr;
    }
    return frame != nullptr && !frame->IsKindOf(RUNTIME_CLASS(CKGPPopupMenu)) ? frame : nullptr;
}

void CKGPPopupMenuBar::UpdateCommands()
{
    // A tasks pane's pages keep the states their pane gave them.
    if (const CKGPPopupMenu* popup = GetPopupMenu(); popup != nullptr && popup->IsTasksPaneMenu())
        return;
    if (CFrameWnd* frame = CommandFrame())
        OnUpdateCmdUI(frame, frame->m_bAutoMenuEnable);
}

LRESULT CKGPPopupMenuBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (IsWindowVisible())
        UpdateCommands();
    return 0;
}

// ---- Customisation ----

void CKGPPopupMenuBar::OnShowImageAndText()
{
    CKGPToolbarButton* button = GetButton(GetCustomizeSelection());
    if (button == nullptr)
        return;
    if (button->GetImage() >= 0)
        GetCmdMgr()->EnableMenuItemImage(button->m_nCommand, TRUE);
    else
        KGPToolbarLinks::EditButtonAppearance(button, this);
    AdjustLayout();
}

void CKGPPopupMenuBar::OnShowTextOnly()
{
    CKGPToolbarButton* button = GetButton(GetCustomizeSelection());
    if (button == nullptr)
        return;
    GetCmdMgr()->EnableMenuItemImage(button->m_nCommand, FALSE);
    AdjustLayout();
}
