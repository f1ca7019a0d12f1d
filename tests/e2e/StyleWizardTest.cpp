// The style-conversion wizard reached as a user reaches it: a MIDI file split into
// parts by its markers goes through the three steps and is saved as a style that
// the program's own mark check accepts, with its parts and names in it. On the way:
// a source that lacks a section is refused, typing shows no box, a voice list the
// instrument would not give is asked for again on the next visit; and the saved
// style, renamed, is rewritten into a new file but never over itself; and a style
// too large for the instrument is refused without touching the file it would replace.
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include "core/portable/marks/ByteSource.h"
#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kWindowSong = 32775;
constexpr int kWindowEditStyle = 32780;
constexpr UINT kEditStyleTreeItem = 109;
constexpr int kSourcePath = 1016;
constexpr int kFullName = 1224;
constexpr int kShortName = 1225;
constexpr int kSectionList = 1162;
constexpr int kSectionButton = 1163;
constexpr int kLoadOts = 1168;
constexpr int kBack = 12323;
constexpr int kNext = 12324;
constexpr int kFinish = 12325;
constexpr UINT kSuccess = 1167;
constexpr UINT kUnknownFormat = 1166;
constexpr UINT kSelectVoiceR1 = 1176;
constexpr UINT kNoVoiceNames = 242;
constexpr UINT kSameSourceAndTarget = 1190;
constexpr UINT kStyleTooLarge = 221;

// Types a path into the save dialog and presses its OK button.
bool AnswerSaveDialog(const RunningProgram& program, const fs::path& target) {
    const FileDialogView dialog = WaitForFileDialog(program);
    if (!dialog.window)
        return false;
    ChooseInFileDialog(dialog, target);
    return true;
}

struct SavedStyle {
    bool accepted = false;  // by the program's mark check
    std::vector<std::string> parts;
    std::string fullName;
};

SavedStyle ReadSavedStyle(const fs::path& file) {
    const std::string saved = ReadFileBytes(file);
    const keyloft::marks::MemoryByteSource style(
        std::span(reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size()));
    SavedStyle result;
    result.accepted = keyloft::marks::PassesMarkCheck(keyloft::marks::FileKind::Style, style);
    for (int segment : keyloft::marks::ReadStyleSegments(style))
        result.parts.emplace_back(keyloft::marks::StyleSegmentName(segment));
    if (const auto names = keyloft::marks::ReadStyleNames(style))
        result.fullName = (*names)[0];
    return result;
}

