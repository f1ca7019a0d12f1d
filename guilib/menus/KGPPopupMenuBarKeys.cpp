// The bar inside a popup from the keyboard: stepping between the items that
// may take the keys (once round at most), Enter, and the mnemonics of the
// items (and of the items the recently-used mode hides).
#include "guilib/menus/KGPPopupMenuBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/menus/KGPPopupBarRules.h"
#include "guilib/menus/KGPPopupMenu.h"

#include <cwctype>

namespace {

constexpr UINT kSubMenu = static_cast<UINT>(-1);
constexpr UINT kNoAction = static_cast<UINT>(-2);

BOOL OpensSubMenu(const CKGPToolbarMenuButton* pItem)
{
    return pItem != nullptr && (pItem->m_nCommand == kSubMenu || pItem->IsMenuOnly()) &&
           (pItem->m_nBits & TBBS_DISABLED) == 0;
}

}  // namespace

std::vector<bool> CKGPPopupMenuBar::SelectableItems() const
{
    std::vector<bool> selectable;
    selectable.reserve(static_cast<size_t>(GetCount()));
    for (const CKGPToolbarButton* item : ButtonsInOrder()) {
        selectable.push_back(!item->IsSeparator() && item->m_bShown && !item->m_rcButton.IsRectEmpty() &&
                             item->m_nCommand != kNoAction);
    }
    return selectable;
}

void CKGPPopupMenuBar::MoveHotTo(int iIndex)
{
    if (iIndex < 0)
        return;
    m_bKeyboardChange = TRUE;
    ChangeHot(iIndex);
    m_bKeyboardChange = FALSE;
    GetKGPGlobalData().NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, iIndex + 1);
    const CKGPToolbarButton* item = GetButton(iIndex);
    if (item != nullptr && item->m_nCommand != kSubMenu)
        ShowCommandMessageString(item->m_nCommand);
}

void CKGPPopupMenuBar::OpenWithFirstItem(CKGPToolbarMenuButton* pItem)
{
    if (!pItem->IsDroppedDown() && !pItem->OpenPopupMenu())
        return;
    if (IKGPMenuPopup* sub = pItem->GetPopupMenu()) {
        if (CWnd* window = sub->GetPopupWindow(); window != nullptr && window->GetSafeHwnd() != nullptr)
            window->SendMessage(WM_KEYDOWN, VK_HOME);
    }
}

BOOL CKGPPopupMenuBar::OnKey(UINT nChar)
{
    if (nChar == VK_TAB)
        nChar = ::GetKeyState(VK_SHIFT) < 0 ? VK_UP : VK_DOWN;
    const std::vector<bool> selectable = SelectableItems();
    switch (nChar) {
    case VK_RETURN: {
        CKGPToolbarButton* hot = GetButton(GetHotButton());
        if (hot == nullptr)
            return FALSE;
        auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, hot);
        if (OpensSubMenu(item) && !item->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton))) {
            OpenWithFirstItem(item);
            return TRUE;
        }
        if (CFrameWnd* frame = GetParentFrame())
            frame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        ItemAction(hot);
        return TRUE;
    }
    case VK_HOME:
        MoveHotTo(kgp::FirstSelectable(selectable));
        return TRUE;
    case VK_END:
        MoveHotTo(kgp::LastSelectable(selectable));
        return TRUE;
    case VK_UP:
        MoveHotTo(kgp::NextSelectable(selectable, GetHotButton(), -1));
        return TRUE;
    case VK_DOWN:
        MoveHotTo(kgp::NextSelectable(selectable, GetHotButton(), 1));
        return TRUE;
    default:
        return ProcessMenuMnemonic(nChar);
    }
}

BOOL CKGPPopupMenuBar::ProcessMenuMnemonic(UINT nChar)
{
    if (s_bCustomizing || ::GetKeyState(VK_CONTROL) < 0)
        return FALSE;
    const UINT translated = ::MapVirtualKeyExW(nChar, MAPVK_VK_TO_CHAR, ::GetKeyboardLayout(0)) & 0xFFFF;
    const WCHAR character = static_cast<WCHAR>(std::towupper(static_cast<wint_t>(translated != 0 ? translated : nChar)));
    if (character == 0 || !std::iswgraph(character))
        return FALSE;

    std::vector<int> matches;
    int i = -1;
    for (const CKGPToolbarButton* item : ButtonsInOrder()) {
        ++i;
        if (item->IsSeparator() || !item->m_bShown)
            continue;
        const CString text = item->m_strCaption.SpanExcluding(L"\t");
        const kgp::DisplayCaption shown = kgp::CaptionAsShown(std::wstring(text.GetString()));
        if (shown.mnemonic >= 0 &&
            static_cast<WCHAR>(std::towupper(shown.text[static_cast<size_t>(shown.mnemonic)])) == character)
            matches.push_back(i);
    }
    if (matches.empty()) {
        UINT command = 0;
        if (s_bHiddenItemsMnemonics && !m_bAreAllCommandsShown && m_HiddenItemsAccel.Lookup(character, command)) {
            InvokeMenuCommand(command, nullptr);
            return TRUE;
        }
        return FALSE;
    }
    const int index = kgp::NextMatch(matches, GetHotButton());
    MoveHotTo(index);
    auto* item = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(index));
    if (OpensSubMenu(item)) {
        OpenWithFirstItem(item);
        return TRUE;
    }
    if (matches.size() == 1)
        ItemAction(GetButton(index));
    return TRUE;
}
