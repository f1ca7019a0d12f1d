// Keeps the application's context menus by name and by resource id, and shows
// them. One process-wide manager, made by the application when it wants its
// context menus customised; while it lives the families below reach it
// through their menu link (a control bar's docking-options menu, the menus of
// toolbar edits).
#pragma once

#include <afxwin.h>

#include <map>
#include <memory>

class CKGPContextMenuManager : public CObject {
public:
    CKGPContextMenuManager();
    ~CKGPContextMenuManager() override;
    CKGPContextMenuManager(const CKGPContextMenuManager&) = delete;
    CKGPContextMenuManager& operator=(const CKGPContextMenuManager&) = delete;

    // Loads the menu resource and keeps it under the name and the id; FALSE
    // when it does not load or the name or the id is taken.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    // Every name, in order of the names (the list emptied first).
    void GetMenuNames(CStringList& listOfNames) const;
    // The named menu (null when none), and the id it is kept under.
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;
    HMENU GetMenuById(UINT uiMenuResId) const;

    // Shows the first sub-menu of the menu kept under the id at the screen
    // point; its command goes to the owner. FALSE for an unknown id.
    BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);
    // Shows the menu and answers the command chosen (0 when none).
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);

private:
    std::map<UINT, std::unique_ptr<CMenu>> m_Menus;
    std::map<CString, UINT> m_MenuNames;
};

// The process-wide manager, null when the application made none.
extern CKGPContextMenuManager* g_pContextMenuManager;
