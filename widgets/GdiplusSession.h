// Starts GDI+ for its lifetime (the program holds one from start-up to exit;
// tests that draw or load images hold their own).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

class CGdiplusSession {
public:
    // Starts GDI+ now, on the calling thread.
    CGdiplusSession();
    // Starts nothing yet: GDI+ is loaded and started by the first image decoded
    // (EnsureStarted), on the thread that decodes it, or by IsStarted. A program
    // that shows no image before its first windows have painted does not load
    // the library while it makes them.
    static std::unique_ptr<CGdiplusSession> StartOnFirstUse();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool IsStarted() const;
    // True while at least one started session lives. Images destroyed after the
    // last session (global objects at exit) are left to the process's end, since
    // GDI+ may no longer be called then.
    static bool IsAnyStarted();
    // Returns once GDI+ may be called: starts a session waiting for its first
    // use, if there is one (whoever asks meanwhile waits for that start).
    static void EnsureStarted();

private:
    struct Deferred {};
    explicit CGdiplusSession(Deferred) {}
    void Start();

    ULONG_PTR m_token = 0;
};
