#include "guilib/docking/KGPToolbarLinks.h"

BOOL KGPToolbarLinks::s_bCustomizeMode = FALSE;
BOOL KGPToolbarLinks::s_bModalState = FALSE;
CWnd* KGPToolbarLinks::s_pActivePopupMenu = nullptr;
CObject* KGPToolbarLinks::s_pKeyboardManager = nullptr;
CObject* KGPToolbarLinks::s_pContextMenuManager = nullptr;
