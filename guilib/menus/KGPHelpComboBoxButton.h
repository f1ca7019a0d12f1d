// The help combo box at the right end of a menu bar: a drop-down combo with
// a prompt text shown while it is empty.
#pragma once

#include "guilib/toolbars/KGPToolbarComboBoxButton.h"

class CHelpComboBoxButton : public CKGPToolbarComboBoxButton {
    DECLARE_SERIAL(CHelpComboBoxButton)
public:
    CHelpComboBoxButton() = default;
    CHelpComboBoxButton(UINT uiID, int iWidth, LPCTSTR lpszPrompt = nullptr);

    void Serialize(CArchive& ar) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    CString GetPrompt() const override { return m_strPrompt; }
    // The combo's window; null before it is made.
    HWND GetEditWnd() const { return ControlWindow(); }

private:
    CString m_strPrompt;
};
