// The test program's application object: the program's own class, set up as
// the framework does before InitInstance (which the tests never run whole).
#pragma once

#include "app/shell/KeyloftApp.h"

CKeyloftApp& TestApp();
// Dispatches what is queued for this thread (a WM_QUIT is dropped).
void PumpPending();
