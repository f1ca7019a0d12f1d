// The program's life cycle as AfxWinMain runs it.
#include "tests/afx_app/TestApp.h"

#include <gtest/gtest.h>

namespace {

int RunWinMain()
{
    static wchar_t commandLine[] = L"/test";
    return AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_HIDE);
}

TEST(WinMainTest, InitInstanceRunExitInstanceAndTheQuitCodeAsExitCode)
{
    TestApp();
    TestAppScript& script = TestAppLifeCycle();
    script = TestAppScript{};
    script.setMainWnd = true;
    script.quitCode = 3;
    EXPECT_EQ(RunWinMain(), 3);
    EXPECT_EQ(script.events, L"init run exit");
    EXPECT_STREQ(AfxGetApp()->m_lpCmdLine, L"/test");
    EXPECT_EQ(AfxGetApp()->m_nCmdShow, SW_HIDE);
}

TEST(WinMainTest, FailedInitInstanceSkipsRunButStillExits)
{
    TestApp();
    TestAppScript& script = TestAppLifeCycle();
    script = TestAppScript{};
    script.initResult = FALSE;
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(script.events, L"init exit");
}

TEST(WinMainTest, WithoutMainWindowRunEndsAtOnce)
{
    TestApp();
    TestAppScript& script = TestAppLifeCycle();
    script = TestAppScript{};
    script.quitCode = 0;
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(script.events, L"init run exit");
}

} // namespace