TEST(StyleWizard, MarkerSplitMidiIsSavedAsAStyleWithItsPartsAndNames) {
    Workspace workspace;
    workspace.PutOnInstrument(L"profile.ini", InstrumentProfile(ProfileSettings{}));
    const fs::path source = workspace.DataFolder(L"song") / L"groove.mid";
    fs::create_directories(source.parent_path());
    WriteFileBytes(source, SampleMarkedMidi({"INTRO A", "MAIN A", "ENDING A"}));
    const fs::path partial = source.parent_path() / L"partial.mid";
    WriteFileBytes(partial, SampleMarkedMidi({"INTRO A", "MAIN A"}));
    const fs::path target = workspace.DataFolder(L"style") / L"groove.sty";

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND frame = program->MainFrame();
    HWND tree = FindVisibleChildById(frame, kPageTree);
    HTREEITEM item = tree ? FindTreeItem(tree, ProgramString(workspace.Program(), kEditStyleTreeItem)) : nullptr;
    ASSERT_TRUE(item && ClickTreeItem(tree, item)) << "the page tree's style editor item";
    HWND sourceEdit = WaitForVisibleChild(frame, kSourcePath);
    ASSERT_TRUE(sourceEdit) << "the wizard's first step";
    HWND sheet = GetParent(GetParent(sourceEdit));
    HWND sections = GetDlgItem(GetParent(sourceEdit), kSectionList);

    // A source without one of the model's sections shows which, and Next refuses it.
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(partial.wstring().c_str()));
    const ListRows endingMissing = {{L"INTRO A", L"Y"}, {L"MAIN A", L"Y"}, {L"ENDING A", L"N"}};
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(sections) == endingMissing; }, kBoxTimeoutMs));
    PressButton(sheet, kNext);
    const BoxView refused = program->WaitForBox(kBoxTimeoutMs);
    EXPECT_NE(refused.text.find(L"ENDING A"), std::wstring::npos) << "the refusal names the missing section";
    EXPECT_NE(refused.text, ProgramString(workspace.Program(), kUnknownFormat));
    Agree(refused);
    EXPECT_TRUE(IsWindowVisible(sourceEdit)) << "still on the first step";
    // Typed paths keep the names; emptied, they come from the next source's title.
    for (int name : {kFullName, kShortName})
        SendDlgItemMessageW(GetParent(sourceEdit), name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));

    // Typing analyses quietly: a path that names no file yet shows no box.
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Z:\\no"));
    Sleep(1000);
    EXPECT_FALSE(program->FindBox().window) << "a box while typing";
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(source.wstring().c_str()));
    const ListRows allPresent = {{L"INTRO A", L"Y"}, {L"MAIN A", L"Y"}, {L"ENDING A", L"Y"}};
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(sections) == allPresent; }, kBoxTimeoutMs))
        << "every section the model needs is found";
    EXPECT_EQ(TextOf(GetDlgItem(GetParent(sourceEdit), kFullName)), L"groove");

    PressButton(sheet, kNext);
    ASSERT_TRUE(WaitForVisibleChild(frame, kSectionButton)) << "the second step";
    // The instrument refuses the voice list once: no voice can be chosen, so Finish refuses.
    workspace.WriteInstrumentControl("fault=refuse\non=48\nstatus=10\n");
    PressButton(sheet, kNext);
    BoxView box = program->WaitForBox(kBoxTimeoutMs);
    for (int more = 0; more < 3 && box.window && box.text != ProgramString(workspace.Program(), kNoVoiceNames); ++more) {
        Agree(box);  // the port's own word on the refusal
        box = program->WaitForBox(kBoxTimeoutMs);
    }
    ASSERT_EQ(box.text, ProgramString(workspace.Program(), kNoVoiceNames));
    Agree(box);
    ASSERT_TRUE(WaitForVisibleChild(frame, kFinish));
    PressButton(sheet, kFinish);
    const BoxView noVoice = program->WaitForBox(kBoxTimeoutMs);
    EXPECT_EQ(noVoice.text, ProgramString(workspace.Program(), kSelectVoiceR1));
    Agree(noVoice);
    // Back and on again: the list is asked for anew, and now it comes.
    workspace.WriteInstrumentControl("pace=0\n");
    PressButton(sheet, kBack);
    ASSERT_TRUE(WaitForVisibleChild(frame, kSectionButton));
    PressButton(sheet, kNext);
    ASSERT_TRUE(WaitForVisibleChild(frame, kLoadOts)) << "the third step";
    ASSERT_TRUE(WaitForVisibleChild(frame, kFinish)) << "Finish after the voice list came";
    PressButton(sheet, kFinish);
    ASSERT_TRUE(AnswerSaveDialog(*program, target)) << "the save dialog";
    const BoxView done = program->WaitForBoxOfKind(BoxKind::ProgramBox, kBoxTimeoutMs);
    EXPECT_EQ(done.text, ProgramString(workspace.Program(), kSuccess));
    Agree(done);
    // Saved, the wizard is back on its first step, also when brought forward again.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(sourceEdit) != FALSE; }, kBoxTimeoutMs));
    program->Command(frame, kWindowSong);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(sourceEdit); }, kBoxTimeoutMs));
    program->Command(frame, kWindowEditStyle);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(sourceEdit) != FALSE; }, kBoxTimeoutMs));

    const std::vector<std::string> parts = {"INTRO A", "MAIN A", "ENDING A"};
    const SavedStyle made = ReadSavedStyle(target);
    EXPECT_TRUE(made.accepted);
    EXPECT_EQ(made.parts, parts);
    EXPECT_EQ(made.fullName, "groove");

    // The saved style as a source: its names come along; renamed, it is rewritten,
    // but never over itself.
    HWND fullName = GetDlgItem(GetParent(sourceEdit), kFullName);
    SendMessageW(fullName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.wstring().c_str()));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(fullName) == L"groove"; }, kBoxTimeoutMs));
    EXPECT_EQ(ReadListView(sections), allPresent);
    SendMessageW(fullName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"groove two"));
    // Through steps 2 and 3 to Finish, saved as file (replacing it when it exists):
    // the text of the program's answer.
    const auto saveAs = [&](const fs::path& file, bool fromFirstStep) {
        for (int step = 0; fromFirstStep && step < 2; ++step) {
            PressButton(sheet, kNext);
            EXPECT_TRUE(WaitForVisibleChild(frame, step == 0 ? kSectionButton : kFinish));
        }
        const bool exists = fs::exists(file);
        PressButton(sheet, kFinish);
        if (!AnswerSaveDialog(*program, file))
            return std::wstring(L"no save dialog");
        if (exists)
            Agree(program->WaitForBoxOfKind(BoxKind::PlainBox, kBoxTimeoutMs));  // replace the file?
        const BoxView answer = program->WaitForBoxOfKind(BoxKind::ProgramBox, kBoxTimeoutMs);
        Agree(answer);
        return answer.text;
    };
    EXPECT_EQ(saveAs(target, true), ProgramString(workspace.Program(), kSameSourceAndTarget));
    const fs::path renamed = target.parent_path() / L"groove two.sty";
    EXPECT_EQ(saveAs(renamed, false), ProgramString(workspace.Program(), kSuccess));
    const SavedStyle copy = ReadSavedStyle(renamed);
    EXPECT_TRUE(copy.accepted);
    EXPECT_EQ(copy.parts, parts);
    EXPECT_EQ(copy.fullName, "groove two");
    EXPECT_EQ(ReadSavedStyle(target).fullName, "groove") << "the source is untouched";

    const fs::path large = source.parent_path() / L"large.mid";
    WriteFileBytes(large, SampleMarkedMidi({"INTRO A", "MAIN A", "ENDING A"}, 20000));
    const std::string before = ReadFileBytes(renamed);
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(large.wstring().c_str()));
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(sections) == allPresent; }, kBoxTimeoutMs));
    EXPECT_EQ(saveAs(renamed, true), ProgramString(workspace.Program(), kStyleTooLarge));
    EXPECT_EQ(ReadFileBytes(renamed), before) << "the file the style would replace";
    program->Stop();
}

