// A held auto-repeat button clicks again and again, and its release adds none.
#include <gtest/gtest.h>

#include "guilib/controls/KGPButton.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

size_t Clicks(keyloft_test::CLibraryTestHost& host)
{
    size_t clicks = 0;
    for (const keyloft_test::RecordedMessage& m : host.TakeCommands())
        clicks += LOWORD(m.wParam) == 21 && HIWORD(m.wParam) == BN_CLICKED ? 1 : 0;
    return clicks;
}

TEST(ButtonAutoRepeatTest, HeldButtonRepeatsAndReleaseEndsIt)
{
    keyloft_test::CLibraryTestHost host;
    ASSERT_TRUE(host.CreateHost(200, 100));
    CKGPButton& button = host.Make<CKGPButton>();
    ASSERT_TRUE(button.Create(L">", WS_CHILD | WS_VISIBLE, CRect(10, 10, 40, 30), &host, 21));
    button.SetAutoRepeatDelay(50);

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(5, 5));
    keyloft_test::Pump(400);
    EXPECT_GE(Clicks(host), 3u);
    button.SendMessage(WM_LBUTTONUP, 0, keyloft_test::PointParam(5, 5));
    keyloft_test::Pump(200);
    EXPECT_EQ(Clicks(host), 0u);

    button.SetAutoRepeatDelay(0);  // a plain click is one click
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, keyloft_test::PointParam(5, 5));
    keyloft_test::Pump(100);
    EXPECT_EQ(Clicks(host), 1u);
}

} // namespace
