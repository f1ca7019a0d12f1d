#include "core/files/FileMarkChecks.h"
#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/profile/DevProfile.h"
#include "core/ui/UiResources.h"
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

TEST_F(TextHelpersTest, SoundFilesLiveInTheWavFolder)
{
    EXPECT_EQ(GetSoundFilePath(0), Folder() + L"wav\\msgBox.wav");
    EXPECT_EQ(GetSoundFilePath(1), Folder() + L"wav\\finish.wav");
    EXPECT_TRUE(GetSoundFilePath(2).IsEmpty());
}

TEST_F(TextHelpersTest, MissingStringIdGivesAnEmptyText)
{
    EXPECT_TRUE(LoadResString(65000).IsEmpty());
}

TEST_F(TextHelpersTest, ArrayFormsMatchTheVectorForms)
{
    WriteText(Folder() + L"a.sty", "x");
    CStringArray names;
    names.Add(L"stale");
    ListFilesByExtension(Folder(), L"sty", names);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names.GetAt(0), CString(L"a.sty"));
    ListAllFiles(Folder(), L"sty", names);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names.GetAt(0), Folder() + L"a.sty");

    WriteBytes(Folder() + L"good.sty", keyloft::marks::samples::MakeStyle());
    CStringArray segments;
    EXPECT_TRUE(ReadStyleSegmentNames(Folder() + L"good.sty", segments));
    ASSERT_EQ(segments.GetSize(), 3);
    EXPECT_EQ(segments.GetAt(2), CString(L"ENDING A"));
    EXPECT_FALSE(ReadStyleSegmentNames(Folder() + L"a.sty", segments));
    EXPECT_EQ(segments.GetSize(), 0);

    GetUiResources().ClearInterNames();
    SetInterName(L"DEVICE 1", L"XK100");
    CStringArray models;
    ListInterNames(models);
    ASSERT_EQ(models.GetSize(), 1);
    EXPECT_EQ(models.GetAt(0), CString(L"XK100"));
    GetUiResources().ClearInterNames();

    ClearDevProfile();
    CStringArray essential;
    essential.Add(L"stale");
    ReadEssentialSections(essential);
    EXPECT_EQ(essential.GetSize(), 0);
}

} // namespace
