// The instrument going silent while connected: the keep-alive notices, the program
// says so (string 235), lets the pages go and offers the chooser again.
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
    // Keep-alive every 3 s plus the link's time-outs.
    const BoxView note = program->WaitForBoxOfKind(BoxKind::ProgramBox, 30000);
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

} // namespace
} // namespace e2e
