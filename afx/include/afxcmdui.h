// Command user-interface updates: one CCmdUI names one item (menu entry, toolbar
// button, status pane, dialog control) and is routed to the command's update
// handler through OnCmdMsg(CN_UPDATE_COMMAND_UI).
//
// Control bars derive their own CCmdUI (a toolbar button is not a menu item) and
// override the virtual setters; menus and plain windows are handled here.
#pragma once

#include "afxmsg.h"

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;            // menu item position or bar index
    CMenu* m_pMenu = nullptr;     // menu holding the item, or nullptr
    CMenu* m_pSubMenu = nullptr;  // the item's popup when the item opens one
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;     // window item (control, bar) when not a menu
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;         // number of items being updated

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // The handler asks to let the next command target answer too.
    void ContinueRouting();

    // Routes the update request to pTarget; when nobody handles it and
    // bDisableIfNoHndler is set, the item is disabled unless a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // Updates every item of a popup menu about to open (WM_INITMENUPOPUP). Items
    // opening a submenu are updated through the submenu's first command, never
    // disabled for lack of a handler.
    static void UpdateMenu(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler = TRUE);
};

// Collects what update handlers set without touching any item: used to ask
// whether a command is currently enabled (for example before running an
// accelerator's command) and by tests.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    BOOL m_bRadio = FALSE;
    BOOL m_bTextSet = FALSE;
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
};
