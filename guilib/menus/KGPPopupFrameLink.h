// What a popup menu asks of the library frame it opens over (the frames
// family registers this link with its other links when a frame is made),
// and of the customisation pages that show menus for editing (the
// customisation sheet brings them). Without a frame a popup opens unasked,
// draws no side band and tears off nothing.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPPopupMenu;
class CKGPToolBar;

class IKGPPopupFrameLink {
public:
    // Before a popup opens over the frame (null: none stays open): FALSE
    // refuses it. A frame may fill or prepare the popup meanwhile.
    virtual BOOL OnShowPopupMenu(CWnd* pFrame, CKGPPopupMenu* pPopup) = 0;
    // The popup closes (its window is being destroyed).
    virtual void OnClosePopupMenu(CWnd* pFrame, CKGPPopupMenu* pPopup) = 0;
    // Draws the popup's side band; FALSE when the frame draws none.
    virtual BOOL DrawMenuLogo(CWnd* pFrame, CDC* pDC, CKGPPopupMenu* pPopup, const CRect& rect) = 0;
    // The bar torn off a menu with that id, null when none is.
    virtual CKGPToolBar* FindTearOffBar(CWnd* pFrame, UINT uiTearOffId) = 0;
    // Makes (through the popup's CreateTearOffBar) and keeps a bar torn off
    // the popup; null when the frame makes none.
    virtual CKGPToolBar* CreateTearOffBar(CWnd* pFrame, CKGPPopupMenu* pPopup, UINT uiTearOffId,
                                          LPCTSTR lpszName) = 0;

protected:
    ~IKGPPopupFrameLink() = default;
};

// The customisation page that opened a popup to let the user edit a menu.
class IKGPPopupMenuPage {
public:
    virtual void OnPopupMenuClosed(CKGPPopupMenu* pPopup) = 0;

protected:
    ~IKGPPopupMenuPage() = default;
};

// The customisation page that edits the menu bar's menus.
class IKGPMenuBarPage {
public:
    // The bar's menus were loaded again from their resources: the page shows
    // the menu it has chosen anew.
    virtual void ReselectMenu() = 0;

protected:
    ~IKGPMenuBarPage() = default;
};
