// What a menu window sends with "KGM_GETOBGECT" (lParam points to it) to its
// top frame when asked for its accessible client object: the frame answers
// with the accessible object's result, or 0 for the system's default object.
#pragma once

#include <afxwin.h>

struct KGPAccessibleRequest {
    CWnd* pWnd;     // the menu bar or popup menu asked
    WPARAM wParam;  // the WM_GETOBJECT flags
    LPARAM lParam;  // the object id (OBJID_CLIENT)
    int nType;      // 0 the menu bar, 1 a popup menu
    HMENU hMenu;    // the menu it shows, or null
};

// Sends the request to the frame; 0 without a frame.
LRESULT KGPAskForAccessibleObject(CWnd* pFrame, const KGPAccessibleRequest& request);
