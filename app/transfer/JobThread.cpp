#include "app/transfer/JobThread.h"

#include <system_error>

CJobThread::~CJobThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool CJobThread::Run(Job job)
{
    std::lock_guard lock(m_mutex);
    if (!m_thread.joinable()) {
        try {
            m_thread = std::thread(&CJobThread::Loop, this);
        } catch (const std::system_error&) {
            return false;
        }
    }
    m_jobs.push_back(std::move(job));
    m_changed.notify_all();
    return true;
}

void CJobThread::Wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_running; });
}

void CJobThread::Loop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;  // asked to end, nothing left to do
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_running = true;
        lock.unlock();
        job();
        job = nullptr;  // what the job holds goes before the owner hears it ended
        lock.lock();
        m_running = false;
        m_changed.notify_all();
    }
}
