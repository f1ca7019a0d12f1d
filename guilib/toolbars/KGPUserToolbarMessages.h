// The registered messages by which the customisation sheet asks a frame to
// make and to delete a user toolbar (KGPRegisteredMessages.h gives the ids).
// Each has one typed sending end and one typed receiving end: no end casts a
// parameter or an answer.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPRegisteredMessages.h"

class CKGPToolBar;

namespace KGPUserToolbarMessages {

// ---- Sending (pFrame: the frame that keeps the user toolbars).

// KGTOOLBAR_CREATE: a new user toolbar of that name; the bar made, or null.
inline CKGPToolBar* SendCreate(CWnd* pFrame, LPCTSTR lpszName)
{
    return reinterpret_cast<CKGPToolBar*>(pFrame->SendMessage(KGTOOLBAR_CREATE, 0, reinterpret_cast<LPARAM>(lpszName)));
}
// KGTOOLBAR_DELETE: the user toolbar deleted; whether the frame deleted it.
inline BOOL SendDelete(CWnd* pFrame, CKGPToolBar* pToolBar)
{
    return pFrame->SendMessage(KGTOOLBAR_DELETE, 0, reinterpret_cast<LPARAM>(pToolBar)) != 0;
}

// ---- Receiving (the frame's handlers).

// KGTOOLBAR_CREATE: the name asked for.
inline LPCTSTR NameOf(LPARAM lParam) { return reinterpret_cast<LPCTSTR>(lParam); }
// KGTOOLBAR_CREATE: the answer for the bar made (null: none).
inline LRESULT CreatedAnswer(CKGPToolBar* pMade) { return reinterpret_cast<LRESULT>(pMade); }
// KGTOOLBAR_DELETE: the toolbar to delete.
inline CKGPToolBar* ToolBarOf(LPARAM lParam) { return reinterpret_cast<CKGPToolBar*>(lParam); }

} // namespace KGPUserToolbarMessages
