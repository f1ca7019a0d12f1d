// The test program's application object: the program's own class, set up as
// the framework does before InitInstance (which the tests never run whole).
#pragma once

#include "app/shell/KeyloftApp.h"
#include "tests/support/MessagePump.h"

CKeyloftApp& TestApp();

using keyloft_test::PumpPending;
