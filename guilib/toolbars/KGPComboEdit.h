// The edit laid over an editable combo button: it tells its button when it
// is hot or has the focus, hands typing and the keys of the list to it, and
// shows the button's prompt while it is empty.
#pragma once

#include <afxwin.h>

#include "guilib/toolbars/KGPToolbarControlSupport.h"

class CKGPToolbarComboBoxButton;

class CKGPComboEdit : public CEdit {
public:
    explicit CKGPComboEdit(CKGPToolbarComboBoxButton& combo) : m_combo(combo) {}

    // Enter runs the button's command (or chooses in the dropped list); the
    // list keys and the wheel go to the list while it is dropped; Up and
    // Down drop it; Tab and Esc move the focus on.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnChange();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CKGPToolbarComboBoxButton& m_combo;
    KGPToolbarControls::CHoverTracking m_hover;
};
