// The registered messages a bar sends the frame it stands in, carrying a
// window (KGPRegisteredMessages.h gives the ids): the bars' context menu asked
// for, a pane's close button pressed. Each has one typed sending end and one
// typed receiving end for the frame (the library's or the application's own
// handler): no end casts a parameter.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPRegisteredMessages.h"

namespace KGPDockingFrameMessages {

// ---- Sending.

// KGTOOLBAR_POPUPMENU: the bars' context menu asked for over pWnd (a bar, or
// the frame itself) at the screen point; TRUE when the frame lets the
// library's menu of bars open.
inline BOOL SendBarsPopupMenu(CWnd* pFrame, CWnd* pWnd, CPoint ptScreen)
{
    return pFrame->SendMessage(KGTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()),
                               MAKELPARAM(ptScreen.x, ptScreen.y)) != 0;
}
// KGM_ON_PRESS_CLOSE_BUTTON: the close button of pPane (a docking pane, or
// the window of a tabbed pane's active tab; may be null) pressed; TRUE when
// the frame dealt with it (the pane then does nothing more).
inline BOOL SendPressCloseButton(CWnd* pFrame, CWnd* pPane)
{
    return pFrame->SendMessage(KGM_ON_PRESS_CLOSE_BUTTON, 0, reinterpret_cast<LPARAM>(pPane)) != 0;
}

// ---- Receiving.

// KGTOOLBAR_POPUPMENU: the window the menu was asked for over.
inline CWnd* PopupMenuWindowOf(WPARAM wParam) { return CWnd::FromHandle(reinterpret_cast<HWND>(wParam)); }
// KGTOOLBAR_POPUPMENU: the screen point.
inline CPoint PopupMenuPointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
// KGM_ON_PRESS_CLOSE_BUTTON: the pane whose close button was pressed.
inline CWnd* ClosedPaneOf(LPARAM lParam) { return reinterpret_cast<CWnd*>(lParam); }

} // namespace KGPDockingFrameMessages
