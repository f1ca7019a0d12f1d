// The song editor of the real program: a song opened through the file dialog,
// played on the recording output with a track muted and then soloed, converted
// into the song folder, and the close query of a changed song.
#include "tests/e2e/Scenario.h"

#include "core/portable/marks/FileMarks.h"
#include "core/portable/midi/MidiWriter.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kWindowEditSong = 32779;
constexpr int kOpen = 32846;
constexpr int kPlay = 32847;
constexpr int kConvert = 32866;
constexpr int kTrackList = 1031;
constexpr int kTimeText = 1034;
constexpr int kConvertModel = 1221;
constexpr int kSoloColumn = 2;
constexpr int kMuteColumn = 3;
constexpr int kRemoveColumn = 4;

// Two channels, each with its own program, playing together for about 1.5 s.
std::string TwoChannelSong() {
    using namespace keyloft::midi;
    MidiFile song;
    song.division = 96;
    MidiTrack& track = song.AddTrack();
    song.AddTempo(track, 0, 500000);
    song.AddChannel(track, 0, 0xC0, 0, 0);
    song.AddChannel(track, 0, 0xC1, 40, 0);
    for (std::uint32_t beat = 0; beat < 6; ++beat) {
        for (std::uint8_t channel : {0, 1}) {
            song.AddChannel(track, beat * 48, 0x90 | channel, static_cast<std::uint8_t>(60 + beat), 100);
            song.AddChannel(track, beat * 48 + 40, 0x80 | channel, static_cast<std::uint8_t>(60 + beat), 0);
        }
    }
    const auto bytes = *WriteMidiFile(song);
    return std::string(bytes.begin(), bytes.end());
}

// Channels of the note-ons in the recording output's log.
std::multiset<int> NoteOnChannels(const fs::path& log) {
    std::multiset<int> channels;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        unsigned long long micros = 0;
        char kind = 0;
        unsigned status = 0, key = 0, velocity = 0;
        if (fields >> micros >> kind >> std::hex >> status >> key >> velocity && kind == 'S' &&
            (status & 0xF0) == 0x90 && velocity > 0)
            channels.insert(static_cast<int>(status & 0x0F));
    }
    return channels;
}

// Types a path into the open dialog's name field and confirms it.
void AnswerFileDialog(const RunningProgram& program, const fs::path& file) {
    const BoxView dialog = program.WaitForBoxOfKind(BoxKind::OtherDialog, kBoxTimeoutMs);
    ASSERT_TRUE(dialog.window) << "no file dialog";
    HWND name = nullptr;
    for (int id : {1148, 1152}) {
        if ((name = GetDlgItem(dialog.window, id)))
            break;
    }
    ASSERT_TRUE(name) << "no name field in the file dialog";
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
    PressButton(dialog.window, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog.window) || !IsWindowVisible(dialog.window); }, kBoxTimeoutMs));
}

// Plays the song to its end and returns the channels heard.
std::multiset<int> PlayThrough(const RunningProgram& program, HWND page, const fs::path& log) {
    std::error_code ignored;
    fs::remove(log, ignored);
    program.Command(page, kPlay);
    HWND time = GetDlgItem(page, kTimeText);
    EXPECT_TRUE(WaitUntil([&] { return !TextOf(time).empty(); }, kBoxTimeoutMs)) << "no play position shown";
    EXPECT_TRUE(WaitUntil([&] { return TextOf(time).empty(); }, kBoxTimeoutMs)) << "the song did not end";
    return NoteOnChannels(log);
}

TEST(SongEditor, PlaysWithMuteAndSoloConvertsAndAsksBeforeClosingAChangedSong) {
    Workspace workspace;
    const fs::path log = workspace.Program() / "played.log";
    auto program = StartConnected(workspace, {{L"KEYLOFT_VMIDI_LOG", log.wstring()}});
    ASSERT_TRUE(program);
    const fs::path source = workspace.Program() / "Two Channels.mid";
    std::ofstream(source, std::ios::binary) << TwoChannelSong();

    program->Command(program->MainFrame(), kWindowEditSong);
    HWND list = WaitForWindow([&] { return FindVisibleChildById(program->MainFrame(), kTrackList); }, kBoxTimeoutMs);
    ASSERT_TRUE(list) << "the song editor did not come up";
    HWND page = GetParent(list);

    program->Command(page, kOpen);
    AnswerFileDialog(*program, source);
    ASSERT_TRUE(WaitUntil([&] { return ReadListView(list).size() == 16; }, kBoxTimeoutMs));
    const ListRows tracks = ReadListView(list);
    EXPECT_EQ(tracks[0][1], L"Acoustic Grand Piano");
    EXPECT_EQ(tracks[1][1], L"Violin");
    EXPECT_EQ(tracks[2][1], L"") << "an unused channel has no instrument";

    ASSERT_TRUE(ClickListCell(list, 1, kMuteColumn));
    ASSERT_TRUE(WaitUntil([&] { return !ReadListView(list)[1][kMuteColumn].empty(); }, kBoxTimeoutMs));
    std::multiset<int> heard = PlayThrough(*program, page, log);
    EXPECT_EQ(heard.count(0), 6u);
    EXPECT_EQ(heard.count(1), 0u) << "the muted track sounded";

    ASSERT_TRUE(ClickListCell(list, 1, kMuteColumn));
    ASSERT_TRUE(ClickListCell(list, 1, kSoloColumn));
    ASSERT_TRUE(WaitUntil([&] { return !ReadListView(list)[1][kSoloColumn].empty(); }, kBoxTimeoutMs));
    heard = PlayThrough(*program, page, log);
    EXPECT_EQ(heard.count(0), 0u) << "a track sounded beside the solo one";
    EXPECT_EQ(heard.count(1), 6u);

    program->Command(page, kConvert);
    const BoxView convert = program->WaitForBoxOfKind(BoxKind::OtherDialog, kBoxTimeoutMs);
    ASSERT_TRUE(convert.window && GetDlgItem(convert.window, kConvertModel)) << "no conversion dialog";
    PressButton(convert.window, IDOK);
    const BoxView done = program->WaitForBoxOfKind(BoxKind::CancelableBox, kBoxTimeoutMs);
    EXPECT_EQ(done.text, ProgramString(workspace.Program(), 236));
    Agree(done);
    std::vector<fs::path> converted;
    for (const auto& entry : fs::directory_iterator(workspace.DataFolder(L"song")))
        converted.push_back(entry.path());
    ASSERT_EQ(converted.size(), 1u) << "one song, and no temporary left beside it";
    EXPECT_EQ(converted[0].filename().wstring().rfind(L"Two Channels_", 0), 0u);
    std::ifstream written(converted[0], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    const keyloft::marks::MemoryByteSource check(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_TRUE(keyloft::marks::PassesMarkCheck(keyloft::marks::FileKind::Song, check));

    // A change after the conversion: closing asks first, and Cancel keeps the program.
    ASSERT_TRUE(ClickListCell(list, 0, kRemoveColumn));
    PostMessageW(program->MainFrame(), WM_CLOSE, 0, 0);
    const BoxView ask = program->WaitForBoxOfKind(BoxKind::ProgramBox, kBoxTimeoutMs);
    EXPECT_EQ(ask.text, ProgramString(workspace.Program(), 223));
    ASSERT_TRUE(ask.window);
    PressButton(ask.window, IDCANCEL);
    EXPECT_FALSE(program->WaitForExit(2000)) << "the program closed although the user cancelled";
    EXPECT_TRUE(IsWindowVisible(page)) << "the song editor is shown again";
}

} // namespace
} // namespace e2e
