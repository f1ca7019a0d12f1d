// Starts GDI+ for its lifetime (the program holds one from start-up to exit;
// tests that draw or load images hold their own).
#pragma once

#include <windows.h>

#include <cstdint>
#include <future>
#include <memory>

class CGdiplusSession {
public:
    // Starts GDI+ now, on the calling thread.
    CGdiplusSession();
    // Starts GDI+ on a worker thread and returns at once: the library is loaded
    // and started while the caller goes on. Whatever decodes an image waits for
    // that start first (WaitForStart), and so does the session's end.
    static std::unique_ptr<CGdiplusSession> StartInBackground();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

    bool IsStarted() const;
    // True while at least one started session lives. Images destroyed after the
    // last session (global objects at exit) are left to the process's end, since
    // GDI+ may no longer be called then.
    static bool IsAnyStarted();
    // Returns once a start begun in the background has ended (at once when none
    // was begun).
    static void WaitForStart();

private:
    struct Deferred {};
    explicit CGdiplusSession(Deferred) {}
    void Start();

    ULONG_PTR m_token = 0;
    std::shared_future<void> m_start;
};
