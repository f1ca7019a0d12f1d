// The transfer pages driven as the user drives them: lists and titles, download,
// upload and clear against the simulated instrument, the questions and notes,
// faults of single files, cancelling and the page going away during a job.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <future>

#include "pages/AppMessages.h"
#include "app/transfer/TransferPages.h"
#include "core/files/Folders.h"
#include "core/files/SafeSave.h"
#include "res/resource.h"
#include "tests/app_transfer/PageFixture.h"

using linktest::PatternBytes;
using transfertest::kProfileMemorySize;
using transfertest::kProfileVoiceSize;
using transfertest::PageTest;

namespace {

// A string of the program's table, formatted with the arguments given.
template <class... Args>
CString Loaded(UINT id, Args... args)
{
    CString text;
    text.LoadString(id);
    if constexpr (sizeof...(Args) > 0)
        text.Format(CString(text), args...);
    return text;
}

// Row numbers as the lists hand them over.
struct Rows {
    Rows(std::initializer_list<UINT> rows)
    {
        for (UINT row : rows)
            array.Add(row);
    }
    operator const CUIntArray&() const { return array; }
    CUIntArray array;
};

class PageGui : public PageTest {
protected:
    // Lets the reports the job posted arrive.
    void Settle(DWORD ms = 300) { PumpUntil([] { return false; }, ms); }
    long NotesOf(UINT id) const
    {
        return std::count_if(m_notes.notes.begin(), m_notes.notes.end(), [id](const auto& n) { return n.messageId == id; });
    }
    bool ProgressSaw(UINT message) const
    {
        return std::find(m_progressMessages.begin(), m_progressMessages.end(), message) != m_progressMessages.end();
    }
    // A memory download whose data packet's acknowledgement comes 1.5 s late.
    void StartSlowDownload(UINT slot)
    {
        OpenPage(3);
        WriteDataFile(3, L"slow.mem", kProfileMemorySize, 1);
        m_page->FillPCList();
        m_port->SetTimeouts(keyloft::protocol::Timeouts{});
        m_memory.SetControl("fault=late-reply\non=0x20\ndelay-ms=1500\n");
        ASSERT_EQ(m_page->StartDownload(Rows({0}), Rows({slot})), 1);
    }
};

TEST_F(PageGui, TitlesCountTheFilesAndTheUsedSlots)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 0), PatternBytes(1024, 1));
    m_memory.WriteFile(m_memory.SlotFile(0, 5), PatternBytes(10, 2));
    OpenPage(0);
    WriteDataFile(0, L"a.mid", 10);
    WriteDataFile(0, L"b.mid", 10);
    WriteDataFile(0, L"ignored.txt", 10);
    m_page->FillPCList();

    EXPECT_EQ(m_page->GetPCTitle(), Loaded(150, 2));
    EXPECT_EQ(m_page->GetDeviceTitle(), Loaded(154, 2, 20));
    CString shown;
    m_page->GetDlgItem(IDC_TRANSFER_DEV_TITLE)->GetWindowText(shown);
    EXPECT_EQ(shown, Loaded(154, 2, 20));
    EXPECT_EQ(m_page->GetDevList().GetItemCount(), 20);
    EXPECT_EQ(m_page->GetDevList().GetItemText(5, 1), L"UserSong 006");
    EXPECT_EQ(m_page->GetDevList().GetItemText(0, 2), L"1.00");
    // Song files without the maker's mark are listed, marked invalid once their check has run.
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ASSERT_NE(m_page->GetPCList().GetFileItem(0), nullptr);
    EXPECT_TRUE(m_page->GetPCList().GetFileItem(0)->invalid);

    // Shown: a title whose count changes shows the new text at the next paint;
    // a refill of the same files leaves both titles as they are, unrepainted.
    m_host.ShowWindow(SW_SHOWNA);
    m_page->ShowWindow(SW_SHOWNA);
    PumpUntil([] { return false; }, 50);
    CWnd* pcTitle = m_page->GetDlgItem(IDC_TRANSFER_PC_TITLE);
    ASSERT_TRUE(pcTitle && pcTitle->IsWindowVisible());
    m_page->FillPCList();
    EXPECT_FALSE(::GetUpdateRect(pcTitle->GetSafeHwnd(), nullptr, FALSE)) << "the same title again";
    WriteDataFile(0, L"c.mid", 10);
    m_page->FillPCList();
    pcTitle->GetWindowText(shown);
    EXPECT_EQ(shown, Loaded(150, 3));
    EXPECT_TRUE(::GetUpdateRect(pcTitle->GetSafeHwnd(), nullptr, FALSE)) << "the new count must be painted";
    PumpUntil([] { return false; }, 50);
    EXPECT_FALSE(::GetUpdateRect(pcTitle->GetSafeHwnd(), nullptr, FALSE));
}

