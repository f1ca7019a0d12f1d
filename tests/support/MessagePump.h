// Message pumping and packed mouse positions for tests that drive windows.
#pragma once

#include <afxwin.h>

namespace keyloft_test {

// Dispatches the calling thread's queued messages for about ms milliseconds
// (once, when ms is 0).
void Pump(DWORD ms = 0);

// Dispatches what is queued for this thread now; a WM_QUIT (a main frame's
// end) is dropped, so that it does not end the test's own loop.
void PumpPending();

// A client position packed as a mouse message's lParam (signed 16-bit x and y).
inline LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

} // namespace keyloft_test
