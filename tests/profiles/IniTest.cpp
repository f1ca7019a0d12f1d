#include "core/profile/Ini.h"
#include "tests/profiles/ProfilesTestSupport.h"

namespace {

class IniTest : public ProgramFolderTest {
protected:
    CString Path() const { return Folder() + L"test.ini"; }
    CIni Ini() const { return CIni(Path()); }
};

TEST_F(IniTest, MissingFileGivesEveryDefault)
{
    const CIni ini = Ini();
    EXPECT_EQ(ini.GetInt(L"S", L"K", -4), -4);
    EXPECT_TRUE(ini.GetBool(L"S", L"K", TRUE));
    EXPECT_EQ(ini.GetString(L"S", L"K", L"dflt"), CString(L"dflt"));
    EXPECT_TRUE(ini.GetKeys(L"S").empty());
    EXPECT_FALSE(ini.HasSection(L"S"));
    EXPECT_FALSE(ini.HasKey(L"S", L"K"));
}

TEST_F(IniTest, ValuesFollowTheReadingRules)
{
    // The rules themselves are the portable IniValue suite's; here: they reach the file reader.
    WriteText(Path(), "[S]\r\nEmpty=\r\nYes=Yes\r\nHex=0x10\r\nWord=abc\r\n");
    const CIni ini = Ini();
    EXPECT_EQ(ini.GetUInt(L"S", L"Empty", 9), 9u) << "an empty value is the default";
    EXPECT_EQ(ini.GetUInt(L"S", L"Hex", 7), 0u) << "decimal only, as the platform's integer reader";
    EXPECT_EQ(ini.GetUInt(L"S", L"Word", 5), 0u) << "text without digits is 0, not the default";
    // Keys and sections ignore letter case, as the platform's files do.
    EXPECT_TRUE(ini.GetBool(L"s", L"yes", FALSE));
}

TEST_F(IniTest, WritesIntegersInDecimalAndReadsThemBack)
{
    const CIni ini = Ini();
    EXPECT_TRUE(ini.WriteInt(L"S", L"Neg", -1));
    EXPECT_TRUE(ini.WriteInt(L"S", L"Big", 305419896));
    EXPECT_TRUE(ini.WriteUInt(L"S", L"Max", 0xFFFFFFFFu));
    EXPECT_TRUE(ini.WriteBool(L"S", L"On", TRUE));
    const std::string text = ReadAllBytes(Path());
    EXPECT_NE(text.find("Neg=-1"), std::string::npos) << text;
    EXPECT_NE(text.find("Big=305419896"), std::string::npos) << text;
    EXPECT_NE(text.find("Max=4294967295"), std::string::npos) << text;
    EXPECT_NE(text.find("On=1"), std::string::npos) << text;
    EXPECT_EQ(ini.GetInt(L"S", L"Neg", 0), -1);
    EXPECT_EQ(ini.GetUInt(L"S", L"Max", 0), 0xFFFFFFFFu);
    EXPECT_EQ(ini.GetInt(L"S", L"Max", 0), -1);
}

TEST_F(IniTest, LongValuesAreNotCut)
{
    CString longFolder(L"C:\\");
    for (int i = 0; i < 60; ++i)
        longFolder += L"folder\\";
    ASSERT_GT(longFolder.GetLength(), 400);
    const CIni ini = Ini();
    ASSERT_TRUE(ini.WriteString(L"S", L"Dir", longFolder));
    EXPECT_EQ(ini.GetString(L"S", L"Dir"), longFolder);
}

TEST_F(IniTest, SectionsKeysAndDeletion)
{
    WriteText(Path(), "[A]\r\nOne=1\r\n; note=not a key\r\nTwo = \"quoted two\"\r\nThree=3\r\n[B]\r\nX=x\r\n");
    const CIni ini = Ini();
    const std::vector<CString> keys = ini.GetKeys(L"A");
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], CString(L"One"));
    EXPECT_EQ(keys[2], CString(L"Three"));
    const auto entries = ini.GetEntries(L"A");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].first, CString(L"Two"));
    EXPECT_EQ(entries[1].second, CString(L"quoted two"));
    EXPECT_TRUE(ini.HasSection(L"b"));
    EXPECT_TRUE(ini.HasKey(L"A", L"Two"));

    EXPECT_TRUE(ini.DeleteKey(L"A", L"Two"));
    EXPECT_EQ(ini.GetKeys(L"A").size(), 2u);
    EXPECT_TRUE(ini.DeleteSection(L"A"));
    EXPECT_FALSE(ini.HasSection(L"A"));
    EXPECT_EQ(ini.GetString(L"B", L"X"), CString(L"x"));
}

TEST_F(IniTest, AWriteThatFailsKeepsTheFileAndLeavesNoTemporary)
{
    const std::string before = "[S]\r\nK=old\r\n";
    WriteText(Path(), before);
    const CIni ini = Ini();
    // Another program holds the file without sharing it.
    const HANDLE held = ::CreateFileW(Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ini.WriteString(L"S", L"K", L"new"));
    EXPECT_FALSE(ini.DeleteSection(L"S"));
    ::CloseHandle(held);
    EXPECT_EQ(ReadAllBytes(Path()), before);

    EXPECT_TRUE(ini.WriteString(L"S", L"K", L"new"));
    EXPECT_EQ(ini.GetString(L"S", L"K"), CString(L"new"));
    WIN32_FIND_DATAW found{};
    EXPECT_EQ(::FindFirstFileW(Folder() + L"~*", &found), INVALID_HANDLE_VALUE) << "no temporary is left";
}

TEST_F(IniTest, AValueTheFileHoldsAlreadyIsNotWrittenAgain)
{
    const std::string before = "[S]\r\nK = \"same\"\r\nE=\r\n";
    WriteText(Path(), before);
    const CIni ini = Ini();
    // Held without sharing: a write would fail, so these succeed without writing.
    const HANDLE held = ::CreateFileW(Path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ini.WriteString(L"S", L"K", L"same"));
    EXPECT_TRUE(ini.WriteString(L"s", L"k", L" same "));
    EXPECT_TRUE(ini.WriteString(L"S", L"E", L""));
    EXPECT_FALSE(ini.WriteString(L"S", L"K", L"other"));
    EXPECT_FALSE(ini.WriteString(L"S", L"Missing", L"")) << "a missing key is written, even empty";
    ::CloseHandle(held);
    EXPECT_EQ(ReadAllBytes(Path()), before);

    EXPECT_TRUE(ini.WriteString(L"S", L"K", L"other"));
    EXPECT_EQ(ini.GetString(L"S", L"K"), CString(L"other"));
}

TEST_F(IniTest, ObjectWithoutPathReadsDefaultsAndWritesNothing)
{
    const CIni ini;
    EXPECT_FALSE(ini.HasPath());
    EXPECT_EQ(ini.GetUInt(L"windows", L"load", 3), 3u);
    EXPECT_FALSE(ini.WriteInt(L"S", L"K", 1));
    EXPECT_TRUE(ini.GetSectionNames().empty());
}

} // namespace
