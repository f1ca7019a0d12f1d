// The lock that keeps a second copy of the program from starting: a named
// mutex the first copy holds until exit.
#pragma once

#include <afxhandle.h>

class CSingleInstanceLock {
public:
    CSingleInstanceLock() = default;
    ~CSingleInstanceLock() { Close(); }
    CSingleInstanceLock(const CSingleInstanceLock&) = delete;
    CSingleInstanceLock& operator=(const CSingleInstanceLock&) = delete;

    // False when another holder of the name exists (this copy must end).
    bool Acquire(const wchar_t* name);
    void Close();
    bool IsHeld() const { return static_cast<bool>(m_mutex); }

private:
    CMutexHandle m_mutex;
};
