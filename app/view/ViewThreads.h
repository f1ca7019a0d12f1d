// The view's background threads: one watch per data folder, posting a folder
// change to the view, and the keep-alive, which checks every few seconds that
// the connected instrument still answers. All of them wait on one stop event,
// so the view can end and join them before its port goes away.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

class CUSBPort;

struct FolderWatchTarget {
    int kind = 0;
    CString folder;      // the data folder, with a trailing backslash
    DWORD filter = 0;    // FILE_NOTIFY_CHANGE_* flags
};

class CViewThreads {
public:
    CViewThreads();
    ~CViewThreads();
    CViewThreads(const CViewThreads&) = delete;
    CViewThreads& operator=(const CViewThreads&) = delete;

    // One thread per folder, posting WM_USER+10 (wParam the kind) to view.
    void StartFolderWatches(HWND view, const std::vector<FolderWatchTarget>& folders);
    // Every periodMs: while connected and the port is idle, the clear-state
    // exchange; on failure the connected flag is cleared and WM_USER+28 is
    // posted to lostTarget.
    void StartKeepAlive(CUSBPort& port, HWND lostTarget, DWORD periodMs);
    // Signals the stop event and waits for every thread to end.
    void StopAll();
    int RunningCount() const;

private:
    struct Worker;
    void Launch(AFX_THREADPROC proc, std::unique_ptr<Worker> worker);
    static UINT AFX_CDECL FolderWatchProc(LPVOID param);
    static UINT AFX_CDECL KeepAliveProc(LPVOID param);

    CEventHandle m_stopEvent;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::unique_ptr<CWinThread>> m_threads;
};
