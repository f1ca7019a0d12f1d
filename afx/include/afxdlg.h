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

#include <prsht.h>

#include <vector>

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

    // Keeps the template's name (a name passed as a string is copied); an id
    // is also the help id unless one is set.
    void SetTemplateName(LPCTSTR lpszTemplateName);
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

class CPropertySheet;

// One page of a property sheet: a child dialog made from its template (a
// popup template is made a child) the first time the sheet shows it.
class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() { m_psp.dwSize = sizeof(m_psp); }
    // nIDCaption 0: the template's caption is the tab's label. dwSize is the
    // size of the page record (m_psp); a page whose record is smaller than
    // the system's smallest page record is never made (CreatePage refuses it).
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGEW));
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGEW));
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page becomes (stops being) the shown one: FALSE keeps the sheet
    // where it is. Leaving saves the controls' data (UpdateData).
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // Apply or OK on the sheet: the page's changes take effect (OnOK);
    // FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // Cancel on the sheet: FALSE from OnQueryCancel keeps it open; OnReset
    // then lets every made page drop its changes (OnCancel).
    virtual BOOL OnQueryCancel();
    virtual void OnReset();
    // The Apply button follows the pages' modified state.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }
    // Calls the sheet's QuerySiblings: the first non-zero answer of a page.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnQuerySiblings(WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }

    // The label of its tab; the size its template asks for, in pixels of
    // the sheet's font (base units baseX x baseY).
    CString GetCaption() const;
    CSize TemplateSize(int baseX, int baseY) const;
    // Makes the page as a child of the sheet (once).
    BOOL CreatePage(CPropertySheet* pSheet);
    CPropertySheet* GetSheet() const { return m_pSheet; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CString m_strCaption;
    // The page's record: its size, flags, template and module.
    PROPSHEETPAGEW m_psp{};

protected:
    void OnOK() override {}
    void OnCancel() override {}

private:
    CPropertySheet* m_pSheet = nullptr;
    BOOL m_bModified = FALSE;
};

// A sheet of pages under tabs with OK, Cancel, Apply (and Help) buttons. A
// sheet made with Create is modeless: OK and Cancel end it (the window is
// destroyed), Apply leaves it open. DoModal runs it modally over its owner
// (disabled meanwhile) until OK or Cancel, and answers IDOK or IDCANCEL. The pages are shown one at a time, each
// made on its first show; Ctrl+Tab and Ctrl+Page Down (with Shift, and Ctrl+Page
// Up, backwards) step between them and Tab between the controls of the page
// and the sheet. The sheet never owns its pages.
class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet() = default;
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    // A modeless sheet owned by the parent (dwStyle -1: a captioned popup
    // with a system menu). FALSE without pages or when a window fails.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
    // The sheet, modal: IDOK or IDCANCEL as it ended, -1 when it could not
    // be made (no pages, a window or the first page failed, a window of the
    // sheet exists already). The window is gone when it returns.
    virtual INT_PTR DoModal();
    virtual void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const { return GetPage(m_nActive); }
    int GetActiveIndex() const { return m_nActive; }
    // FALSE when the shown page refuses to be left or the new one to be shown.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    CWnd* GetTabControl() const { return m_wndTab.GetSafeHwnd() != nullptr ? const_cast<CWnd*>(&m_wndTab) : nullptr; }
    void SetTitle(LPCTSTR lpszText);
    CString GetTitle() const { return m_strCaption; }
    // Presses PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW or PSBTN_HELP.
    BOOL PressButton(int nButton);
    // The Apply button follows the pages (a page said it changed).
    void OnPageModified();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    // The rectangle the pages take (sheet client coordinates): the tab
    // control's display area.
    virtual CRect GetPageRect() const;
    virtual BOOL OnInitDialog() { return TRUE; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // PSH_NOAPPLYNOW, PSH_HASHELP are read from here.
    PROPSHEETHEADERW m_psh{};
    BOOL m_bModeless = TRUE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A page is about to leave the sheet (RemovePage).
    virtual void OnRemovePage(CPropertyPage* /*pPage*/) {}
    // Applies every made page (the shown one first leaves); TRUE when all did.
    BOOL ApplyPages();
    void EndSheet(int nResult);
    // The font of the sheet and its pages' base units.
    CSize BaseUnits() const;

private:
    void LayOut();
    BOOL ShowPage(int nPage);
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    std::vector<CPropertyPage*> m_pages;
    int m_nActive = -1;
    UINT m_nStartPage = 0;
    CWnd m_wndTab;
    CWnd m_wndButtons[4];
    HFONT m_hFont = nullptr;
};

#define ID_APPLY_NOW 0x3021

