// The application object of the test program and helpers shared by its tests.
#pragma once

#include <afxwin.h>

#include <string>

// Initialises the application object once (module handles, names).
CWinApp& TestApp();

// What the test application's InitInstance does, and what its life cycle saw.
struct TestAppScript {
    BOOL initResult = TRUE;
    int quitCode = 0;          // posted by InitInstance when it succeeds
    bool setMainWnd = false;   // InitInstance sets m_pMainWnd (a window-less CWnd)
    std::wstring events;       // "init run exit" as they happen
};
TestAppScript& TestAppLifeCycle();
