#include "tests/support/LibraryTestHost.h"

namespace keyloft_test {

CLibraryTestHost::~CLibraryTestHost()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_objects.clear();
}

LRESULT CLibraryTestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam != 0)
        m_received.push_back(RecordedMessage{message, wParam, lParam});
    return CRecordingHost::WindowProc(message, wParam, lParam);
}

} // namespace keyloft_test
