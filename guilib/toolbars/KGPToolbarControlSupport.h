// What the edit controls inside toolbar buttons share: the context menu of a
// menu resource (through the context-menu manager when the application has
// one), mouse-leave tracking, and the keys that move the focus on.
#pragma once

#include <afxwin.h>

namespace KGPToolbarControls {

// Shows the first sub-menu of the menu resource at the screen point for the
// toolbar holding the control; its command goes to that toolbar. FALSE when
// the resource is missing (the control's own menu then shows).
BOOL ShowContextMenu(CWnd* pControl, UINT uiMenuResId, CPoint ptScreen);
// Starts watching for the mouse to leave the control (once per stay).
void TrackMouseLeave(CWnd* pControl, BOOL& bTracked);
// Tab: the next tab stop of the parent takes the focus. Esc: the top-level
// frame takes it. TRUE when the key was one of them.
BOOL MoveFocusOnKey(CWnd* pControl, UINT nKey);

} // namespace KGPToolbarControls
