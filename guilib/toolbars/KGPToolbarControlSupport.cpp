#include "guilib/toolbars/KGPToolbarControlSupport.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPMouseLeave.h"

namespace KGPToolbarControls {

BOOL ShowContextMenu(CWnd* pControl, UINT uiMenuResId, CPoint ptScreen)
{
    CWnd* bar = pControl->GetParent();
    CMenu menu;
    if (uiMenuResId == 0 || bar == nullptr || !menu.LoadMenu(uiMenuResId))
        return FALSE;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return FALSE;
    if (ptScreen.x == -1 && ptScreen.y == -1) {
        // From the keyboard: at the control's top-left corner.
        CRect rect;
        pControl->GetWindowRect(rect);
        ptScreen = rect.TopLeft();
    }
    if (IKGPMenuLink* link = CKGPLink<IKGPMenuLink>::Get(); link != nullptr && link->HasContextMenuManager()) {
        const HWND barWindow = bar->GetSafeHwnd();
        const UINT command = link->TrackContextMenu(popup->GetSafeHmenu(), ptScreen.x, ptScreen.y, bar, FALSE);
        if (command != 0 && ::IsWindow(barWindow))
            ::PostMessageW(barWindow, WM_COMMAND, command, 0);
        return TRUE;
    }
    popup->TrackPopupMenu(TPM_CENTERALIGN | TPM_LEFTBUTTON, ptScreen.x, ptScreen.y, bar);
    return TRUE;
}

void TrackMouseLeave(CWnd* pControl, BOOL& bTracked)
{
    if (bTracked)
        return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, pControl->GetSafeHwnd(), 0};
    bTracked = TrackMouseLeaveByTimer(&track);
}

BOOL MoveFocusOnKey(CWnd* pControl, UINT nKey)
{
    if (nKey == VK_TAB) {
        if (CWnd* parent = pControl->GetParent()) {
            const BOOL backwards = ::GetKeyState(VK_SHIFT) < 0;
            if (CWnd* next = parent->GetNextDlgTabItem(pControl, backwards))
                next->SetFocus();
        }
        return TRUE;
    }
    if (nKey == VK_ESCAPE) {
        if (CFrameWnd* frame = pControl->GetTopLevelFrame())
            frame->SetFocus();
        return TRUE;
    }
    return FALSE;
}

} // namespace KGPToolbarControls
