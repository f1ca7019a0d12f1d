// The toolbars page of the customisation sheet: every toolbar of the frame
// with its visibility as a check mark, its text labels, its reset, and the
// user's own toolbars made, renamed and deleted through the frame.
#pragma once

#include <afxwin.h>

#include "guilib/controls/KGPExCheckList.h"

class CKGPToolBar;

// Asks for a toolbar's name; OK only while the name is not empty.
class CToolbarNameDlg : public CDialog {
    DECLARE_DYNAMIC(CToolbarNameDlg)
public:
    explicit CToolbarNameDlg(CWnd* pParent = nullptr);
    CString m_strToolbarName;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};

class CKGPToolbarsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPToolbarsPage)
public:
    explicit CKGPToolbarsPage(CFrameWnd* pParentFrame = nullptr);

    // The user's own toolbars through the frame ("KGTOOLBAR_CREATE",
    // "KGTOOLBAR_DELETE"); the buttons ask the user first, these do not.
    // The new toolbar (listed, checked and selected), null when the frame
    // made none; FALSE when the frame did not delete the toolbar.
    CKGPToolBar* CreateToolbar(LPCTSTR lpszName);
    BOOL RenameToolbar(CKGPToolBar* pToolBar, LPCTSTR lpszName);
    BOOL DeleteToolbar(CKGPToolBar* pToolBar);
    // Shows or hides the listed toolbar; one that may not be hidden keeps
    // its check mark (with a beep). FALSE then.
    BOOL ShowToolbar(int nIndex, BOOL bShow);
    void SelectToolbar(int nIndex);
    // A bar was shown or hidden elsewhere: its check mark follows.
    void OnToolbarShown(const CKGPToolBar* pToolBar, BOOL bShown);
    CKGPToolBar* GetSelectedToolbar() const { return m_pSelectedToolbar; }
    int FindToolbar(const CKGPToolBar* pToolBar) const;
    CKGPExCheckList& GetToolbarList() { return m_wndToolbarList; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The frame the toolbars belong to.
    CFrameWnd* Frame() const;
    // A Yes/No question of the library's strings; TRUE on Yes.
    static BOOL Ask(UINT uiStringId, LPCTSTR lpszArgument);

private:
    void FillList();
    void UpdateButtons();
    CKGPExCheckList m_wndToolbarList;
    CKGPToolBar* m_pSelectedToolbar = nullptr;
    CFrameWnd* m_pParentFrame;
};

// Registers the link through which toolbars tell the open sheet's toolbars
// page that they were shown or hidden (called with the sheets family's links).
void KGPRegisterToolbarsPageLink();
