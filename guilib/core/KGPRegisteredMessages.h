// The library's registered window messages, each registered once (at start-up,
// when this file's objects are made) under its own name.
#pragma once

#include <afxwin.h>

// Toolbars, customisation and menus.
extern const UINT KGTOOLBAR_RESETTOOLBAR;
extern const UINT KGTOOLBAR_RESETRPROMPT;
extern const UINT KGTOOLBAR_RESETMENU;
extern const UINT KGTOOLBAR_CUSTOMIZE;
extern const UINT KGTOOLBAR_CUSTOMIZEHELP;
extern const UINT KGTOOLBAR_DELETE;
extern const UINT KGTOOLBAR_CREATE;
extern const UINT KGTOOLBAR_RESETKEYBAORD;
extern const UINT KGTOOLBAR_POPUPMENU;
extern const UINT KGM_UPDATETOOLTIPS;
extern const UINT KGM_ACCHITTEST;
extern const UINT KGM_ACCGETSTATE;
extern const UINT KGM_GETOBGECT;
// Frames, docking and application bars.
extern const UINT KGPMSG_CHECKEMPTYMINIFRAME;
extern const UINT KGM_ON_PRESS_CLOSE_BUTTON;
extern const UINT KGM_POSTSETPREVIEWFRAME;
extern const UINT KGM_CHANGEVISUALMANAGER;
extern const UINT KGM_ON_MOVETOTABGROUP;
extern const UINT KGM_APPBAR_CALLBACK;
// Tab windows.
extern const UINT KGM_ON_RENAME_TAB;
extern const UINT KGM_ONCHANGE_ACTIVE_TAB;
extern const UINT KGM_ON_MOVE_TAB;
extern const UINT KGM_ON_CHANGING_ACTIVE_TAB;
extern const UINT KGM_ON_GET_TAB_TOOLTIP;
// MDI tab groups.
extern const UINT KGM_ON_HSCROLL;
extern const UINT KGM_GETDRAGBOUNDS;
extern const UINT KGM_ON_DRAGCOMPLETE;
extern const UINT KGM_ON_TABGROUPMOUSEMOVE;
extern const UINT KGM_ON_CANCELTABMOVE;
extern const UINT KGM_ON_MOVETABCOMPLETE;
