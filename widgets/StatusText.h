// Text in the main window's status bar.
#pragma once

#include <afx.h>

// The status bar's control id (the framework's status-bar id).
constexpr UINT kStatusBarId = 59393;

// Sets the text of the main window's descendant 59393; nothing without a main
// window or status bar.
void SetStatusText(LPCTSTR text);
// The same for a given top window (for windows other than the main one, and tests).
bool SetStatusTextOf(HWND topWindow, LPCTSTR text);
