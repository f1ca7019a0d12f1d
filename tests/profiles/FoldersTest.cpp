#include "core/files/Folders.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <algorithm>

namespace {

class FoldersTest : public ProgramFolderTest {};

TEST_F(FoldersTest, CreateFolderMakesEveryMissingParent)
{
    const CString deep = Folder() + L"a\\b\\c\\d";
    EXPECT_TRUE(CreateFolder(deep));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(CreateFolder(deep + L"\\")); // exists already
    EXPECT_TRUE(CreateFolder(Folder() + L"x/y/z"));
    EXPECT_TRUE(FolderExists(Folder() + L"x\\y\\z"));
    EXPECT_FALSE(CreateFolder(L""));
}

TEST_F(FoldersTest, CreateFolderThroughAFileFails)
{
    WriteText(Folder() + L"plain", "not a folder");
    EXPECT_FALSE(CreateFolder(Folder() + L"plain\\sub"));
    EXPECT_FALSE(CreateFolder(Folder() + L"plain"));
    EXPECT_TRUE(RegularFileExists(Folder() + L"plain"));
    EXPECT_FALSE(FolderExists(Folder() + L"plain\\sub"));
}

TEST_F(FoldersTest, DataFoldersAreCreatedOnFirstUse)
{
    const wchar_t* names[] = {L"XKBD\\song\\", L"XKBD\\style\\", L"XKBD\\voice\\", L"XKBD\\memory\\"};
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(GetDataFolderPath(kind), Folder() + names[kind]);
        EXPECT_FALSE(FolderExists(Folder() + names[kind])) << "the path alone creates nothing";
        EXPECT_EQ(GetDataFolder(kind), Folder() + names[kind]);
        EXPECT_TRUE(FolderExists(Folder() + names[kind]));
    }
    EXPECT_TRUE(GetDataFolder(4).IsEmpty());
    EXPECT_TRUE(GetDataFolder(-1).IsEmpty());
    EXPECT_TRUE(GetDataFolderPath(4).IsEmpty());
    EXPECT_EQ(GetInsFolder(), Folder() + L"INS\\");
    EXPECT_TRUE(FolderExists(Folder() + L"INS"));
}

TEST_F(FoldersTest, ExistenceTests)
{
    WriteText(Folder() + L"f.txt", "x");
    EXPECT_TRUE(FileExists(Folder() + L"f.txt"));
    EXPECT_TRUE(FileExists(Folder()));
    EXPECT_FALSE(FileExists(Folder() + L"none.txt"));
    EXPECT_FALSE(FileExists(L""));
    EXPECT_FALSE(FileExists(nullptr));
    EXPECT_TRUE(RegularFileExists(Folder() + L"f.txt"));
    EXPECT_FALSE(RegularFileExists(Folder()));
}

TEST_F(FoldersTest, PathParts)
{
    EXPECT_EQ(GetFolderOfPath(L"C:\\a\\b\\song.mid"), CString(L"C:\\a\\b\\"));
    EXPECT_EQ(GetFolderOfPath(L"song.mid"), CString());
    EXPECT_EQ(GetFolderOfPath(L"C:\\a\\"), CString(L"C:\\a\\"));
    EXPECT_EQ(GetFileTitleOfPath(L"C:\\a\\b\\song.take2.mid"), CString(L"song.take2"));
    EXPECT_EQ(GetFileTitleOfPath(L"C:\\a.dir\\noext"), CString(L"noext"));
    EXPECT_EQ(GetFileTitleOfPath(L"plain.sty"), CString(L"plain"));
}

TEST_F(FoldersTest, ListingSkipsFoldersAndOtherExtensionsAndKeepsTheCurrentDirectory)
{
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    WriteText(Folder() + L"one.mid", "1");
    WriteText(Folder() + L"TWO.MID", "2");
    WriteText(Folder() + L"three.midi", "3");
    WriteText(Folder() + L"four.sty", "4");
    ASSERT_TRUE(CreateFolder(Folder() + L"folder.mid"));
    ASSERT_TRUE(CreateFolder(Folder() + L"sub"));
    WriteText(Folder() + L"sub\\deep.mid", "5");

    std::vector<CString> names = ListFilesByExtension(Folder(), L"mid");
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], CString(L"one.mid"));
    EXPECT_EQ(names[1], CString(L"TWO.MID"));

    std::vector<CString> paths = ListAllFiles(Folder().Left(Folder().GetLength() - 1), L"MID");
    ASSERT_EQ(paths.size(), 2u);
    for (const CString& path : paths)
        EXPECT_EQ(GetFolderOfPath(path), Folder());

    EXPECT_TRUE(ListFilesByExtension(Folder() + L"missing", L"mid").empty());

    wchar_t after[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_EQ(CString(before), CString(after));
}

} // namespace
