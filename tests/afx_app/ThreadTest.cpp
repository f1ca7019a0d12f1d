// Threads start with the layer's state: the resource module chosen on the GUI
// thread, their own CWinThread, the application's main window; they delete
// their CWinThread when they end.
#include "tests/afx_app/TestApp.h"
#include "tests/support/ThreadRun.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

struct WorkerObservation {
    HINSTANCE resourceModule = nullptr;
    HINSTANCE foundForMissing = nullptr;
    CWinThread* currentThread = nullptr;
    CWnd* mainWnd = nullptr;
    BOOL oleInitialised = FALSE;
};

UINT AFX_CDECL ObserveState(LPVOID pParam)
{
    auto* pSeen = static_cast<WorkerObservation*>(pParam);
    pSeen->resourceModule = AfxGetResourceHandle();
    pSeen->foundForMissing = AfxFindResourceHandle(MAKEINTRESOURCEW(31999), RT_DIALOG);
    pSeen->currentThread = AfxGetThread();
    pSeen->mainWnd = AfxGetMainWnd();
    pSeen->oleInitialised = AfxOleIsInitialized();
    return 42;
}

using keyloft_test::RunToEnd;

TEST(ThreadTest, WorkerSeesResourceModuleItsThreadAndTheMainWindow)
{
    CWinApp& app = TestApp();
    HMODULE hLanguage = ::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hLanguage, nullptr);
    AfxSetResourceHandle(hLanguage);
    CWnd mainWnd; // stands for the program's main window; no window needed
    app.m_pMainWnd = &mainWnd;
    ::OleInitialize(nullptr); // the main thread's OLE state is not the worker's

    WorkerObservation seen;
    CWinThread* pThread = AfxBeginThread(&ObserveState, &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    const DWORD exitCode = RunToEnd(pThread);
    ::OleUninitialize();

    EXPECT_EQ(exitCode, 42u);
    EXPECT_EQ(seen.resourceModule, reinterpret_cast<HINSTANCE>(hLanguage));
    EXPECT_EQ(seen.foundForMissing, AfxGetInstanceHandle()) << "missing in the language module: from the program";
    EXPECT_EQ(seen.currentThread, pThread);
    EXPECT_EQ(seen.mainWnd, &mainWnd);
    EXPECT_FALSE(seen.oleInitialised);
    EXPECT_EQ(AfxGetThread(), &app) << "the main thread's CWinThread is the application";

    app.m_pMainWnd = nullptr;
    AfxSetResourceHandle(nullptr);
    ::FreeLibrary(hLanguage);
}

class CountingThread : public CWinThread {
public:
    CountingThread(AFX_THREADPROC pfn, std::atomic<int>* pDestroyed) : CWinThread(pfn, nullptr), m_pDestroyed(pDestroyed) {}
    ~CountingThread() override { ++*m_pDestroyed; }

private:
    std::atomic<int>* m_pDestroyed;
};

UINT AFX_CDECL ReturnSeven(LPVOID)
{
    return 7;
}

TEST(ThreadTest, AutoDeleteDeletesTheObjectOnlyWhenAsked)
{
    std::atomic<int> destroyed{0};
    auto* pAuto = new CountingThread(&ReturnSeven, &destroyed);
    ASSERT_TRUE(pAuto->CreateThread(CREATE_SUSPENDED));
    EXPECT_EQ(RunToEnd(pAuto), 7u);
    EXPECT_EQ(destroyed.load(), 1);

    auto* pKept = new CountingThread(&ReturnSeven, &destroyed);
    pKept->m_bAutoDelete = FALSE;
    ASSERT_TRUE(pKept->CreateThread(CREATE_SUSPENDED));
    EXPECT_EQ(RunToEnd(pKept), 7u);
    EXPECT_EQ(destroyed.load(), 1);
    delete pKept;
    EXPECT_EQ(destroyed.load(), 2);
}

class CQuittingThread : public CWinThread {
    DECLARE_DYNCREATE(CQuittingThread)
public:
    BOOL InitInstance() override
    {
        ::PostQuitMessage(9); // Run pumps until the quit and returns ExitInstance's code
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CQuittingThread, CWinThread)

TEST(ThreadTest, UserInterfaceThreadRunsItsLoopAndReturnsTheQuitCode)
{
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CQuittingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, nullptr);
    EXPECT_EQ(RunToEnd(pThread), 9u);
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), nullptr) << "not a thread class";
}

TEST(ThreadTest, ForeignThreadsHaveNoCWinThreadAndOleStateIsPerThread)
{
    TestApp();
    CWinThread* seen = reinterpret_cast<CWinThread*>(1);
    BOOL oleOnWorker = FALSE;
    std::thread([&] {
        seen = AfxGetThread();
        oleOnWorker = AfxOleInit();
        AfxTermThread();
    }).join();
    EXPECT_EQ(seen, nullptr);
    EXPECT_TRUE(oleOnWorker);
    EXPECT_FALSE(AfxOleIsInitialized());
    ASSERT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleIsInitialized());
    AfxOleTerm();
    EXPECT_FALSE(AfxOleIsInitialized());
}

} // namespace
