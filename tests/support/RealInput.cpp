#include "tests/support/RealInput.h"

namespace keyloft_test {

namespace {

void SendMouse(DWORD flags, CPoint ptScreen = CPoint())
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if ((flags & MOUSEEVENTF_ABSOLUTE) != 0) {
        input.mi.dx = ptScreen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ptScreen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &input, sizeof(INPUT));
}

void SendKey(WORD wKey, bool bUp)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}

bool PumpOnce()
{
    bool any = false;
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        any = true;
        if (msg.message == WM_QUIT)
            continue;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return any;
}

} // namespace

void MouseMoveTo(CPoint ptScreen) { SendMouse(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, ptScreen); }

void MouseDown() { SendMouse(MOUSEEVENTF_LEFTDOWN); }

void MouseUp() { SendMouse(MOUSEEVENTF_LEFTUP); }

void ClickAt(CPoint ptScreen)
{
    MouseMoveTo(ptScreen);
    PumpTranslated(30);
    MouseDown();
    PumpTranslated(30);
    MouseUp();
}

void PressKey(WORD wKey, WORD wModifier)
{
    if (wModifier != 0)
        SendKey(wModifier, false);
    SendKey(wKey, false);
    SendKey(wKey, true);
    if (wModifier != 0)
        SendKey(wModifier, true);
}

void PumpTranslated(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        PumpOnce();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
    // On a loaded machine the time can be up before the input sent last was
    // read: it is read all the same (for at most a few seconds more).
    while ((HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) & (QS_INPUT | QS_POSTMESSAGE)) != 0 &&
           ::GetTickCount() - start < ms + 3000) {
        PumpOnce();
        ::Sleep(5);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD msTimeout)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpOnce();
        if (condition())
            return true;
        if (::GetTickCount() - start >= msTimeout)
            return false;
        ::Sleep(5);
    }
}

} // namespace keyloft_test
