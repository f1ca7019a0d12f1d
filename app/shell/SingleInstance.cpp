#include "app/shell/SingleInstance.h"

bool CSingleInstanceLock::Acquire(const wchar_t* name)
{
    Close();
    m_mutex = ::CreateMutexW(nullptr, TRUE, name);
    return m_mutex != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void CSingleInstanceLock::Close()
{
    if (m_mutex != nullptr) {
        ::CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
}
