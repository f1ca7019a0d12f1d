#include <afxwin.h>
#include <gtest/gtest.h>

#include "app/shell/KeyloftApp.h"
#include "app/shell/LanguageResources.h"
#include "pages/SegmentNames.h"
#include "app/shell/SingleInstance.h"
#include "core/convert/Config.h"
#include "core/profile/AppProfile.h"
#include "guilib/core/KGPLocalResource.h"
#include "res/resource.h"
#include "tests/app_frame/ShellTestSupport.h"

namespace {

CString LoadText(UINT id, HINSTANCE module = nullptr)
{
    CString text;
    if (module != nullptr)
        text.LoadString(module, id);
    else
        text.LoadString(id);
    return text;
}

// ---- Segment names

class SegmentNamesTest : public ::testing::Test {
protected:
    void SetUp() override { CKeyloftApp::BuildSegmentMap(); }
};

TEST_F(SegmentNamesTest, LookUpIgnoresCaseAndEveryNameMapsBack)
{
    EXPECT_EQ(GetSegmentByName(L"Fill In Dc"), 28);
    EXPECT_EQ(GetSegmentByName(L"INTRO E"), 29);
    EXPECT_EQ(GetSegmentByName(L""), 29);
    EXPECT_EQ(GetSegmentByNameA("ending c"), 16);
    EXPECT_EQ(GetSegmentByNameA("MAIN\xC4"), 29);
    EXPECT_EQ(CKeyloftApp::GetSegmentName(17), CString(L"FILL IN AB"));
    EXPECT_EQ(CKeyloftApp::GetSegmentName(29), CString());
    EXPECT_EQ(CKeyloftApp::GetSegmentName(0), CString());
    for (int segment = 1; segment <= 28; ++segment)
        EXPECT_EQ(GetSegmentByName(CKeyloftApp::GetSegmentName(segment)), segment) << segment;
}

TEST(SegmentNamesBuildTest, TextsAreUpperCasedAndAMissingStringKeepsTheBuiltInName)
{
    CSegmentNames names;
    names.Build([](UINT id) { return id == 1160 ? CString(L"Intro Uno") : CString(); });
    EXPECT_EQ(names.Lookup(L"INTRO UNO"), 3);
    EXPECT_EQ(names.NameOf(3), CString(L"INTRO UNO"));
    EXPECT_EQ(names.Lookup(L"intro b"), 4);
}

TEST(SanitizeFileNameTest, EveryForbiddenCharacterBecomesATilde)
{
    CString all = L"\"*/:<>?\\|ok";
    SanitizeFileName(all);
    EXPECT_EQ(all, CString(L"~~~~~~~~~ok"));
    CString plain = L"My Style 01.sty";
    SanitizeFileName(plain);
    EXPECT_EQ(plain, CString(L"My Style 01.sty"));
}

// ---- Single instance

TEST(SingleInstanceTest, ASecondHolderOfTheNameIsRefusedUntilTheFirstCloses)
{
    CString name;
    name.Format(L"KeyloftTestLock-%lu", ::GetCurrentProcessId());
    CSingleInstanceLock first;
    CSingleInstanceLock second;
    ASSERT_TRUE(first.Acquire(name));
    EXPECT_FALSE(second.Acquire(name));
    second.Close();
    first.Close();
    CSingleInstanceLock third;
    EXPECT_TRUE(third.Acquire(name));
}

// ---- "DefValue.ini"

class SegmentDefaultsTest : public ShellFolderTest {
protected:
    void TearDown() override
    {
        SetAppSegmentDefaults({});
        ShellFolderTest::TearDown();
    }
};

TEST_F(SegmentDefaultsTest, TheShippedFileHoldsTheDefaultsOfEverySlot)
{
    CKeyloftApp::LoadSegmentDefaults(CString(KEYLOFT_SOURCE_FOLDER) + L"res\\");
    const auto& defaults = GetAppSegmentDefaults();
    for (int slot = 0; slot < 19; ++slot) {
        EXPECT_EQ(defaults.crashNote[slot], slot < 3 ? 55 : 47) << slot;
        EXPECT_EQ(defaults.velocity[slot], 85) << slot;
    }
}

// ---- Language libraries

class LanguageTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        m_builtIn = AfxGetResourceHandle();
        m_builtInText = LoadText(IDS_NOT_CONNECTED);
    }
    void TearDown() override
    {
        m_languages.Free();
        AfxSetResourceHandle(m_builtIn);
        ShellFolderTest::TearDown();
    }

    CLanguageResources m_languages;
    HINSTANCE m_builtIn = nullptr;
    CString m_builtInText;
};

