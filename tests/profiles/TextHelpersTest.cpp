#include "core/files/FileMarkChecks.h"
#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/profile/DevProfile.h"
#include "tests/portable/marks/MarkSamples.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <afxcoll.h>

namespace {

class TextHelpersTest : public ProgramFolderTest {};

TEST_F(TextHelpersTest, SplitLinesAtLineFeeds)
{
    EXPECT_EQ(SplitLines(L"a\nb\r\n\nc"), (std::vector<CString>{L"a", L"b", L"", L"c"}));
    EXPECT_EQ(SplitLines(L"one\n"), (std::vector<CString>{L"one"}));
    EXPECT_TRUE(SplitLines(L"").empty());
    EXPECT_TRUE(SplitLines(nullptr).empty());
    CStringArray lines;
    lines.Add(L"stale");
    SplitLines(L"x\ny", lines);
    ASSERT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines.GetAt(1), CString(L"y"));
}

TEST_F(TextHelpersTest, SoundFilesLiveInTheWavFolderAndMissingStringsAreEmpty)
{
    EXPECT_EQ(GetSoundFilePath(1), Folder() + L"wav\\finish.wav");
    EXPECT_TRUE(GetSoundFilePath(2).IsEmpty());
    EXPECT_TRUE(LoadResString(65000).IsEmpty());
}

TEST_F(TextHelpersTest, ArrayFormsReplaceWhatTheArrayHeld)
{
    WriteText(Folder() + L"a.sty", "x");
    CStringArray names;
    names.Add(L"stale");
    ListFilesByExtension(Folder(), L"sty", names);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names.GetAt(0), CString(L"a.sty"));

    ClearDevProfile();
    CStringArray essential;
    essential.Add(L"stale");
    ReadEssentialSections(essential);
    EXPECT_EQ(essential.GetSize(), 0);
}

} // namespace
