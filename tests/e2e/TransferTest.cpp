// Moving files between the PC data folders and the instrument on each of the four
// transfer pages, reached as a user reaches them: download, upload (over an older
// copy, after the question) and clearing a slot change exactly the files they
// should on both sides, with progress shown while a file travels; a download
// cancelled half way, or by closing the window; refusals with their reasons.
#include "tests/e2e/FolderSnapshot.h"
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Small enough to keep a case short, large enough that at the pace below a
// transfer lasts a couple of seconds and its progress bar can be seen.
constexpr std::size_t kFileSize = 8192;
constexpr const char* kPaced = "pace=8000\n";

// How long nothing must happen after an action that should do nothing.
constexpr DWORD kQuietMs = 1500;

constexpr UINT kDownloadDone = 124;
constexpr UINT kUploadDone = 217;
constexpr UINT kAskReplaceFiles = 145;

struct KindCase {
    const char* name;
    int kind;
    const wchar_t* folder;      // in the instrument's memory folder and among the data folders
    const wchar_t* extension;
    UINT slotNameFormat;        // "UserSong %.3d", ...: uploaded files are named after the slot
    UINT deviceTitleFormat;     // "... (%d / %d)": used and all slots
    int slots;                  // the profile's slot count of the kind
    std::string (*sample)(unsigned char tag, std::size_t size);
    PageSwitch reachedBy;       // both ways of bringing a page forward are used
    bool deleteKeyClears;       // the memory page clears only through its command (Alt+M)
};

const KindCase kKinds[] = {
    {"Song", 0, L"song", L".mid", 140, 154, 20, &SampleSong, PageSwitch::TreeClick, true},
    {"Style", 1, L"style", L".sty", 141, 155, 20, &SampleStyle, PageSwitch::WindowMenu, true},
    {"Voice", 2, L"voice", L".voc", 142, 156, 16, &SampleVoice, PageSwitch::TreeClick, true},
    {"Memory", 3, L"memory", L".mem", 139, 157, 8, &SampleMemory, PageSwitch::WindowMenu, false},
};

// Names the case in failure messages in place of its bytes.
void PrintTo(const KindCase& kind, std::ostream* out) {
    *out << kind.name;
}

int RowNamed(HWND list, const std::wstring& name) {
    const ListRows rows = ReadListView(list);
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (!rows[row].empty() && rows[row][0] == name)
            return static_cast<int>(row);
    return -1;
}

// A cell of the first row with this name, empty when there is no such row.
std::wstring CellOfRowNamed(HWND list, const std::wstring& name, std::size_t column) {
    for (const auto& cells : ReadListView(list))
        if (!cells.empty() && cells[0] == name)
            return column < cells.size() ? cells[column] : std::wstring();
    return {};
}

std::wstring SlotFile(const KindCase& kind, int slot) {
    wchar_t name[8] = {};
    _snwprintf(name, 7, L"%03d", slot);
    return std::wstring(kind.folder) + L"/" + name + kind.extension;
}

class TransferPage : public testing::TestWithParam<KindCase> {};

