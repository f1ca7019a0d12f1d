#include "widgets/GdiplusSession.h"

#include <atomic>
#include <mutex>
#include <objidl.h>
#include <gdiplus.h>

namespace {
std::atomic<int> g_startedSessions{0};
// The session waiting for its first use. That use starts it with the lock held:
// whoever else needs GDI+ meanwhile waits for the start, and the session cannot
// end during it.
std::mutex g_firstUseLock;
CGdiplusSession* g_startOnFirstUse = nullptr;
}

CGdiplusSession::CGdiplusSession() { Start(); }

std::unique_ptr<CGdiplusSession> CGdiplusSession::StartOnFirstUse()
{
    std::unique_ptr<CGdiplusSession> session(new CGdiplusSession(Deferred{}));
    const std::lock_guard lock(g_firstUseLock);
    g_startOnFirstUse = session.get();
    return session;
}

void CGdiplusSession::Start()
{
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
    if (m_token != 0)
        ++g_startedSessions;
}

CGdiplusSession::~CGdiplusSession()
{
    {
        const std::lock_guard lock(g_firstUseLock);
        if (g_startOnFirstUse == this)
            g_startOnFirstUse = nullptr;
    }
    if (m_token != 0) {
        --g_startedSessions;
        Gdiplus::GdiplusShutdown(m_token);
    }
}

bool CGdiplusSession::IsStarted() const
{
    EnsureStarted();
    const std::lock_guard lock(g_firstUseLock);
    return m_token != 0;
}

bool CGdiplusSession::IsAnyStarted() { return g_startedSessions.load() > 0; }

void CGdiplusSession::EnsureStarted()
{
    const std::lock_guard lock(g_firstUseLock);
    if (g_startOnFirstUse != nullptr) {
        g_startOnFirstUse->Start();
        g_startOnFirstUse = nullptr;
    }
}
