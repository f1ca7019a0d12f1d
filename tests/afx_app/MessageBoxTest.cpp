// Every message box of the layer goes through one function a test can hook.
#include "tests/afx_app/TestApp.h"
#include "tests/support/ThreadRun.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

struct Recorded {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
    DWORD threadId;
};

struct Recorder {
    std::mutex lock;
    std::vector<Recorded> boxes;
    int answer = IDYES;
};

int CALLBACK RecordBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, LPVOID pContext)
{
    auto* pRecorder = static_cast<Recorder*>(pContext);
    std::lock_guard guard(pRecorder->lock);
    pRecorder->boxes.push_back({hWndOwner, lpszText, lpszCaption != nullptr ? lpszCaption : L"", nType,
                                ::GetCurrentThreadId()});
    return pRecorder->answer;
}

UINT AFX_CDECL AskFromWorker(LPVOID)
{
    return static_cast<UINT>(AfxMessageBox(L"from the worker", MB_OKCANCEL));
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_EQ(AfxSetMessageBoxHook(&RecordBox, &m_recorder), nullptr);
    }
    void TearDown() override { EXPECT_EQ(AfxSetMessageBoxHook(nullptr), &RecordBox); }
    Recorder m_recorder;
};

TEST_F(MessageBoxTest, HookAnswersInsteadOfTheSystemWithTheAppTitleAndAnIcon)
{
    EXPECT_EQ(AfxMessageBox(L"Overwrite the file?", MB_YESNO), IDYES);
    m_recorder.answer = IDCANCEL;
    CWnd wnd; // no window: the box has no owner but the application's title
    EXPECT_EQ(wnd.MessageBox(L"Question 144"), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(31999u, MB_OK), IDCANCEL) << "a missing string still reaches the hook";

    ASSERT_EQ(m_recorder.boxes.size(), 3u);
    EXPECT_EQ(m_recorder.boxes[0].text, L"Overwrite the file?");
    EXPECT_EQ(m_recorder.boxes[0].caption, L"AfxAppTests");
    EXPECT_EQ(m_recorder.boxes[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(m_recorder.boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(m_recorder.boxes[1].caption, L"AfxAppTests");
    EXPECT_EQ(m_recorder.boxes[2].text, L"");
}

TEST_F(MessageBoxTest, WorkerBoxesReachTheHookOnTheWorkerThread)
{
    m_recorder.answer = IDOK;
    CWinThread* pThread = AfxBeginThread(&AskFromWorker, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    pThread->m_bAutoDelete = FALSE;
    const DWORD exitCode = keyloft_test::RunToEnd(pThread);
    const DWORD workerId = pThread->m_nThreadID;
    delete pThread;
    EXPECT_EQ(exitCode, static_cast<DWORD>(IDOK));
    ASSERT_EQ(m_recorder.boxes.size(), 1u);
    EXPECT_EQ(m_recorder.boxes[0].threadId, workerId);
    EXPECT_EQ(m_recorder.boxes[0].text, L"from the worker");
}

} // namespace