TEST_P(TransferPage, DownloadUploadAndClearChangeExactlyTheirFilesOnBothSides) {
    const KindCase& kind = GetParam();
    Workspace workspace;
    ProfileSettings profile;
    profile.voiceSize = kFileSize;
    profile.memorySize = kFileSize;
    workspace.PutOnInstrument(L"profile.ini", InstrumentProfile(profile));
    // Files of every kind on both sides: the other kinds' must stay as they are.
    for (const KindCase& each : kKinds) {
        const auto tag = static_cast<unsigned char>(10 * each.kind);
        workspace.PutOnInstrument(SlotFile(each, 0), each.sample(tag + 1, kFileSize));
        workspace.PutInDataFolder(each.folder, std::wstring(L"mine") + each.extension, each.sample(tag + 2, kFileSize));
    }
    const std::string deviceFile = ReadFileBytes(workspace.Instrument() / SlotFile(kind, 0));
    const std::wstring pcName = std::wstring(L"mine") + kind.extension;
    const std::string pcFile = ReadFileBytes(workspace.DataFolder(kind.folder) / pcName);
    // An older copy of slot 1's file is on the PC already: the upload asks, then replaces it.
    const std::wstring uploadName = ProgramText(workspace, kind.slotNameFormat, 1) + kind.extension;
    workspace.PutInDataFolder(kind.folder, uploadName, kind.sample(99, kFileSize / 2));

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND page = ShowTransferPage(*program, workspace, kind.kind, kind.reachedBy);
    ASSERT_TRUE(page);
    HWND pcList = GetDlgItem(page, kPcList);
    HWND deviceList = GetDlgItem(page, kDeviceList);
    ASSERT_EQ(ReadListView(deviceList).size(), static_cast<std::size_t>(kind.slots));
    EXPECT_EQ(DeviceTitleOf(page), ProgramText(workspace, kind.deviceTitleFormat, 1, kind.slots));
    // From here on every reply is paced, so that a transfer takes long enough to watch.
    workspace.WriteInstrumentControl(kPaced);

    const fs::path pcRoot = workspace.DataFolder(kind.folder).parent_path();
    FolderSnapshot onInstrument = SnapshotOf(workspace.Instrument());
    FolderSnapshot onPc = SnapshotOf(pcRoot);

    // Download the PC file into the free slot 2 (row 1).
    ASSERT_TRUE(WaitUntil([&] { return RowNamed(pcList, pcName) >= 0; }, kBoxTimeoutMs));
    SelectListViewRows(pcList, {RowNamed(pcList, pcName)});
    SelectListViewRows(deviceList, {1});
    program->Command(page, kDownloadSelected);
    EXPECT_TRUE(WaitUntil([&] { return program->ProgressShown(); }, kBoxTimeoutMs)) << "progress during a download";
    const BoxView downloaded = program->WaitForBox(60000);
    ASSERT_EQ(downloaded.text, ProgramString(workspace.Program(), kDownloadDone));
    Agree(downloaded);
    onInstrument[SlotFile(kind, 1)] = pcFile;
    EXPECT_EQ(DifferencesBetween(onInstrument, SnapshotOf(workspace.Instrument())), "");
    EXPECT_EQ(DifferencesBetween(onPc, SnapshotOf(pcRoot)), "");
    EXPECT_TRUE(WaitUntil([&] { return !program->ProgressShown(); }, kBoxTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return UsedDeviceRows(deviceList) == 2; }, kBoxTimeoutMs));
    EXPECT_EQ(DeviceTitleOf(page), ProgramText(workspace, kind.deviceTitleFormat, 2, kind.slots));
    const ListRows slots = ReadListView(deviceList);
    ASSERT_GE(slots.size(), 2u);
    ASSERT_EQ(slots[1].size(), 3u);
    EXPECT_EQ(slots[1][1], ProgramText(workspace, kind.slotNameFormat, 2)) << "the new slot's name";
    EXPECT_EQ(slots[1][2], L"8.00") << "the new slot's size in KiB";

    // Upload slot 1 (row 0) over the older copy: the PC file named after the slot
    // becomes byte for byte the instrument's.
    SelectListViewRows(deviceList, {0});
    program->Command(page, kUploadSelected);
    const BoxView replace = program->WaitForBox(kBoxTimeoutMs);
    ASSERT_EQ(replace.text, ProgramString(workspace.Program(), kAskReplaceFiles));
    Agree(replace);
    EXPECT_TRUE(WaitUntil([&] { return program->ProgressShown(); }, kBoxTimeoutMs)) << "progress during an upload";
    const BoxView uploaded = program->WaitForBox(60000);
    ASSERT_EQ(uploaded.text, ProgramString(workspace.Program(), kUploadDone));
    Agree(uploaded);
    onPc[std::wstring(kind.folder) + L"/" + uploadName] = deviceFile;
    EXPECT_EQ(DifferencesBetween(onPc, SnapshotOf(pcRoot)), "");
    EXPECT_EQ(DifferencesBetween(onInstrument, SnapshotOf(workspace.Instrument())), "");
    EXPECT_TRUE(WaitUntil([&] { return CellOfRowNamed(pcList, uploadName, 1) == L"8.00"; }, kBoxTimeoutMs))
        << "the PC list shows the uploaded file's size";

    // Clear slot 1 on the instrument after the question: the Delete key in the
    // device list, or where that key does nothing, the page's command.
    SelectListViewRows(deviceList, {0});
    PressKey(deviceList, VK_DELETE);
    if (!kind.deleteKeyClears) {
        EXPECT_FALSE(program->WaitForBox(kQuietMs).window) << "the Delete key asks nothing on this page";
        EXPECT_EQ(DifferencesBetween(onInstrument, SnapshotOf(workspace.Instrument())), "");
        program->Command(page, kDeleteOnDevice);
    }
    const BoxView question = program->WaitForBox(kBoxTimeoutMs);
    ASSERT_TRUE(question.window);
    EXPECT_NE(question.text.find(ProgramText(workspace, kind.slotNameFormat, 1)), std::wstring::npos)
        << "the question names the slot";
    Agree(question);
    onInstrument.erase(SlotFile(kind, 0));
    EXPECT_TRUE(WaitUntil([&] { return DifferencesBetween(onInstrument, SnapshotOf(workspace.Instrument())).empty(); },
                          kBoxTimeoutMs))
        << DifferencesBetween(onInstrument, SnapshotOf(workspace.Instrument()));
    EXPECT_EQ(DifferencesBetween(onPc, SnapshotOf(pcRoot)), "");
    EXPECT_TRUE(WaitUntil([&] { return UsedDeviceRows(deviceList) == 1; }, kBoxTimeoutMs));
    EXPECT_EQ(DeviceTitleOf(page), ProgramText(workspace, kind.deviceTitleFormat, 1, kind.slots));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TransferPage, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST(Transfer, ACancelledDownloadLeavesNoSuccessNoteAndTheProgramUsable) {
    Workspace workspace;
    workspace.PutInDataFolder(L"song", L"long.mid", SampleSong(3, 200000));
    auto program = StartConnected(workspace, {{L"KEYLOFT_SIM_PACE", L"8000"}});
    ASSERT_TRUE(program);
    HWND page = program->VisiblePage();
    HWND pcList = program->PageList(kPcList);
    HWND deviceList = program->PageList(kDeviceList);
    ASSERT_TRUE(WaitUntil([&] { return RowNamed(pcList, L"long.mid") >= 0; }, kBoxTimeoutMs));
    SelectListViewRows(pcList, {RowNamed(pcList, L"long.mid")});
    SelectListViewRows(deviceList, {0});
    program->Command(page, kDownloadSelected);
    ASSERT_TRUE(WaitUntil([&] { return program->ProgressShown(); }, kBoxTimeoutMs));
    Sleep(1500);
    program->Command(program->MainFrame(), kCancelTransfer);

    ASSERT_TRUE(WaitUntil([&] { return !program->ProgressShown(); }, 30000)) << "the transfer stops";
    const BoxView box = program->WaitForBox(3000);
    EXPECT_NE(box.text, ProgramString(workspace.Program(), kDownloadDone)) << "no success note after a cancel";
    Agree(box);
    EXPECT_EQ(UsedDeviceRows(deviceList), 0);
    EXPECT_FALSE(program->WaitForExit(0));

    // Closing the window in the middle of the next download asks nothing: the
    // transfer is cancelled and waited for, and the program ends cleanly.
    program->Command(page, kDownloadSelected);
    ASSERT_TRUE(WaitUntil([&] { return program->ProgressShown(); }, kBoxTimeoutMs));
    PostMessageW(program->MainFrame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->WaitForExit(30000));
    EXPECT_EQ(program->ExitCode(), 0u);
}

