#include <gtest/gtest.h>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/Reassembler.h"
#include "core/portable/protocol/SysEx.h"

namespace kp = keyloft::protocol;

namespace {

struct Collected {
    std::vector<kp::Bytes> messages;
    std::vector<kp::ReassemblyEventKind> drops;
    kp::SysExReassembler::Sink Sink()
    {
        return [this](const kp::ReassemblyEvent& event) {
            if (event.kind == kp::ReassemblyEventKind::Message)
                messages.emplace_back(event.message.begin(), event.message.end());
            else
                drops.push_back(event.kind);
        };
    }
};

} // namespace

TEST(Reassembler, MessageSpreadOverManyBuffersWithRealTimeAndLeadingNoise)
{
    const kp::Bytes message = kp::WrapPacket(kp::MakeData(1, 7, kp::Bytes(2000, 0x5A)));
    kp::Bytes input = {0x90, 0x40, 0x7F, 0x12}; // a note and a stray data byte before F0
    for (std::size_t i = 0; i < message.size(); ++i) {
        input.push_back(message[i]);
        if (i % 97 == 5)
            input.push_back(0xF8); // clock
        if (i % 501 == 9)
            input.push_back(0xFE); // active sensing
    }
    kp::SysExReassembler reassembler;
    Collected got;
    const auto sink = got.Sink();
    for (std::size_t at = 0; at < input.size(); at += 256)
        reassembler.Feed(kp::ByteView(input).subspan(at, std::min<std::size_t>(256, input.size() - at)), sink);
    ASSERT_EQ(got.messages.size(), 1u);
    EXPECT_EQ(got.messages[0], message);
    EXPECT_TRUE(got.drops.empty());
    EXPECT_EQ(reassembler.Stats().skippedBytes, 4u);
    EXPECT_GT(reassembler.Stats().realTimeBytes, 30u);
    EXPECT_FALSE(reassembler.InMessage());
}

TEST(Reassembler, MessageCutByStatusIsDroppedAndReported)
{
    kp::SysExReassembler reassembler;
    Collected got;
    const kp::Bytes whole = kp::IdentifyQueryMessage();
    kp::Bytes input = {0xF0, 0x7D, 0x4B, 0x02, 0x01, 0x90, 0x3C, 0x40};
    input.insert(input.end(), whole.begin(), whole.end());
    // A new F0 also cuts the message before it.
    input.insert(input.end(), {0xF0, 0x01, 0x02});
    input.insert(input.end(), whole.begin(), whole.end());
    reassembler.Feed(input, got.Sink());
    ASSERT_EQ(got.drops.size(), 2u);
    EXPECT_EQ(got.drops[0], kp::ReassemblyEventKind::Cut);
    EXPECT_EQ(got.drops[1], kp::ReassemblyEventKind::Cut);
    ASSERT_EQ(got.messages.size(), 2u);
    EXPECT_EQ(got.messages[0], whole);
    EXPECT_EQ(got.messages[1], whole);
    EXPECT_EQ(reassembler.Stats().cut, 2u);
}

TEST(Reassembler, OversizeMessageIsBoundedAndTheNextOneStillArrives)
{
    kp::SysExReassembler reassembler(64);
    Collected got;
    kp::Bytes input = {0xF0};
    input.insert(input.end(), 10000, 0x11);
    input.push_back(0xF7);
    const kp::Bytes exact = [] {
        kp::Bytes m = {0xF0};
        m.insert(m.end(), 62, 0x22);
        m.push_back(0xF7);
        return m;
    }();
    input.insert(input.end(), exact.begin(), exact.end());
    reassembler.Feed(input, got.Sink());
    ASSERT_EQ(got.drops.size(), 1u);
    EXPECT_EQ(got.drops[0], kp::ReassemblyEventKind::Oversize);
    ASSERT_EQ(got.messages.size(), 1u);
    EXPECT_EQ(got.messages[0], exact); // exactly the maximum of 64 bytes is accepted
}

TEST(Reassembler, ResetForgetsAHalfMessage)
{
    kp::SysExReassembler reassembler;
    Collected got;
    reassembler.Feed(kp::Bytes{0xF0, 0x7D, 0x4B}, got.Sink());
    EXPECT_TRUE(reassembler.InMessage());
    reassembler.Reset();
    reassembler.Feed(kp::Bytes{0x01, 0x00, 0xF7}, got.Sink());
    EXPECT_TRUE(got.messages.empty());
    EXPECT_FALSE(reassembler.InMessage());
}
