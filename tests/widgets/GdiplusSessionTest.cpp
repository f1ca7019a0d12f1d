// GDI+ started by the first image decoded, on the thread that decodes it; the
// session's end shuts it down.
#include <gtest/gtest.h>

#include "core/files/WholeFile.h"
#include "widgets/GdiplusSession.h"
#include "widgets/SkinImage.h"

#include <cstdint>
#include <thread>
#include <vector>

namespace {

TEST(GdiplusSession, AStartOnFirstUseStartsWithTheFirstImageOnItsThreadOrNotAtAll)
{
    ASSERT_FALSE(CGdiplusSession::IsAnyStarted()) << "no other session may run here";
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(ReadWholeFile(KEYLOFT_PICTURES_FOLDER L"left.png", png, 1 << 20));
    {
        const auto session = CGdiplusSession::StartOnFirstUse();
        EXPECT_FALSE(CGdiplusSession::IsAnyStarted()) << "nothing is started before an image is decoded";
        // The first image, decoded on a worker as the pages' images are.
        std::thread worker([&] {
            CSkinImage image;
            EXPECT_TRUE(image.LoadFromMemory(png.data(), png.size()));
            EXPECT_GT(image.GetWidth(), 0);
            image.Release();
        });
        worker.join();
        EXPECT_TRUE(CGdiplusSession::IsAnyStarted());
        EXPECT_TRUE(session->IsStarted());
    }
    EXPECT_FALSE(CGdiplusSession::IsAnyStarted()) << "the end must shut GDI+ down";

    // Never used: nothing was started, and its end leaves nothing to start.
    { const auto session = CGdiplusSession::StartOnFirstUse(); }
    CGdiplusSession::EnsureStarted();
    EXPECT_FALSE(CGdiplusSession::IsAnyStarted());

    // Asked whether it is started: that starts it.
    const auto asked = CGdiplusSession::StartOnFirstUse();
    EXPECT_TRUE(asked->IsStarted());
    EXPECT_TRUE(CGdiplusSession::IsAnyStarted());
}

} // namespace
