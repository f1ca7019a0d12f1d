// How the menus family shows a popup menu for a menu handle: as one of the
// library's popup menus, either tracked (the call waits until it closes and
// answers the choice) or shown (the choice reaches the owner). The handle
// stays the caller's.
#pragma once

#include <afxwin.h>

namespace KGPPopupMenuSeam {

// Shows the menu at the screen point for the owner and answers the command
// chosen (0 when none); the command is not sent. Keys go to the menu and a
// click outside it closes it while the call waits.
UINT Track(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign);
// Shows the menu; the command chosen goes to the owner. FALSE when it could
// not be shown.
BOOL Show(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign);
// TRUE while Track waits for a choice.
BOOL IsTracking();

} // namespace KGPPopupMenuSeam