TEST_F(PageGui, ADeviceListThatCannotBeReadShowsItsClearedCount)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 0), PatternBytes(10, 1));
    m_memory.WriteFile(m_memory.SlotFile(0, 5), PatternBytes(10, 2));
    OpenPage(0);
    CString shown;
    m_page->GetDlgItem(IDC_TRANSFER_DEV_TITLE)->GetWindowText(shown);
    ASSERT_EQ(shown, Loaded(154, 2, 20));

    m_memory.SetControl("fault=refuse\non=0x02\nstatus=0x06\n");  // the first query: the slot table
    m_page->RefreshDeviceList();
    EXPECT_EQ(NotesOf(116), 1) << "the slot table was not read";
    EXPECT_EQ(m_page->GetDevList().CountUsedSlots(), 0);
    m_page->GetDlgItem(IDC_TRANSFER_DEV_TITLE)->GetWindowText(shown);
    EXPECT_EQ(shown, Loaded(154, 0, 20));
}

TEST_F(PageGui, AFailedSizeQueryLeavesAnEmptyCellAndUploadsExpectTheProfileMaximum)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 2), PatternBytes(3000, 1));
    m_memory.WriteFile(m_memory.SlotFile(0, 4), PatternBytes(10, 1));
    m_memory.SetControl("fault=refuse\non=0x02\nafter=1\nstatus=0x06\n");
    OpenPage(0);
    EXPECT_EQ(NotesOf(215), 2) << "one per failing slot";
    EXPECT_EQ(m_page->GetDevList().GetItemText(2, 1), L"UserSong 003");
    EXPECT_TRUE(m_page->GetDevList().GetItemText(2, 2).IsEmpty());
    ASSERT_GE(m_page->GetSlotRows().size(), 3u);
    EXPECT_FALSE(m_page->GetSlotRows()[2].sizeKnown);

    // The upload still gets the whole item: the profile's largest song is expected.
    m_memory.SetControl("# sizes answer again, the upload is not limited by a stale size\n");
    ASSERT_EQ(m_page->StartUpload(Rows({2})), 1);
    ASSERT_TRUE(PumpUntil([&] { return m_notes.Saw(217) || m_notes.Saw(126); }));
    EXPECT_TRUE(m_notes.Saw(217));
    const CString file = m_page->GetFolder() + L"UserSong 003.mid";
    EXPECT_TRUE(RegularFileExists(file));
}

class PageEveryKind : public PageGui, public ::testing::WithParamInterface<int> {};

TEST_P(PageEveryKind, UploadAllWritesEveryUsedSlotIntoTheDataFolderWithProgress)
{
    const int kind = GetParam();
    // Voices and memories are as large as the profile says; songs and styles vary.
    const std::size_t exact = kind == 2 ? kProfileVoiceSize : kProfileMemorySize;
    m_memory.WriteFile(m_memory.SlotFile(kind, 0), PatternBytes(kind < 2 ? 5000 : exact, 3));
    m_memory.WriteFile(m_memory.SlotFile(kind, 3), PatternBytes(kind < 2 ? 70 : exact, 4));
    OpenPage(kind);
    m_page->OnUploadAll();
    ASSERT_TRUE(PumpUntil([&] { return m_notes.Saw(217) || m_notes.Saw(126); }));
    EXPECT_TRUE(m_notes.Saw(217));
    EXPECT_FALSE(m_notes.Saw(126));
    const TransferKindInfo& info = m_page->GetKindInfo();
    const std::vector<CString> files = ListFilesByExtension(m_page->GetFolder(), info.extensionBare);
    EXPECT_EQ(files.size(), 2u);
    EXPECT_TRUE(RegularFileExists(m_page->GetFolder() + FormatSlotName(info, 0) + info.extension));
    EXPECT_TRUE(RegularFileExists(m_page->GetFolder() + FormatSlotName(info, 3) + info.extension));
    EXPECT_EQ(m_page->GetPCList().GetItemCount(), 2) << "the PC list was refilled";
    EXPECT_TRUE(ProgressSaw(AppMsg::ProgressBegin));
    EXPECT_TRUE(ProgressSaw(AppMsg::ProgressEnd));
}

