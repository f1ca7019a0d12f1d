// Helpers of the window tests: the application object, top-level test windows,
// message pumping and waiting while pumping.
#pragma once

#include <afxwin.h>

#include <functional>

CWinApp& TestApp();
// Pumps this thread's messages through the application's pre-translation until
// the queue is empty.
void PumpPending();
// Pumps until done() is true or the time is up; answers whether done() became true.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Polls (without pumping) until done() is true or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// A window class for plain test windows.
LPCTSTR TestWindowClass();
