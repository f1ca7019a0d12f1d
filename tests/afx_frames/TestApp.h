// The application object of the frame tests.
#pragma once

#include <afxwin.h>

// The application, initialised with the test document template on first use.
CWinApp& TestApp();
// Dispatches what is queued for this thread (a WM_QUIT is dropped).
void PumpPending();