TEST_P(PageEveryKind, ClearingTheDeviceEmptiesItsMemoryFolderAfterTheQuestion)
{
    const int kind = GetParam();
    m_memory.WriteFile(m_memory.SlotFile(kind, 1), PatternBytes(10, 3));
    m_memory.WriteFile(m_memory.SlotFile(kind, 2), PatternBytes(10, 4));
    OpenPage(kind);

    m_shell.answers = {IDNO};
    m_page->OnDeleteAll();
    ASSERT_EQ(m_shell.boxes.size(), 1u);
    EXPECT_EQ(m_shell.boxes[0], Loaded(164));
    EXPECT_TRUE(m_memory.ReadFile(m_memory.SlotFile(kind, 1)).has_value()) << "No keeps the slots";

    m_shell.answers = {IDYES};
    m_page->OnDeleteAll();
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(kind, 1)).has_value());
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(kind, 2)).has_value());
    EXPECT_EQ(m_page->GetDevList().CountUsedSlots(), 0) << "the device list was refreshed";
}

INSTANTIATE_TEST_SUITE_P(Kinds, PageEveryKind, ::testing::Values(0, 1, 2, 3));

class PageMarkedKind : public PageGui, public ::testing::WithParamInterface<int> {
protected:
    UINT ExactSize() const { return GetParam() == 2 ? kProfileVoiceSize : kProfileMemorySize; }
};

TEST_P(PageMarkedKind, TheOverwriteQuestionDecidesWhetherTheJobRuns)
{
    const int kind = GetParam();
    m_memory.WriteFile(m_memory.SlotFile(kind, 0), PatternBytes(5, 9));
    OpenPage(kind);
    const TransferKindInfo& info = m_page->GetKindInfo();
    WriteDataFile(kind, (CString(L"new") + info.extension).GetString(), ExactSize(), 3);
    m_page->FillPCList();

    m_shell.answers = {IDNO};
    EXPECT_EQ(m_page->StartDownload(Rows({0}), Rows({0})), 0);
    ASSERT_EQ(m_shell.boxes.size(), 1u);
    EXPECT_EQ(m_shell.boxes[0], Loaded(144));
    EXPECT_FALSE(m_page->IsTransferRunning());
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(kind, 0)), PatternBytes(5, 9));

    m_shell.answers = {IDYES};
    ASSERT_EQ(m_page->StartDownload(Rows({0}), Rows({0})), 1);
    ASSERT_TRUE(PumpUntil([&] { return m_notes.Saw(124); }));
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(kind, 0)), MarkedBytes(kind, ExactSize(), 3));
}

INSTANTIATE_TEST_SUITE_P(VoiceAndMemory, PageMarkedKind, ::testing::Values(2, 3));

TEST_F(PageGui, AFileGoneBeforeItsTurnIsReportedAndTheJobEndsWithoutTheSuccessNote)
{
    OpenPage(3);
    WriteDataFile(3, L"a.mem", kProfileMemorySize, 1);
    WriteDataFile(3, L"b.mem", kProfileMemorySize, 2);
    m_page->FillPCList();
    ::DeleteFileW(m_page->GetFolder() + m_page->GetPCList().GetItemText(0, 0));
    ASSERT_EQ(m_page->StartDownload(Rows({0, 1}), Rows({0, 1})), 1);
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsTransferRunning(); }));
    Settle();
    EXPECT_FALSE(m_notes.Saw(124));
    ASSERT_EQ(m_shell.boxes.size(), 1u) << "the file-error sentence in the plain box";
    EXPECT_NE(m_shell.boxes[0].Find(m_page->GetPCList().GetItemText(0, 0)), -1);
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 0)).has_value());
    EXPECT_TRUE(m_memory.ReadFile(m_memory.SlotFile(3, 1)).has_value()) << "the next file still went";
}

