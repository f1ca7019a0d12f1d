// The handle maps from several threads (a window's object is found only on the
// window's thread), the clean-up when a thread ends, and subclassing.
#include "tests/afx_windows/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>
#include <cstdint>
#include <thread>

namespace afx_detail {
int LiveThreadStates(); // the layer's count of per-thread states
} // namespace afx_detail

namespace {

class CAnsweringWnd : public CWnd {
public:
    std::atomic<DWORD> m_handlerThread{0};

protected:
    afx_msg LRESULT OnQuestion(WPARAM wParam, LPARAM)
    {
        m_handlerThread = ::GetCurrentThreadId();
        return static_cast<LRESULT>(wParam + 1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAnsweringWnd, CWnd)
    ON_MESSAGE(WM_APP + 7, &CAnsweringWnd::OnQuestion)
END_MESSAGE_MAP()

struct WorkerView {
    CWnd* permanent = nullptr;
    CWnd* fromHandle = nullptr;
    CWnd* temporary = nullptr;
    CWnd* temporaryAgain = nullptr;
    HWND temporaryHandle = nullptr;
    LRESULT answer = 0;
    std::atomic<bool> done{false};
};

// A handle is a 32-bit value that calls may give back sign-extended or
// zero-extended (the system reads the low 32 bits): each form finds the one object.
TEST(HandleMapTest, AWindowIsFoundWhateverTheUpperHalfOfItsHandle)
{
    TestApp();
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"forms", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND hPlain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, nullptr, nullptr, nullptr);
    auto forms = [](HWND hWnd) {
        const auto low = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hWnd));
        return std::vector<HWND>{
            reinterpret_cast<HWND>(static_cast<std::uintptr_t>(low)),
            reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(low))),
            reinterpret_cast<HWND>(static_cast<std::uintptr_t>(low) | 0xFFFFFFFF00000000ULL)};
    };
    for (HWND form : forms(wnd.m_hWnd)) {
        ASSERT_TRUE(::IsWindow(form));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(form));
        EXPECT_EQ(&wnd, CWnd::FromHandle(form));
    }
    CWnd* pTemp = CWnd::FromHandle(hPlain);
    for (HWND form : forms(hPlain))
        EXPECT_EQ(pTemp, CWnd::FromHandle(form)); // one temporary, not one per form
    ::DestroyWindow(hPlain);
    const HWND hGone = wnd.m_hWnd;
    wnd.DestroyWindow();
    for (HWND form : forms(hGone))
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(form));
}

TEST(HandleMapTest, WorkerThreadReachesTheWindowByHandleAndMessage)
{
    TestApp();
    CAnsweringWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, TestWindowClass(), L"handles", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND hPlain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, nullptr, nullptr, nullptr);
    CWnd* pMainTemp = CWnd::FromHandle(hPlain);

    WorkerView view;
    std::thread worker([&] {
        view.permanent = CWnd::FromHandlePermanent(wnd.m_hWnd);
        view.fromHandle = CWnd::FromHandle(wnd.m_hWnd);
        view.temporary = CWnd::FromHandle(hPlain);
        view.temporaryAgain = CWnd::FromHandle(hPlain);
        view.temporaryHandle = view.temporary->m_hWnd;
        view.answer = view.fromHandle->SendMessage(WM_APP + 7, 41); // answered on the window's thread
        AfxTermThread();
        view.done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return view.done.load(); }));
    worker.join();

    EXPECT_EQ(view.permanent, nullptr) << "the object belongs to the window's thread";
    EXPECT_NE(view.fromHandle, &wnd);
    EXPECT_EQ(view.temporaryHandle, hPlain);
    EXPECT_EQ(view.temporary, view.temporaryAgain) << "one temporary per window and thread";
    EXPECT_NE(view.temporary, pMainTemp) << "temporaries are never shared between threads";
    EXPECT_EQ(CWnd::FromHandlePermanent(hPlain), nullptr);
    EXPECT_EQ(view.answer, 42);
    EXPECT_EQ(wnd.m_handlerThread.load(), ::GetCurrentThreadId());

    EXPECT_EQ(CWnd::FromHandle(hPlain), pMainTemp) << "the same until the idle clean-up";
    CWnd::DeleteTempMap();
    EXPECT_EQ(CWnd::FromHandle(hPlain)->m_hWnd, hPlain);
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr) << "detached after WM_NCDESTROY";
    EXPECT_EQ(CWnd::FromHandlePermanent(view.temporaryHandle), nullptr);
}

TEST(HandleMapTest, AThreadTheLayerDidNotStartLeavesNoStateAndNoEntries)
{
    TestApp();
    const int statesBefore = afx_detail::LiveThreadStates();
    CWnd left; // the thread ends without destroying its window
    HWND hWnd = nullptr;
    CWnd* pFoundThere = nullptr;
    std::thread foreign([&] {
        if (left.CreateEx(0, TestWindowClass(), L"left", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr)) {
            hWnd = left.m_hWnd;
            pFoundThere = CWnd::FromHandlePermanent(hWnd);
            CWnd::FromHandle(::GetDesktopWindow()); // a temporary, freed with the thread
        }
    });
    foreign.join();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(pFoundThere, &left);
    EXPECT_EQ(left.m_hWnd, nullptr) << "detached when its thread ended";
    EXPECT_EQ(afx_detail::LiveThreadStates(), statesBefore);
}

class CCountingCheckBox : public CWnd {
public:
    int m_questions = 0;
    int m_postNcDestroy = 0;

protected:
    void PostNcDestroy() override { ++m_postNcDestroy; }
    afx_msg LRESULT OnQuestion(WPARAM, LPARAM)
    {
        ++m_questions;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingCheckBox, CWnd)
    ON_MESSAGE(WM_APP + 9, &CCountingCheckBox::OnQuestion)
END_MESSAGE_MAP()

TEST(HandleMapTest, SubclassingAddsTheMapAndKeepsTheControlsOwnBehaviour)
{
    TestApp();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, TestWindowClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND hCheck = ::CreateWindowExW(0, L"BUTTON", L"check", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 80, 20, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(55)), nullptr, nullptr);
    LONG_PTR originalProc = ::GetWindowLongPtrW(hCheck, GWLP_WNDPROC);

    CCountingCheckBox check;
    ASSERT_TRUE(check.SubclassDlgItem(55, &parent));
    EXPECT_EQ(check.m_hWnd, hCheck);
    EXPECT_EQ(CWnd::FromHandlePermanent(hCheck), &check);
    EXPECT_EQ(::SendMessageW(hCheck, WM_APP + 9, 0, 0), 1);
    EXPECT_EQ(check.m_questions, 1);
    ::SendMessageW(hCheck, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(::SendMessageW(hCheck, BM_GETCHECK, 0, 0), BST_CHECKED) << "the button's own procedure still runs";

    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(hCheck)) << "one object per window";

    EXPECT_EQ(check.UnsubclassWindow(), hCheck);
    EXPECT_EQ(::GetWindowLongPtrW(hCheck, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hCheck), nullptr);
    ::SendMessageW(hCheck, WM_APP + 9, 0, 0);
    EXPECT_EQ(check.m_questions, 1);

    ASSERT_TRUE(check.SubclassWindow(hCheck));
    parent.DestroyWindow(); // destroys the child too
    EXPECT_EQ(check.m_postNcDestroy, 1);
    EXPECT_EQ(check.m_hWnd, nullptr);
}

} // namespace
