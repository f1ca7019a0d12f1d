// Starts GDI+ for its lifetime (the program holds one from start-up to exit;
// tests that draw or load images hold their own).
#pragma once

#include <windows.h>

#include <cstdint>

class CGdiplusSession {
public:
    CGdiplusSession();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool IsStarted() const { return m_token != 0; }
    // True while at least one started session lives. Images destroyed after the
    // last session (global objects at exit) are left to the process's end, since
    // GDI+ may no longer be called then.
    static bool IsAnyStarted();

private:
    ULONG_PTR m_token = 0;
};