// The instrument's own profile asks a style for the sections the program's
// sample styles carry (INTRO A, MAIN A, ENDING A), so a sample style is taken
// as a source, whatever its stored checksum says.
TEST(StyleWizard, TheProgramsOwnSampleStylesAreSourcesForTheInstrumentsOwnProfile) {
    Workspace workspace;  // the instrument serves its built-in profile
    const fs::path sample = workspace.DataFolder(L"style") / L"Bossa.sty";
    fs::create_directories(sample.parent_path());
    std::string style = SampleStyleWithParts(4, {3, 6, 14});
    style[26] = static_cast<char>(style[26] ^ 0x5A);  // a stored checksum that does not match
    WriteFileBytes(sample, style);
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND frame = program->MainFrame();
    program->Command(frame, kWindowEditStyle);
    HWND sourceEdit = WaitForVisibleChild(frame, kSourcePath);
    ASSERT_TRUE(sourceEdit);
    HWND sheet = GetParent(GetParent(sourceEdit));
    HWND sections = GetDlgItem(GetParent(sourceEdit), kSectionList);
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sample.wstring().c_str()));
    const ListRows allPresent = {{L"INTRO A", L"Y"}, {L"MAIN A", L"Y"}, {L"ENDING A", L"Y"}};
    EXPECT_TRUE(WaitUntil([&] { return ReadListView(sections) == allPresent; }, kBoxTimeoutMs));
    PressButton(sheet, kNext);
    EXPECT_TRUE(WaitForVisibleChild(frame, kSectionButton)) << "on to the second step";
    EXPECT_FALSE(program->FindBox().window);
    program->Stop();
}

} // namespace
} // namespace e2e
