#include "guilib/menus/KGPMenuBar.h"

#include "guilib/core/KGPAccessibleRequest.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKGPMenuBar, CKGPToolBar, VERSIONABLE_SCHEMA | 1)

BOOL CKGPMenuBar::s_bRecentlyUsedMenus = TRUE;
BOOL CKGPMenuBar::s_bMenuPersonalization = TRUE;
LPCTSTR CKGPMenuBar::s_strMenuBarSection = _T("KGMenuBar");

namespace {

constexpr UINT kMenuBarText = 16006;
constexpr UINT_PTR kShowAllTimer = 1;
constexpr UINT kShowAllDelay = 5000;

// The option is the menu bars': while none lives, no command counts as
// rarely used and the menus' setting changes nothing.
int s_nMenuBars = 0;

class CMenuOptionsLink final : public IKGPMenuOptionsLink {
public:
    BOOL AreRecentlyUsedMenusOn() const override { return s_nMenuBars > 0 && CKGPMenuBar::IsRecentlyUsedMenus(); }
    void SetRecentlyUsedMenus(BOOL bOn) override
    {
        if (s_nMenuBars > 0)
            CKGPMenuBar::SetRecentlyUsedMenus(bOn);
    }
};

CString MenuItemText(HMENU hMenu, UINT uiPos)
{
    WCHAR text[1024] = {};
    ::GetMenuStringW(hMenu, uiPos, text, 1023, MF_BYPOSITION);
    return CString(text);
}

} // namespace

CKGPMenuBar::CKGPMenuBar() : m_pMenuButtonRTC(RUNTIME_CLASS(CKGPToolbarMenuButton))
{
    m_bIsMenuBar = TRUE;
    m_bStretchBar = TRUE;
    ++s_nMenuBars;
}

IKGPMenuOptionsLink& CKGPMenuBar::OptionsLink()
{
    static CMenuOptionsLink link;
    return link;
}

CKGPMenuBar::~CKGPMenuBar()
{
    // Its own WM_DESTROY takes it out of its frame.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    --s_nMenuBars;
    if (m_bClearHashOnClose && m_hMenu != nullptr)
        g_menuHash.RemoveMenu(m_hMenu);
    const CMenuHandle shown = OwnerOfShownMenu(m_hMenu);
    const CMenuHandle defaultMenu = OwnerOfShownMenu(m_hDefaultMenu != m_hMenu ? m_hDefaultMenu : nullptr);
}

void CKGPMenuBar::SetShowAllCommands(BOOL bShowAllCommands) { CKGPPopupMenuBar::SetShowAllCommands(bShowAllCommands); }

BOOL CKGPMenuBar::IsShowAllCommands() { return CKGPPopupMenuBar::IsShowAllCommands(); }

// ---- Creation

BOOL CKGPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_pParentFrame = pParentWnd;
    return CKGPToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKGPMenuBar::CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_pParentFrame = pParentWnd;
    return CKGPToolBar::CreateBarEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

void CKGPMenuBar::ComputeCaptionButtonSize()
{
    const int side = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, side, side);
    CWindowDCHandle screen(nullptr);
    ::DrawFrameControl(screen.Get(), &rect, DFC_CAPTION, DFCS_ADJUSTRECT);
    m_szSystemButton = CSize(std::max<LONG>(1, rect.Width()), std::max<LONG>(1, rect.Height()));
}

// ---- Menus

std::unique_ptr<CKGPToolbarMenuButton> CKGPMenuBar::NewMenuButton() const
{
    CRuntimeClass* rtc = m_pMenuButtonRTC != nullptr ? m_pMenuButtonRTC : RUNTIME_CLASS(CKGPToolbarMenuButton);
    std::unique_ptr<CObject> object(rtc->CreateObject());
    auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, object.get());
    if (button == nullptr)
        return std::make_unique<CKGPToolbarMenuButton>();
    object.release();
    return std::unique_ptr<CKGPToolbarMenuButton>(button);
}

