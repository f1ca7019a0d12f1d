// Temporary GDI wrappers belong to the thread that made them; a thread that
// used them must end cleanly, whether it ends through the framework or not.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "tests/support/ThreadRun.h"

#include <thread>

namespace {

void UseTemporaryGdiWrappers()
{
    HDC screen = ::GetDC(nullptr);
    CDC* dc = CDC::FromHandle(screen);
    CGdiObject* brush = CGdiObject::FromHandle(::GetStockObject(WHITE_BRUSH));
    CFont* font = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(dc->GetSafeHdc(), screen);
    EXPECT_NE(brush, nullptr);
    EXPECT_NE(font, nullptr);
    ::ReleaseDC(nullptr, screen);
}

UINT AFX_CDECL FrameworkThread(LPVOID param)
{
    UseTemporaryGdiWrappers();
    *static_cast<bool*>(param) = true;
    return 7;
}

TEST(GdiTemporaries, AFrameworkThreadThatUsedThemEndsCleanly)
{
    for (int round = 0; round < 5; ++round) {
        bool ran = false;
        CWinThread* thread = AfxBeginThread(FrameworkThread, &ran, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(thread, nullptr);
        EXPECT_EQ(keyloft_test::RunToEnd(thread), 7u);
        EXPECT_TRUE(ran);
    }
}

TEST(GdiTemporaries, APlainThreadThatUsedThemEndsCleanly)
{
    for (int round = 0; round < 5; ++round) {
        std::thread worker(UseTemporaryGdiWrappers);
        worker.join();
    }
    // The calling thread's own temporaries are unaffected by other threads.
    CDC* dc = CDC::FromHandle(::GetDC(nullptr));
    EXPECT_NE(dc, nullptr);
    ::ReleaseDC(nullptr, dc->GetSafeHdc());
    AfxDeleteTempGdiMaps();
}

}  // namespace
