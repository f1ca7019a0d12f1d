// The song editor of the real program: a song opened through the file dialog,
// played on the recording output with a track muted and then soloed, converted
// into the song folder, and the close query of a changed song; the keyboard at
// the page after its dialogs and after a click in the page tree; convert and
// download into the first empty slot, or into the slot the user chooses.
#include "tests/e2e/SampleFiles.h"
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
constexpr int kConvertAndDownload = 32851;
constexpr int kWindowSong = 32775;
constexpr UINT kEditSongTreeItem = 108;
constexpr int kSlotList = 1251;
constexpr UINT kDownloadDone = 124;

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
    const FileDialogView dialog = WaitForFileDialog(program);
    ASSERT_TRUE(dialog.window) << "no file dialog";
    ChooseInFileDialog(dialog, file);
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

// The window with the keyboard focus in the program.
HWND FocusOf(const RunningProgram& program) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(program.MainFrame(), nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool HasFocusIn(const RunningProgram& program, HWND page) {
    HWND focus = FocusOf(program);
    return focus == page || IsChild(page, focus);
}

// Opens the song editor and a song in it; the page, or null after a failure.
HWND OpenSongInEditor(const RunningProgram& program, const fs::path& song) {
    program.Command(program.MainFrame(), kWindowEditSong);
    HWND list = WaitForWindow([&] { return FindVisibleChildById(program.MainFrame(), kTrackList); }, kBoxTimeoutMs);
    if (!list)
        return nullptr;
    HWND page = GetParent(list);
    program.Command(page, kOpen);
    AnswerFileDialog(program, song);
    return WaitUntil([&] { return ReadListView(list).size() == 16; }, kBoxTimeoutMs) ? page : nullptr;
}

// Convert and download, its dialog confirmed, and its notes agreed to; the
// slot chooser answered with `chooseRow` when it comes.
void ConvertAndDownload(const RunningProgram& program, const Workspace& workspace, HWND page, int chooseRow) {
    program.Command(page, kConvertAndDownload);
    const BoxView convert = program.WaitForBoxOfKind(BoxKind::OtherDialog, kBoxTimeoutMs);
    ASSERT_TRUE(convert.window && GetDlgItem(convert.window, kConvertModel)) << "no conversion dialog";
    PressButton(convert.window, IDOK);
    Agree(program.WaitForBoxOfKind(BoxKind::CancelableBox, kBoxTimeoutMs));  // converted
    if (chooseRow >= 0) {
        const BoxView chooser = program.WaitForBoxOfKind(BoxKind::OtherDialog, kBoxTimeoutMs);
        ASSERT_TRUE(chooser.window && GetDlgItem(chooser.window, kSlotList)) << "no slot chooser";
        SendDlgItemMessageW(chooser.window, kSlotList, LB_SETCURSEL, static_cast<WPARAM>(chooseRow), 0);
        PressButton(chooser.window, IDOK);
        Agree(program.WaitForBoxOfKind(BoxKind::PlainBox, kBoxTimeoutMs));  // replace the song there?
    }
    const BoxView done = program.WaitForBoxOfKind(BoxKind::CancelableBox, kBoxTimeoutMs);
    EXPECT_EQ(done.text, ProgramString(workspace.Program(), kDownloadDone)) << "the download's own note";
    Agree(done);
}

TEST(SongEditor, TheKeyboardReachesThePageAfterItsDialogsAndAfterAClickInThePageTree) {
    Workspace workspace;
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    const fs::path source = workspace.Program() / "Two Channels.mid";
    std::ofstream(source, std::ios::binary) << TwoChannelSong();
    HWND page = OpenSongInEditor(*program, source);
    ASSERT_TRUE(page) << "the song editor with a song";
    EXPECT_TRUE(WaitUntil([&] { return HasFocusIn(*program, page); }, kBoxTimeoutMs))
        << "after the Open dialog the keyboard is not at the page";

    program->Command(program->MainFrame(), kWindowSong);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(page); }, kBoxTimeoutMs));
    HWND tree = FindVisibleChildById(program->MainFrame(), kPageTree);
    HTREEITEM item = tree ? FindTreeItem(tree, ProgramString(workspace.Program(), kEditSongTreeItem)) : nullptr;
    ASSERT_TRUE(item && ClickTreeItem(tree, item));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, kBoxTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return HasFocusIn(*program, page); }, kBoxTimeoutMs))
        << "the keyboard stays at the page tree";
}

TEST(SongEditor, ConvertAndDownloadFillsTheFirstEmptySlotThenTheSlotTheUserChooses) {
    Workspace workspace;
    ProfileSettings profile;
    profile.songSlots = 3;
    workspace.PutOnInstrument(L"profile.ini", InstrumentProfile(profile));
    workspace.PutOnInstrument(L"song/000.mid", SampleSong(1));
    workspace.PutOnInstrument(L"song/001.mid", SampleSong(2));
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    const fs::path source = workspace.Program() / "Two Channels.mid";
    std::ofstream(source, std::ios::binary) << TwoChannelSong();
    HWND page = OpenSongInEditor(*program, source);
    ASSERT_TRUE(page);

    ConvertAndDownload(*program, workspace, page, -1);
    std::vector<fs::path> converted;
    for (const auto& entry : fs::directory_iterator(workspace.DataFolder(L"song")))
        converted.push_back(entry.path());
    ASSERT_EQ(converted.size(), 1u);
    const std::string song = ReadFileBytes(converted[0]);
    const fs::path third = workspace.Instrument() / L"song" / L"002.mid";
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(third); }, kBoxTimeoutMs)) << "the first empty slot";
    EXPECT_EQ(ReadFileBytes(third), song) << "the converted song, byte for byte";

    // Every slot used now: the user chooses the one to replace (the second).
    ConvertAndDownload(*program, workspace, page, 1);
    const fs::path second = workspace.Instrument() / L"song" / L"001.mid";
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(second) == song; }, kBoxTimeoutMs))
        << "the chosen slot holds the new song";
    EXPECT_NE(ReadFileBytes(workspace.Instrument() / L"song" / L"000.mid"), song);
}

} // namespace
} // namespace e2e
