// The toolbar from the keyboard: the keyboard-hot button and the mnemonics of
// the buttons' captions, which run their commands.
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"

#include <cwctype>

void CKGPToolBar::ChangeHot(int iIndex)
{
    m_nKeyHotIndex = (iIndex >= 0 && iIndex == m_nKeyHotIndex) ? -1 : iIndex;
    // In customisation mode the keyboard picks the selected button.
    const CKGPToolbarButton* button = GetButton(iIndex);
    if (s_bCustomizing && m_nInsertMarkIndex < 0 && button != nullptr && button->IsSelectable())
        SelectForCustomizing(iIndex);
    if (iIndex == m_nHotIndex)
        return;
    const int old = m_nHotIndex;
    m_nHotIndex = iIndex;
    RepaintButton(old);
    RepaintButton(iIndex);
}

void CKGPToolBar::RebuildMnemonics()
{
    m_mapMnemonics.clear();
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button->IsSeparator() || !button->m_bShowCaption || button->m_strCaption.Find(L'&') < 0)
            continue;
        const kgp::DisplayCaption shown = kgp::CaptionAsShown(std::wstring(button->m_strCaption.GetString()));
        if (shown.mnemonic >= 0)
            m_mapMnemonics.emplace(UpperMnemonic(shown.text[static_cast<size_t>(shown.mnemonic)]), index);
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
    const auto found = m_mapMnemonics.find(UpperMnemonic(static_cast<WCHAR>(nChar)));
    if (found == m_mapMnemonics.end())
        return FALSE;
    const CKGPToolbarButton* button = GetButton(found->second);
    return button != nullptr && InvokeCommand(*button);
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
