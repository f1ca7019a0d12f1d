#include <gtest/gtest.h>

#include "tests/portable/instrument/InstrumentHost.h"

namespace ki = keyloft::instrument;
using namespace keyloft::instrument::test;

TEST(SimulatedInstrument, TransferRulesRefuseWhatDoesNotFit)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    // Data without a clear state first.
    EXPECT_EQ(host.Ack(kp::MakeData(0, 0, Pattern(10)), kp::PacketType::Data), kp::Status::Sequence);
    // Kind changed in the middle.
    EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 0, Pattern(10)), kp::PacketType::Data), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(1, 0, Pattern(10)), kp::PacketType::Data), kp::Status::Sequence);
    // A total that is not what arrived stores nothing.
    EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 1, Pattern(10)), kp::PacketType::Data), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeEnd(0, 1, 11), kp::PacketType::End), kp::Status::Sequence);
    EXPECT_FALSE(host.Engine().Store().IsUsed(0, 1));
    // An end needs its own clear state.
    EXPECT_EQ(host.Ack(kp::MakeEnd(0, 1, 0), kp::PacketType::End), kp::Status::Sequence);
    // Beyond the kind's maximum: refused at the packet that crosses it.
    folder.Write("profile.ini", "[FILE_SIZE]\r\nSNG_MAX_SIZE=3000\r\n");
    EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 2, Pattern(2045)), kp::PacketType::Data), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 2, Pattern(956)), kp::PacketType::Data), kp::Status::TooLarge);
    EXPECT_EQ(host.Download(0, 2, Pattern(3000)), kp::Status::Ok);
    // Slots outside the table and kinds that cannot be downloaded.
    EXPECT_EQ(host.Download(0, 20, Pattern(1)), kp::Status::BadSlot);
    EXPECT_EQ(host.Download(5, 0, Pattern(1)), kp::Status::BadKind);
}

TEST(SimulatedInstrument, DamagedRequestsAreAnsweredWithTheirReason)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    kp::Bytes packet = kp::MakeClearState();
    packet.back() ^= 0x01;
    const Exchange exchange = host.Send(packet);
    ASSERT_TRUE(exchange.packet);
    const auto ack = kp::ReadAck(*exchange.packet);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->acknowledged, 0x15);
    EXPECT_EQ(ack->status, kp::Status::BadSum);

    EXPECT_EQ(host.Ack(kp::EncodePacket(0x77, {}), static_cast<kp::PacketType>(0x77)), kp::Status::BadPacket);
    // Messages that are not ours get no answer at all.
    EXPECT_TRUE(host.SendMessage(kp::Bytes{0xF0, 0x43, 0x10, 0x00, 0xF7}).replies.empty());
}
