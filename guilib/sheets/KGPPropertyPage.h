// A property page of the library: carries the library's dialog implementation
// (keys and clicks while a library popup menu is open over it) and, inside a
// CKGPPropertySheet, tells the sheet when it is shown, moves its controls
// below the sheet's page header and has the sheet draw that header.
#pragma once

#include <afxwin.h>
#include <afxdlg.h>

#include "guilib/controls/KGPDlgImpl.h"

class CKGPPropertySheet;
class CKGPPropSheetCategory;

class CKGPPropertyPage : public CPropertyPage, public IKGPPopupMenuOwner {
    DECLARE_DYNAMIC(CKGPPropertyPage)
    friend class CKGPPropertySheet;

public:
    CKGPPropertyPage();
    // The page record is the system structure's own size.
    explicit CKGPPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CKGPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    BOOL OnSetActive() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetActiveMenu(CWnd* pMenu) override { m_Impl.SetActiveMenu(pMenu); }

    // The sheet holding the page when it is a library sheet.
    CKGPPropertySheet* GetKGPSheet() const;
    CKGPPropSheetCategory* GetCategory() const { return m_pCategory; }
    int GetIcon() const { return m_nIcon; }
    int GetSelectedIcon() const { return m_nSelIcon; }
    HTREEITEM GetTreeItem() const { return m_hTreeNode; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CKGPDlgImpl m_Impl;
    CKGPPropSheetCategory* m_pCategory = nullptr;
    int m_nIcon = -1;
    int m_nSelIcon = -1;
    HTREEITEM m_hTreeNode = nullptr;
};
