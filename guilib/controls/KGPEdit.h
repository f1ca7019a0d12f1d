// The library's edit control: hot tracking under the mouse and a calculator
// mode (a number field; the mode is kept for the controls that offer a
// calculator beside the edit).
#pragma once

#include <afxwin.h>

class CKGPEdit : public CEdit {
    DECLARE_DYNAMIC(CKGPEdit)
public:
    CKGPEdit() = default;
    ~CKGPEdit() override = default;

    void EnableCalculatorMode(BOOL bEnable = TRUE) { m_bCalculatorMode = bEnable; }
    BOOL IsCalculatorMode() const { return m_bCalculatorMode; }
    BOOL IsHighlighted() const { return m_bHighlighted; }

protected:
    // Derived edits call these first from their own handlers.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();

    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bCalculatorMode = FALSE;
    BOOL m_bHighlighted = FALSE;
};
