// One thread that runs its owner's jobs one after the other for as long as the
// owner lives: work handed off the GUI thread again and again (a page's folder
// listings and mark checks) does not pay for starting a thread each time.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <thread>

class CJobThread {
public:
    using Job = std::function<void()>;

    CJobThread() = default;
    // Waits for the jobs handed over, then ends the thread.
    ~CJobThread();
    CJobThread(const CJobThread&) = delete;
    CJobThread& operator=(const CJobThread&) = delete;

    // Runs the job on the thread after the jobs before it; the thread starts
    // with the first job. False when it cannot start: the job does not run.
    bool Run(Job job);
    // Returns once every job handed over has ended.
    void Wait();

private:
    void Loop();

    // The system's lock and condition: handing a job over wakes the thread
    // without a call to the Wine server.
    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_changed = CONDITION_VARIABLE_INIT;
    std::deque<Job> m_jobs;
    bool m_running = false;  // a job is in hand
    bool m_quit = false;
    std::thread m_thread;
};
