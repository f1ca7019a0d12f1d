// The MIDI link on real winmm with the test driver's ports.
#include <gtest/gtest.h>

#include "core/link/MidiLink.h"
#include "core/portable/protocol/SysEx.h"
#include "tests/link/LinkTestSupport.h"

namespace protocol = keyloft::protocol;
using namespace std::chrono_literals;
using linktest::MessageRecorder;

namespace {

class MidiLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto loop = linktest::LoopPorts();
        const auto instrument = linktest::InstrumentPorts();
        ASSERT_TRUE(loop && instrument) << "the test MIDI driver is not installed in the prefix";
        m_loop = *loop;
        m_instrument = *instrument;
    }

    linktest::SimulatedMemory m_memory;
    linktest::PortPair m_loop;
    linktest::PortPair m_instrument;
};

TEST_F(MidiLinkTest, OpenFailuresReportTheirDeviceAndLeaveBothClosed)
{
    MessageRecorder messages;
    CMidiLink link;

    EXPECT_FALSE(link.Open(9999, m_loop.in));
    EXPECT_EQ(messages.Ids(), std::vector<UINT>{IDS_LINK_OPEN_MIDI_OUT_FAILED});
    EXPECT_FALSE(link.IsOutOpen());
    EXPECT_FALSE(link.IsInOpen());

    messages.Clear();
    EXPECT_FALSE(link.Open(m_loop.out, 9999));
    EXPECT_EQ(messages.Ids(), std::vector<UINT>{IDS_LINK_OPEN_MIDI_IN_FAILED});
    EXPECT_FALSE(link.IsOutOpen()) << "the output opened first must be closed again";
    EXPECT_FALSE(link.IsInOpen());

    // Nothing was left open: the same ports open again at once.
    messages.Clear();
    EXPECT_TRUE(link.Open(m_loop.out, m_loop.in));
    EXPECT_TRUE(messages.Ids().empty());
}

TEST_F(MidiLinkTest, MessagesOfEverySizeComeBackWholeThroughTheEchoPort)
{
    CMidiLink link;
    ASSERT_TRUE(link.Open(m_loop.out, m_loop.in));
    // From the smallest frame to the largest packet frame and the receive
    // buffer's limit.
    for (std::size_t bodySize : {std::size_t{1}, std::size_t{100}, protocol::kMaxPacketFrameSize - 5,
                                 std::size_t{CMidiLink::kReceiveBufferSize - 6}}) {
        std::vector<std::uint8_t> message{0xF0, 0x7D, 0x4B, 0x02};
        for (std::size_t index = 0; index < bodySize; ++index)
            message.push_back(static_cast<std::uint8_t>(index % 16));
        message.push_back(0xF7);
        ASSERT_TRUE(link.SendSysEx(message)) << bodySize;
        const auto echoed = link.Receive(2000ms);
        ASSERT_TRUE(echoed.has_value()) << bodySize;
        EXPECT_EQ(*echoed, message) << bodySize;
    }
}

TEST_F(MidiLinkTest, AnOversizeOrCutMessageIsDroppedAndTheNextArrivesWhole)
{
    CMidiLink link;
    ASSERT_TRUE(link.Open(m_loop.out, m_loop.in));
    std::vector<std::uint8_t> oversize(CMidiLink::kReceiveBufferSize + 100, 0x01);
    oversize.front() = 0xF0;
    oversize.back() = 0xF7;
    const std::vector<std::uint8_t> cutByStatus{0xF0, 0x7D, 0x4B, 0x02, 0x01, 0x02, 0x90, 0x3C, 0x64};
    for (const auto& bad : {oversize, cutByStatus}) {
        ASSERT_TRUE(link.SendSysEx(bad));
        const std::vector<std::uint8_t> whole = protocol::IdentifyQueryMessage();
        ASSERT_TRUE(link.SendSysEx(whole));
        const auto received = link.Receive(2000ms);
        ASSERT_TRUE(received.has_value()) << bad.size();
        EXPECT_EQ(*received, whole) << bad.size();
        EXPECT_FALSE(link.Receive(50ms).has_value()) << bad.size();
    }
}

TEST_F(MidiLinkTest, DiscardedInputIsNotReadLaterAndAnEmptyQueueTimesOut)
{
    CMidiLink link;
    ASSERT_TRUE(link.Open(m_loop.out, m_loop.in));
    ASSERT_TRUE(link.SendSysEx(protocol::IdentifyQueryMessage()));
    Sleep(100);  // the echo is queued by now
    link.DiscardInput();
    linktest::Stopwatch watch;
    EXPECT_FALSE(link.Receive(100ms).has_value());
    EXPECT_GE(watch.Elapsed().count(), 80);
}

TEST_F(MidiLinkTest, ClosingAndReopeningManyTimesKeepsWorking)
{
    CMidiLink link;
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(link.Open(m_instrument.out, m_instrument.in)) << round;
        ASSERT_TRUE(link.SendSysEx(protocol::IdentifyQueryMessage()));
        const auto reply = link.Receive(2000ms);
        ASSERT_TRUE(reply.has_value()) << round;
        EXPECT_TRUE(protocol::ParseIdentifyReply(*reply).has_value());
        if (round % 2 == 0) {
            link.CloseIn();
            link.CloseOut();
        } else {
            link.Close();
        }
        EXPECT_FALSE(link.IsOutOpen());
        EXPECT_FALSE(link.IsInOpen());
        EXPECT_EQ(link.GetOutHandle(), nullptr);
    }
}

TEST_F(MidiLinkTest, SendingOnAClosedLinkFails)
{
    CMidiLink link;
    EXPECT_FALSE(link.SendSysEx(protocol::IdentifyQueryMessage()));
    EXPECT_FALSE(link.Receive(10ms).has_value());
}

}  // namespace
