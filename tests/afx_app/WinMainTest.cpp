// The program's life cycle as AfxWinMain runs it.
#include "tests/afx_app/TestApp.h"

#include <gtest/gtest.h>

namespace {

TEST(WinMainTest, InitInstanceRunExitInstanceAndTheQuitCodeAsExitCode)
{
    TestApp();
    const struct {
        BOOL initResult;
        bool setMainWnd;
        int quitCode;
        int exitCode;
        const wchar_t* events;
    } cases[] = {
        {TRUE, true, 3, 3, L"init run exit"},
        {TRUE, false, 0, 0, L"init run exit"}, // without a main window Run ends at once
        {FALSE, false, 5, 0, L"init exit"},    // a failed InitInstance skips Run
    };
    for (const auto& c : cases) {
        TestAppScript& script = TestAppLifeCycle();
        script = TestAppScript{};
        script.initResult = c.initResult;
        script.setMainWnd = c.setMainWnd;
        script.quitCode = c.quitCode;
        static wchar_t commandLine[] = L"/test";
        EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, commandLine, SW_HIDE), c.exitCode) << c.events;
        EXPECT_EQ(script.events, c.events);
    }
    EXPECT_STREQ(AfxGetApp()->m_lpCmdLine, L"/test");
    EXPECT_EQ(AfxGetApp()->m_nCmdShow, SW_HIDE);
}

} // namespace
