// Dialogs and dialog data exchange.
//
// A CDialog is created from a template (a resource of the current resource
// module, found with AfxFindResourceHandle(RT_DIALOG), or one in memory) with the
// object attached before the first message. DoModal runs the layer's own modal
// loop, so it works on any thread, also with an owner window that belongs to
// another thread (the owner is disabled while the dialog runs and re-enabled
// before the dialog is destroyed). A dialog created with Create is modeless; as a
// child (WS_CHILD template) it is a page inside another window: Esc is swallowed
// there and OK/Cancel never hide it.
#pragma once

#include "afxwnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();

    void EndDialog(int nResult);
    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* /*pFont*/) {}
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LPCTSTR m_lpszTemplateName = nullptr; // MAKEINTRESOURCE id or a name
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Loads the template named by m_lpszTemplateName; nullptr when missing.
    LPCDLGTEMPLATE LoadTemplate(HINSTANCE* phInst) const;
    HWND PreModal();
    void PostModal();

    CString m_strTemplateName; // keeps a template name passed as a string
    HWND m_hWndTop = nullptr;

    DECLARE_MESSAGE_MAP()
};

// The state of one UpdateData pass.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // The control of nIDC (remembered for Fail); raises a failure when missing.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Moves the focus to the last prepared control and abandons the exchange.
    [[noreturn]] void Fail();

    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);

// Known by run-time class only: the program shows no property sheets.
class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
};
