// Progress messages as the main frame's progress bar receives them.
#include <gtest/gtest.h>

#include <vector>

#include "core/link/TransferProgress.h"
#include "tests/link/ProgressWindow.h"

namespace {

TEST(ProgressScale, OnePacketPerStepUntilTheBarsSigned16BitRangeIsFull)
{
    EXPECT_EQ(ProgressScale::ForPackets(0).steps, 0u);
    EXPECT_EQ(ProgressScale::ForPackets(32767).steps, 32767u);
    EXPECT_EQ(ProgressScale::ForPackets(32767).packetsPerStep, 1u);

    // Beyond it, several packets make a step and the upper bound stays readable
    // as a positive signed 16-bit number.
    for (unsigned packets : {32768u, 65535u, 2000000u}) {
        const ProgressScale scale = ProgressScale::ForPackets(packets);
        EXPECT_GT(scale.packetsPerStep, 1u) << packets;
        EXPECT_LE(scale.steps, 32767u) << packets;
        EXPECT_GE(scale.steps * scale.packetsPerStep, packets) << packets;
        EXPECT_LT((scale.steps - 1) * scale.packetsPerStep, packets) << packets;
    }
}

TEST(TransferProgress, PostsRangeThenOneStepPerPacketThenOneEnd)
{
    using Posted = std::vector<linktest::PostedMessage>;
    const struct {
        unsigned packets;
        int done;
        bool endEarly;
        Posted expected;
    } cases[] = {
        {3, 3, false, {{WM_USER + 6, 0, 3}, {WM_USER + 8, 0, 0}, {WM_USER + 8, 0, 0}, {WM_USER + 8, 0, 0}, {WM_USER + 7, 0, 0}}},
        {0, 0, false, {{WM_USER + 6, 0, 0}, {WM_USER + 7, 0, 0}}},
        // An early end is posted once; the destructor adds nothing.
        {10, 1, true, {{WM_USER + 6, 0, 10}, {WM_USER + 8, 0, 0}, {WM_USER + 7, 0, 0}}},
    };
    for (const auto& c : cases) {
        linktest::ProgressWindow window;
        {
            CTransferProgress progress(window.Handle(), c.packets);
            for (int packet = 0; packet < c.done; ++packet)
                progress.PacketDone();
            if (c.endEarly)
                progress.End();
        }
        EXPECT_EQ(window.Drain(), c.expected) << c.packets << " packets";
    }
    CTransferProgress windowless(nullptr, 5);  // posts nowhere and does not break
    windowless.PacketDone();
    windowless.End();
}

TEST(TransferProgress, ManyPacketsStepExactlyUpToTheUpperBound)
{
    linktest::ProgressWindow window;
    const unsigned packets = 70001;  // three packets per step, the last step short
    std::vector<linktest::PostedMessage> posted;
    {
        CTransferProgress progress(window.Handle(), packets);
        for (unsigned packet = 0; packet < packets; ++packet) {
            progress.PacketDone();
            if (packet % 1000 == 0) {  // a thread's message queue holds 10000 at most
                const auto some = window.Drain();
                posted.insert(posted.end(), some.begin(), some.end());
            }
        }
    }
    const auto rest = window.Drain();
    posted.insert(posted.end(), rest.begin(), rest.end());
    ASSERT_GE(posted.size(), 2u);
    EXPECT_EQ(posted.front().message, UINT{WM_USER + 6});
    const LPARAM upper = posted.front().lParam;
    EXPECT_EQ(upper, LPARAM{(packets + 2) / 3});
    EXPECT_EQ(static_cast<short>(upper), upper) << "the bar reads the bound as a signed 16-bit number";
    EXPECT_EQ(posted.back().message, UINT{WM_USER + 7});
    EXPECT_EQ(static_cast<LPARAM>(posted.size() - 2), upper) << "one step per unit of the range";
}

}  // namespace
