// The about box (dialog 100): fades in when shown and out when closed.
#pragma once

#include <afxwin.h>

#include "widgets/MyButton.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override;

    // The fade's length; 0 shows and hides at once.
    DWORD m_fadeMs = 500;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CMyButton m_okButton;
};
