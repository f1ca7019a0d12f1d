#include "tests/support/RecordingHost.h"

#include "tests/support/MessagePump.h"

namespace keyloft_test {

CRecordingHost::CRecordingHost(COLORREF background) : m_backgroundColour(background) {}

CRecordingHost::~CRecordingHost()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
    }
}

BOOL CRecordingHost::CreateHost(int width, int height)
{
    return CreateHost(width, height, m_backgroundColour);
}

BOOL CRecordingHost::CreateHost(int width, int height, COLORREF background)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    if (background != CLR_DEFAULT) {
        if (m_background != nullptr) {
            ::DeleteObject(m_background);
        }
        m_background = ::CreateSolidBrush(background);
        brush = m_background;
    }
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW), brush);
    if (!CreateEx(0, windowClass, L"test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                  nullptr, nullptr)) {
        return FALSE;
    }
    Pump(50);
    return TRUE;
}

LRESULT CRecordingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message <= WM_USER + 40) {
        m_received.push_back(RecordedMessage{message, wParam, lParam});
        return m_answer;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<RecordedMessage> CRecordingHost::Take(UINT message)
{
    std::vector<RecordedMessage> taken;
    std::vector<RecordedMessage> rest;
    for (const RecordedMessage& m : m_received) {
        (m.message == message ? taken : rest).push_back(m);
    }
    m_received = rest;
    return taken;
}

} // namespace keyloft_test
