#include <gtest/gtest.h>

#include <set>

#include "app/shell/HelpPath.h"

namespace {

struct FakeFolders {
    std::set<CString> existing;
    bool operator()(const CString& folder) const { return existing.count(folder) > 0; }
};

TEST(HelpPathTest, LanguagePicksTheFileAndAnUnknownOneLeavesTheFolder)
{
    const FakeFolders none;
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"", 0, none), CString(L"C:\\K\\help\\ch_smp.chm"));
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"", 1, none), CString(L"C:\\K\\help\\ch_trd.chm"));
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"", 2, none), CString(L"C:\\K\\help\\english.chm"));
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"", 7, none), CString(L"C:\\K\\help\\"));
}

TEST(HelpPathTest, TheConnectedModelsOwnFolderWinsOnlyWhenItExists)
{
    FakeFolders folders;
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"RX470", 1, folders), CString(L"C:\\K\\help\\ch_trd.chm"));
    folders.existing.insert(L"C:\\K\\help\\RX470\\");
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"RX470", 1, folders), CString(L"C:\\K\\help\\RX470\\ch_trd.chm"));
    EXPECT_EQ(BuildHelpPath(L"C:\\K\\", L"OTHER", 2, folders), CString(L"C:\\K\\help\\english.chm"));
}

} // namespace
