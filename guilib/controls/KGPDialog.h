// The library's dialog: a framework dialog that carries the library's dialog
// implementation, so that the library's popup menus work over it.
#pragma once

#include <afxwin.h>

#include "guilib/controls/KGPDlgImpl.h"

class CKGPDialog : public CDialog, public IKGPPopupMenuOwner {
    DECLARE_DYNAMIC(CKGPDialog)
public:
    CKGPDialog() = default;
    explicit CKGPDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
    ~CKGPDialog() override = default;

    // Told of the popup menu opened over the dialog, and of its closing (null).
    void SetActiveMenu(CWnd* pMenu) override { m_Impl.SetActiveMenu(pMenu); }
    CWnd* GetActiveMenu() const { return m_Impl.GetActiveMenu(); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);

    CKGPDlgImpl m_Impl{*this};

    DECLARE_MESSAGE_MAP()
};
