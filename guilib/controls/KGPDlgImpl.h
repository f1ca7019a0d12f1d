// What the library adds to a dialog or property page: while one of the
// library's popup menus is open over it, keys go to the menu, a click outside
// closes it, shortcuts wait, and the dialog's caption stays active.
#pragma once

#include <afxwin.h>

// A window that holds the library's dialog implementation (a dialog, a
// property page) and so is told of the popup menu open over it.
class IKGPPopupMenuOwner {
public:
    // The popup menu now open over the window (null: none).
    virtual void SetActiveMenu(CWnd* pMenu) = 0;

protected:
    ~IKGPPopupMenuOwner() = default;
};

class CKGPDlgImpl {
public:
    explicit CKGPDlgImpl(CWnd& dlg) : m_Dlg(dlg) {}
    ~CKGPDlgImpl();
    CKGPDlgImpl(const CKGPDlgImpl&) = delete;
    CKGPDlgImpl& operator=(const CKGPDlgImpl&) = delete;

    // TRUE when the message was consumed (a key sent to the open menu).
    BOOL PreTranslateMessage(MSG* pMsg);
    // TRUE for an accelerator command held back while a menu is open.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Losing the activation to another window than the menu closes the menu.
    void OnActivate(UINT nState, CWnd* pWndOther);
    // Keeps bActive on while the menu or a window the dialog owns is active;
    // FALSE: the caller goes on with the default handling.
    BOOL OnNcActivate(BOOL& bActive);

    // Records the popup menu now open over the dialog (null: none) and installs
    // or removes the mouse hook that watches for clicks outside it.
    void SetActiveMenu(CWnd* pMenu);
    CWnd* GetActiveMenu() const { return m_pActiveMenu; }
    // TRUE when a menu is open and the screen point lies outside it (and the
    // menus it was opened from; its shadow counts as outside).
    BOOL IsClickOutsideActiveMenu(CPoint point) const;

private:
    static LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam);
    void CloseActiveMenu();

    CWnd& m_Dlg;
    CWnd* m_pActiveMenu = nullptr;
};
