#include "guilib/menus/KGPPopupMenuSeam.h"

namespace KGPPopupMenuSeam {

namespace {

UINT Flags(BOOL bRightAlign)
{
    return TPM_LEFTBUTTON | (bRightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
}

} // namespace

UINT Track(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (!::IsMenu(hMenu) || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return 0;
    return static_cast<UINT>(::TrackPopupMenu(hMenu, Flags(bRightAlign) | TPM_NONOTIFY | TPM_RETURNCMD, x, y, 0,
                                              pWndOwner->GetSafeHwnd(), nullptr));
}

BOOL Show(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (!::IsMenu(hMenu) || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return FALSE;
    return ::TrackPopupMenu(hMenu, Flags(bRightAlign), x, y, 0, pWndOwner->GetSafeHwnd(), nullptr);
}

} // namespace KGPPopupMenuSeam
