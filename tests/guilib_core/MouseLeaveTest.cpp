// Mouse-leave tracking by timer: nothing while the cursor stays over the
// window, one WM_MOUSELEAVE once it has left, nothing after a cancel.
#include <gtest/gtest.h>

#include "guilib/core/KGPMouseLeave.h"
#include "tests/support/MessagePump.h"

namespace {

class CLeaveCounter : public CWnd {
public:
    int leaves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSELEAVE) {
            ++leaves;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(MouseLeaveTest, PostedOnceWhenTheCursorLeavesAndNotAfterACancel)
{
    CLeaveCounter window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"tracked", WS_POPUP | WS_VISIBLE, 100, 100, 120, 120,
                                nullptr, nullptr));
    keyloft_test::Pump(100);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window.m_hWnd, 0};

    ::SetCursorPos(160, 160);
    ASSERT_TRUE(TrackMouseLeaveByTimer(&track));
    keyloft_test::Pump(350);
    EXPECT_EQ(0, window.leaves) << "the cursor is still over the window";
    ::SetCursorPos(600, 600);
    keyloft_test::Pump(350);
    EXPECT_EQ(1, window.leaves);
    keyloft_test::Pump(250);
    EXPECT_EQ(1, window.leaves) << "tracking ends with the message";

    ::SetCursorPos(160, 160);
    ASSERT_TRUE(TrackMouseLeaveByTimer(&track));
    track.dwFlags = TME_LEAVE | TME_CANCEL;
    ASSERT_TRUE(TrackMouseLeaveByTimer(&track));
    ::SetCursorPos(600, 600);
    keyloft_test::Pump(350);
    EXPECT_EQ(1, window.leaves);
    window.DestroyWindow();
}

} // namespace
