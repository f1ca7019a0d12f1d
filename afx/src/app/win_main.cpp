// Start-up and shut-down of the application: AfxWinInit, AfxWinMain, AfxWinTerm.
#include <afxwin.h>

#include <cstdio>

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    if (hInstance == nullptr) {
        hInstance = ::GetModuleHandleW(nullptr);
    }
    AfxSetInstanceHandle(hInstance);
    if (CWinApp* pApp = AfxGetApp()) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    if (CWinThread* pThread = AfxGetThread()) {
        pThread->m_nThreadID = ::GetCurrentThreadId();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
    AfxTermThread();
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    if (pThread == nullptr || pApp == nullptr) {
        std::fprintf(stderr, "no application object\n");
        return -1;
    }
    int nReturnCode = -1;
    pThread->m_msgCur = MSG{}; // the exit code of a run that never pumped is 0
    if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp->InitApplication()) {
        if (!pThread->InitInstance()) {
            if (pThread->m_pMainWnd != nullptr && ::IsWindow(pThread->m_pMainWnd->m_hWnd)) {
                pThread->m_pMainWnd->DestroyWindow();
            }
            nReturnCode = pThread->ExitInstance();
        } else {
            nReturnCode = pThread->Run();
        }
    }
    AfxWinTerm();
    return nReturnCode;
}
