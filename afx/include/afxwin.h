// The MFC-compatible layer, window part: command targets and message maps,
// threads and the application object, windows, dialogs, controls, GDI, menus,
// frames, documents and views, control bars.
#pragma once

#include "afx.h"
#include <commctrl.h>

#if __has_include("afxmsg.h")
#include "afxmsg.h"
#endif
#if __has_include("afxthread.h")
#include "afxthread.h"
#endif
#if __has_include("afxgdi.h")
#include "afxgdi.h"
#endif
#if __has_include("afxwnd.h")
#include "afxwnd.h"
#endif
#if __has_include("afxcmdui.h")
#include "afxcmdui.h"
#endif
#if __has_include("afxapp.h")
#include "afxapp.h"
#endif
#if __has_include("afxmenu.h")
#include "afxmenu.h"
#endif
#if __has_include("afxdlg.h")
#include "afxdlg.h"
#endif
#if __has_include("afxctrl.h")
#include "afxctrl.h"
#endif
#if __has_include("afxframe.h")
#include "afxframe.h"
#endif
