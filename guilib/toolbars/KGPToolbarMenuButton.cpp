#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPButtonRules.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"

#include <afxarch.h>

IMPLEMENT_SERIAL(CKGPToolbarMenuButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kSubMenu = static_cast<UINT>(-1);
// Style bit of an item that starts a new column of its menu.
constexpr UINT kBreakBit = 0x20000000;
constexpr int kMaxItemText = 1024;
constexpr int kMaxPaletteRows = 0x7FFF;

BOOL ArchiveHasPalette()
{
    return kgp::MenuButtonArchiveHasPalette(GetWorkspace() != nullptr, GetWorkspaceDataVersion());
}

} // namespace

CKGPToolbarMenuButton::CKGPToolbarMenuButton() = default;

CKGPToolbarMenuButton::CKGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                             BOOL bUserButton)
    : CKGPToolbarButton(uiID, iImage, lpszText, bUserButton)
{
    CreateFromMenu(hMenu);
}

CKGPToolbarMenuButton::~CKGPToolbarMenuButton()
{
    if (m_pPopupMenu != nullptr)
        m_pPopupMenu->SetParentButton(nullptr);
    SetTearOffId(0);
}

// ---- Menus ----

void CKGPToolbarMenuButton::CreateFromMenu(HMENU hMenu)
{
    m_listCommands.DeleteAll();
    if (!::IsMenu(hMenu))
        return;
    const int count = ::GetMenuItemCount(hMenu);
    const UINT defaultId = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    IKGPTearOffLink* tearOff = KGPMenuButtonLinks::TearOff();

    for (int i = 0; i < count; ++i) {
        auto* item = static_cast<CKGPToolbarMenuButton*>(GetRuntimeClass()->CreateObject());
        if (item == nullptr)
            AfxThrowMemoryException();
        m_listCommands.AddTail(item);

        const UINT state = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        WCHAR text[kMaxItemText + 1] = {};
        ::GetMenuStringW(hMenu, i, text, kMaxItemText, MF_BYPOSITION);
        item->m_strCaption = text;
        item->m_nCommand = ::GetMenuItemID(hMenu, i);
        if ((state & MF_SEPARATOR) != 0) {
            item->m_nBits |= TBBS_SEPARATOR;
            item->m_nCommand = 0;
        } else if (item->m_nCommand == kSubMenu) {
            if (tearOff != nullptr)
                item->SetTearOffId(tearOff->ParseTearOffId(item->m_strCaption));
            item->CreateFromMenu(::GetSubMenu(hMenu, i));
        } else {
            item->m_bDefault = item->m_nCommand == defaultId;
            item->SetImage(-1);
        }
        if ((state & MF_MENUBREAK) != 0)
            item->m_nBits |= kBreakBit;
        if ((state & (MF_GRAYED | MF_DISABLED)) != 0)
            item->m_nBits |= TBBS_DISABLED;
    }
}

BOOL CKGPToolbarMenuButton::ExportsAsSubMenu() const
{
    // A menu (every top-level menu of a menu bar, a new menu from the
    // commands list) has no command of its own: command 0 is no separator here.
    return !m_listCommands.IsEmpty() || m_nCommand == kSubMenu || m_nCommand == 0;
}

HMENU CKGPToolbarMenuButton::CreateMenu() const
{
    if (m_listCommands.IsEmpty() && m_nCommand != kSubMenu && m_nCommand != 0 && !m_bMenuOnly)
        return nullptr;
    CMenuHandle menu(::CreatePopupMenu());
    if (!menu)
        return nullptr;
    const IKGPTearOffLink* tearOff = KGPMenuButtonLinks::TearOff();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;) {
        const CKGPToolbarButton* item = m_listCommands.GetNext(pos);
        UINT flags = 0;
        if ((item->m_nBits & kBreakBit) != 0)
            flags |= MF_MENUBREAK;
        if ((item->m_nBits & TBBS_DISABLED) != 0)
            flags |= MF_DISABLED;
        const auto* menuItem = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(item));
        if (!item->IsSeparator() && menuItem != nullptr && menuItem->ExportsAsSubMenu()) {
            CString text = item->m_strCaption;
            if (menuItem->HasTearOffId()) {
                flags |= MF_MENUBARBREAK;
                if (tearOff != nullptr)
                    tearOff->MarkText(menuItem->GetTearOffId(), text);
            }
            CMenuHandle subMenu(menuItem->CreateMenu());
            if (!subMenu || !::AppendMenuW(menu.Get(), MF_POPUP | MF_STRING | flags,
                                           reinterpret_cast<UINT_PTR>(subMenu.Get()), text))
                continue;
            (void)subMenu.Detach();  // the menu holds it now
            continue;
        }
        if (item->IsSeparator() || item->m_nCommand == 0) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR | flags, 0, nullptr);
            continue;
        }
        ::AppendMenuW(menu.Get(), MF_STRING | flags, item->m_nCommand, item->m_strCaption);
        if (menuItem != nullptr && menuItem->IsDefault())
            ::SetMenuDefaultItem(menu.Get(), item->m_nCommand, FALSE);
    }
    return menu.Detach();
}

