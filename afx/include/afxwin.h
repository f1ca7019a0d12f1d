// The MFC-compatible layer, window part: command targets and message maps,
// threads and the application object, windows, dialogs, controls, GDI, menus,
// frames, documents and views, control bars.
#pragma once

#include "afx.h"
#include <commctrl.h>

#include "afxmsg.h"
#include "afxthread.h"
#include "afxgdi.h"
#include "afxwnd.h"
#include "afxselfdelete.h"
#include "afxcmdui.h"
#include "afxapp.h"
#include "afxmenu.h"
#include "afxdlg.h"
#include "afxctrl.h"
#include "afxframe.h"
#include "afxmdi.h"
