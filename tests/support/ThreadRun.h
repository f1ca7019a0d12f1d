// Running a framework thread to its end from a test. Header-only, so any
// suite can include it.
#pragma once

#include <afxwin.h>

namespace keyloft_test {

// Starts a thread made with CREATE_SUSPENDED, waits up to timeoutMs for it to
// end and answers its exit code (STILL_ACTIVE when it did not end). The handle
// is duplicated first, so an auto-deleting thread object may go meanwhile.
inline DWORD RunToEnd(CWinThread* suspended, DWORD timeoutMs = 10000)
{
    HANDLE handle = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), suspended->m_hThread, ::GetCurrentProcess(), &handle, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    suspended->ResumeThread();
    DWORD exitCode = STILL_ACTIVE;
    if (::WaitForSingleObject(handle, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeThread(handle, &exitCode);
    ::CloseHandle(handle);
    return exitCode;
}

} // namespace keyloft_test
