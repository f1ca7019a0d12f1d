#include "tests/link/ProgressWindow.h"

namespace linktest {

ProgressWindow::ProgressWindow()
{
    // A message-only window of the predefined "Message" class needs no class
    // of its own and is never shown.
    m_window = CreateWindowExW(0, L"Message", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
}

ProgressWindow::~ProgressWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

std::vector<PostedMessage> ProgressWindow::Drain()
{
    std::vector<PostedMessage> posted;
    MSG msg = {};
    while (PeekMessageW(&msg, m_window, WM_USER + 6, WM_USER + 8, PM_REMOVE))
        posted.push_back(PostedMessage{msg.message, msg.wParam, msg.lParam});
    return posted;
}

}  // namespace linktest
