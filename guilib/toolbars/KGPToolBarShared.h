// Library-wide state of the toolbars that their buttons read: the
// customisation and icon modes, the default sizes, the eight image strips that
// unlocked bars share, the always-shown commands and the menu hash's busy flag.
// The toolbar class exposes the same statics under its own name.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPToolBarImages.h"

#include <list>

class CKGPToolBarShared {
public:
    // TRUE while the toolbars are customised (the families below read it
    // through their toolbar link).
    static BOOL s_bCustomizing;
    static BOOL s_bAltDragCustomizing;
    static BOOL s_bLargeIconMode;
    // The application's choice that large icons look as small ones do: the
    // bars' own glyphs (the customise button's) keep their small size.
    static BOOL s_bLargeIconsLookSmall;
    // The user-image strip, when the application sets one.
    static CKGPToolBarImages* s_pUserImageStrip;
    // The strips of unlocked bars: normal, cold (not hot), disabled, their
    // large forms, and the images of menus.
    static CKGPToolBarImages s_imgNormal;
    static CKGPToolBarImages s_imgCold;
    static CKGPToolBarImages s_imgMenu;
    static CKGPToolBarImages s_imgDisabled;
    static CKGPToolBarImages s_imgMenuDisabled;
    static CKGPToolBarImages s_imgLarge;
    static CKGPToolBarImages s_imgLargeCold;
    static CKGPToolBarImages s_imgLargeDisabled;
    // Default button and image sizes, and those in effect (doubled in
    // large-icons mode).
    static CSize s_sizeButton;
    static CSize s_sizeImage;
    static CSize s_sizeButtonNow;
    static CSize s_sizeImageNow;
    // Sizes in menus; (-1, -1): the default sizes.
    static CSize s_sizeMenuImage;
    static CSize s_sizeMenuButton;
    static CSize GetMenuImageSize();
    static CSize GetMenuButtonSize();
    // Commands that menus always show ("basic" commands).
    static std::list<UINT> s_lstAlwaysShownCommands;

    static BOOL IsBasicCommand(UINT uiCmd);
    static void AddBasicCommand(UINT uiCmd);
};

// Registers the toolbars family's links for the families below it
// (IKGPToolbarLink: customisation mode, the buttons' clipboard format; again:
// changes nothing). Every library frame registers it with every family's links
// (KGPRegisterLibraryLinks), and every toolbar as it is made.
void KGPRegisterToolbarsLinks();

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
