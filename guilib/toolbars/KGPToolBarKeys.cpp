// The toolbar from the keyboard: the keyboard-hot button, the mnemonics of
// the buttons' captions, which run their commands or open their menus, and
// stepping from an open menu to the next.
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"

#include <cwctype>

CKGPToolbarMenuButton* CKGPToolBar::GetDroppedDownMenu() const
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, m_lstButtons.GetNext(pos));
        if (menu != nullptr && menu->IsDroppedDown())
            return menu;
    }
    return nullptr;
}

BOOL CKGPToolBar::OpenWithFirstItem(CKGPToolbarMenuButton* pButton)
{
    if (!pButton->IsDroppedDown() && !pButton->OpenPopupMenu())
        return FALSE;
    if (const IKGPMenuPopup* popup = pButton->GetPopupMenu()) {
        if (CWnd* window = popup->GetPopupWindow(); window != nullptr && window->GetSafeHwnd() != nullptr)
            window->SendMessage(WM_KEYDOWN, VK_HOME);
    }
    return TRUE;
}

void CKGPToolBar::ChangeHot(int iIndex)
{
    m_track.keyHot = (iIndex >= 0 && iIndex == m_track.keyHot) ? -1 : iIndex;
    const CKGPToolbarButton* button = GetButton(iIndex);
    // An open menu keeps the hot button unless another menu button takes it,
    // which opens its own menu instead.
    if (CKGPToolbarMenuButton* dropped = GetDroppedDownMenu()) {
        auto* next = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(button));
        if (next == nullptr || next == dropped)
            return;
        dropped->CancelState();
        if (!(s_bCustomizing && next->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton))))
            next->OpenPopupMenu();
    }
    SetHotButton(iIndex);
}

void CKGPToolBar::SetHotButton(int iIndex)
{
    // In customisation mode the keyboard picks the selected button.
    const CKGPToolbarButton* button = GetButton(iIndex);
    if (s_bCustomizing && m_customize.markIndex < 0 && button != nullptr && button->IsSelectable())
        SelectForCustomizing(iIndex);
    if (iIndex == m_track.hot)
        return;
    const int old = m_track.hot;
    m_track.hot = iIndex;
    RepaintButton(old);
    RepaintButton(iIndex);
}

void CKGPToolBar::RebuildMnemonics()
{
    m_track.mnemonics.clear();
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button->IsSeparator() || !button->m_bShowCaption || button->m_strCaption.Find(L'&') < 0)
            continue;
        const kgp::DisplayCaption shown = kgp::CaptionAsShown(std::wstring(button->m_strCaption.GetString()));
        if (shown.mnemonic >= 0)
            m_track.mnemonics.emplace(UpperMnemonic(shown.text[static_cast<size_t>(shown.mnemonic)]), index);
    }
}

WCHAR CKGPToolBar::UpperMnemonic(WCHAR ch)
{
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR{ch}))));
}

BOOL CKGPToolBar::ProcessMnemonic(UINT nChar)
{
    if (nChar > 0xFFFF || !std::iswgraph(static_cast<wint_t>(nChar)))
        return FALSE;
    const auto found = m_track.mnemonics.find(UpperMnemonic(static_cast<WCHAR>(nChar)));
    if (found == m_track.mnemonics.end())
        return FALSE;
    CKGPToolbarButton* button = GetButton(found->second);
    if (auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, button)) {
        ChangeHot(found->second);
        OpenWithFirstItem(menu);
        return TRUE;
    }
    return button != nullptr && InvokeCommand(*button);
}

BOOL CKGPToolBar::StepMenuButton(int nStep)
{
    const int from = ButtonToIndex(GetDroppedDownMenu());
    const int count = GetCount();
    if (from < 0)
        return FALSE;
    // One full round at most: a bar of disabled buttons steps nowhere.
    for (int i = 1; i < count; ++i) {
        const int index = ((from + nStep * i) % count + count) % count;
        auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(index));
        if (menu == nullptr || (menu->m_nBits & TBBS_DISABLED) != 0 || !menu->m_bShown)
            continue;
        ChangeHot(index);
        OpenWithFirstItem(menu);
        return TRUE;
    }
    return FALSE;
}

BOOL CKGPToolBar::PrevMenuButton()
{
    return StepMenuButton(-1);
}

BOOL CKGPToolBar::NextMenuButton()
{
    return StepMenuButton(1);
}

BOOL CKGPToolBar::InvokeCommand(const CKGPToolbarButton& button)
{
    const UINT command = button.m_nCommand;
    if (command == 0 || command == 0xFFFFFFFF)
        return FALSE;
    AddCommandUsage(command);
    if (CWnd* target = CommandTarget())
        target->PostMessage(WM_COMMAND, command);
    return TRUE;
}
