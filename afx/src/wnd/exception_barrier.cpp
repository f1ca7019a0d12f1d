// The exception barrier: a CException thrown by a handler stops at the window
// procedure (or the thread's entry) that called it and never unwinds through
// the system's frames.
#include <afxwin.h>

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->message == WM_PAINT) {
        ::ValidateRect(pMsg->hwnd, nullptr); // or WM_PAINT comes back at once, forever
    }
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    }
    return pMsg != nullptr && pMsg->message == WM_CREATE ? -1 : 0;
}

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread()) {
        return pThread->ProcessWndProcException(e, pMsg);
    }
    CWinThread policy; // a thread the layer did not start: the default policy
    policy.m_bAutoDelete = FALSE;
    return policy.ProcessWndProcException(e, pMsg);
}
