// The application object of the test program and helpers shared by its tests.
#pragma once

#include <afxwin.h>

// Initialises the application object once (module handles, names).
CWinApp& TestApp();
