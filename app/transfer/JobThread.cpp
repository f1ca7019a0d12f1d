#include "app/transfer/JobThread.h"

#include <system_error>

#include "core/sync/ExclusiveLock.h"

CJobThread::~CJobThread()
{
    {
        CExclusiveLock lock(m_lock);
        m_quit = true;
    }
    WakeAllConditionVariable(&m_changed);
    if (m_thread.joinable())
        m_thread.join();
}

bool CJobThread::Run(Job job)
{
    {
        CExclusiveLock lock(m_lock);
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread(&CJobThread::Loop, this);
            } catch (const std::system_error&) {
                return false;
            }
        }
        m_jobs.push_back(std::move(job));
    }
    WakeAllConditionVariable(&m_changed);
    return true;
}

void CJobThread::Wait()
{
    CExclusiveLock lock(m_lock);
    while (!m_jobs.empty() || m_running)
        lock.Wait(m_changed);
}

void CJobThread::Loop()
{
    for (;;) {
        Job job;
        {
            CExclusiveLock lock(m_lock);
            while (!m_quit && m_jobs.empty())
                lock.Wait(m_changed);
            if (m_jobs.empty())
                return;  // asked to end, nothing left to do
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_running = true;
        }
        job();
        job = nullptr;  // what the job holds goes before the owner hears it ended
        {
            CExclusiveLock lock(m_lock);
            m_running = false;
        }
        WakeAllConditionVariable(&m_changed);
    }
}
