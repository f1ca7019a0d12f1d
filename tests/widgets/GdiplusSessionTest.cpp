// GDI+ started on a worker thread: the first image waits for the start, and the
// session's end waits for it too before shutting GDI+ down.
#include <gtest/gtest.h>

#include "core/files/WholeFile.h"
#include "widgets/GdiplusSession.h"
#include "widgets/SkinImage.h"

#include <cstdint>
#include <vector>

namespace {

TEST(GdiplusSession, AStartInTheBackgroundIsWaitedForByTheFirstImageAndByTheEnd)
{
    ASSERT_FALSE(CGdiplusSession::IsAnyStarted()) << "no other session may run here";
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(ReadWholeFile(KEYLOFT_PICTURES_FOLDER L"left.png", png, 1 << 20));
    {
        const auto session = CGdiplusSession::StartInBackground();
        CSkinImage image;
        // Asked for at once, while the worker is still starting.
        EXPECT_TRUE(image.LoadFromMemory(png.data(), png.size()));
        EXPECT_GT(image.GetWidth(), 0);
        EXPECT_TRUE(session->IsStarted());
        EXPECT_TRUE(CGdiplusSession::IsAnyStarted());
        image.Release();
    }
    EXPECT_FALSE(CGdiplusSession::IsAnyStarted()) << "the end must shut GDI+ down";

    // Ended before anything waited for its start: the end waits for it, then
    // shuts GDI+ down (a start left running would count a session afterwards).
    { const auto session = CGdiplusSession::StartInBackground(); }
    CGdiplusSession::WaitForStart();
    EXPECT_FALSE(CGdiplusSession::IsAnyStarted());
}

} // namespace
