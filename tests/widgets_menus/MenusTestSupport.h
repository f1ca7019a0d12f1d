// The shared recording host and message pump, under the menu tests' names.
#pragma once

#include "tests/support/MessagePump.h"
#include "tests/support/RecordingHost.h"

namespace menus_test {

using CHostWnd = keyloft_test::CRecordingHost;
using Recorded = keyloft_test::RecordedMessage;
using keyloft_test::PointParam;
using keyloft_test::Pump;

} // namespace menus_test
