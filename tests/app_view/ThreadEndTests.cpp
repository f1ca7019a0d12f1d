// Background threads end cleanly: a thread started through AfxBeginThread that
// used the layer's per-thread temporary wrappers (as the view's threads and
// the transfer workers do) frees them at its end without touching freed
// memory. A fault there was silent at the time: Wine swallows it inside the
// thread's exit callbacks, which leaves the run-time's thread-key lock held,
// and the program hangs for good in exit().
#include <gtest/gtest.h>

#include <afxcmn.h>
#include <afxwin.h>
#include <pthread.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

std::atomic<int> g_accessViolations{0};

LONG CALLBACK CountAccessViolations(EXCEPTION_POINTERS* info)
{
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        ++g_accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}

// Counts the access violations of every thread while it lives, including
// those that an exit callback's guard swallows.
class AccessViolationCounter {
public:
    AccessViolationCounter() : m_handler(::AddVectoredExceptionHandler(1, &CountAccessViolations))
    {
        g_accessViolations = 0;
    }
    ~AccessViolationCounter() { ::RemoveVectoredExceptionHandler(m_handler); }
    AccessViolationCounter(const AccessViolationCounter&) = delete;
    AccessViolationCounter& operator=(const AccessViolationCounter&) = delete;
    int Count() const { return g_accessViolations.load(); }

private:
    PVOID m_handler = nullptr;
};

struct Handles {
    HMENU menu = nullptr;
    HIMAGELIST images = nullptr;
};

UINT AFX_CDECL UseTemporaryWrappers(LPVOID param)
{
    const auto& handles = *static_cast<const Handles*>(param);
    CMenu* menu = CMenu::FromHandle(handles.menu);
    CImageList* images = CImageList::FromHandle(handles.images);
    CDC* screen = CDC::FromHandle(::GetDC(nullptr));
    const bool ok = menu != nullptr && menu->GetMenuItemCount() == 1 && images != nullptr &&
                    images->GetImageCount() == 0 && screen != nullptr;
    ::ReleaseDC(nullptr, screen->GetSafeHdc());
    AfxDeleteTempMenuMap();  // as an idle pass would; the thread's end frees the rest
    CMenu::FromHandle(handles.menu);
    return ok ? 0 : 1;
}

// Creates and deletes a thread key on a thread of its own: it cannot finish
// while the run-time's key lock is still held by a thread that died in its
// exit callbacks.
bool ThreadKeysStillWork()
{
    static std::atomic<bool> done{false};
    done = false;
    HANDLE probe = ::CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            pthread_key_t key{};
            if (pthread_key_create(&key, nullptr) == 0)
                pthread_key_delete(key);
            done = true;
            return 0;
        },
        nullptr, 0, nullptr);
    if (probe == nullptr)
        return false;
    ::WaitForSingleObject(probe, 5000);
    ::CloseHandle(probe);
    return done.load();
}

} // namespace

TEST(ThreadEnd, WorkerThreadsFreeTheirTemporaryWrappersWithoutFaults)
{
    Handles handles;
    handles.menu = ::CreatePopupMenu();
    ::AppendMenuW(handles.menu, MF_STRING, 1, L"item");
    handles.images = ::ImageList_Create(16, 16, ILC_COLOR24, 0, 1);
    ASSERT_NE(handles.images, nullptr);

    AccessViolationCounter faults;
    std::vector<std::unique_ptr<CWinThread>> threads;
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 8; ++i) {
            CWinThread* thread =
                AfxBeginThread(&UseTemporaryWrappers, &handles, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
            ASSERT_NE(thread, nullptr);
            thread->m_bAutoDelete = FALSE;
            thread->ResumeThread();
            threads.emplace_back(thread);
        }
        for (const auto& thread : threads) {
            ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
            DWORD code = 99;
            ::GetExitCodeThread(thread->m_hThread, &code);
            EXPECT_EQ(code, 0u);
        }
        threads.clear();
    }
    EXPECT_EQ(faults.Count(), 0);
    EXPECT_TRUE(ThreadKeysStillWork()) << "a thread died holding the run-time's key lock";

    ::ImageList_Destroy(handles.images);
    ::DestroyMenu(handles.menu);
}
