// The program's file dialogs in any order of use: after an Open dialog every save
// dialog (the song conversion's Browse, the wizard's Save parameters, Save One
// Touch Settings and Finish) is a Save As dialog that asks before it replaces a
// file, and No keeps the file; after a save dialog an Open dialog is an Open
// dialog that opens its file without a question.
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kWindowEditSong = 32779;
constexpr int kWindowEditStyle = 32780;
constexpr int kSongOpen = 32846;
constexpr int kSongConvert = 32866;
constexpr int kTrackList = 1031;
constexpr int kConvertModel = 1221;
constexpr int kConvertBrowse = 1158;
constexpr int kSourcePath = 1016;
constexpr int kSectionList = 1162;
constexpr int kLoadParameters = 1165;
constexpr int kSaveParameters = 1166;
constexpr int kSaveOts = 1169;
constexpr int kNext = 12324;
constexpr int kFinish = 12325;
constexpr int kSectionParametersSize = 896;
constexpr UINT kStyleModified = 224;

bool WaitUntilGone(HWND window) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kBoxTimeoutMs);
}

// The system's question before a file is replaced: a message box with No,
// owned by the file dialog.
HWND WaitForReplaceQuestion(const RunningProgram& program, HWND fileDialog) {
    return WaitForWindow([&]() -> HWND {
        for (HWND window : TopLevelWindowsOf(program.ProcessId())) {
            if (window != fileDialog && IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
                GetDlgItem(window, IDNO) && GetWindow(window, GW_OWNER) == fileDialog)
                return window;
        }
        return nullptr;
    }, kBoxTimeoutMs);
}

// Answers the save dialog the program shows with an existing file (typed, or the
// name the dialog proposes when `typed` is empty): it must be a save dialog (its
// title is not the Open dialog's, which is in the program's language) that asks
// before replacing the file; No is answered, the dialog stays, and Cancel ends
// it. Empty when all went so, else what went otherwise.
std::string RefuseToReplace(const RunningProgram& program, const fs::path& typed, const std::wstring& openTitle) {
    const FileDialogView dialog = WaitForFileDialog(program);
    if (!dialog.window)
        return "no file dialog";
    if (dialog.title == openTitle) {
        PressButton(dialog.window, IDCANCEL);
        WaitUntilGone(dialog.window);
        return "an Open dialog";
    }
    ChooseInFileDialog(dialog, typed);
    const HWND question = WaitForReplaceQuestion(program, dialog.window);
    if (!question)
        return "no question before the file is replaced";
    PressButton(question, IDNO);
    if (!WaitUntilGone(question))
        return "the question stays after No";
    if (!IsWindowVisible(dialog.window))
        return "the save dialog closed after No";
    PressButton(dialog.window, IDCANCEL);
    return WaitUntilGone(dialog.window) ? "" : "the save dialog stays after Cancel";
}

// The style wizard's first step with its source typed in; returns the wizard's
// sheet once every section of the source is found, or null.
HWND StartStyleWizard(const RunningProgram& program, const fs::path& source) {
    HWND frame = program.MainFrame();
    program.Command(frame, kWindowEditStyle);
    HWND sourceEdit = WaitForVisibleChild(frame, kSourcePath);
    if (!sourceEdit)
        return nullptr;
    SendMessageW(sourceEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(source.wstring().c_str()));
    HWND sections = GetDlgItem(GetParent(sourceEdit), kSectionList);
    const ListRows allPresent = {{L"INTRO A", L"Y"}, {L"MAIN A", L"Y"}, {L"ENDING A", L"Y"}};
    if (!WaitUntil([&] { return ReadListView(sections) == allPresent; }, kBoxTimeoutMs))
        return nullptr;
    return GetParent(GetParent(sourceEdit));
}

