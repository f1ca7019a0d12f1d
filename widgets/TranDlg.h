// Base of the wizard pages: a resizable dialog painted as a white rounded
// sheet on the page background colour.
#pragma once

#include "widgets/ResizableDialog.h"

class CTranDlg : public CResizableDialog {
public:
    CTranDlg();
    explicit CTranDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CTranDlg() override;

    // WM_ERASEBKGND of the pages: the page colour around a white rounded sheet.
    // Public so that pages with their own map can route the message here.
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

protected:
    // Transparent static texts over the sheet.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
