// How the menus family shows a popup menu for a menu handle. Until the
// library's own popup menus serve these two calls, a plain Windows popup menu
// shows.
#pragma once

#include <afxwin.h>

namespace KGPPopupMenuSeam {

// Shows the menu at the screen point for the owner and answers the command
// chosen (0 when none); the command is not sent.
UINT Track(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign);
// Shows the menu; the command chosen goes to the owner as WM_COMMAND. FALSE
// when it could not be shown.
BOOL Show(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign);

} // namespace KGPPopupMenuSeam
