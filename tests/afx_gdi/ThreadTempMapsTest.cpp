// Temporary GDI wrappers belong to the thread that made them: another thread
// gets its own wrapper for the same handle, and its end leaves the calling
// thread's wrappers alone. (Framework threads ending cleanly after using them
// are checked with the view's threads.)
#include <gtest/gtest.h>

#include <afxwin.h>

#include <thread>

namespace {

TEST(GdiTemporaries, EachThreadHasItsOwnWrappersAndAPlainThreadsEndLeavesOursAlone)
{
    HDC screen = ::GetDC(nullptr);
    CDC* ours = CDC::FromHandle(screen);
    for (int round = 0; round < 5; ++round) {
        CDC* theirs = nullptr;
        std::thread worker([&] {
            theirs = CDC::FromHandle(screen);
            EXPECT_EQ(theirs->GetSafeHdc(), screen);
        });
        worker.join();
        EXPECT_NE(theirs, ours) << "a wrapper of another thread was handed out";
    }
    EXPECT_EQ(CDC::FromHandle(screen), ours) << "our temporary wrapper did not survive the other threads";
    EXPECT_EQ(ours->GetSafeHdc(), screen);
    ::ReleaseDC(nullptr, screen);
    AfxDeleteTempGdiMaps();
}

}  // namespace
