// A small notification window shown over its owner while a slow request runs
// (for example while the voice names are fetched from the instrument).
#pragma once

#include <afxwin.h>

class CNotifyDlg : public CWnd {
public:
    CNotifyDlg();
    ~CNotifyDlg() override;

    // Creates the hidden window; the text may be changed later.
    BOOL Create(CWnd* pOwner, LPCTSTR text = L"...");
    void SetText(LPCTSTR text);

    // SW_SHOW (or any showing command) centres it over its owner, shows it
    // without activation and paints it at once, since the caller usually blocks
    // right afterwards; SW_HIDE hides it.
    BOOL ShowWindow(int nCmdShow);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_owner = nullptr;
};
