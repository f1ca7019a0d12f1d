#include "app/shell/SingleInstance.h"

bool CSingleInstanceLock::Acquire(const wchar_t* name)
{
    Close();
    m_mutex.Reset(::CreateMutexW(nullptr, TRUE, name));  // nothing is closed here: the last error stays
    return m_mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void CSingleInstanceLock::Close()
{
    m_mutex.Reset();
}
