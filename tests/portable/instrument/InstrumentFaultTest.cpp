#include <gtest/gtest.h>

#include "core/portable/protocol/Reassembler.h"
#include "tests/portable/instrument/InstrumentHost.h"
#include "tools/instrument/NonInstrument.h"

namespace ki = keyloft::instrument;
using namespace keyloft::instrument::test;

TEST(InstrumentControl, ParsesSettingsOnTopOfABase)
{
    ki::Control base;
    base.delayMs = 10;
    std::string error;
    const ki::Control control =
        ki::ParseControl("# a test\nfault = refuse\nstatus=0x07;on=32\nafter=3 # comment\npace=3125\n", base, &error);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(control.fault, ki::FaultMode::Refuse);
    EXPECT_EQ(control.status, kp::Status::TooLarge);
    EXPECT_EQ(control.onType, 0x20);
    EXPECT_EQ(control.after, 3u);
    EXPECT_EQ(control.paceBytesPerSecond, 3125u);
    EXPECT_EQ(control.delayMs, 10u);
    EXPECT_EQ(ki::ParseControl("fault=silent-after").fault, ki::FaultMode::Silent);

    ki::ParseControl("fault=explode\nafter=x", {}, &error);
    EXPECT_NE(error.find("fault=explode"), std::string::npos);
}

TEST(InstrumentFaults, RefusalCarriesEachStatusInTheRepliesOwnForm)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    for (unsigned code = 1; code <= 0x0A; ++code) {
        ki::Control control;
        control.fault = ki::FaultMode::Refuse;
        control.status = static_cast<kp::Status>(code);
        host.Engine().SetBaseControl(control);
        const kp::Status expected = static_cast<kp::Status>(code);

        Exchange hello = host.Send(kp::MakeHello(kp::HelloCommand::Probe));
        ASSERT_TRUE(hello.packet);
        EXPECT_EQ(kp::ReadHelloReply(*hello.packet), expected);
        EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), expected);
        EXPECT_EQ(host.Ack(kp::MakeData(0, 0, Pattern(3)), kp::PacketType::Data), expected);
        EXPECT_EQ(host.Ack(kp::MakeEnd(0, 0, 3), kp::PacketType::End), expected);
        EXPECT_EQ(host.Ack(kp::MakeDelete(0, 0), kp::PacketType::Delete), expected);
        kp::Packet keep;
        const auto query = host.Query(kp::MakeSizeQuery(0, 0), keep);
        ASSERT_TRUE(query);
        EXPECT_EQ(query->status, expected);
        EXPECT_FALSE(kp::ReadSizeResult(*query, 0, 0));
        kp::Status status = kp::Status::Ok;
        EXPECT_FALSE(host.Upload(0, 0, &status));
        EXPECT_EQ(status, expected);
    }
}

TEST(InstrumentFaults, AReplyCutByAStatusIsNoMessageButACut)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    ki::Control control;
    control.fault = ki::FaultMode::CutByStatus;
    host.Engine().SetBaseControl(control);
    const Exchange exchange = host.Send(kp::MakeHello(kp::HelloCommand::Probe));
    ASSERT_EQ(exchange.replies.size(), 1u);
    kp::SysExReassembler reassembler;
    int messages = 0;
    int cuts = 0;
    reassembler.Feed(exchange.replies[0].bytes, [&](const kp::ReassemblyEvent& event) {
        messages += event.kind == kp::ReassemblyEventKind::Message;
        cuts += event.kind == kp::ReassemblyEventKind::Cut;
    });
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(cuts, 1);
}

