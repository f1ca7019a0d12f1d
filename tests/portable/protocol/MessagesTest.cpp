#include <gtest/gtest.h>

#include <stdexcept>

#include "core/portable/protocol/FailureMessages.h"
#include "core/portable/protocol/Messages.h"

namespace kp = keyloft::protocol;

namespace {
kp::Packet Parse(const kp::Bytes& bytes)
{
    kp::PacketParse parse = kp::ParsePacket(bytes);
    EXPECT_TRUE(parse.Ok());
    return parse.packet;
}
kp::Packet Raw(std::uint8_t type, kp::Bytes payload) { return kp::Packet{type, std::move(payload)}; }
} // namespace

TEST(Messages, RequestsRoundTripThroughTheirReaders)
{
    EXPECT_EQ(kp::ReadHello(Parse(kp::MakeHello(kp::HelloCommand::Close))), kp::HelloCommand::Close);

    const auto size = kp::ReadQuery(Parse(kp::MakeSizeQuery(1, 0x0102)));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->code, 0x14);
    EXPECT_EQ(size->slot, 0x0102);
    const auto table = kp::ReadQuery(Parse(kp::MakeTableQuery(3)));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->code, 0x33);
    EXPECT_FALSE(table->slot);

    const auto del = kp::ReadItemRef(Parse(kp::MakeDelete(2, 5)), kp::PacketType::Delete);
    ASSERT_TRUE(del);
    EXPECT_EQ(del->kind, 2);
    EXPECT_EQ(del->slot, 5);
    EXPECT_FALSE(kp::ReadItemRef(Parse(kp::MakeDelete(2, 5)), kp::PacketType::UploadEnd));

    const kp::Bytes chunk(kp::kMaxChunk, 0x33);
    const kp::Packet dataPacket = Parse(kp::MakeData(0, kp::kWorkingSlot, chunk));
    const auto data = kp::ReadData(dataPacket);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->item.slot, 0xFFFF);
    EXPECT_EQ(kp::Bytes(data->data.begin(), data->data.end()), chunk);
    EXPECT_THROW(kp::MakeData(0, 0, kp::Bytes(kp::kMaxChunk + 1)), std::length_error);

    const auto end = kp::ReadEnd(Parse(kp::MakeEnd(3, 2, 65537)));
    ASSERT_TRUE(end);
    EXPECT_EQ(end->total, 65537u);
    const auto read = kp::ReadUploadRead(Parse(kp::MakeUploadRead(6, 0, 4090)));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->item.kind, 6);
    EXPECT_EQ(read->offset, 4090u);
    EXPECT_TRUE(kp::ReadClearState(Parse(kp::MakeClearState())));
}

TEST(Messages, ReadersRefuseWrongLengths)
{
    EXPECT_FALSE(kp::ReadHello(Raw(0x01, {0x02})));
    EXPECT_FALSE(kp::ReadHello(Raw(0x01, {0x00, 0x00})));
    EXPECT_FALSE(kp::ReadQuery(Raw(0x02, {0x04})));             // size query without slot
    EXPECT_FALSE(kp::ReadQuery(Raw(0x02, {0x03, 0x00})));       // table query with argument
    EXPECT_FALSE(kp::ReadData(Raw(0x20, {0x00, 0x00})));
    EXPECT_FALSE(kp::ReadEnd(Raw(0x21, {0x00, 0x00, 0x01, 0, 0, 0})));
    EXPECT_FALSE(kp::ReadClearState(Raw(0x15, {0x00})));
    EXPECT_FALSE(kp::ReadAck(Raw(0x06, {0x20})));
    EXPECT_FALSE(kp::ReadUploadInfo(Raw(0xB0, {0x00, 0, 0, 1})));
    EXPECT_FALSE(kp::ReadUploadData(Raw(0xB1, {0x00, 0, 0})));
    EXPECT_FALSE(kp::ReadUploadData(Raw(0xB1, kp::Bytes(5 + kp::kMaxChunk + 1))));
}