void CKGPMenuBar::RebuildFromItems(HMENU hMenu)
{
    // The customise button belongs to no menu: it is set aside and stays last.
    std::unique_ptr<CKGPToolbarButton> chevron = GetCustomizeButton() != nullptr ? CopyOf(*GetCustomizeButton()) : nullptr;
    RemoveAllButtons();
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        const UINT pos = static_cast<UINT>(i);
        CString text = MenuItemText(hMenu, pos);
        const HMENU popup = ::GetSubMenu(hMenu, i);
        if (popup != nullptr) {
            const UINT tearOffId = g_pTearOffMenuManager != nullptr ? CKGPTearOffManager::ParseTearOffId(text) : 0;
            std::unique_ptr<CKGPToolbarMenuButton> button = NewMenuButton();
            button->m_nCommand = 0;
            button->m_strCaption = text;
            button->SetImage(-1);
            button->CreateFromMenu(popup);
            button->m_bShowImage = FALSE;
            button->m_bShowCaption = TRUE;
            if (tearOffId != 0)
                button->SetTearOffId(tearOffId);
            InsertButtonCopy(*button);
            continue;
        }
        const UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0)
            InsertSeparator();
        else
            InsertButton(std::make_unique<CKGPToolbarButton>(id, -1, text));
    }
    AttachChevron(std::move(chevron));
}

void CKGPMenuBar::AppendHelpCombo()
{
    if (m_nHelpComboID == 0 || CommandToIndex(m_nHelpComboID) >= 0)
        return;
    InsertButton(std::make_unique<CHelpComboBoxButton>(m_nHelpComboID, m_nHelpComboWidth, m_strHelpComboPrompt));
}

void CKGPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate)
{
    if (GetSafeHwnd() != nullptr && ::GetFocus() == m_hWnd && m_pParentFrame != nullptr &&
        m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->SetFocus();

    // As the client sees it: a maximised child on its way out (closed) counts no more.
    CWnd* child = GetMaximizedMDIChild();
    const BOOL childZoomed = child != nullptr;
    if (hMenu == m_hMenu && !GetKGPGlobalData().m_bMenuReloadNeeded && !bForceUpdate) {
        if (childZoomed == m_bMaximizeMode) {
            if (!m_bStretchBar)
                AdjustLayout();
            return;
        }
        // The buttons move under a hot one: a bar in its menu mode starts
        // again from its first button, and no MDI button stays hot.
        const BOOL wasHot = GetHotButton() >= 0;
        SetMaximizeMode(FALSE, nullptr, FALSE);
        if (childZoomed)
            SetMaximizeMode(TRUE, child, FALSE);
        SetHotButton(wasHot && GetCount() > 0 ? 0 : -1);
        AdjustLayout();
        return;
    }

    if (g_pTearOffMenuManager != nullptr && m_hMenu != nullptr)
        g_pTearOffMenuManager->Reset(m_hMenu);
    // The child's buttons leave before the menu is stored: they belong to no menu.
    const BOOL wasMaximized = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    if (m_hMenu != nullptr && GetCount() > 0)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    m_hMenu = hMenu;
    if (bDefaultMenu)
        m_hDefaultMenu = hMenu;

    if (bForceUpdate || !g_menuHash.LoadMenuBar(hMenu, this)) {
        RebuildFromItems(hMenu);
        AppendHelpCombo();
    }
    if (wasMaximized && child != nullptr)
        SetMaximizeMode(TRUE, child, FALSE);
    AdjustLayout();
}

BOOL CKGPMenuBar::FindMenuItemText(HMENU hMenu, UINT uiCmd, CString& strText, int nDepth)
{
    if (hMenu == nullptr || nDepth > 16)
        return FALSE;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (const HMENU sub = ::GetSubMenu(hMenu, i)) {
            if (FindMenuItemText(sub, uiCmd, strText, nDepth + 1))
                return TRUE;
        } else if (::GetMenuItemID(hMenu, i) == uiCmd) {
            strText = MenuItemText(hMenu, static_cast<UINT>(i));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKGPMenuBar::FillDefaultCaption(CKGPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return FALSE;
    CString text;
    if (pButton->m_nCommand != 0 && FindMenuItemText(m_hMenu, pButton->m_nCommand, text) && !text.IsEmpty()) {
        pButton->m_strCaption = text;
        return TRUE;
    }
    return CKGPToolBar::FillDefaultCaption(pButton);
}

// ---- Maximise mode

CWnd* CKGPMenuBar::GetMDIClient() const
{
    CWnd* owner = m_pParentFrame != nullptr ? m_pParentFrame : GetParent();
    if (owner == nullptr || owner->GetSafeHwnd() == nullptr)
        return nullptr;
    const HWND client = ::FindWindowExW(owner->GetSafeHwnd(), nullptr, L"MDIClient", nullptr);
    return client != nullptr ? CWnd::FromHandle(client) : nullptr;
}

CWnd* CKGPMenuBar::GetActiveMDIChild() const
{
    CWnd* client = GetMDIClient();
    if (client == nullptr)
        return nullptr;
    const HWND child = reinterpret_cast<HWND>(client->SendMessage(WM_MDIGETACTIVE));
    return child != nullptr ? CWnd::FromHandle(child) : nullptr;
}

CWnd* CKGPMenuBar::GetMaximizedMDIChild() const
{
    CWnd* client = GetMDIClient();
    if (client == nullptr)
        return nullptr;
    BOOL maximized = FALSE;
    const HWND child =
        reinterpret_cast<HWND>(client->SendMessage(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return child != nullptr && maximized ? CWnd::FromHandle(child) : nullptr;
}

void CKGPMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWnd, BOOL bRecalcLayout)
{
    if (bMax) {
        if (m_bMaximizeMode || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            return;
        const DWORD style = pWnd->GetStyle();
        const IKGPMenuBarFrameLink* frameLink = CKGPLink<IKGPMenuBarFrameLink>::Get();
        const BOOL takeSysMenu = (style & WS_SYSMENU) != 0 ||
                                 (frameLink != nullptr && frameLink->WantsChildSystemMenu(m_pParentFrame, pWnd));
        const HMENU sysMenu = takeSysMenu ? ::GetSystemMenu(pWnd->GetSafeHwnd(), FALSE) : nullptr;
        m_hSysMenu = sysMenu != nullptr && ::IsMenu(sysMenu) ? sysMenu : nullptr;
        if (m_hSysMenu != nullptr) {
            HICON icon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL));
            if (icon == nullptr)
                icon = reinterpret_cast<HICON>(::GetClassLongPtrW(pWnd->GetSafeHwnd(), GCLP_HICONSM));
            m_hSysIcon = icon;
            InsertButton(std::make_unique<CKGPToolbarSystemMenuButton>(m_hSysMenu, icon), 0);
        }
        m_nMDIButtons = 0;
        auto addButton = [this](UINT uiCommand) {
            if (InsertButton(std::make_unique<CKGPToolbarMenuButtonsButton>(uiCommand)) >= 0)
                ++m_nMDIButtons;
        };
        if ((style & WS_MINIMIZEBOX) != 0)
            addButton(SC_MINIMIZE);
        if ((style & WS_MAXIMIZEBOX) != 0)
            addButton(SC_RESTORE);
        auto close = std::make_unique<CKGPToolbarMenuButtonsButton>(SC_CLOSE);
        const UINT state = m_hSysMenu != nullptr ? ::GetMenuState(m_hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0xFFFFFFFF;
        if (state == 0xFFFFFFFF || (state & (MF_GRAYED | MF_DISABLED)) != 0)
            close->m_nBits |= TBBS_DISABLED;
        if (InsertButton(std::move(close)) >= 0)
            ++m_nMDIButtons;
        m_nSavedMDIButtons = m_nMDIButtons;
        m_bMaximizeMode = TRUE;
    } else {
        if (!m_bMaximizeMode)
            return;
        if (m_hSysMenu != nullptr && GetCount() > 0 && DYNAMIC_DOWNCAST(CKGPToolbarSystemMenuButton, GetButton(0)))
            RemoveButton(0);
        for (int i = 0; i < m_nMDIButtons; ++i) {
            int last = GetCount() - 1;
            const CKGPToolbarButton* chevron = GetCustomizeButton();
            if (chevron != nullptr && GetButton(last) == chevron)
                --last;
            if (DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, GetButton(last)) != nullptr)
                RemoveButton(last);
        }
        m_nMDIButtons = 0;
        m_hSysMenu = nullptr;
        m_hSysIcon = nullptr;
        m_bMaximizeMode = FALSE;
    }
    if (bRecalcLayout)
        AdjustLayout();
}

CKGPToolbarSystemMenuButton* CKGPMenuBar::GetSystemMenuButton() const
{
    if (!m_bMaximizeMode || GetCount() == 0)
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPToolbarSystemMenuButton, GetButton(0));
}

void CKGPMenuBar::OnMdiButtonClick(const CKGPToolbarMenuButtonsButton& button)
{
    CWnd* child = GetActiveMDIChild();
    if (GetMDIClient() == nullptr || child == nullptr) {
        ::MessageBeep(0xFFFFFFFF);
        return;
    }
    child->SendMessage(WM_SYSCOMMAND, button.GetSystemCommand());
}

BOOL CKGPMenuBar::HandledOnRelease(CKGPToolbarButton* pButton)
{
    const auto* mdi = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, pButton);
    if (mdi == nullptr)
        return CKGPToolBar::HandledOnRelease(pButton);
    const UINT command = mdi->GetSystemCommand();
    if (command == SC_CLOSE || command == SC_MINIMIZE || command == SC_RESTORE)
        OnMdiButtonClick(*mdi);
    return TRUE;
}

// ---- The help combo

void CKGPMenuBar::EnableHelpCombobox(UINT uiID, LPCTSTR lpszPrompt, int nComboBoxWidth)
{
    m_nHelpComboID = uiID;
    m_nHelpComboWidth = nComboBoxWidth;
    m_strHelpComboPrompt = lpszPrompt != nullptr ? lpszPrompt : _T("");
    if (uiID != 0) {
        AppendHelpCombo();
        AdjustLayout();
    }
}

CKGPToolbarComboBoxButton* CKGPMenuBar::GetHelpCombobox() const
{
    if (m_nHelpComboID == 0)
        return nullptr;
    const int index = CommandToIndex(m_nHelpComboID);
    return index >= 0 ? DYNAMIC_DOWNCAST(CKGPToolbarComboBoxButton, GetButton(index)) : nullptr;
}

CKGPMenuBar* CKGPMenuBar::FromFrame(const CWnd* pFrame)
{
    const CObList& bars = GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr && pFrame != nullptr;) {
        auto* menuBar = DYNAMIC_DOWNCAST(CKGPMenuBar, bars.GetNext(pos));
        if (menuBar != nullptr && menuBar->GetSafeHwnd() != nullptr && menuBar->GetTopLevelFrame() == pFrame)
            return menuBar;
    }
    return nullptr;
}

