// CMenu: a menu handle wrapper that destroys the menu it owns.
//
// Handle maps: a CMenu holding a handle through LoadMenu/Create*/Attach is
// "permanent" and found by FromHandlePermanent from every thread (a
// process-wide map). FromHandle returns the permanent object when there is
// one, otherwise a temporary wrapper of this thread (freed by
// AfxDeleteTempMenuMap() at idle time).
//
// Owner draw: a window receiving WM_MEASUREITEM/WM_DRAWITEM for a menu item
// calls AfxDispatchMenuMeasureItem/AfxDispatchMenuDrawItem, which call the
// virtual MeasureItem/DrawItem of the permanent CMenu holding the item (or
// of its nearest permanent parent menu). Item ids repeat between menus, so a
// measured item is looked for first in the menus open on this thread (noted
// from WM_INITMENUPOPUP and TrackPopupMenu, newest first), then in the owner's
// menu bar, and only then in every permanent menu.
#pragma once

#include "afx.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    bool operator==(const CMenu& other) const { return m_hMenu == other.m_hMenu; }
    bool operator!=(const CMenu& other) const { return m_hMenu != other.m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL DestroyMenu();
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the current resource module.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);

    CMenu* GetSubMenu(int nPos) const;
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE) const;
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) const;
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);

    // With TPM_RETURNCMD the chosen command id is returned (0 when none).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, HWND hWnd, LPCRECT lpRect = nullptr);

    // Owner-drawn items (MF_OWNERDRAW).
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};

// Routes a menu item's WM_MEASUREITEM (sent to hWndOwner) to its CMenu;
// returns false when no permanent CMenu holds the item.
bool AfxDispatchMenuMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
// Routes a menu item's WM_DRAWITEM (hwndItem is the menu) to its CMenu.
bool AfxDispatchMenuDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
// Notes a popup menu opening or closing on this thread (the window procedure
// calls them for WM_INITMENUPOPUP and WM_UNINITMENUPOPUP; nullptr forgets all).
void AfxNoteMenuOpened(HMENU hMenu);
void AfxNoteMenuClosed(HMENU hMenu);
// Drops this thread's temporary CMenu wrappers.
void AfxDeleteTempMenuMap();
