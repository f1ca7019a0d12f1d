#include "tests/afx_windows/WindowTestSupport.h"

namespace {
class CWindowTestsApp : public CWinApp {
public:
    CWindowTestsApp() : CWinApp(L"AfxWindowTests") {}
};
CWindowTestsApp theApp;
} // namespace

CWinApp& TestApp()
{
    static const bool initialised =
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_HIDE);
    static_cast<void>(initialised);
    return *AfxGetApp();
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
            continue;
        }
        AfxGetThread()->PumpMessage();
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        ::Sleep(10);
    }
    return true;
}

LPCTSTR TestWindowClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}