HFONT CKGPMenuBar::GetMenuFont(BOOL bHorz)
{
    return GetKGPGlobalData().GetMenuFont(bHorz);
}

// ---- Layout

int CKGPMenuBar::FirstRegularButton() const
{
    return m_bMaximizeMode && m_hSysMenu != nullptr ? 1 : 0;
}

kgp::MenuBarShape CKGPMenuBar::Shape() const
{
    kgp::MenuBarShape shape;
    shape.count = GetCount();
    shape.systemButton = FirstRegularButton() == 1;
    shape.mdiButtons = m_bMaximizeMode ? m_nMDIButtons : 0;
    shape.helpCombo = GetHelpCombobox() != nullptr;
    shape.customizeButton = GetCustomizeButton() != nullptr;
    return shape;
}

int CKGPMenuBar::EndOfRegularButtons() const
{
    return kgp::EndOfRegularButtons(Shape());
}

BOOL CKGPMenuBar::IsMenuItemButton(CKGPToolbarButton* pButton) const
{
    return IsCustomizeMode() || DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, pButton) != nullptr;
}

int CKGPMenuBar::RowHeight() const
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    const BOOL horz = IsHorizontal();
    return kgp::MenuBarRowExtent(m_bHaveImages != FALSE, GetMenuButtonSize().cy, global.GetTextHeight(horz),
                                 horz ? global.m_nMinRowHeightHorz : global.m_nMinRowHeightVert);
}

int CKGPMenuBar::ColumnWidth() const
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    const BOOL horz = IsHorizontal();
    return kgp::MenuBarRowExtent(m_bHaveImages != FALSE, GetMenuButtonSize().cx, global.GetTextHeight(FALSE),
                                 horz ? global.m_nMinRowHeightHorz : global.m_nMinRowHeightVert);
}

