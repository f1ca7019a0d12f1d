// The registered messages an MDI tab window sends the client area it stands
// in while a tab or a group border is dragged, and the one the client area
// sends its frame when a document window changed groups
// (KGPRegisteredMessages.h gives the ids). Each has one typed sending end, for the tab window, and one typed
// receiving end, for the window that handles it: no end casts a parameter.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPRegisteredMessages.h"

class CKGPTabWnd;

namespace KGPTabGroupMessages {

// ---- Sending (the tab window; pTo is its parent).

// KGM_GETDRAGBOUNDS: the screen rectangle the border below pGroup may be
// dragged in (null: the group holding the capture). FALSE when none is given.
inline BOOL SendGetDragBounds(CWnd* pTo, CKGPTabWnd* pGroup, CRect& bounds)
{
    return pTo->SendMessage(KGM_GETDRAGBOUNDS, reinterpret_cast<WPARAM>(pGroup), reinterpret_cast<LPARAM>(&bounds)) !=
           0;
}
// KGM_ON_DRAGCOMPLETE: pGroup's border was let go; rect is its window's new
// screen rectangle.
inline BOOL SendDragComplete(CWnd* pTo, CKGPTabWnd* pGroup, const CRect& rect)
{
    return pTo->SendMessage(KGM_ON_DRAGCOMPLETE, reinterpret_cast<WPARAM>(pGroup), reinterpret_cast<LPARAM>(&rect)) !=
           0;
}
// KGM_ON_TABGROUPMOUSEMOVE: a tab of pGroup dragged to the screen point;
// TRUE when the receiver took the move (the tab window does nothing more).
inline BOOL SendTabGroupMouseMove(CWnd* pTo, CKGPTabWnd* pGroup, CPoint ptScreen)
{
    return pTo->SendMessage(KGM_ON_TABGROUPMOUSEMOVE, reinterpret_cast<WPARAM>(pGroup),
                            MAKELPARAM(ptScreen.x, ptScreen.y)) != 0;
}
// KGM_ON_CANCELTABMOVE: the tab drag of pGroup proposes nothing any more.
inline void SendCancelTabMove(CWnd* pTo, CKGPTabWnd* pGroup)
{
    pTo->SendMessage(KGM_ON_CANCELTABMOVE, reinterpret_cast<WPARAM>(pGroup), 0);
}
// KGM_ON_MOVETABCOMPLETE: the tab of pGroup was let go at the screen point.
inline void SendMoveTabComplete(CWnd* pTo, CKGPTabWnd* pGroup, CPoint ptScreen)
{
    pTo->SendMessage(KGM_ON_MOVETABCOMPLETE, reinterpret_cast<WPARAM>(pGroup), MAKELPARAM(ptScreen.x, ptScreen.y));
}
// KGM_ON_MOVETOTABGROUP (the client area to its frame): a document window
// moved from one group to another; the groups' windows travel as handles.
inline void SendMovedToTabGroup(CWnd* pTo, const CWnd& from, const CWnd& to)
{
    pTo->SendMessage(KGM_ON_MOVETOTABGROUP, reinterpret_cast<WPARAM>(from.GetSafeHwnd()),
                     reinterpret_cast<LPARAM>(to.GetSafeHwnd()));
}

// ---- Receiving (the handler of any of these messages).

// The tab window that sent the message (null: it did not say).
inline CKGPTabWnd* GroupOf(WPARAM wParam) { return reinterpret_cast<CKGPTabWnd*>(wParam); }
// KGM_GETDRAGBOUNDS: the rectangle to fill (null: none to fill).
inline CRect* BoundsOf(LPARAM lParam) { return reinterpret_cast<CRect*>(lParam); }
// KGM_ON_DRAGCOMPLETE: the group's new screen rectangle (null: none given).
inline const CRect* DraggedRectOf(LPARAM lParam) { return reinterpret_cast<const CRect*>(lParam); }
// KGM_ON_MOVETOTABGROUP: the group the window left and the one it joined.
inline HWND SourceGroupOf(WPARAM wParam) { return reinterpret_cast<HWND>(wParam); }
inline HWND TargetGroupOf(LPARAM lParam) { return reinterpret_cast<HWND>(lParam); }
// KGM_ON_TABGROUPMOUSEMOVE, KGM_ON_MOVETABCOMPLETE: the screen point.
inline CPoint PointOf(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

} // namespace KGPTabGroupMessages
