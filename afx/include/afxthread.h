// Threads of the layer. Each thread started through AfxBeginThread (and the main
// thread, through the application object) has a CWinThread; AfxGetThread returns
// it. The resource module is process-wide, so a worker loads dialogs and strings
// from the module the GUI thread set with AfxSetResourceHandle.
#pragma once

#include "afxmsg.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread (suspended when dwCreateFlags has CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    CWnd* m_pMainWnd = nullptr;   // the thread's main window (falls back to the application's)
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;    // deleted when the thread ends
    HANDLE m_hThread = nullptr;   // owned; closed by the destructor
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    operator HANDLE() const { return m_hThread; }
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual int ExitInstance();
    virtual void Delete(); // deletes the object when m_bAutoDelete is set
    // What a window procedure of this thread answers when a handler threw: -1 to
    // WM_CREATE, 0 otherwise; the failure is reported unless it is a CUserException
    // (whose thrower already told the user). The caller frees the exception.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

    // Offers pMsg to the windows from its target up to this thread's main window.
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg);

protected:
    POINT m_ptCursorLast{};
    UINT m_nMsgLast = 0;
};

// Starts a worker thread running pfnThreadProc(pParam); the CWinThread deletes
// itself when the thread ends (unless m_bAutoDelete is cleared while suspended).
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Starts a user-interface thread of a CWinThread class created by run-time class.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling thread (deleting its CWinThread when bDelete and auto-delete).
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The CWinThread of the calling thread (the application object on the main thread).
CWinThread* AFXAPI AfxGetThread();
// The exception barrier of window procedures: asks the calling thread's
// CWinThread (or the default policy when it has none).
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);
// Releases what the layer keeps for the calling thread (temporary wrappers, the
// creation hook, the tooltip control). Every thread's state is released when the
// thread ends, whoever started it; calling this earlier frees it sooner.
void AFXAPI AfxTermThread();
