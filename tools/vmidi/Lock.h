#pragma once
// A slim reader/writer lock used exclusively, with a scope guard.
#include <windows.h>

namespace vmidi {

class Lock {
public:
    Lock() { InitializeSRWLock(&lock_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    SRWLOCK* Native() { return &lock_; }

private:
    SRWLOCK lock_;
};

class Guard {
public:
    explicit Guard(Lock& lock) : lock_(lock) { AcquireSRWLockExclusive(lock_.Native()); }
    ~Guard() { ReleaseSRWLockExclusive(lock_.Native()); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    Lock& lock_;
};

} // namespace vmidi
