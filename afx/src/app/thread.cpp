// CWinThread: worker and user-interface threads with the layer's thread state.
#include "../wnd/afxstate.h"

#include <process.h>

#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

void FinishThread(CWinThread* pThread, BOOL bDelete)
{
    AfxTermThread();
    afx_detail::GetThreadState().pCurrentThread = nullptr;
    if (bDelete && pThread != nullptr) {
        pThread->Delete();
    }
}

unsigned __stdcall ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    afx_detail::GetThreadState().pCurrentThread = pThread;
    UINT nResult = 0;
    try {
        if (pThread->m_pfnThreadProc != nullptr) {
            nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        } else if (!pThread->InitInstance()) {
            nResult = static_cast<UINT>(pThread->ExitInstance());
        } else {
            nResult = static_cast<UINT>(pThread->Run());
        }
    } catch (CException* e) {
        // Nothing above the entry can catch it: report as a window procedure would.
        pThread->ProcessWndProcException(e, nullptr);
        e->Delete();
        nResult = static_cast<UINT>(-1);
    }
    FinishThread(pThread, TRUE);
    return nResult;
}

} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr) {
        ::CloseHandle(m_hThread);
    }
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.pCurrentThread == this) {
        state.pCurrentThread = nullptr;
    }
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr) {
        return FALSE;
    }
    unsigned threadId = 0;
    uintptr_t handle = ::_beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this, CREATE_SUSPENDED, &threadId);
    if (handle == 0) {
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        ::ResumeThread(m_hThread); // the thread may end and delete this object from here on
    }
    return TRUE;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd != nullptr ? m_pActiveWnd : m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE; // a user-interface thread class says what it does
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

void CWinThread::Delete()
{
    if (m_bAutoDelete) {
        delete this;
    }
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) {
                bIdle = FALSE;
            }
        }
        do {
            if (!PumpMessage()) {
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageW(&m_msgCur, nullptr, 0, 0) <= 0) {
        return FALSE; // WM_QUIT (or a broken queue)
    }
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr) {
        return FALSE; // thread message
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = CWnd::HwndOf(pMainWnd);
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) {
        return TRUE;
    }
    // A modeless window outside the main window still gets the main window's
    // accelerators, when the main window belongs to this thread.
    if (hWndMain != nullptr && ::GetWindowThreadProcessId(hWndMain, nullptr) == ::GetCurrentThreadId()) {
        HWND hWndTop = pMsg->hwnd;
        for (HWND hWndUp = hWndTop; hWndUp != nullptr; hWndUp = ::GetParent(hWndUp)) {
            hWndTop = hWndUp;
        }
        if (hWndTop != hWndMain) {
            return pMainWnd->PreTranslateMessage(pMsg);
        }
    }
    return FALSE;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg)
{
    return lpMsg != nullptr && PreTranslateMessage(lpMsg);
}

namespace {

// Sends the idle update to a visible top-level window and all below it.
void IdleUpdate(HWND hWnd)
{
    if (!::IsWindowVisible(hWnd)) {
        return;
    }
    ::SendMessageW(hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd)) {
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

} // namespace

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // Toolbars, status bars and other command-UI users update now: those of
        // the main window and of every other frame of this thread (floating bars).
        HWND hWndMain = CWnd::HwndOf(m_pMainWnd);
        if (hWndMain != nullptr && ::GetWindowThreadProcessId(hWndMain, nullptr) == ::GetCurrentThreadId()) {
            IdleUpdate(hWndMain);
        }
        std::vector<HWND> frames;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
                if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
                    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&frames));
        for (HWND hWnd : frames) {
            if (hWnd != hWndMain && ::IsWindow(hWnd)) {
                IdleUpdate(hWnd);
            }
        }
    } else {
        CWnd::DeleteTempMap();
        AfxDeleteTempMenuMap();
        AfxDeleteTempGdiMaps();
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // The same position again is no reason for another idle pass.
        if (m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y) {
            return FALSE;
        }
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

namespace {

// Starts a new thread object suspended, so that its priority is set before it
// runs; frees it when no thread could be made.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) {
        pThread->ResumeThread();
    }
    return pThread;
}

} // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == nullptr || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread))) {
        return nullptr;
    }
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == nullptr) {
        return nullptr;
    }
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    FinishThread(AfxGetThread(), bDelete);
    ::_endthreadex(nExitCode);
    for (;;) {
    }
}

CWinThread* AFXAPI AfxGetThread()
{
    return afx_detail::GetThreadState().pCurrentThread;
}
