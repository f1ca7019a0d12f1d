// Real input for tests of behaviour a user drives: the mouse and keys through
// SendInput, as the system delivers them, and pumping that gives windows
// their PreTranslateMessage as a program's message loop does.
#pragma once

#include <afxwin.h>

#include <functional>

namespace keyloft_test {

// The pointer to a screen point; the left button down or up where it is.
void MouseMoveTo(CPoint ptScreen);
void MouseDown();
void MouseUp();
// A move to the point, a press and a release there.
void ClickAt(CPoint ptScreen);
// A key pressed and released, with Ctrl, Shift or Alt (VK_CONTROL, ...) held
// around it when one is given.
void PressKey(WORD wKey, WORD wModifier = 0);

// Dispatches this thread's messages for about ms milliseconds, each through
// the layer's PreTranslateMessage first.
void PumpTranslated(DWORD ms);
// The same until the condition holds (checked between messages) or the time
// is up; whether it held.
bool PumpUntil(const std::function<bool()>& condition, DWORD msTimeout = 3000);

} // namespace keyloft_test
