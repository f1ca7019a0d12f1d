// Mouse-leave tracking by a 100 ms timer: posts WM_MOUSELEAVE to the window
// once the cursor has left it (for windows whose own tracking is unreliable).
#pragma once

#include <afxwin.h>

// Supports TME_LEAVE and TME_CANCEL; FALSE for a missing window.
BOOL TrackMouseLeaveByTimer(LPTRACKMOUSEEVENT pTrack);
