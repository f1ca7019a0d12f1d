// What a window shows on the screen, as pixels or as a bitmap file for a look
// by eye.
#pragma once

#include <afxwin.h>

#include <vector>

namespace keyloft_test {

// Repaints the window with its children and returns what the screen shows of
// it, row by row from the top (0x00RRGGBB).
std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height);

// How many colours a child window's part of its top-level window's capture
// (CaptureWindow of `top`, `width` pixels a row) holds.
size_t ColoursIn(const std::vector<DWORD>& pixels, int width, const CWnd& top, const CWnd& child);

// Writes that picture as a 32-bit .bmp file; FALSE when it cannot be written.
BOOL SaveScreenshot(HWND hWnd, const wchar_t* path);

// What the screen shows in the rectangle (every window over it, popups
// included), row by row from the top (0x00RRGGBB).
std::vector<DWORD> CaptureScreenArea(const RECT& area);
// The same once the screen has settled: Wine copies a window's pixels to the
// display after its paint, later on a loaded machine, and a control may finish
// on a posted message. Captures, pumping this thread's messages between, until
// two captures in a row agree (at most about two seconds).
std::vector<DWORD> CaptureSettledScreenArea(const RECT& area);
// Writes the screen in the rectangle as a 32-bit .bmp file.
BOOL SaveScreenArea(const RECT& area, const wchar_t* path);

} // namespace keyloft_test