int CKGPMenuBar::MeasureRowHeight()
{
    m_bHaveImages = FALSE;
    for (int i = 0; i < GetCount(); ++i) {
        const CKGPToolbarButton* button = GetButton(i);
        const BOOL childButton = button != nullptr && (button->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton)) ||
                                                       button->IsKindOf(RUNTIME_CLASS(CKGPToolbarMenuButtonsButton)));
        if (button != nullptr && button->IsImageShown() && !childButton) {
            m_bHaveImages = TRUE;
            break;
        }
    }
    return CKGPToolBar::MeasureRowHeight();
}

int CKGPMenuBar::DropIndexAt(CPoint point, CRect& rectMarker) const
{
    const int index = CKGPToolBar::DropIndexAt(point, rectMarker);
    const kgp::MenuBarShape shape = Shape();
    const int clamped = kgp::ClampMenuBarDrop(index, shape);
    if (clamped != index && clamped >= 0) {
        // The marker stands after the last regular button (or before the first).
        CRect button;
        const int at = clamped > shape.count - 1 ? shape.count - 1 : clamped;
        if (at >= 0 && at < shape.count) {
            const BOOL atEnd = clamped == EndOfRegularButtons() && clamped > 0;
            const CKGPToolbarButton* target = GetButton(atEnd ? clamped - 1 : at);
            if (target != nullptr) {
                button = target->m_rcButton;
                const BOOL after = clamped == EndOfRegularButtons() && clamped > 0;
                rectMarker = IsHorizontal() ? CRect(after ? button.right : button.left, button.top,
                                                    after ? button.right + 1 : button.left + 1, button.bottom)
                                            : CRect(button.left, after ? button.bottom : button.top, button.right,
                                                    after ? button.bottom + 1 : button.top + 1);
            }
        }
    }
    return clamped;
}

void CKGPMenuBar::AdjustLocations()
{
    CKGPToolbarComboBoxButton* help = GetHelpCombobox();
    if (help != nullptr)
        help->m_bShown = FALSE;
    CKGPToolBar::AdjustLocations();
    if (GetSafeHwnd() == nullptr) {
        if (help != nullptr)
            help->m_bShown = TRUE;
        return;
    }
    CRect client;
    GetClientRect(client);
    const BOOL horz = IsHorizontal();
    const kgp::Box box{client.left, client.top, client.right, client.bottom};
    int mdiLeft = client.right;
    if (m_bMaximizeMode && m_nMDIButtons > 0) {
        const std::vector<kgp::Box> places =
            kgp::PlaceMdiButtons(box, horz != FALSE, m_nMDIButtons, m_szSystemButton.cx, m_szSystemButton.cy);
        int index = EndOfRegularButtons() + (help != nullptr ? 1 : 0) + m_nMDIButtons - 1;
        for (const kgp::Box& place : places) {
            if (CKGPToolbarButton* button = GetButton(index--)) {
                button->m_rcButton = CRect(place.left, place.top, place.right, place.bottom);
                button->OnRectChanged();
                mdiLeft = std::min(mdiLeft, place.left);
            }
        }
    }
    if (help != nullptr) {
        help->m_bShown = TRUE;
        const kgp::Box place = kgp::PlaceHelpCombo(box, horz != FALSE, mdiLeft, m_nHelpComboWidth, RowHeight());
        help->m_rcButton = CRect(place.left, place.top, place.right, place.bottom);
        help->OnRectChanged();
    }
}

CSize CKGPMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (GetCount() == 0)
        return CKGPControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize size = CKGPToolBar::CalcFixedLayout(bStretch, bHorz);
    if (!m_bStretchBar || IsFloating())
        return size;
    // A docked menu bar takes the whole length of its row: the parent's client area.
    CWnd* parent = GetParent();
    if (parent == nullptr || parent->GetSafeHwnd() == nullptr)
        return size;
    CRect area;
    parent->GetClientRect(area);
    if (bHorz) {
        const int rows = WrapToolBar(area.Width() - CalcNonClientSize(TRUE).cx);
        size.cx = area.Width();
        // The rows stand kRowGap apart, as the buttons are placed.
        size.cy = rows * RowHeight() + (rows - 1) * kgp::kRowGap + CalcNonClientSize(TRUE).cy;
    } else {
        size.cy = area.Height();
    }
    return size;
}

