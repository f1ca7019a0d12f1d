#include "widgets/GdiplusSession.h"

#include <atomic>
#include <mutex>
#include <objidl.h>
#include <gdiplus.h>

namespace {
std::atomic<int> g_startedSessions{0};
// The last start begun in the background, for image code to wait on.
std::mutex g_backgroundLock;
std::shared_future<void> g_backgroundStart;
}

CGdiplusSession::CGdiplusSession() { Start(); }

std::unique_ptr<CGdiplusSession> CGdiplusSession::StartInBackground()
{
    std::unique_ptr<CGdiplusSession> session(new CGdiplusSession(Deferred{}));
    CGdiplusSession* starting = session.get();
    session->m_start = std::async(std::launch::async, [starting] { starting->Start(); }).share();
    const std::lock_guard lock(g_backgroundLock);
    g_backgroundStart = session->m_start;
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
    // A start still running on its worker ends first.
    if (m_start.valid())
        m_start.wait();
    if (m_token != 0) {
        --g_startedSessions;
        Gdiplus::GdiplusShutdown(m_token);
    }
}

bool CGdiplusSession::IsStarted() const
{
    if (m_start.valid())
        m_start.wait();
    return m_token != 0;
}

bool CGdiplusSession::IsAnyStarted() { return g_startedSessions.load() > 0; }

void CGdiplusSession::WaitForStart()
{
    std::shared_future<void> start;
    {
        const std::lock_guard lock(g_backgroundLock);
        start = g_backgroundStart;
    }
    if (start.valid())
        start.wait();
}