void CKGPToolbarMenuButton::ReplaceSubItems(CObList& lstButtons)
{
    m_listCommands.DeleteAll();
    while (!lstButtons.IsEmpty())
        m_listCommands.AddTail(static_cast<CKGPToolbarButton*>(lstButtons.RemoveHead()));
}

IKGPMenuPopup* CKGPToolbarMenuButton::CreatePopupMenu()
{
    IKGPMenuBarsLink* bars = KGPMenuButtonLinks::Bars();
    return bars != nullptr ? bars->CreatePopupMenu() : nullptr;
}

BOOL CKGPToolbarMenuButton::OpenPopupMenu(CWnd* pWnd)
{
    if (m_pPopupMenu != nullptr)
        return FALSE;
    CWnd* parent = pWnd != nullptr ? pWnd : m_pOwnerWnd;
    CMenuHandle menu(CreateMenu());
    if (!menu && !IsEmptyMenuAllowed())
        return FALSE;
    IKGPMenuPopup* popup = CreatePopupMenu();
    if (popup == nullptr)
        return FALSE;  // the menu handle goes with its owner
    if (popup->HasItems())
        menu.Reset();

    kgp::PopupOpeningInput place;
    CRect button = m_rcButton;
    IKGPMenuPopup* holder = KGPMenuButtonLinks::GetPopupOfBar(m_pOwnerWnd);
    if (m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr) {
        m_pOwnerWnd->ClientToScreen(button);
        if (holder != nullptr) {
            place.site = kgp::MenuButtonSite::PopupItem;
            CRect barWindow;
            m_pOwnerWnd->GetWindowRect(barWindow);
            place.popupBar = kgp::Box{barWindow.left, barWindow.top, barWindow.right, barWindow.bottom};
            place.rightToLeft = (m_pOwnerWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        } else if (KGPMenuButtonLinks::IsMenuBar(m_pOwnerWnd) && !m_bHorz) {
            place.site = kgp::MenuButtonSite::VerticalMenuBar;
        }
    }
    place.button = kgp::Box{button.left, button.top, button.right, button.bottom};
    place.subMenuGap = CKGPVisualManager::GetInstance()->GetPopupMenuGap();
    place.menuOnRight = m_bShowAtRightSide != FALSE;
    place.rightAligned = popup->IsRightAligned() != FALSE;
    const kgp::PopupOpening at = kgp::PlacePopupMenu(place);

    m_pPopupMenu = popup;
    popup->SetParentButton(this);
    popup->SetDropDirection(at.direction);
    if (!popup->Create(parent, at.x, at.y, menu.Detach())) {
        m_pPopupMenu = nullptr;
        return FALSE;
    }
    OnAfterCreatePopupMenu();
    CWnd* messageWnd = m_pWndMessage;
    if (messageWnd == nullptr && holder != nullptr)
        messageWnd = holder->GetMessageWnd();
    if (m_pPopupMenu != nullptr)
        m_pPopupMenu->SetMessageWnd(messageWnd);
    return TRUE;
}

void CKGPToolbarMenuButton::DropPopup()
{
    IKGPMenuPopup* popup = m_pPopupMenu;
    m_pPopupMenu = nullptr;
    popup->SetParentButton(nullptr);
    popup->CloseMenu(FALSE);
}

UINT CKGPToolbarMenuButton::SetTearOffId(UINT uiBarID)
{
    const UINT old = m_uiTearOffBarID;
    if (old == uiBarID)
        return old;
    if (IKGPTearOffLink* tearOff = KGPMenuButtonLinks::TearOff()) {
        if (old != 0)
            tearOff->SetInUse(old, FALSE);
        if (uiBarID != 0)
            tearOff->SetInUse(uiBarID, TRUE);
    }
    m_uiTearOffBarID = uiBarID;
    return old;
}

void CKGPToolbarMenuButton::SetMenuPaletteMode(BOOL bOn, int nRows)
{
    m_bMenuPaletteMode = bOn;
    m_nPaletteRows = nRows;
}

// ---- Clicks and states ----

BOOL CKGPToolbarMenuButton::CursorIsIn(const CRect& rect) const
{
    if (m_pOwnerWnd == nullptr || m_pOwnerWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    m_pOwnerWnd->ScreenToClient(&point);
    return rect.PtInRect(point);
}

void CKGPToolbarMenuButton::RedrawWithShadow()
{
    if (m_pOwnerWnd == nullptr || m_pOwnerWnd->GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_rcButton;
    const int shadow = CKGPVisualManager::GetInstance()->GetMenuShadowDepth();
    rect.InflateRect(shadow, shadow);
    m_pOwnerWnd->RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

BOOL CKGPToolbarMenuButton::HandleClick(CWnd* pWnd, BOOL bDelay)
{
    m_bClickedOnMenu = FALSE;
    if (m_bDrawDownArrow && !m_bMenuMode && !bDelay) {
        if (HasRealCommand()) {
            if (!CursorIsIn(m_rectArrow))
                return FALSE;
        }
        m_bClickedOnMenu = TRUE;
    }
    if (HasSeparateCommand() && !bDelay && CursorIsIn(m_rectButton))
        return FALSE;
    if (HasRealCommand() && !m_bClickedOnMenu && !m_bDrawDownArrow && !m_bMenuOnly)
        return FALSE;

    IKGPMenuBarsLink* bars = KGPMenuButtonLinks::Bars();
    const BOOL onMenuBar = KGPMenuButtonLinks::IsMenuBar(m_pOwnerWnd);
    if (m_pPopupMenu != nullptr) {
        DropPopup();
        if (onMenuBar)
            bars->SetDroppedDownButton(m_pOwnerWnd, nullptr);
    } else if (bDelay && KGPMenuButtonLinks::GetPopupOfBar(m_pOwnerWnd) != nullptr &&
               !CKGPToolBarShared::s_bCustomizing) {
        bars->StartPopupMenuTimer(m_pOwnerWnd, this, 1);
    } else {
        if (onMenuBar) {
            CKGPToolbarMenuButton* other = bars->GetDroppedDownButton(m_pOwnerWnd);
            if (other != nullptr && other != this)
                other->CancelState();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
        if (onMenuBar)
            bars->SetDroppedDownButton(m_pOwnerWnd, this);
    }
    RedrawWithShadow();
    return TRUE;
}

void CKGPToolbarMenuButton::CancelState()
{
    if (m_pPopupMenu != nullptr && !m_pPopupMenu->IsInCommand()) {
        m_pPopupMenu->CancelItems();
        if (CKGPToolBarShared::s_bCustomizing)
            m_pPopupMenu->SaveItemsToParent();
        DropPopup();
        RedrawWithShadow();
    }
    m_bToBeClosed = FALSE;
}

void CKGPToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKGPToolbarButton::OnChangeParentWnd(pWndParent);
    const BOOL hasMenu = !m_listCommands.IsEmpty() || m_nCommand == 0;
    if (KGPMenuButtonLinks::IsMenuBar(pWndParent)) {
        m_bMenuMode = FALSE;
        m_bShowCaption = TRUE;
        m_bShowImage = FALSE;
        m_bDrawDownArrow = hasMenu || KGPMenuButtonLinks::Bars()->MenuBarWantsArrows(pWndParent);
    } else if (KGPMenuButtonLinks::GetPopupOfBar(pWndParent) != nullptr) {
        m_bMenuMode = TRUE;
        m_bShowCaption = TRUE;
        m_bShowImage = FALSE;
        m_bDrawDownArrow = m_bDrawDownArrow && HasRealCommand() && m_listCommands.IsEmpty() &&
                           IsDropDownAllowedInMenu();
    } else {
        m_bMenuMode = FALSE;
        if (hasMenu)
            m_bDrawDownArrow = TRUE;
    }
}

BOOL CKGPToolbarMenuButton::IsDraggable() const
{
    if (m_pPopupMenu != nullptr)
        const_cast<CKGPToolbarMenuButton*>(this)->CancelState();
    return TRUE;
}

void CKGPToolbarMenuButton::FinishDrop()
{
    if (!CKGPToolBarShared::s_bCustomizing)
        return;
    for (IKGPMenuPopup* popup = KGPMenuButtonLinks::GetPopupOfBar(m_pOwnerWnd); popup != nullptr;
         popup = popup->GetParentPopup())
        popup->SaveItemsToParent();
}

void CKGPToolbarMenuButton::RestoreCommandImage()
{
    CKGPToolbarButton::RestoreCommandImage();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;)
        m_listCommands.GetNext(pos)->RestoreCommandImage();
}

void CKGPToolbarMenuButton::MarkRadio()
{
    m_bIsRadio = TRUE;
    if (m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr)
        m_pOwnerWnd->InvalidateRect(m_rcButton);
}

BOOL CKGPToolbarMenuButton::IsSameCommand(const CKGPToolbarButton& other) const
{
    if (m_nCommand != other.m_nCommand)
        return FALSE;
    const auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(&other));
    if (menu == nullptr)
        return m_listCommands.IsEmpty();
    if (menu->m_listCommands.GetCount() != m_listCommands.GetCount())
        return FALSE;
    POSITION theirs = menu->m_listCommands.GetHeadPosition();
    for (POSITION mine = m_listCommands.GetHeadPosition(); mine != nullptr;) {
        if (!m_listCommands.GetNext(mine)->IsSameCommand(*menu->m_listCommands.GetNext(theirs)))
            return FALSE;
    }
    return TRUE;
}

// ---- Copies and stored form ----

CKGPToolbarButton* CKGPToolbarMenuButton::CloneItem(const CKGPToolbarButton& item)
{
    auto* copy = static_cast<CKGPToolbarButton*>(item.GetRuntimeClass()->CreateObject());
    if (copy == nullptr)
        AfxThrowMemoryException();
    copy->CopyButton(item);
    return copy;
}

void CKGPToolbarMenuButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    const auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(&src));
    if (menu == nullptr || menu == this)
        return;
    m_bDefault = menu->m_bDefault;
    m_bMenuOnly = menu->m_bMenuOnly;
    m_bIsRadio = menu->m_bIsRadio;
    m_pWndMessage = menu->m_pWndMessage;
    m_bMenuPaletteMode = menu->m_bMenuPaletteMode;
    m_nPaletteRows = menu->m_nPaletteRows;
    m_listCommands.DeleteAll();
    for (POSITION pos = menu->m_listCommands.GetHeadPosition(); pos != nullptr;)
        m_listCommands.AddTail(CloneItem(*menu->m_listCommands.GetNext(pos)));
}

void CKGPToolbarMenuButton::Serialize(CArchive& ar)
{
    CKGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_uiTearOffBarID;
        if (ArchiveHasPalette())
            ar << m_bMenuPaletteMode << m_nPaletteRows;
        m_listCommands.Serialize(ar);
        return;
    }
    // Read whole, then taken.
    CKGPStoredReader in(ar);
    const UINT tearOffId = in.ReadUInt(0, 0xFFFF);
    BOOL paletteMode = m_bMenuPaletteMode;
    int paletteRows = m_nPaletteRows;
    if (ArchiveHasPalette()) {
        paletteMode = in.ReadBool();
        paletteRows = in.ReadInt(0, kMaxPaletteRows);
    }
    CKGPStoredObjects items;
    in.ReadObjectList(items, RUNTIME_CLASS(CKGPToolbarButton));

    m_listCommands.DeleteAll();
    items.HandTo(m_listCommands);
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;)
        m_listCommands.GetNext(pos)->RecordLoadedImage();
    m_bMenuPaletteMode = paletteMode;
    m_nPaletteRows = paletteRows;
    SetTearOffId(tearOffId);
}