TEST_F(PageGui, AFileThatChangedSinceTheListWasFilledIsRefusedAndReported)
{
    OpenPage(3);
    WriteDataFile(3, L"grows.mem", kProfileMemorySize, 1);
    m_page->FillPCList();
    ASSERT_FALSE(m_page->GetPCList().GetFileItem(0)->invalid);
    WriteDataFile(3, L"grows.mem", kProfileMemorySize + 500, 1);
    ASSERT_EQ(m_page->StartDownload(Rows({0}), Rows({2})), 1);
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsTransferRunning(); }));
    Settle();
    EXPECT_FALSE(m_notes.Saw(124));
    bool reported = false;
    for (const auto& note : m_notes.notes)
        reported = reported || (note.messageId == 0 && note.text.Find(L"grows.mem") != -1);
    EXPECT_TRUE(reported);
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 2)).has_value()) << "nothing was sent";
}

TEST_F(PageGui, AnUploadThatCannotWriteItsFileSaysSoOnceWithTheCause)
{
    m_memory.WriteFile(m_memory.SlotFile(2, 0), PatternBytes(30, 1));
    OpenPage(2);
    std::filesystem::create_directories(std::filesystem::path((m_page->GetFolder() + L"UserVoice 001.voc").GetString()));
    m_page->OnUploadAll();
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsTransferRunning() && !m_shell.boxes.empty(); }));
    Settle();
    EXPECT_EQ(m_shell.boxes.size(), 1u) << "the file-error sentence";
    EXPECT_FALSE(m_notes.Saw(126)) << "not a second box for the same failure";
    EXPECT_FALSE(m_notes.Saw(217));
}

TEST_F(PageGui, TheReplaceQuestionIsAskedOnceForExistingFiles)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(30, 1));
    m_memory.WriteFile(m_memory.SlotFile(1, 1), PatternBytes(40, 2));
    OpenPage(1);
    WriteDataFile(1, L"UserStyle 001.sty", 5);
    WriteDataFile(1, L"UserStyle 002.sty", 5);
    m_notes.answer = IDCANCEL;
    m_page->OnUploadAll();
    EXPECT_EQ(NotesOf(145), 1);
    EXPECT_FALSE(m_page->IsTransferRunning());
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path((m_page->GetFolder() + L"UserStyle 002.sty").GetString())), 5u);
}

TEST_F(PageGui, CancellingInTheMiddleOfADownloadEndsWithoutTheNote)
{
    StartSlowDownload(5);
    ASSERT_TRUE(PumpUntil([&] { return ProgressSaw(AppMsg::ProgressBegin); }));
    m_port->RequestCancel();  // the frame's cancel button
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsTransferRunning(); }));
    Settle();
    EXPECT_FALSE(m_notes.Saw(124));
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 5)).has_value());
    ::Sleep(1700);  // the instrument's late reply passes before the port closes
}

TEST_F(PageGui, APageThatGoesAwayDuringAJobStopsAndWaitsForIt)
{
    StartSlowDownload(1);
    EXPECT_TRUE(m_page->IsTransferRunning());
    StopTransferJob(m_basePage.get());  // what the view does before releasing its pages
    EXPECT_FALSE(m_page->IsTransferRunning());
    EXPECT_FALSE(m_port->IsBusy());

    ASSERT_EQ(m_page->StartDownload(Rows({0}), Rows({1})), 1);
    m_page->DestroyWindow();  // destroyed with the job running
    m_basePage.reset();
    m_page = nullptr;
    Settle();  // late posts find no page and do no harm
    EXPECT_FALSE(m_port->IsBusy());
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 1)).has_value()) << "both jobs were stopped";
    ::Sleep(1700);  // the instrument's late reply passes before the port closes
}

TEST_F(PageGui, DeletingSelectedSlotsAsksWithTheNameOrTheCount)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 0), PatternBytes(10, 1));
    m_memory.WriteFile(m_memory.SlotFile(0, 1), PatternBytes(10, 2));
    OpenPage(0);
    CDevFileListCtrl& list = m_page->GetDevList();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_notes.answer = IDCANCEL;
    m_page->OnDeleteSelected();
    ASSERT_EQ(m_notes.notes.size(), 1u);
    EXPECT_EQ(m_notes.notes[0].text, Loaded(161, L"UserSong 001"));
    EXPECT_TRUE(m_memory.ReadFile(m_memory.SlotFile(0, 0)).has_value());

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    m_notes.answer = IDOK;
    m_page->OnDeleteSelected();
    EXPECT_EQ(m_notes.notes.back().text, Loaded(162, 2));
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(0, 0)).has_value());
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(0, 1)).has_value());
}