TEST(FileDialogs, AfterAnOpenDialogEverySaveDialogAsksBeforeReplacingAFile) {
    Workspace workspace;
    const fs::path source = workspace.DataFolder(L"song") / L"groove.mid";
    fs::create_directories(source.parent_path());
    WriteFileBytes(source, SampleMarkedMidi({"INTRO A", "MAIN A", "ENDING A"}));
    // Files of each kind the saves would replace. Finish proposes the source's
    // name in the style folder, without the extension.
    const fs::path kept = workspace.Program() / L"kept";
    const fs::path convertTarget = kept / L"converted.mid";
    const fs::path parameters = kept / L"parameters.sci";
    const fs::path touch = kept / L"touch.ots";
    const fs::path style = workspace.DataFolder(L"style") / L"groove.sty";
    for (const fs::path& file : {convertTarget, parameters, touch, style})
        WriteFileBytes(file, "kept: " + file.filename().string());

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND frame = program->MainFrame();

    // The song editor's Open first.
    program->Command(frame, kWindowEditSong);
    HWND tracks = WaitForVisibleChild(frame, kTrackList);
    ASSERT_TRUE(tracks) << "the song editor";
    HWND songPage = GetParent(tracks);
    program->Command(songPage, kSongOpen);
    const FileDialogView open = WaitForFileDialog(*program);
    ASSERT_TRUE(open.window) << "the song editor's Open";
    ASSERT_FALSE(open.title.empty());
    ChooseInFileDialog(open, source);
    ASSERT_TRUE(WaitUntil([&] { return ReadListView(tracks).size() == 16; }, kBoxTimeoutMs)) << "the song opened";

    // The conversion's Browse.
    program->Command(songPage, kSongConvert);
    const BoxView convert = program->WaitForBoxOfKind(BoxKind::OtherDialog, kBoxTimeoutMs);
    ASSERT_TRUE(convert.window && GetDlgItem(convert.window, kConvertModel)) << "no conversion dialog";
    PressButton(convert.window, kConvertBrowse);
    EXPECT_EQ(RefuseToReplace(*program, convertTarget, open.title), "") << "the conversion's Browse";
    PressButton(convert.window, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(convert.window));

    // The wizard's Save parameters, Save One Touch Settings and Finish.
    HWND sheet = StartStyleWizard(*program, source);
    ASSERT_TRUE(sheet) << "the wizard with its source";
    PressButton(sheet, kNext);
    HWND saveParameters = WaitForVisibleChild(frame, kSaveParameters);
    ASSERT_TRUE(saveParameters) << "the second step";
    PressButton(GetParent(saveParameters), kSaveParameters);
    EXPECT_EQ(RefuseToReplace(*program, parameters, open.title), "") << "Save parameters";
    PressButton(sheet, kNext);
    HWND saveOts = WaitForVisibleChild(frame, kSaveOts);
    ASSERT_TRUE(saveOts) << "the third step";
    PressButton(GetParent(saveOts), kSaveOts);
    EXPECT_EQ(RefuseToReplace(*program, touch, open.title), "") << "Save One Touch Settings";
    ASSERT_TRUE(WaitForVisibleChild(frame, kFinish));
    PressButton(sheet, kFinish);
    EXPECT_EQ(RefuseToReplace(*program, fs::path(), open.title), "") << "Finish, the name it proposes";

    for (const fs::path& file : {convertTarget, parameters, touch, style})
        EXPECT_TRUE(ReadFileBytes(file) == "kept: " + file.filename().string()) << file.filename().string() << " replaced";
    EXPECT_FALSE(program->FindBox().window) << "no box is left";
    program->Stop();
}

TEST(FileDialogs, AfterASaveDialogAnOpenDialogOpensItsFileWithoutAQuestion) {
    Workspace workspace;
    const fs::path source = workspace.DataFolder(L"song") / L"groove.mid";
    fs::create_directories(source.parent_path());
    WriteFileBytes(source, SampleMarkedMidi({"INTRO A", "MAIN A", "ENDING A"}));
    const fs::path parameters = workspace.Program() / L"parameters.sci";

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND sheet = StartStyleWizard(*program, source);
    ASSERT_TRUE(sheet) << "the wizard with its source";
    PressButton(sheet, kNext);
    HWND saveParameters = WaitForVisibleChild(program->MainFrame(), kSaveParameters);
    ASSERT_TRUE(saveParameters) << "the second step";
    HWND step = GetParent(saveParameters);

    PressButton(step, kSaveParameters);
    const FileDialogView save = WaitForFileDialog(*program);
    ASSERT_TRUE(save.window);
    ASSERT_FALSE(save.title.empty());
    ChooseInFileDialog(save, parameters);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(parameters) && fs::file_size(parameters) == kSectionParametersSize; },
                          kBoxTimeoutMs)) << "the parameters saved";
    ASSERT_TRUE(WaitUntilGone(save.window));

    PressButton(step, kLoadParameters);
    const FileDialogView open = WaitForFileDialog(*program);
    ASSERT_TRUE(open.window);
    ASSERT_NE(open.title, save.title) << "the Open dialog is titled as the save dialog";
    ChooseInFileDialog(open, parameters);
    EXPECT_TRUE(WaitUntilGone(open.window)) << "the Open dialog took the file";
    EXPECT_FALSE(program->FindBox().window) << "a box after opening the parameters";
    // The parameters were taken: closing the program asks about the changed style.
    PostMessageW(program->MainFrame(), WM_CLOSE, 0, 0);
    const BoxView ask = program->WaitForBoxOfKind(BoxKind::ProgramBox, kBoxTimeoutMs);
    EXPECT_EQ(ask.text, ProgramString(workspace.Program(), kStyleModified));
    Agree(ask);
    EXPECT_TRUE(program->WaitForExit(kBoxTimeoutMs));
}

} // namespace
} // namespace e2e
