#include <gtest/gtest.h>

#include "tests/portable/instrument/InstrumentHost.h"

namespace ki = keyloft::instrument;
using namespace keyloft::instrument::test;

TEST(SimulatedInstrument, DownloadThenUploadRoundTripsEveryKindSizeAndSlot)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    const std::size_t sizes[] = {0, 1, 2045, 2046, 4090, 64 * 1024 + 1};
    const std::uint16_t slots[] = {0, 7, kp::kWorkingSlot};
    for (std::uint8_t kind = 0; kind < 4; ++kind) {
        for (std::uint16_t slot : slots) {
            for (std::size_t size : sizes) {
                SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " slot " << slot << " size " << size);
                const kp::Bytes data = Pattern(size, kind * 31 + slot);
                ASSERT_EQ(host.Download(kind, slot, data), kp::Status::Ok);
                const auto back = host.Upload(kind, slot);
                ASSERT_TRUE(back);
                EXPECT_EQ(*back, data);
                // The memory folder holds exactly what was sent, where the layout says.
                EXPECT_EQ(std::filesystem::file_size(host.Engine().Store().PathOf(kind, slot)), size);
            }
        }
    }
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "style" / "007.sty"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "memory" / "work.mem"));
}

TEST(SimulatedInstrument, QueriesAndDeletesOutsideTheTableAreRefusedWithTheirStatus)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    kp::Packet keep;
    auto reply = host.Query(kp::MakeSizeQuery(1, 4), keep);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, kp::Status::EmptySlot);
    reply = host.Query(kp::MakeSizeQuery(1, 20), keep);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, kp::Status::BadSlot);
    EXPECT_EQ(host.Ack(kp::MakeDelete(4, 0), kp::PacketType::Delete), kp::Status::BadKind);
    kp::Status status = kp::Status::Ok;
    EXPECT_FALSE(host.Upload(1, 3, &status));
    EXPECT_EQ(status, kp::Status::EmptySlot);
}

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

TEST(SimulatedInstrument, ServesItsDeviceProfileAndVoiceList)
{
    TempFolder folder;
    InstrumentHost host(folder.Path());
    const auto profile = host.Upload(5, 0);
    ASSERT_TRUE(profile);
    const std::string text(profile->begin(), profile->end());
    EXPECT_EQ(text, ki::BuiltInProfileText());
    EXPECT_LE(profile->size(), 2048u); // the program fetches it with that maximum
    EXPECT_EQ(ki::IniValue(text, "dlg_visible", "DLG_DOWN_MEMORY"), "1") << "sections and keys ignore case";
    // The limits the instrument keeps are the ones it serves.
    EXPECT_EQ(ki::IniValue(text, "FILE_MAX_CNT", "VOC_MAX_CNT"), "16");
    const ki::SlotLimits& limits = host.Engine().Limits();
    EXPECT_EQ(limits.counts[2], 16u);
    EXPECT_EQ(limits.maxSizes[1], 131072u);

    const auto voices = host.Upload(6, 0);
    ASSERT_TRUE(voices);
    EXPECT_LE(voices->size(), 61440u);
    const std::string list(voices->begin(), voices->end());
    EXPECT_EQ(list.substr(0, 14), "0\tGrand Piano\r");
    EXPECT_NE(list.find("127\tGunshot\r\n"), std::string::npos);

    kp::Status status = kp::Status::Ok;
    EXPECT_FALSE(host.Upload(5, 1, &status));
    EXPECT_EQ(status, kp::Status::BadSlot);

    // A profile in the folder replaces the built-in one, and its limits apply.
    folder.Write("profile.ini", "[FILE_MAX_CNT]\r\nMEM_MAX_CNT=3\r\n[UPLOAD_ENABLE]\r\nUPLOAD_MEM=0\r\n");
    folder.Write("voices.ins", "0\tOnly Voice\r\n");
    kp::Packet keep;
    const auto table = kp::ReadTableResult(*host.Query(kp::MakeTableQuery(3), keep), 3);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->size(), 3u);
    ASSERT_EQ(host.Download(3, 0, Pattern(100)), kp::Status::Ok);
    EXPECT_FALSE(host.Upload(3, 0, &status));
    EXPECT_EQ(status, kp::Status::NotAllowed);
    const auto replaced = host.Upload(6, 0);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(std::string(replaced->begin(), replaced->end()), "0\tOnly Voice\r\n");
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
