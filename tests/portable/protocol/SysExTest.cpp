#include <gtest/gtest.h>

#include <stdexcept>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/SysEx.h"

namespace kp = keyloft::protocol;

TEST(SysEx, PacketFrameEnvelopeAndRoundTrip)
{
    const kp::Bytes packet = kp::MakeAck(kp::PacketType::Data, kp::Status::Ok);
    const kp::Bytes message = kp::WrapPacket(packet);
    ASSERT_EQ(message.size(), 4 + 2 * packet.size() + 1);
    EXPECT_EQ(message[0], 0xF0);
    EXPECT_EQ(message[1], 0x7D);
    EXPECT_EQ(message[2], 0x4B);
    EXPECT_EQ(message[3], 0x02);
    EXPECT_EQ(message.back(), 0xF7);
    for (std::size_t i = 1; i + 1 < message.size(); ++i)
        EXPECT_LT(message[i], 0x80);

    const kp::PacketFrame frame = kp::ReadPacketFrame(message);
    ASSERT_TRUE(frame.Ok()) << kp::ToString(frame.error);
    EXPECT_EQ(frame.parse.packet.Type(), kp::PacketType::Ack);

    // The largest frame is what the size constant says, and a receiver takes it whole.
    static_assert(kp::kMaxPacketFrameSize <= kp::kReceiveBufferSize);
    EXPECT_EQ(kp::WrapPacket(kp::MakeUploadData(kp::Status::Ok, 0, kp::Bytes(kp::kMaxChunk, 0xEE))).size(),
              kp::kMaxPacketFrameSize);
}

TEST(SysEx, FrameErrorsAreNamed)
{
    kp::Bytes message = kp::WrapPacket(kp::MakeClearState());

    kp::Bytes noEnd(message.begin(), message.end() - 1);
    EXPECT_EQ(kp::ReadPacketFrame(noEnd).error, kp::FrameError::NotSysEx);

    kp::Bytes foreign = message;
    foreign[1] = 0x43;
    EXPECT_EQ(kp::ReadPacketFrame(foreign).error, kp::FrameError::Foreign);

    kp::Bytes statusInside = message;
    statusInside[6] = 0x90;
    EXPECT_EQ(kp::ReadPacketFrame(statusInside).error, kp::FrameError::DataByteTooHigh);

    kp::Bytes odd = message;
    odd.erase(odd.begin() + 5);
    EXPECT_EQ(kp::ReadPacketFrame(odd).error, kp::FrameError::OddNibbles);

    kp::Bytes notNibble = message;
    notNibble[5] = 0x10;
    EXPECT_EQ(kp::ReadPacketFrame(notNibble).error, kp::FrameError::NotANibble);

    // A reply cut in half but closed with F7: the packet inside says it is short.
    kp::Bytes cut(message.begin(), message.begin() + 4 + 2 * 12);
    cut.push_back(0xF7);
    const kp::PacketFrame cutFrame = kp::ReadPacketFrame(cut);
    EXPECT_EQ(cutFrame.error, kp::FrameError::BadPacket);
    EXPECT_EQ(cutFrame.parse.error, kp::PacketError::Truncated);

    EXPECT_EQ(kp::ReadPacketFrame(kp::IdentifyQueryMessage()).error, kp::FrameError::OtherFrameKind);
}

TEST(SysEx, IdentifyQueryAndReply)
{
    const kp::Bytes query = kp::IdentifyQueryMessage();
    EXPECT_EQ(query, (kp::Bytes{0xF0, 0x7D, 0x4B, 0x01, 0x00, 0xF7}));
    EXPECT_TRUE(kp::IsIdentifyQuery(query));

    const kp::Bytes reply = kp::IdentifyReplyMessage("RX470A10", "RX470");
    EXPECT_FALSE(kp::IsIdentifyQuery(reply));
    const auto answer = kp::ParseIdentifyReply(reply);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->identity, "RX470A10");
    EXPECT_EQ(answer->name, "RX470");
}

TEST(SysEx, EchoesAndMalformedRepliesAreNotAnswers)
{
    EXPECT_FALSE(kp::ParseIdentifyReply(kp::IdentifyQueryMessage())); // an echo of the query
    kp::Bytes noName = {0xF0, 0x7D, 0x4B, 0x01, 0x40, 'R', 'X', '4', '7', '0', 'A', '1', '0', 0xF7};
    EXPECT_FALSE(kp::ParseIdentifyReply(noName));
    kp::Bytes controlChar = kp::IdentifyReplyMessage("RX470A10", "RX470");
    controlChar[14] = 0x07;
    EXPECT_FALSE(kp::ParseIdentifyReply(controlChar));
    kp::Bytes tooLong = kp::IdentifyReplyMessage("RX470A10", std::string(32, 'N'));
    EXPECT_TRUE(kp::ParseIdentifyReply(tooLong));
    tooLong.insert(tooLong.end() - 1, 'N');
    EXPECT_FALSE(kp::ParseIdentifyReply(tooLong));
    EXPECT_FALSE(kp::ParseIdentifyReply(kp::Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0xF7}));
    EXPECT_FALSE(kp::ParseIdentifyReply(kp::WrapPacket(kp::MakeHelloReply(kp::Status::Ok))));
    EXPECT_THROW(kp::IdentifyReplyMessage("SHORT", "RX470"), std::invalid_argument);
    EXPECT_THROW(kp::IdentifyReplyMessage("RX470A10", ""), std::invalid_argument);
}
