// The notifications a tab window sends its parent (and the application's main
// window when that is another window): one typed sending end each, for the
// tab window (and the outlook bar, which tells its frame of a page change the
// same way), and one typed receiving end each, for a handler. No end casts a
// parameter itself. KGPRegisteredMessages.h gives the ids.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPRegisteredMessages.h"

class CKGPBaseTabWnd;
struct KGP_TAB_TOOLTIP_INFO;

namespace KGPTabNotifications {

// ---- Sending.

// KGM_ON_CHANGING_ACTIVE_TAB: iTab is about to become active in pFrom;
// non-zero answers that the receiver forbids it.
inline LRESULT SendActiveTabChanging(CWnd* pTo, int iTab, CKGPBaseTabWnd* pFrom)
{
    return pTo->SendMessage(KGM_ON_CHANGING_ACTIVE_TAB, static_cast<WPARAM>(iTab), reinterpret_cast<LPARAM>(pFrom));
}
// KGM_ONCHANGE_ACTIVE_TAB: iTab became active in pFrom (null: the sender is
// not a tab window, as an outlook bar's page button).
inline LRESULT SendActiveTabChanged(CWnd* pTo, int iTab, CKGPBaseTabWnd* pFrom)
{
    return pTo->SendMessage(KGM_ONCHANGE_ACTIVE_TAB, static_cast<WPARAM>(iTab), reinterpret_cast<LPARAM>(pFrom));
}
// KGM_ON_MOVE_TAB: the tab at iFrom was dragged to iTo.
inline LRESULT SendTabMoved(CWnd* pTo, int iFrom, int iTo)
{
    return pTo->SendMessage(KGM_ON_MOVE_TAB, static_cast<WPARAM>(iFrom), static_cast<LPARAM>(iTo));
}
// KGM_ON_RENAME_TAB: the user renamed tab iTab; non-zero answers that the
// receiver dealt with it (the tab window then leaves the label alone).
inline LRESULT SendRenameTab(CWnd* pTo, int iTab, LPCTSTR pszLabel)
{
    return pTo->SendMessage(KGM_ON_RENAME_TAB, static_cast<WPARAM>(iTab), reinterpret_cast<LPARAM>(pszLabel));
}
// KGM_ON_GET_TAB_TOOLTIP: the receiver fills the query's text.
inline LRESULT SendGetTabTooltip(CWnd* pTo, KGP_TAB_TOOLTIP_INFO& query)
{
    return pTo->SendMessage(KGM_ON_GET_TAB_TOOLTIP, 0, reinterpret_cast<LPARAM>(&query));
}

// ---- Receiving.

// KGM_ON_CHANGING_ACTIVE_TAB, KGM_ONCHANGE_ACTIVE_TAB, KGM_ON_RENAME_TAB: the tab.
inline int TabOf(WPARAM wParam) { return static_cast<int>(wParam); }
// KGM_ON_CHANGING_ACTIVE_TAB, KGM_ONCHANGE_ACTIVE_TAB: the tab window that
// sent it (null: not a tab window).
inline CKGPBaseTabWnd* TabWndOf(LPARAM lParam) { return reinterpret_cast<CKGPBaseTabWnd*>(lParam); }
// KGM_ON_MOVE_TAB: where the tab was and where it went.
inline int MovedFromOf(WPARAM wParam) { return static_cast<int>(wParam); }
inline int MovedToOf(LPARAM lParam) { return static_cast<int>(lParam); }
// KGM_ON_RENAME_TAB: the new label.
inline LPCTSTR NewLabelOf(LPARAM lParam) { return reinterpret_cast<LPCTSTR>(lParam); }
// KGM_ON_GET_TAB_TOOLTIP: the query to fill (null: none to fill).
inline KGP_TAB_TOOLTIP_INFO* TooltipQueryOf(LPARAM lParam) { return reinterpret_cast<KGP_TAB_TOOLTIP_INFO*>(lParam); }

} // namespace KGPTabNotifications
