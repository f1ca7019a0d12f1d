// What the docking layer reads of the toolbars and menus family: whether the
// toolbars are being customised, whether a library modal state or popup menu
// is active, and the keyboard and context-menu managers. Until that family
// fills them they answer "no" and "none", and every reader copes with that.
#pragma once

#include <afxwin.h>

struct KGPToolbarLinks {
    static BOOL s_bCustomizeMode;   // toolbar customisation under way
    static BOOL s_bModalState;      // a library modal state (a popup menu tracks the mouse)
    static CWnd* s_pActivePopupMenu;
    static CObject* s_pKeyboardManager;
    static CObject* s_pContextMenuManager;

    // Bars offer no menus while the toolbars are customised or a modal state holds.
    static BOOL MenusBlocked() { return s_bCustomizeMode || s_bModalState || s_pActivePopupMenu != nullptr; }
};
