#include "widgets/TrackPopupMenuAtCursor.h"

#include "widgets/OwnerDrawMenu.h"

BOOL TrackPopupMenuAtCursor(CWnd* pOwner, UINT menuId, int popupIndex, CPoint point)
{
    HWND owner = CWnd::HwndOf(pOwner);
    if (owner == nullptr) {
        return FALSE;
    }
    // Owner-drawn, so the popup has the program's look.
    COwnerDrawMenu menu;
    if (!menu.LoadMenu(menuId)) {
        return FALSE;
    }
    CMenu* popup = menu.GetSubMenu(popupIndex);
    if (popup == nullptr) {
        return FALSE;
    }
    if (point.x == -1 && point.y == -1) {
        ::GetCursorPos(&point);
    }
    // The owner must be the foreground window, or the menu does not close when
    // the user clicks elsewhere.
    ::SetForegroundWindow(owner);
    const BOOL tracked = popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, owner);
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return tracked;
}