INT_PTR CKGPMenuBar::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const
{
    // No tooltip over menu buttons.
    const int hit = const_cast<CKGPMenuBar*>(this)->HitTest(point);
    if (DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(hit)) != nullptr)
        return -1;
    return CKGPToolBar::OnToolHitTest(point, pTI);
}

// ---- Hot buttons, the show-all timer and keys

void CKGPMenuBar::ChangeHot(int iIndex)
{
    CKGPToolBar::ChangeHot(iIndex);
    if (GetSafeHwnd() == nullptr)
        return;
    KillTimer(kShowAllTimer);
    if (GetDroppedDownMenu() != nullptr)
        SetTimer(kShowAllTimer, kShowAllDelay, nullptr);
    else
        SetShowAllCommands(FALSE);
    // Opening menus by the pointer's rest, the bar reports each new hot button.
    if (s_bMenuHoverOpening && GetKGPGlobalData().m_bEnableAccessibility)
        NotifyAccessibilityFocus();
}

void CKGPMenuBar::OnHoverTimer()
{
    KillTimer(kHoverTimer);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    const int index = HoverTimerButton();
    if (index < 0 || HitTest(cursor) != index)
        return;
    auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(index));
    if (menu != nullptr && !IsCustomizeMode() && !menu->IsDroppedDown() && GetDroppedDownMenu() == nullptr &&
        (menu->m_nBits & TBBS_DISABLED) == 0 && menu->HandleClick(this, FALSE))
        SetHotButton(index);
    if (GetKGPGlobalData().m_bEnableAccessibility)
        GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, index + 1);
}

void CKGPMenuBar::OnMenuDroppedDown(CKGPToolbarMenuButton* pButton)
{
    if (GetSafeHwnd() == nullptr)
        return;
    KillTimer(kShowAllTimer);
    if (pButton != nullptr)
        SetTimer(kShowAllTimer, kShowAllDelay, nullptr);
}

void CKGPMenuBar::OnShowAllTimer()
{
    KillTimer(kShowAllTimer);
    CKGPToolbarMenuButton* dropped = GetDroppedDownMenu();
    auto* popup = dropped != nullptr ? dynamic_cast<CKGPPopupMenu*>(dropped->GetPopupMenu()) : nullptr;
    if (popup == nullptr || popup->GetMenuBar()->m_bAreAllCommandsShown)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (GetButton(HitTest(cursor)) == dropped)
        popup->ShowAllCommands();
}

BOOL CKGPMenuBar::OnKey(UINT nChar)
{
    const int count = GetCount() - (m_bMaximizeMode ? m_nMDIButtons : 0);
    const int hot = GetHotButton();
    if (GetSafeHwnd() != nullptr && (GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    if (nChar == VK_TAB)
        nChar = ::GetKeyState(VK_SHIFT) < 0 ? VK_LEFT : VK_RIGHT;
    switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT: {
        int next = hot;
        // Skip what cannot be hot (separators), once round at most.
        for (int i = 0; i < count; ++i) {
            next = kgp::NextMenuBarHot(next, count, nChar == VK_RIGHT ? 1 : -1);
            const CKGPToolbarButton* button = GetButton(next);
            if (button != nullptr && !button->IsSeparator())
                break;
        }
        ChangeHot(next);
        if (GetKGPGlobalData().m_bEnableAccessibility)
            GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, next + 1);
        return TRUE;
    }
    case VK_RETURN:
    case VK_DOWN: {
        CKGPToolbarButton* button = GetButton(hot);
        if (auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, button))
            return menu->OpenPopupMenu();
        if (nChar == VK_RETURN && button != nullptr && !HandledOnRelease(button))
            InvokeCommand(*button);
        return TRUE;
    }
    case VK_ESCAPE:
        LeaveHotState();
        SetShowAllCommands(FALSE);
        return FALSE;
    default:
        return ProcessMnemonic(nChar);
    }
}

