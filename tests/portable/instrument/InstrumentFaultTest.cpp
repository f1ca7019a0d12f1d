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
    EXPECT_EQ(ki::ParseControl("fault=pulled").fault, ki::FaultMode::Pulled);

    ki::ParseControl("fault=explode\nafter=x", {}, &error);
    EXPECT_NE(error.find("fault=explode"), std::string::npos);
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

TEST(InstrumentFaults, APulledInstrumentStaysSilentAcrossReopeningUntilTheControlFileChanges)
{
    TempFolder folder;
    folder.Write("control.txt", "fault=pulled\nafter=1\n");
    InstrumentHost host(folder.Path());
    ASSERT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
    EXPECT_TRUE(host.Send(kp::MakeClearState()).replies.empty());
    host.Engine().Reopen({});
    const kp::Bytes identify = kp::IdentifyQueryMessage();
    EXPECT_TRUE(host.SendMessage(identify).replies.empty()) << "a reconnect does not plug it back in";
    EXPECT_TRUE(host.Send(kp::MakeHello(kp::HelloCommand::Probe)).replies.empty());
    folder.Write("control.txt", "fault=none\n");
    EXPECT_FALSE(host.SendMessage(identify).replies.empty());
    EXPECT_EQ(host.Ack(kp::MakeClearState(), kp::PacketType::ClearState), kp::Status::Ok);
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
