// Windows for the control tests: the shared recording host with the widget
// tests' light background, dialog helpers, and window captures.
#pragma once

#include <afxwin.h>

#include <vector>

#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/WindowCapture.h"

namespace widgets_test {

using keyloft_test::CDialogAnswerer;
using keyloft_test::MakeDialogTemplate;
using keyloft_test::Pump;
using keyloft_test::RecordedMessage;

// The recording host filled light blue-grey, so that controls which paint
// their parent's background show it.
class CRecordingParent : public keyloft_test::CRecordingHost {
public:
    CRecordingParent();
};

using keyloft_test::CaptureWindow;

// A colour as the captures hold it (0x00RRGGBB).
inline DWORD AsPixel(COLORREF colour)
{
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

} // namespace widgets_test
