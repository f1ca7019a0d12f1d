// Holds the system's slim reader/writer lock exclusively for its scope. The
// system's lock and condition variable wake a waiting thread without a call to
// the Wine server, where a semaphore-based one makes one or two per hand-over.
#pragma once

#include <windows.h>

class CExclusiveLock {
public:
    explicit CExclusiveLock(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~CExclusiveLock() { ReleaseSRWLockExclusive(&m_lock); }
    CExclusiveLock(const CExclusiveLock&) = delete;
    CExclusiveLock& operator=(const CExclusiveLock&) = delete;

    // Waits on the condition with the lock let go meanwhile and held again after.
    void Wait(CONDITION_VARIABLE& condition) { SleepConditionVariableSRW(&condition, &m_lock, INFINITE, 0); }

private:
    SRWLOCK& m_lock;
};