TEST(InstrumentFaults, LateReplyAndPacingDelayTheReply)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    ki::Control control;
    control.fault = ki::FaultMode::LateReply;
    control.delayMs = 1500;
    host.Engine().SetBaseControl(control);
    Exchange exchange = host.Send(kp::MakeClearState());
    ASSERT_TRUE(exchange.packet); // intact, only late
    EXPECT_EQ(exchange.replies[0].delayMs, 1500u);

    control = {};
    control.paceBytesPerSecond = 3125;
    host.Engine().SetBaseControl(control);
    const kp::Bytes request = kp::WrapPacket(kp::MakeHello(kp::HelloCommand::Probe));
    exchange = host.SendMessage(request);
    ASSERT_EQ(exchange.replies.size(), 1u);
    EXPECT_EQ(exchange.replies[0].delayMs, (request.size() + exchange.replies[0].bytes.size()) * 1000 / 3125);
}

TEST(InstrumentFaults, GoesSilentAfterNDataPacketsOfATransfer)
{
    TempFolder folder;
    folder.Write("control.txt", "fault=silent-after\non=0x20\nafter=2\n");
    InstrumentHost host(folder.Path());
    ASSERT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 0, Pattern(2045)), kp::PacketType::Data), kp::Status::Ok);
    EXPECT_EQ(host.Ack(kp::MakeData(0, 0, Pattern(2045)), kp::PacketType::Data), kp::Status::Ok);
    EXPECT_TRUE(host.Send(kp::MakeData(0, 0, Pattern(2045))).replies.empty());
    // Other types still answer; the fault is limited to data packets.
    EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);

    // Changing the control file takes effect at the next session request, even
    // when the new text has the same size and the same write time.
    const auto written = std::filesystem::last_write_time(folder.Path() / "control.txt");
    folder.Write("control.txt", "fault=silent-after\non=0x21\nafter=2\n");
    std::filesystem::last_write_time(folder.Path() / "control.txt", written);
    EXPECT_EQ(host.Download(0, 0, Pattern(6000)), kp::Status::Ok);
    folder.Write("control.txt", "fault=none\n");
    EXPECT_EQ(host.Download(0, 0, Pattern(6000)), kp::Status::Ok);
}

TEST(NonInstrument, NeverAnswersTheIdentifyFrameAsAnInstrument)
{
    const kp::Bytes query = kp::IdentifyQueryMessage();
    for (auto mode : {ki::NonInstrumentMode::Echo, ki::NonInstrumentMode::Garbage, ki::NonInstrumentMode::Silent}) {
        const auto replies = ki::NonInstrumentReplies(mode, query);
        for (const ki::Reply& reply : replies) {
            EXPECT_FALSE(kp::ParseIdentifyReply(reply.bytes));
            EXPECT_FALSE(kp::ReadPacketFrame(reply.bytes).Ok());
        }
        EXPECT_EQ(replies.empty(), mode == ki::NonInstrumentMode::Silent);
    }
    EXPECT_EQ(ki::NonInstrumentReplies(ki::NonInstrumentMode::Echo, query).at(0).bytes, query);
    EXPECT_EQ(ki::ParseNonInstrumentMode("garbage"), ki::NonInstrumentMode::Garbage);
    EXPECT_EQ(ki::ParseNonInstrumentMode(""), ki::NonInstrumentMode::Echo);
}

TEST(NonInstrument, SizedPartnerAnswersWithTheSizeAsked)
{
    const kp::Bytes request = ki::SizedRequest(4131, 35);
    ASSERT_EQ(request.size(), 4131u);
    const auto replies = ki::NonInstrumentReplies(ki::NonInstrumentMode::Sized, request);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes.size(), 35u);
    EXPECT_EQ(replies[0].bytes.front(), 0xF0);
    EXPECT_EQ(replies[0].bytes.back(), 0xF7);
    EXPECT_FALSE(kp::ParseIdentifyReply(replies[0].bytes));
    EXPECT_EQ(ki::NonInstrumentReplies(ki::NonInstrumentMode::Sized, ki::SizedRequest(9, 4131)).at(0).bytes.size(), 4131u);
    // Anything else gets no answer, the identify frame included.
    EXPECT_TRUE(ki::NonInstrumentReplies(ki::NonInstrumentMode::Sized, kp::IdentifyQueryMessage()).empty());
}
