// Context menus of the pages.
#pragma once

#include <afxwin.h>

// Loads menu resource menuId, takes its popup at position popupIndex and tracks
// it for the owner at point (screen coordinates; the cursor position when both
// coordinates are -1). The chosen command goes to the owner as WM_COMMAND.
// False when the menu or the popup does not exist or tracking fails.
BOOL TrackPopupMenuAtCursor(CWnd* pOwner, UINT menuId, int popupIndex, CPoint point = CPoint(-1, -1));
