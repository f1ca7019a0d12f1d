#include "tests/support/MessagePump.h"

namespace keyloft_test {

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

void PumpPending()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace keyloft_test
