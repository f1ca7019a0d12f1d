// Library-wide state of the toolbars that their buttons read: the
// customisation and icon modes, the strips of the customisation command list,
// the always-shown commands and the menu hash's busy flag. The toolbar class
// exposes the same statics under its own name.
#pragma once

#include <afxwin.h>

#include <list>

class CKGPToolBarImages;

class CKGPToolBarShared {
public:
    // TRUE while the toolbars are customised (the families below read it
    // through their toolbar link).
    static BOOL s_bCustomizing;
    static BOOL s_bAltDragCustomizing;
    static BOOL s_bLargeIconMode;
    // Strips the customisation command list draws from.
    static CKGPToolBarImages* s_pUserImageStrip;
    static CKGPToolBarImages* s_pImagesNormal;
    static CKGPToolBarImages* s_pImagesMenu;
    // Width of the images in menus.
    static int s_nMenuImageWidth;
    // Commands that menus always show ("basic" commands).
    static std::list<UINT> s_lstAlwaysShownCommands;

    static BOOL IsBasicCommand(UINT uiCmd);
    static void AddBasicCommand(UINT uiCmd);
    // Registers the toolbars' link for the families below them (each new bar
    // does; registering again changes nothing).
    static void RegisterLink();
};

// The busy flag of the library's one menu hash: set exactly while a menu bar
// is stored into or loaded from it.
class CKGPMenuHashBusy {
public:
    static BOOL IsBusy() { return s_bBusy; }
    explicit CKGPMenuHashBusy() { s_bBusy = TRUE; }
    ~CKGPMenuHashBusy() { s_bBusy = FALSE; }
    CKGPMenuHashBusy(const CKGPMenuHashBusy&) = delete;
    CKGPMenuHashBusy& operator=(const CKGPMenuHashBusy&) = delete;

private:
    static BOOL s_bBusy;
};
