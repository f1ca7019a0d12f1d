// Download and upload loops against the simulated instrument: what ends up in
// the instrument's memory folder and in the PC data folder, and how faults of
// single files end a job.
#include <gtest/gtest.h>

#include "pages/AppMessages.h"
#include "app/transfer/TransferKindInfo.h"
#include "app/transfer/TransferMessages.h"
#include "tests/app_transfer/TransferFixture.h"

using linktest::PatternBytes;
using transfertest::TransferTest;

namespace {

class TransferEveryKind : public TransferTest, public ::testing::WithParamInterface<int> {};

TEST_P(TransferEveryKind, DownloadWritesTheFilesIntoTheChosenSlotsInOrder)
{
    const int kind = GetParam();
    const TransferKindInfo& info = *FindTransferKind(kind);
    const auto first = PatternBytes(3000, 1);
    const auto second = PatternBytes(17, 2);
    WritePcFile((CString(L"a") + info.extension).GetString(), first);
    WritePcFile((CString(L"b") + info.extension).GetString(), second);

    TransferDownloadJob request;
    request.kind = kind;
    request.folder = Folder();
    request.names = {CString(L"a") + info.extension, CString(L"b") + info.extension};
    request.slots = {4, 1};
    const DownloadOutcome outcome = DownloadFiles(*m_port, request, m_cancel, m_events);

    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.everyFileSent);
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(kind, 4)), first);
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(kind, 1)), second);
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(kind, 0)).has_value());
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_P(TransferEveryKind, UploadWritesEachSlotAsANamedFileOfTheKind)
{
    const int kind = GetParam();
    const TransferKindInfo& info = *FindTransferKind(kind);
    const auto stored = PatternBytes(5000, 9);
    m_memory.WriteFile(m_memory.SlotFile(kind, 2), stored);
    std::atomic<bool> watch{true};

    TransferUploadJob request;
    request.kind = kind;
    request.folder = Folder();
    request.slots = {2};
    request.expectedSizes = {5000};
    request.names = {FormatSlotName(info, 2)};
    request.extension = info.extension;
    int switches = 0;
    request.setFolderWatch = [&watch, &switches](bool on) {
        watch = on;
        ++switches;
    };
    EXPECT_EQ(UploadFiles(*m_port, request, m_cancel, m_events), 1);

    const CString file = FormatSlotName(info, 2) + info.extension;
    EXPECT_EQ(ReadPcFile(file.GetString()), stored);
    EXPECT_EQ(m_events.pcWrites, 1);
    EXPECT_TRUE(watch.load()) << "the folder watch is switched on again";
    EXPECT_EQ(switches, 2) << "off while writing, then on";
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(kind, 2)), stored) << "an upload leaves the slot alone";
}

INSTANTIATE_TEST_SUITE_P(Kinds, TransferEveryKind, ::testing::Values(0, 1, 2, 3));

TEST_F(TransferTest, AFileThatGrewPastTheLimitIsRefusedNotSent)
{
    const TransferKindInfo& info = *FindTransferKind(3);
    constexpr UINT kMemorySize = 64;
    WritePcFile(L"grown.mem", PatternBytes(kMemorySize + 10, 4));  // fitted when listed, grew since
    WritePcFile(L"fine.mem", PatternBytes(kMemorySize, 5));
    TransferDownloadJob request;
    request.kind = 3;
    request.folder = Folder();
    request.names = {L"grown.mem", L"fine.mem"};
    request.slots = {0, 1};
    request.stillValid = [&info](const CString&, ULONGLONG size) { return FitsSizeRule(info, kMemorySize, size); };
    const DownloadOutcome outcome = DownloadFiles(*m_port, request, m_cancel, m_events);

    EXPECT_FALSE(outcome.everyFileSent);
    ASSERT_EQ(m_events.rejectedPaths.size(), 1u);
    EXPECT_EQ(m_events.rejectedPaths[0], Folder() + L"grown.mem");
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 0)).has_value()) << "nothing of it reached the instrument";
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(3, 1)), PatternBytes(kMemorySize, 5));
}

TEST_F(TransferTest, AnUploadWhoseTargetCannotBeWrittenFails)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 0), PatternBytes(10, 6));
    m_memory.WriteFile(m_memory.SlotFile(0, 1), PatternBytes(20, 7));
    // A folder in the way of the first target file.
    std::filesystem::create_directories(m_pcFolder / L"UserSong 001.mid");
    TransferUploadJob request;
    request.folder = Folder();
    request.slots = {0, 1};
    request.expectedSizes = {10, 20};
    request.names = {L"UserSong 001", L"UserSong 002"};
    EXPECT_EQ(UploadFiles(*m_port, request, m_cancel, m_events), 0);
    ASSERT_EQ(m_events.errorPaths.size(), 1u);
    EXPECT_EQ(m_events.errorPaths[0], Folder() + L"UserSong 001.mid");
    EXPECT_EQ(ReadPcFile(L"UserSong 002.mid"), PatternBytes(20, 7)) << "the other slots are still written";
}

TEST_F(TransferTest, AFailedUploadStopsAtThatSlot)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(10, 6));
    TransferUploadJob request;
    request.kind = 1;
    request.folder = Folder();
    request.slots = {5, 0};  // slot 5 is free
    request.expectedSizes = {100, 10};
    request.names = {L"x", L"y"};
    request.extension = L".sty";
    EXPECT_EQ(UploadFiles(*m_port, request, m_cancel, m_events), 0);
    EXPECT_FALSE(PcFileExists(L"y.sty"));
}

TEST_F(TransferTest, ACancelledJobSendsNothingMore)
{
    WritePcFile(L"a.mid", PatternBytes(10, 1));
    TransferDownloadJob request;
    request.folder = Folder();
    request.names = {L"a.mid"};
    request.slots = {0};
    m_cancel = true;
    EXPECT_EQ(DownloadFiles(*m_port, request, m_cancel, m_events).result, 2);
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(0, 0)).has_value());
}

} // namespace
