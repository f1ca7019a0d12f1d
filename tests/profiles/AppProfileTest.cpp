#include "core/profile/AppProfile.h"
#include "core/profile/DeviceNames.h"
#include "core/profile/ProfileKeys.h"
#include "tests/profiles/ProfilesTestSupport.h"

namespace {

class AppProfileTest : public ProgramFolderTest {
protected:
    CAppProfile& Profile() { return GetAppProfile(); }
    CString IniPath() const { return Folder() + L"AppProfile.ini"; }
};

TEST_F(AppProfileTest, ResetDeletesFourSectionsAndKeepsTheRest)
{
    Profile().SetLanguage(1);
    Profile().SetDeviceSeries(L"XK100", L"RX470");
    Profile().SetMsgDlgVisible(124, 0);
    Profile().SetSongAddDir(L"C:\\songs\\");
    Profile().SetStyleSaveDir(L"C:\\styles\\");
    Profile().SetListSort(2, true, 1, false);

    Profile().Reset();

    const CIni ini = Profile().GetIni();
    for (const wchar_t* section : {L"LIST_SORT", L"ADD_FILE_DIR", L"SAVE_FILE_DIR", L"MSG_DLG_VISIBLE"})
        EXPECT_FALSE(ini.HasSection(section)) << Narrow(section);
    EXPECT_EQ(Profile().GetLanguage(), 1u);
    EXPECT_TRUE(ini.HasSection(L"SEC_DEV_2_SERIAL"));
    EXPECT_EQ(Profile().IsMsgDlgVisible(124), 1);
    EXPECT_EQ(Profile().GetSongAddDir(), CString());
}

TEST_F(AppProfileTest, FoldersRoundTripWithDataFolderDefaults)
{
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_TRUE(Profile().GetAddDir(kind).IsEmpty());
    EXPECT_EQ(Profile().GetSongSaveDir(), Folder() + L"XKBD\\song\\");
    EXPECT_TRUE(FolderExists(Folder() + L"XKBD\\song\\"));
    EXPECT_EQ(Profile().GetStyleSaveDir(), Folder() + L"XKBD\\style\\");
}

TEST_F(AppProfileTest, ListSortingDefaultsAndKeepsMinusOne)
{
    EXPECT_EQ(Profile().GetListSortColumn(0, false), 0);
    EXPECT_TRUE(Profile().GetListSortAscending(0, false));
    Profile().SetListSort(1, true, -1, false);
    EXPECT_EQ(Profile().GetListSortColumn(1, true), -1);
    EXPECT_FALSE(Profile().GetListSortAscending(1, true));
    EXPECT_EQ(Profile().GetListSortColumn(1, false), 0);
    const std::string text = ReadAllBytes(IniPath());
    EXPECT_NE(text.find("STY_DEV_COL=-1"), std::string::npos) << text;
    EXPECT_NE(text.find("STY_DEV_ORD=0"), std::string::npos) << text;
}

TEST_F(AppProfileTest, SeriesMapIsReloadedFromTheProfileIgnoringCase)
{
    WriteText(IniPath(), "[SEC_DEV_2_SERIAL]\r\nXk100=RX470\r\nOTHER=RX900\r\n");
    GetDeviceNames().SetDeviceSeries(L"STALE", L"RX470");
    Profile().LoadDeviceSeries();
    EXPECT_EQ(GetDeviceSeries(L"XK100"), CString(L"RX470"));
    EXPECT_EQ(GetDeviceSeries(L"xk100"), CString(L"RX470"));
    EXPECT_EQ(GetDeviceSeries(L"other"), CString(L"RX900"));
    EXPECT_TRUE(GetDeviceSeries(L"STALE").IsEmpty());
    EXPECT_TRUE(GetDeviceSeries(L"").IsEmpty());

    EXPECT_TRUE(Profile().SetDeviceSeries(L"NEW1", L"RX470"));
    EXPECT_TRUE(GetDeviceSeries(L"NEW1").IsEmpty()); // until reloaded
    Profile().LoadDeviceSeries();
    EXPECT_EQ(GetDeviceSeries(L"new1"), CString(L"RX470"));
    GetDeviceNames().ClearDeviceSeries();
}

TEST_F(AppProfileTest, ModelNamesThatWouldBreakTheFileAreNotWritten)
{
    for (const wchar_t* name : {L"", L"A=B", L"[X]", L";C", L"two\nlines", L" padded"})
        EXPECT_FALSE(Profile().SetDeviceSeries(name, L"RX470")) << Narrow(name);
    EXPECT_TRUE(Profile().GetIni().GetKeys(L"SEC_DEV_2_SERIAL").empty());
}

} // namespace
