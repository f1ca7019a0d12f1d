#include "core/profile/DevProfile.h"

#include <array>

#include "tests/profiles/ProfilesTestSupport.h"

namespace {

class DevProfileTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ClearDevProfile();
        ASSERT_TRUE(CreateFolder(Folder() + L"DevProfile"));
    }
    void TearDown() override { ClearDevProfile(); }
    void WriteProfile(LPCTSTR model, const std::string& text)
    {
        WriteText(Folder() + L"DevProfile\\" + model + L".ini", text);
    }
};

TEST_F(DevProfileTest, DefaultsWithoutAProfile)
{
    EXPECT_TRUE(IsPageVisible(0));
    EXPECT_TRUE(IsPageVisible(3));
    EXPECT_FALSE(IsPageVisible(4));
    EXPECT_FALSE(IsPageVisible(5));
    EXPECT_FALSE(IsPageVisible(6));
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(GetSlotCount(kind), 0u);
        EXPECT_EQ(GetFileSizeRule(kind), 0u);
        EXPECT_TRUE(IsUploadEnabled(kind));
    }
    EXPECT_TRUE(ReadEssentialSections().empty());
}

TEST_F(DevProfileTest, SelectReadsTheModelsFile)
{
    WriteProfile(L"XK100",
                 "[DLG_VISIBLE]\r\nDLG_DOWN_SONG=0\r\nDLG_EDIT_STYLE=Yes\r\n"
                 "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=10\r\nMEM_MAX_CNT=8\r\nMELODY_MAX_CNT=3\r\n"
                 "[FILE_SIZE]\r\nSNG_MAX_SIZE=65536\r\nVOC_SIZE=1024\r\n"
                 "[UPLOAD_ENABLE]\r\nUPLOAD_STY=0\r\n"
                 "[STY_ESSENTIAL_SEC]\r\nS1=Main A\r\nS2=intro a\r\nS3=\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK100"));
    EXPECT_EQ(GetDevProfile().GetPath(), Folder() + L"DevProfile\\XK100.ini");
    EXPECT_FALSE(IsPageVisible(0));
    EXPECT_TRUE(IsPageVisible(1));
    EXPECT_TRUE(IsPageVisible(5));
    EXPECT_EQ(GetSlotCount(0), 10u);
    EXPECT_EQ(GetSlotCount(3), 8u);
    EXPECT_EQ(GetSlotCount(1), 0u);
    EXPECT_EQ(GetFileSizeRule(0), 65536u);
    EXPECT_EQ(GetFileSizeRule(2), 1024u);
    EXPECT_FALSE(IsUploadEnabled(1));
    EXPECT_TRUE(IsUploadEnabled(0));
    const std::vector<CString> sections = ReadEssentialSections();
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0], CString(L"MAIN A"));
    EXPECT_EQ(sections[1], CString(L"INTRO A"));

    ClearDevProfile();
    EXPECT_TRUE(GetDevProfile().GetPath().IsEmpty());
    EXPECT_TRUE(IsPageVisible(0));
    EXPECT_EQ(GetSlotCount(0), 0u);
}

// The switches read at once say what each read on its own says: the first
// line of a key, its name in any case, blanks and quotes dropped, words and
// numbers, defaults for keys absent or empty and without a profile.
TEST_F(DevProfileTest, PageSwitchesReadAtOnceMatchEachReadAlone)
{
    const auto expectSameAsAlone = [](const char* what) {
        const std::array<bool, 6> atOnce = GetPageVisibility();
        for (int slot = 0; slot < 6; ++slot)
            EXPECT_EQ(atOnce[static_cast<size_t>(slot)], IsPageVisible(slot)) << what << ", slot " << slot;
    };
    expectSameAsAlone("no profile");
    EXPECT_EQ(GetPageVisibility(), (std::array<bool, 6>{true, true, true, true, false, false}));

    WriteProfile(L"XK100",
                 "[FILE_SIZE]\r\nDLG_DOWN_SONG=0\r\n"
                 "[DLG_VISIBLE]\r\n; DLG_DOWN_STYLE=0\r\ndlg_down_song = \"0\"\r\nDLG_DOWN_SONG=1\r\n"
                 "DLG_DOWN_VOICE=\r\nDLG_DOWN_MEMORY=no\r\nDLG_EDIT_SONG=Yes\r\nDLG_EDIT_STYLE=  2  \r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK100"));
    expectSameAsAlone("a profile");
    EXPECT_EQ(GetPageVisibility(), (std::array<bool, 6>{false, true, true, false, true, true}));
}

TEST_F(DevProfileTest, MissingProfileLeavesTheSelectionUnchanged)
{
    WriteProfile(L"XK100", "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=10\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK100"));
    EXPECT_FALSE(SelectDevProfile(L"XK999"));
    EXPECT_EQ(GetSlotCount(0), 10u);
    EXPECT_EQ(GetDevProfile().GetPath(), Folder() + L"DevProfile\\XK100.ini");
}

TEST_F(DevProfileTest, ModelNamesFromTheInstrumentCannotLeaveTheFolder)
{
    WriteText(Folder() + L"secret.ini", "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=99\r\n");
    EXPECT_FALSE(SelectDevProfile(L"..\\secret"));
    EXPECT_FALSE(SelectDevProfile(L"../secret"));
    EXPECT_FALSE(SelectDevProfile(L""));
    EXPECT_FALSE(SelectDevProfile(L"C:secret"));
    EXPECT_TRUE(GetDevProfilePathFor(L"..").IsEmpty());
    EXPECT_EQ(GetSlotCount(0), 0u);
}

TEST_F(DevProfileTest, MelodyCountComesFromTheNamedModel)
{
    WriteProfile(L"XK100", "[FILE_MAX_CNT]\r\nMELODY_MAX_CNT=4\r\n");
    WriteProfile(L"XK200", "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=4\r\n");
    EXPECT_EQ(GetMelodyMaxCount(L"XK100"), 4u);
    EXPECT_EQ(GetMelodyMaxCount(L"XK200"), 2u);
    EXPECT_EQ(GetMelodyMaxCount(L"NOFILE"), 2u);
    EXPECT_EQ(GetMelodyMaxCount(L"..\\x"), 2u);
}

} // namespace
