// A dock bar whose window cannot be made: it deletes itself once (its own
// PostNcDestroy), and the frame's docking reports the failure without
// deleting it again. The program's allocation functions are replaced here so
// that a second delete of one block is counted instead of corrupting the heap.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/frames/KGPFrameWnd.h"

#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <new>

namespace {

// While watching, freed blocks are kept (not given back to the heap) so that a
// second delete finds them; they are given back when the watch ends.
struct DeleteWatch {
    static constexpr int kSlots = 4096;
    std::atomic_flag busy = ATOMIC_FLAG_INIT;
    bool watching = false;
    void* kept[kSlots] = {};
    int keptCount = 0;
    int doubleDeletes = 0;

    void Lock()
    {
        while (busy.test_and_set(std::memory_order_acquire)) {
        }
    }
    void Unlock() { busy.clear(std::memory_order_release); }
};

DeleteWatch g_watch;

void StartWatching()
{
    g_watch.Lock();
    g_watch.watching = true;
    g_watch.keptCount = 0;
    g_watch.doubleDeletes = 0;
    g_watch.Unlock();
}

// Ends the watch, gives the kept blocks back and answers the double deletes seen.
int StopWatching()
{
    g_watch.Lock();
    g_watch.watching = false;
    for (int i = 0; i < g_watch.keptCount; ++i)
        std::free(g_watch.kept[i]);
    g_watch.keptCount = 0;
    const int seen = g_watch.doubleDeletes;
    g_watch.Unlock();
    return seen;
}

} // namespace

void* operator new(size_t size)
{
    if (void* block = std::malloc(size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}

namespace {

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    g_watch.Lock();
    if (g_watch.watching) {
        for (int i = 0; i < g_watch.keptCount; ++i) {
            if (g_watch.kept[i] == block) {
                ++g_watch.doubleDeletes;
                g_watch.Unlock();
                return;
            }
        }
        if (g_watch.keptCount < DeleteWatch::kSlots) {
            g_watch.kept[g_watch.keptCount++] = block;
            g_watch.Unlock();
            return;
        }
    }
    g_watch.Unlock();
    std::free(block);
}

} // namespace

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, size_t) noexcept
{
    Release(block);
}

namespace {

class CBareFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// Refuses the creation of every dock bar window on this thread while it lives.
class DockBarRefusal {
public:
    DockBarRefusal() : m_hook(::SetWindowsHookExW(WH_CBT, &Filter, nullptr, ::GetCurrentThreadId())) {}
    ~DockBarRefusal() { ::UnhookWindowsHookEx(m_hook); }
    DockBarRefusal(const DockBarRefusal&) = delete;
    DockBarRefusal& operator=(const DockBarRefusal&) = delete;
    explicit operator bool() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            wchar_t name[64] = {};
            ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
            if (std::wcsncmp(name, L"KGPDockBar", 10) == 0)
                return 1;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

TEST(DockBarCreateFailure, ADockBarWhoseWindowIsRefusedIsDeletedOnceAndDockingFails)
{
    CBareFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("No dock bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    int doubleDeletes = 0;
    {
        DockBarRefusal refusal;
        ASSERT_TRUE(refusal);
        StartWatching();
        EXPECT_FALSE(frame.GetDockManager()->EnableDocking(CBRS_ALIGN_TOP));
        doubleDeletes = StopWatching();
    }
    EXPECT_EQ(doubleDeletes, 0);
    EXPECT_EQ(frame.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE), nullptr);

    // Once windows can be made again, docking works on the same frame.
    EXPECT_TRUE(frame.GetDockManager()->EnableDocking(CBRS_ALIGN_TOP));
    EXPECT_NE(frame.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE), nullptr);
    frame.DestroyWindow();
}

} // namespace
