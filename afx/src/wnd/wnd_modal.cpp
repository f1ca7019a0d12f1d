// Pre-translation of queued messages, the message pump of threads without a
// CWinThread, and the modal loop of CWnd.
#include "afxstate.h"

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS) {
        FilterToolTipMessage(pMsg);
    }
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    const DWORD thisThread = ::GetCurrentThreadId();
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        // A window of another thread (the GUI thread's owner of a worker's dialog)
        // is that thread's business.
        if (::GetWindowThreadProcessId(hWnd, nullptr) != thisThread) {
            break;
        }
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (hWnd == hWndStop) {
            break;
        }
    }
    return FALSE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread()) {
        return pThread->PreTranslateMessage(pMsg);
    }
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread()) {
        return pThread->PumpMessage();
    }
    MSG msg{};
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the loop waiting for a message
    }
}

namespace {
BOOL IsIdleMessageOfThread(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread()) {
        return pThread->IsIdleMessage(pMsg);
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}
} // namespace

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    const bool bParentOnThisThread =
        hWndParent != nullptr && ::GetWindowThreadProcessId(hWndParent, nullptr) == ::GetCurrentThreadId();
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG msg{};
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            // WM_ENTERIDLE only to an owner of this thread: a cross-thread send could
            // wait on a GUI thread that waits on us.
            if (!(dwFlags & MLF_NOIDLEMSG) && bParentOnThisThread && lIdleCount == 0) {
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            }
            if ((dwFlags & MLF_NOKICKIDLE) ||
                !::SendMessageW(m_hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) {
                bIdle = FALSE;
            }
        }
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0); // let the outer loop see the quit request too
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (msg.message == 0x0118 || msg.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (IsIdleMessageOfThread(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}
