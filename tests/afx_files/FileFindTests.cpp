#include "TestSupport.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

using afx_files_test::TempFolder;
using afx_files_test::WriteBytes;

TEST(FileFind, ListsMatchingEntriesWithTheirDetails)
{
    TempFolder folder;
    WriteBytes(folder.File(L"a.mid"), std::vector<BYTE>(10, 1));
    WriteBytes(folder.File(L"b.mid"), std::vector<BYTE>(20, 1));
    WriteBytes(folder.File(L"c.sty"), std::vector<BYTE>(30, 1));
    ASSERT_TRUE(::CreateDirectoryW(folder.File(L"sub.mid"), nullptr));
    ::SetFileAttributesW(folder.File(L"b.mid"), FILE_ATTRIBUTE_READONLY);

    struct Seen {
        ULONGLONG length;
        bool directory;
        bool readOnly;
        CString path;
        CString title;
    };
    std::map<std::wstring, Seen> seen;
    CFileFind finder;
    int calls = 0;
    for (BOOL more = finder.FindFile(folder.File(L"*.mid")); more;) {
        more = finder.FindNextFile();
        ++calls;
        seen[finder.GetFileName().GetString()] = {finder.GetLength(), finder.IsDirectory() != FALSE,
                                                  finder.IsReadOnly() != FALSE, finder.GetFilePath(),
                                                  finder.GetFileTitle()};
        FILETIME written = {};
        EXPECT_TRUE(finder.GetLastWriteTime(&written));
    }
    finder.Close();
    ::SetFileAttributesW(folder.File(L"b.mid"), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(3, calls);
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(10u, seen[L"a.mid"].length);
    EXPECT_EQ(20u, seen[L"b.mid"].length);
    EXPECT_TRUE(seen[L"b.mid"].readOnly);
    EXPECT_FALSE(seen[L"a.mid"].readOnly);
    EXPECT_TRUE(seen[L"sub.mid"].directory);
    EXPECT_FALSE(seen[L"a.mid"].directory);
    EXPECT_EQ(0, seen[L"a.mid"].path.CompareNoCase(folder.File(L"a.mid")));
    EXPECT_EQ(CString(L"a"), seen[L"a.mid"].title);
}

TEST(FileFind, DotsOneFileAndNothingFound)
{
    TempFolder folder;
    CFileFind finder;
    int dots = 0;
    for (BOOL more = finder.FindFile(folder.File(L"*.*")); more;) {
        more = finder.FindNextFile();
        dots += finder.IsDots() ? 1 : 100;
    }
    EXPECT_EQ(2, dots);

    WriteBytes(folder.File(L"DefValue.ini"), {'x'});
    ASSERT_TRUE(finder.FindFile(folder.File(L"DefValue.ini")));
    EXPECT_FALSE(finder.FindNextFile()); // the only entry, now current
    EXPECT_EQ(CString(L"DefValue.ini"), finder.GetFileName());
    EXPECT_EQ(1u, finder.GetLength());

    EXPECT_FALSE(finder.FindFile(folder.File(L"*.none")));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    EXPECT_FALSE(finder.FindFile(folder.File(L"missing\\*.*")));
}
