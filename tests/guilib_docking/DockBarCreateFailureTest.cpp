// A dock bar whose window cannot be made: it deletes itself once (its own
// PostNcDestroy), and the frame's docking reports the failure without
// deleting it again. A second delete of one block is counted (DeleteWatch)
// instead of corrupting the heap.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "tests/support/heap/DeleteWatch.h"

#include <cwchar>

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
        keyloft_test::DeleteWatchScope watch;
        EXPECT_FALSE(frame.GetDockManager()->EnableDocking(CBRS_ALIGN_TOP));
        doubleDeletes = watch.Stop();
    }
    EXPECT_EQ(doubleDeletes, 0);
    EXPECT_EQ(frame.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE), nullptr);

    // Once windows can be made again, docking works on the same frame.
    EXPECT_TRUE(frame.GetDockManager()->EnableDocking(CBRS_ALIGN_TOP));
    EXPECT_NE(frame.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE), nullptr);
    frame.DestroyWindow();
}

} // namespace
