#include "tests/widgets_menus/MenusTestSupport.h"

namespace menus_test {

CHostWnd::~CHostWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CHostWnd::CreateHost(int width, int height)
{
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CreateEx(0, windowClass, L"menus host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 30, 30, width, height,
                  nullptr, nullptr)) {
        return FALSE;
    }
    Pump(30);
    return TRUE;
}

LRESULT CHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message <= WM_USER + 40) {
        m_received.push_back(Recorded{message, wParam, lParam});
        return m_answer;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<Recorded> CHostWnd::Take(UINT message)
{
    std::vector<Recorded> taken;
    std::vector<Recorded> rest;
    for (const Recorded& m : m_received) {
        (m.message == message ? taken : rest).push_back(m);
    }
    m_received = rest;
    return taken;
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms > 0) {
            ::Sleep(5);
        }
    } while (::GetTickCount() - start < ms);
}

} // namespace menus_test
