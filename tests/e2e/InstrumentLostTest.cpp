// The instrument going silent while connected, idle or in the middle of a
// transfer: the program says so once (string 235), lets the pages go and offers
// the chooser again.
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(InstrumentLost, SilenceLeadsToTheNoteThePagesReleasedAndTheChooser) {
    Workspace workspace;
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);

    workspace.WriteInstrumentControl("fault=silent\n");
    // Keep-alive every 3 s plus the link's time-outs, ten times over.
    const BoxView note = program->WaitForBoxOfKind(BoxKind::ProgramBox, 60000);
    ASSERT_TRUE(note.window) << "no note after the instrument fell silent";
    EXPECT_EQ(note.text, ProgramString(workspace.Program(), 235));
    EXPECT_FALSE(program->VisiblePage()) << "the pages are released before the note";
    Agree(note);

    const BoxView chooser = program->WaitForBoxOfKind(BoxKind::Chooser, kBoxTimeoutMs);
    ASSERT_TRUE(chooser.window);
    PressButton(chooser.window, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser.window) || !IsWindowVisible(chooser.window); },
                          kBoxTimeoutMs));
    EXPECT_FALSE(program->WaitForExit(0)) << "the program stays open without an instrument";
}

constexpr int kChooserList = 1001;

bool Above(HWND window, HWND below) {
    for (HWND next = GetWindow(window, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
        if (next == below)
            return true;
    return false;
}

TEST(InstrumentLost, MidDownloadOneBoxSaysSoInFrontAndNothingStaleOutlivesTheReconnection) {
    Workspace workspace;
    workspace.PutInDataFolder(L"song", L"long.mid", SampleSong(3, 200000));
    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND pcList = program->PageList(kPcList);
    ASSERT_TRUE(WaitUntil([&] { return ReadListView(pcList).size() == 1; }, kBoxTimeoutMs));

    // The instrument takes the first packets of the download, then answers nothing at all.
    workspace.WriteInstrumentControl("fault=silent\nafter=5\n");
    SelectListViewRows(pcList, {0});
    SelectListViewRows(program->PageList(kDeviceList), {0});
    program->Command(program->VisiblePage(), kDownloadSelected);

    const BoxView note = program->WaitForBoxOfKind(BoxKind::ProgramBox, 60000);
    ASSERT_TRUE(note.window);
    EXPECT_EQ(note.text, ProgramString(workspace.Program(), 235)) << "the real cause, not a time-out or a load failure";
    EXPECT_FALSE(WaitUntil([&] { return BoxesShown(*program) > 1; }, 3000)) << "one failure, one box";
    HWND frame = program->MainFrame();
    EXPECT_EQ(GetWindow(note.window, GW_OWNER), frame);
    EXPECT_TRUE(Above(note.window, frame)) << "the box is in front of the window it disables";

    workspace.WriteInstrumentControl("fault=none\n");
    Agree(note);
    const BoxView chooser = program->WaitForBoxOfKind(BoxKind::Chooser, kBoxTimeoutMs);
    ASSERT_TRUE(chooser.window);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(chooser.window, kChooserList), CB_GETCOUNT, 0, 0) > 0; },
                          kBoxTimeoutMs));
    PressButton(chooser.window, IDOK);
    ASSERT_TRUE(WaitUntil([&] {
        HWND list = program->PageList(kDeviceList);
        return list && ReadListView(list).size() == 20;
    }, kStartTimeoutMs));
    EXPECT_EQ(BoxesShown(*program), 0) << "no box of the lost connection stays up";
    EXPECT_EQ(UsedDeviceRows(program->PageList(kDeviceList)), 0) << "the half item was not kept";
}

} // namespace
} // namespace e2e
