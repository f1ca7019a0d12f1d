// The application object of the frame tests.
#pragma once

#include <afxwin.h>

#include "tests/support/MessagePump.h"

// The application, initialised with the test document template on first use.
CWinApp& TestApp();
using keyloft_test::PumpPending;