TEST_F(PageGui, CommandsGivenWhileTheKeepAliveTalksWaitForItInsteadOfDoingNothing)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(3000, 1));
    m_memory.WriteFile(m_memory.SlotFile(1, 1), PatternBytes(2000, 2));
    OpenPage(1);
    // The keep-alive's exchange, answered late: the port is busy with it when
    // the user's command comes.
    m_memory.SetControl("fault=late-reply\non=0x15\ndelay-ms=150\n");
    const auto keepAliveTalking = [this] {
        auto exchange = std::async(std::launch::async, [this] {
            CKeepAliveBusyScope keepAlive;
            return m_port->ClearState();
        });
        for (int poll = 0; poll < 1000 && !m_port->IsBusy(); ++poll)
            ::Sleep(1);
        return exchange;
    };

    CDevFileListCtrl& list = m_page->GetDevList();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_notes.answer = IDOK;
    std::future<BOOL> keepAlive = keepAliveTalking();
    ASSERT_TRUE(m_port->IsBusy());
    m_page->OnDeleteSelected();
    EXPECT_TRUE(keepAlive.get());
    EXPECT_EQ(NotesOf(0), 1) << "the question was asked";
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(1, 0)).has_value()) << "and the slot cleared";

    keepAlive = keepAliveTalking();
    ASSERT_TRUE(m_port->IsBusy());
    EXPECT_EQ(m_page->StartUpload(Rows({1})), 1) << "the upload started after the exchange";
    EXPECT_TRUE(keepAlive.get());
    ASSERT_TRUE(PumpUntil([&] { return m_notes.Saw(217) || m_notes.Saw(126); }));
    EXPECT_TRUE(m_notes.Saw(217));
}

TEST_F(PageGui, DroppedFilesOfTheKindAreCopiedOthersPassedOver)
{
    OpenPage(0);
    const std::filesystem::path outside = m_pcFolder / L"outside";
    std::filesystem::create_directories(outside);
    CStringArray files;
    for (const wchar_t* name : {L"x.mid", L"y.MID", L"z.txt", L".mid"}) {
        std::ofstream(outside / name) << "x";
        files.Add((outside / name).wstring().c_str());
    }
    m_page->OnDropFiles(files);
    ASSERT_EQ(m_shell.copiedTo.size(), 2u);
    EXPECT_EQ(m_shell.copiedTo[0], m_page->GetFolder() + L"x.mid");
    EXPECT_EQ(m_shell.copiedTo[1], m_page->GetFolder() + L"y.MID");

    // The data folder itself dropped on its page copies nothing.
    CStringArray folders;
    folders.Add(m_page->GetFolder().Left(m_page->GetFolder().GetLength() - 1));
    m_page->OnDropFolders(folders);
    EXPECT_EQ(m_shell.copiedTo.size(), 2u);
}

TEST_F(PageGui, RemovingPcFilesGoesThroughTheShellAndRefillsTheList)
{
    OpenPage(3);
    WriteDataFile(3, L"a.mem", kProfileMemorySize, 1);
    WriteDataFile(3, L"b.mem", kProfileMemorySize, 2);
    m_page->FillPCList();
    m_page->OnRemoveAll();
    EXPECT_EQ(m_shell.deleted.size(), 2u);
    EXPECT_EQ(m_page->GetPCList().GetItemCount(), 0);
    EXPECT_EQ(m_page->GetPCTitle(), Loaded(153, 0));
}

TEST_F(PageGui, AnUploadOntoAFullDiskKeepsTheFileItWouldReplace)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(3000, 1));
    OpenPage(1);
    WriteDataFile(1, L"UserStyle 001.sty", 500, 7);
    const std::filesystem::path folder(m_page->GetFolder().GetString());
    const auto old = std::filesystem::file_size(folder / L"UserStyle 001.sty");
    m_notes.answer = IDOK; // replace it
    LimitSaveSpaceForTesting(1000);
    m_page->OnUploadAll();
    const bool ended = PumpUntil([&] { return !m_page->IsTransferRunning() && !m_shell.boxes.empty(); });
    LimitSaveSpaceForTesting(std::nullopt);
    ASSERT_TRUE(ended);
    EXPECT_EQ(m_shell.boxes[0].Find(L"Run out of disk"), 0) << "the cause is told";
    EXPECT_EQ(std::filesystem::file_size(folder / L"UserStyle 001.sty"), old) << "the old file is whole";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no temporary is left";
}

} // namespace
