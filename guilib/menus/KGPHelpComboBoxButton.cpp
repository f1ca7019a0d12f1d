#include "guilib/menus/KGPHelpComboBoxButton.h"

#include "guilib/core/KGPStoredState.h"

IMPLEMENT_SERIAL(CHelpComboBoxButton, CKGPToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CHelpComboBoxButton::CHelpComboBoxButton(UINT uiID, int iWidth, LPCTSTR lpszPrompt)
    : CKGPToolbarComboBoxButton(uiID, -1, CBS_DROPDOWN, iWidth), m_strPrompt(lpszPrompt != nullptr ? lpszPrompt : _T(""))
{
}

void CHelpComboBoxButton::Serialize(CArchive& ar)
{
    CKGPToolbarComboBoxButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strPrompt;
        return;
    }
    CKGPStoredReader in(ar);
    m_strPrompt = in.ReadString(kgp_stored::kMaxTextLength);
}

void CHelpComboBoxButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarComboBoxButton::CopyButton(src);
    if (const auto* help = DYNAMIC_DOWNCAST(CHelpComboBoxButton, const_cast<CKGPToolbarButton*>(&src)))
        m_strPrompt = help->m_strPrompt;
}
