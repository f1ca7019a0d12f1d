// A CException thrown by a handler stops at the window procedure or the thread's
// entry: a CUserException silently, any other reported, WM_CREATE refused.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> g_reports{0};

int CALLBACK CountingBox(HWND, LPCTSTR, LPCTSTR, UINT, LPVOID)
{
    ++g_reports;
    return IDOK;
}

[[noreturn]] void Throw(bool bUser)
{
    if (bUser)
        AfxThrowUserException();
    AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, L"locked.bin");
}

class CThrowingWnd : public CWnd {
public:
    bool m_bThrowOnCreate = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return m_bThrowOnCreate ? (Throw(false), -1) : 0; }
    afx_msg LRESULT OnThrow(WPARAM bUser, LPARAM) { Throw(bUser != 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_APP + 1, &CThrowingWnd::OnThrow)
END_MESSAGE_MAP()

UINT AFX_CDECL ThrowingWorker(LPVOID) { Throw(false); }

TEST(ExceptionBarrier, HandlersThrowingStopAtTheWindowProcedureAndTheThreadEntry)
{
    TestApp();
    AFX_MSGBOX_HOOK previous = AfxSetMessageBoxHook(&CountingBox);
    g_reports = 0;
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"throws", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr));
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, FALSE), 0);
    EXPECT_EQ(g_reports, 1) << "reported once";
    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, TRUE), 0);
    EXPECT_EQ(g_reports, 1) << "a user exception is silent";
    wnd.DestroyWindow();

    CThrowingWnd refused;
    refused.m_bThrowOnCreate = true;
    EXPECT_FALSE(refused.CreateEx(0, TestWindowClass(), L"refused", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(g_reports, 2);

    CWinThread* pThread = AfxBeginThread(&ThrowingWorker, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeThread(pThread->m_hThread, &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
    EXPECT_EQ(g_reports, 3);
    delete pThread;
    AfxSetMessageBoxHook(previous);
}

} // namespace
