#include "widgets/GdiplusSession.h"

#include <atomic>
#include <objidl.h>
#include <gdiplus.h>

namespace {
std::atomic<int> g_startedSessions{0};
}

CGdiplusSession::CGdiplusSession()
{
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
    if (m_token != 0)
        ++g_startedSessions;
}

CGdiplusSession::~CGdiplusSession()
{
    if (m_token != 0) {
        --g_startedSessions;
        Gdiplus::GdiplusShutdown(m_token);
    }
}

bool CGdiplusSession::IsAnyStarted() { return g_startedSessions.load() > 0; }