TEST(Transfer, TheInstrumentsRefusalsAreToldOnceWithTheirReasons) {
    Workspace workspace;
    workspace.PutInDataFolder(L"song", L"a.mid", SampleSong(4, 3000));
    workspace.PutOnInstrument(L"song/001.mid", SampleSong(5, 3000));
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND page = program->VisiblePage();
    HWND pcList = program->PageList(kPcList);
    HWND deviceList = program->PageList(kDeviceList);
    ASSERT_TRUE(WaitUntil([&] { return RowNamed(pcList, L"a.mid") >= 0; }, kBoxTimeoutMs));
    const struct {
        const char* control;  // each differs in length from the one before
        int command;
        int deviceRow;
        UINT message;
    } refusals[] = {
        {"fault=refuse\non=0x20\nstatus=9\n", kDownloadSelected, 0, 245},      // memory full
        {"fault=refuse\non=0x21\nstatus=0x0A\n", kDownloadSelected, 2, 246},   // not allowed
        {"fault=refuse\non=0x30\nstatus=1\n", kUploadSelected, 1, 244},        // busy
    };
    for (const auto& refusal : refusals) {
        workspace.WriteInstrumentControl(refusal.control);
        SelectListViewRows(pcList, {RowNamed(pcList, L"a.mid")});
        SelectListViewRows(deviceList, {refusal.deviceRow});
        program->Command(page, refusal.command);
        const BoxView box = program->WaitForBox(kBoxTimeoutMs);
        EXPECT_EQ(box.text, ProgramString(workspace.Program(), refusal.message)) << refusal.control;
        Agree(box);
        EXPECT_FALSE(program->WaitForBox(kQuietMs).window) << "nothing more for " << refusal.control;
    }
    EXPECT_EQ(UsedDeviceRows(deviceList), 1) << "what the instrument holds, read again";
}

} // namespace
} // namespace e2e