BOOL CKGPMenuBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && GetDroppedDownMenu() == nullptr && GetHotButton() >= 0 &&
        GetHotButton() < GetCount() - (m_bMaximizeMode ? m_nMDIButtons : 0)) {
        if (OnKey(static_cast<UINT>(pMsg->wParam)))
            return TRUE;
    }
    return CKGPToolBar::PreTranslateMessage(pMsg);
}

CWnd* CKGPMenuBar::ResetTarget() const
{
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        return m_pParentFrame;
    return GetSafeHwnd() != nullptr ? GetParent() : nullptr;
}

void CKGPMenuBar::NotifyAccessibilityFocus()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const int hot = GetHotButton();
    const LONG child = hot >= 0 && hot < GetCount() ? hot + 1 : CHILDID_SELF;
    GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, child);
}

LRESULT CKGPMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KGM_ACCHITTEST) {
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        ScreenToClient(&point);
        return kgp::MenuBarAccessibleIndex(HitTest(point), m_bMaximizeMode && m_hSysMenu != nullptr);
    }
    if (message == WM_GETOBJECT) {
        // The client object comes from the frame when accessibility is on; 0 leaves it to the system.
        if (static_cast<LONG>(lParam) != OBJID_CLIENT || !GetKGPGlobalData().m_bEnableAccessibility)
            return 0;
        CWnd* frame = GetTopLevelFrame();
        return KGPAskForAccessibleObject(frame != nullptr ? frame : AfxGetMainWnd(),
                                         KGPAccessibleRequest{this, wParam, OBJID_CLIENT, 0, m_hMenu});
    }
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = CKGPToolBar::WindowProc(message, wParam, lParam);
        if (result == -1)
            return result;
        if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
            m_bAttached = link->AttachMenuBar(m_pParentFrame, this);
        SetWindowText(KGPLoadLibraryString(kMenuBarText, _T("Menu Bar")));
        SetBarStyleWord(GetBarStyleWord() | CBRS_HIDE_INPLACE);
        ComputeCaptionButtonSize();
        return result;
    }
    case WM_DESTROY:
        if (m_bAttached) {
            if (auto* link = CKGPLink<IKGPMenuBarFrameLink>::Get())
                link->DetachMenuBar(m_pParentFrame, this);
            m_bAttached = FALSE;
        }
        break;
    case WM_SETTINGCHANGE: {
        const LRESULT result = CKGPToolBar::WindowProc(message, wParam, lParam);
        ComputeCaptionButtonSize();
        AdjustLayout();
        return result;
    }
    case WM_TIMER:
        if (wParam == kShowAllTimer) {
            OnShowAllTimer();
            return 0;
        }
        if (wParam == kHoverTimer) {
            OnHoverTimer();
            return 0;
        }
        break;
    case WM_SETFOCUS: {
        const LRESULT result = CKGPToolBar::WindowProc(message, wParam, lParam);
        if (GetKGPGlobalData().m_bEnableAccessibility) {
            GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUSTART, m_hWnd, OBJID_WINDOW, CHILDID_SELF);
            GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        }
        if (GetDroppedDownMenu() == nullptr) {
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
            if (FirstRegularButton() < GetCount())
                ChangeHot(FirstRegularButton());
        }
        return result;
    }
    case WM_KILLFOCUS:
        if (GetKGPGlobalData().m_bEnableAccessibility)
            GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUEND, m_hWnd, OBJID_WINDOW, CHILDID_SELF);
        break;
    case WM_LBUTTONDBLCLK: {
        // A double click shows every command of the menu at once.
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(HitTest(point)));
        if (menu != nullptr && !menu->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton)) && !IsShowAllCommands() &&
            IsRecentlyUsedMenus() && s_usage.HasEnoughInformation()) {
            // Closing the open menu ends the state: it is set for the one opened again.
            menu->CancelState();
            SetShowAllCommands(TRUE);
            menu->OpenPopupMenu();
            SetHotButton(ButtonToIndex(menu));
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return CKGPToolBar::WindowProc(message, wParam, lParam);
}

DWORD CKGPMenuBar::GetFloatingCaptionButtons() const
{
    const CCustomizeButton* pChevron = GetCustomizeButton();
    if (pChevron != nullptr && pChevron->HasCustomizeEntry())
        return KGP_CAPTION_BTN_CUSTOMIZE;
    return CKGPToolBar::GetFloatingCaptionButtons();
}