TEST(Messages, RepliesAndTheirResults)
{
    const auto ack = kp::ReadAck(Parse(kp::MakeAck(kp::PacketType::End, kp::Status::TooLarge)));
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->acknowledged, 0x21);
    EXPECT_EQ(ack->status, kp::Status::TooLarge);

    const kp::Packet identity = Parse(kp::MakeQueryReply(0x00, kp::Status::Ok, kp::Bytes{'R', 'X', '4', '7', '0', 'A', '1', '0'}));
    EXPECT_EQ(kp::ReadIdentityResult(*kp::ReadQueryReply(identity)), "RX470A10");

    const kp::Packet table = Parse(kp::MakeQueryReply(0x13, kp::Status::Ok, kp::Bytes{0x00, 0x03, 1, 0, 1}));
    const auto slots = kp::ReadTableResult(*kp::ReadQueryReply(table), 1);
    ASSERT_TRUE(slots);
    EXPECT_EQ(*slots, (kp::Bytes{1, 0, 1}));
    EXPECT_FALSE(kp::ReadTableResult(*kp::ReadQueryReply(table), 0)); // another kind's table
    const kp::Packet shortTable = Parse(kp::MakeQueryReply(0x13, kp::Status::Ok, kp::Bytes{0x00, 0x04, 1, 0, 1}));
    EXPECT_FALSE(kp::ReadTableResult(*kp::ReadQueryReply(shortTable), 1)); // count says more than came

    const kp::Packet size = Parse(kp::MakeQueryReply(0x04, kp::Status::Ok, kp::Bytes{0x00, 0x02, 0x00, 0x01, 0x00, 0x01}));
    EXPECT_EQ(kp::ReadSizeResult(*kp::ReadQueryReply(size), 0, 2), 65537u);
    EXPECT_FALSE(kp::ReadSizeResult(*kp::ReadQueryReply(size), 0, 3)); // another slot's size
    const kp::Packet refused = Parse(kp::MakeQueryReply(0x04, kp::Status::EmptySlot, {}));
    EXPECT_FALSE(kp::ReadSizeResult(*kp::ReadQueryReply(refused), 0, 2));

    const auto upload = kp::ReadUploadData(Parse(kp::MakeUploadData(kp::Status::Ok, 2045, kp::Bytes{9, 8})));
    ASSERT_TRUE(upload);
    EXPECT_EQ(upload->offset, 2045u);
    EXPECT_EQ(upload->data.size(), 2u);
}

TEST(FailureMessages, MapCausesToStringIds)
{
    using kp::Direction;
    using kp::FailureCause;
    using kp::Status;
    const struct {
        Direction direction;
        std::uint8_t kind;
        FailureCause cause;
        Status status;
        unsigned id;
    } cases[] = {
        {Direction::Download, 0, FailureCause::NoReply, Status::Ok, 243},
        {Direction::Upload, 2, FailureCause::NoReply, Status::Ok, 243},
        {Direction::Upload, 1, FailureCause::LargerThanExpected, Status::Ok, 126},
        {Direction::Upload, 3, FailureCause::Refused, Status::TooLarge, 126},
        {Direction::Upload, 0, FailureCause::Refused, Status::Busy, 244},
        {Direction::Upload, 1, FailureCause::Refused, Status::NotAllowed, 246},
        {Direction::Download, 3, FailureCause::BadReply, Status::Ok, 115},
        // Every refusal status of a download, with the kind it names.
        {Direction::Download, 0, FailureCause::Refused, Status::Busy, 244},
        {Direction::Download, 1, FailureCause::Refused, Status::BadSum, 118},
        {Direction::Download, 2, FailureCause::Refused, Status::BadPacket, 1166},
        {Direction::Download, 3, FailureCause::Refused, Status::BadKind, 1166},
        {Direction::Download, 2, FailureCause::Refused, Status::BadSlot, 117},
        {Direction::Download, 3, FailureCause::Refused, Status::EmptySlot, 115},
        {Direction::Download, 1, FailureCause::Refused, Status::TooLarge, 221},
        {Direction::Download, 0, FailureCause::Refused, Status::TooLarge, 116},
        {Direction::Download, 0, FailureCause::Refused, Status::Sequence, 116},
        {Direction::Download, 1, FailureCause::Refused, Status::MemoryFull, 245},
        {Direction::Download, 3, FailureCause::Refused, Status::NotAllowed, 246},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kp::FailureMessageId(c.direction, c.kind, c.cause, c.status), c.id)
            << "kind " << int(c.kind) << " status " << int(c.status);
}
