// The command UI of one toolbar button: enable, check, radio and text
// requests of the command handlers become the button's style and caption.
#pragma once

#include <afxcmdui.h>

class CKGPToolBar;

class COldToolCmdUI : public CCmdUI {
public:
    COldToolCmdUI(CKGPToolBar& bar, int iIndex, UINT nCount);
    void Enable(BOOL bOn = TRUE) override;
    // 0 unchecked, 1 (and 3 or more) checked, 2 indeterminate.
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    // The text up to its first tab replaces the caption when it differs.
    void SetText(LPCTSTR lpszText) override;

private:
    CKGPToolBar& m_bar;
};
