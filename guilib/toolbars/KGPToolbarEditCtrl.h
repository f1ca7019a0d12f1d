// The edit inside an edit-box button: it tells its button when it is hot, and
// runs the clipboard and undo keys itself so that the frame's accelerators do
// not take them while it has the focus.
#pragma once

#include "guilib/controls/KGPEdit.h"
#include "guilib/toolbars/KGPToolbarControlSupport.h"

class CKGPToolbarEditBoxButton;

class CKGPToolbarEditCtrl : public CKGPEdit {
public:
    explicit CKGPToolbarEditCtrl(CKGPToolbarEditBoxButton& edit) : m_edit(edit) {}

    // Tab and Esc move the focus on; Ctrl+Delete, Ctrl+C, Ctrl+V, Ctrl+X and
    // Ctrl+Z clear, copy, paste, cut and undo.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CKGPToolbarEditBoxButton& m_edit;
    KGPToolbarControls::CHoverTracking m_hover;
};
