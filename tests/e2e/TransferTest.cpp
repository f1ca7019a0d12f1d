// Moving files between the PC data folders and the instrument on the song page:
// download, upload and deletion on the instrument, with progress shown, and a
// download cancelled half way.
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

#include <set>

namespace e2e {
namespace {

namespace fs = std::filesystem;

// A song that takes a few seconds at the pace given below.
std::string LargeSong(unsigned char tag, std::size_t padding) {
    std::string song = SampleSong(tag);
    // An unknown chunk after the tracks is passed over by every reader.
    std::string chunk = "XPAD";
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<char>((padding >> shift) & 0xFF));
    chunk.append(padding, static_cast<char>(tag));
    return song + chunk;
}

std::set<fs::path> FilesIn(const fs::path& folder) {
    std::set<fs::path> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename());
    return names;
}

int RowNamed(HWND list, const std::wstring& name) {
    const ListRows rows = ReadListView(list);
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (!rows[row].empty() && rows[row][0] == name)
            return static_cast<int>(row);
    return -1;
}

TEST(Transfer, DownloadUploadAndDeleteChangeBothSides) {
    Workspace workspace;
    const std::string pcSong = LargeSong(7, 40000);
    workspace.PutInDataFolder(L"song", L"mine.mid", pcSong);
    const std::string deviceSong = SampleSong(9);
    workspace.PutOnInstrument(L"song/001.mid", deviceSong);

    auto program = StartConnected(workspace, {{L"KEYLOFT_SIM_PACE", L"20000"}});
    ASSERT_TRUE(program);
    HWND page = program->VisiblePage();
    HWND pcList = program->PageList(kPcList);
    HWND deviceList = program->PageList(kDeviceList);

    // Download mine.mid into the free slot 2.
    ASSERT_TRUE(WaitUntil([&] { return RowNamed(pcList, L"mine.mid") >= 0; }, kBoxTimeoutMs));
    SelectListViewRows(pcList, {RowNamed(pcList, L"mine.mid")});
    SelectListViewRows(deviceList, {2});
    program->Command(page, kDownloadSelected);
    EXPECT_TRUE(WaitUntil([&] { return program->ProgressShown(); }, kBoxTimeoutMs)) << "progress during a download";
    BoxView done = program->WaitForBox(60000);
    ASSERT_EQ(done.text, ProgramString(workspace.Program(), 124));
    Agree(done);
    EXPECT_EQ(ReadFileBytes(workspace.Instrument() / L"song" / L"002.mid"), pcSong);
    EXPECT_TRUE(WaitUntil([&] { return !program->ProgressShown(); }, kBoxTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return UsedDeviceRows(deviceList) == 2; }, kBoxTimeoutMs));

    // Upload slot 1 to the PC: one new file, byte for byte the instrument's.
    const std::set<fs::path> before = FilesIn(workspace.DataFolder(L"song"));
    SelectListViewRows(deviceList, {1});
    program->Command(page, kUploadSelected);
    BoxView uploaded = program->WaitForBox(60000);
    ASSERT_EQ(uploaded.text, ProgramString(workspace.Program(), 217));
    Agree(uploaded);
    std::set<fs::path> added;
    for (const auto& name : FilesIn(workspace.DataFolder(L"song")))
        if (!before.count(name))
            added.insert(name);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(ReadFileBytes(workspace.DataFolder(L"song") / *added.begin()), deviceSong);

    // Delete slot 1 on the instrument after the question.
    SelectListViewRows(deviceList, {1});
    program->Command(page, kDeleteOnDevice);
    BoxView question = program->WaitForBox(kBoxTimeoutMs);
    ASSERT_TRUE(question.window);
    Agree(question);
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(workspace.Instrument() / L"song" / L"001.mid"); }, kBoxTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return UsedDeviceRows(deviceList) == 1; }, kBoxTimeoutMs));
}

TEST(Transfer, ACancelledDownloadLeavesNoSuccessNoteAndTheProgramUsable) {
    Workspace workspace;
    workspace.PutInDataFolder(L"song", L"long.mid", LargeSong(3, 200000));
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
    EXPECT_NE(box.text, ProgramString(workspace.Program(), 124)) << "no success note after a cancel";
    Agree(box);
    EXPECT_EQ(UsedDeviceRows(deviceList), 0);
    EXPECT_FALSE(program->WaitForExit(0));
}

} // namespace
} // namespace e2e