TEST_F(LanguageTest, WithoutTheLibrariesTheBuiltInTextsStayAndCommandsDoNothing)
{
    GetAppProfile().SetLanguage(2);
    m_languages.Load(Folder()); // an empty folder: no libraries
    EXPECT_EQ(m_languages.HandleOf(Language::English), nullptr);
    EXPECT_EQ(m_languages.ApplyStoredLanguage(), Language::Simplified);
    EXPECT_EQ(AfxGetResourceHandle(), m_builtIn);
    EXPECT_FALSE(m_languages.Switch(Language::English));
    EXPECT_FALSE(m_languages.Switch(Language::Traditional));
    EXPECT_EQ(AfxGetResourceHandle(), m_builtIn);
    EXPECT_EQ(LoadText(IDS_NOT_CONNECTED), m_builtInText);
    EXPECT_TRUE(m_languages.Switch(Language::Simplified));
    EXPECT_EQ(GetAppProfile().GetLanguage(), 0u);
}

TEST_F(LanguageTest, SwitchingPutsTheLibraryInForceAndStoresTheChoiceInDecimal)
{
    m_languages.Load(KEYLOFT_PROGRAM_FOLDER);
    ASSERT_NE(m_languages.HandleOf(Language::English), nullptr);
    ASSERT_NE(m_languages.HandleOf(Language::Traditional), nullptr);

    ASSERT_TRUE(m_languages.Switch(Language::English));
    EXPECT_EQ(AfxGetResourceHandle(), m_languages.HandleOf(Language::English));
    EXPECT_EQ(LoadText(IDS_NOT_CONNECTED), LoadText(IDS_NOT_CONNECTED, m_languages.HandleOf(Language::English)));
    EXPECT_NE(LoadText(IDS_NOT_CONNECTED), m_builtInText);
    EXPECT_NE(ReadFile(L"AppProfile.ini").find("CUR_LANGUAGE=2"), std::string::npos);
    EXPECT_EQ(CLanguageResources::StoredLanguage(), 2u);
    EXPECT_EQ(KGPGetResourceLanguage(), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) << "the library's texts follow";

    // What the library lacks (the program icon) still comes from the program.
    const HINSTANCE iconModule = AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_GROUP_ICON);
    EXPECT_EQ(iconModule, m_builtIn);
    EXPECT_NE(::LoadIconW(iconModule, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);

    ASSERT_TRUE(m_languages.Switch(Language::Traditional));
    EXPECT_NE(LoadText(IDS_NOT_CONNECTED), m_builtInText);
    EXPECT_NE(ReadFile(L"AppProfile.ini").find("CUR_LANGUAGE=1"), std::string::npos);

    ASSERT_TRUE(m_languages.Switch(Language::Simplified));
    EXPECT_EQ(LoadText(IDS_NOT_CONNECTED), m_builtInText);
    EXPECT_EQ(KGPGetResourceLanguage(), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    EXPECT_FALSE(m_languages.Switch(3));
}

TEST_F(LanguageTest, TheStoredLanguageIsAppliedAtStartAndFreeingRestoresTheBuiltInTexts)
{
    GetAppProfile().SetLanguage(7); // anything else than 0 and 1 is English
    m_languages.Load(KEYLOFT_PROGRAM_FOLDER);
    EXPECT_EQ(m_languages.ApplyStoredLanguage(), Language::English);
    EXPECT_EQ(LoadText(IDS_NOT_CONNECTED), LoadText(IDS_NOT_CONNECTED, m_languages.HandleOf(Language::English)));
    EXPECT_NE(LoadText(IDS_NOT_CONNECTED), m_builtInText);
    m_languages.Free();
    EXPECT_EQ(AfxGetResourceHandle(), m_builtIn);
    EXPECT_EQ(LoadText(IDS_NOT_CONNECTED), m_builtInText);
}

} // namespace
