// Profile settings against the Wine registry (a key of this test run, deleted
// afterwards) and against a private ini file.
#include "tests/afx_app/TestApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring RegistryKeyName()
{
    return L"KeyloftAfxTest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount());
}

// Reads a value directly, to check where the layer put it.
bool ReadRegistryValue(const std::wstring& path, const wchar_t* name, DWORD& type, std::wstring& text, DWORD& number)
{
    BYTE buffer[512] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t); // room for a terminator the value may lack
    if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) !=
        ERROR_SUCCESS)
        return false;
    if (type == REG_DWORD)
        std::memcpy(&number, buffer, sizeof(number));
    else if (type == REG_SZ)
        text.assign(reinterpret_cast<const wchar_t*>(buffer));
    return true;
}

bool KeyExists(const std::wstring& path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(hKey);
    return true;
}

// GetProfileBinary's bytes (none when it fails), freeing its block.
std::vector<BYTE> ProfileBinary(CWinApp& app, LPCTSTR section, LPCTSTR entry)
{
    LPBYTE data = nullptr;
    UINT size = 0;
    if (!app.GetProfileBinary(section, entry, &data, &size))
        return {};
    std::unique_ptr<BYTE[]> owned(data);
    return std::vector<BYTE>(data, data + size);
}

void ReplaceAppString(LPCTSTR& member, const wchar_t* value)
{
    std::free(const_cast<LPTSTR>(member));
    member = value != nullptr ? _wcsdup(value) : nullptr;
}

class RegistryProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_keyName = RegistryKeyName();
        m_savedProfile = TestApp().m_pszProfileName != nullptr ? TestApp().m_pszProfileName : L"";
        TestApp().SetRegistryKey(m_keyName.c_str());
        m_sectionPath = L"Software\\" + m_keyName + L"\\" + TestApp().m_pszAppName + L"\\Settings";
    }
    void TearDown() override
    {
        std::wstring root = L"Software\\" + m_keyName;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, root.c_str());
        ReplaceAppString(TestApp().m_pszRegistryKey, nullptr);
        ReplaceAppString(TestApp().m_pszProfileName, m_savedProfile.c_str());
    }
    std::wstring m_keyName;
    std::wstring m_savedProfile;
    std::wstring m_sectionPath;
};

TEST_F(RegistryProfileTest, ValuesRoundTripUnderSoftwareKeyProfileSection)
{
    CWinApp& app = TestApp();
    EXPECT_STREQ(app.m_pszProfileName, app.m_pszAppName);
    ASSERT_TRUE(app.WriteProfileInt(L"Settings", L"MIDIDev", -3));
    ASSERT_TRUE(app.WriteProfileString(L"Settings", L"ins", L"C:\\voices\\bank.ins"));
    BYTE blob[] = {0x00, 0xFF, 0x10, 0x7F, 0x80};
    ASSERT_TRUE(app.WriteProfileBinary(L"Settings", L"Layout", blob, sizeof(blob)));

    EXPECT_EQ(static_cast<int>(app.GetProfileInt(L"Settings", L"MIDIDev", 5)), -3);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"ins"), CString(L"C:\\voices\\bank.ins"));
    EXPECT_EQ(ProfileBinary(app, L"Settings", L"Layout"), std::vector<BYTE>(std::begin(blob), std::end(blob)));

    // The values sit exactly where other programs and older versions look.
    DWORD type = 0;
    DWORD number = 0;
    std::wstring text;
    ASSERT_TRUE(ReadRegistryValue(m_sectionPath, L"MIDIDev", type, text, number));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, static_cast<DWORD>(-3));
    ASSERT_TRUE(ReadRegistryValue(m_sectionPath, L"ins", type, text, number));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, L"C:\\voices\\bank.ins");

    // Another program may store a string without its terminator.
    HKEY section = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, m_sectionPath.c_str(), 0, KEY_WRITE, &section), ERROR_SUCCESS);
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    ::RegSetValueExW(section, L"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), sizeof(unterminated));
    ::RegCloseKey(section);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"raw"), CString(L"abc"));
}

TEST_F(RegistryProfileTest, MissingOrMistypedValuesGiveDefaultsWithoutCreatingKeys)
{
    CWinApp& app = TestApp();
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Nothing", 17), 17u);
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Nothing", L"fallback"), CString(L"fallback"));
    EXPECT_TRUE(app.GetProfileString(L"Settings", L"Nothing").IsEmpty());
    LPBYTE data = reinterpret_cast<LPBYTE>(&app); // must be reset
    UINT size = 99;
    EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Nothing", &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_FALSE(KeyExists(L"Software\\" + m_keyName)) << "reading must not create keys";

    // A string where a number is expected (and the other way round) is not a value.
    ASSERT_TRUE(app.WriteProfileString(L"Settings", L"Count", L"12"));
    EXPECT_EQ(app.GetProfileInt(L"Settings", L"Count", 4), 4u);
    ASSERT_TRUE(app.WriteProfileInt(L"Settings", L"Name", 9));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"Name", L"none"), CString(L"none"));
    EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Name", &data, &size));
}

TEST_F(RegistryProfileTest, NullValueDeletesEntryAndNullEntryDeletesSection)
{
    CWinApp& app = TestApp();
    ASSERT_TRUE(app.WriteProfileString(L"Settings", L"a", L"1"));
    ASSERT_TRUE(app.WriteProfileString(L"Settings", L"b", L"2"));
    ASSERT_TRUE(app.WriteProfileString(L"Settings", L"a", nullptr));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"a", L"gone"), CString(L"gone"));
    EXPECT_EQ(app.GetProfileString(L"Settings", L"b"), CString(L"2"));
    ASSERT_TRUE(app.WriteProfileString(L"Settings", nullptr, nullptr));
    EXPECT_FALSE(KeyExists(m_sectionPath));
    EXPECT_TRUE(app.WriteProfileString(L"Settings", nullptr, nullptr)) << "deleting a missing section is fine";
}

TEST(IniProfileTest, WithoutRegistryKeyValuesGoToThePrivateIniFile)
{
    CWinApp& app = TestApp();
    ASSERT_EQ(app.m_pszRegistryKey, nullptr);
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    std::wstring iniPath = std::wstring(folder) + L"afx_app_profile_" + std::to_wstring(::GetCurrentProcessId()) + L".ini";
    std::wstring savedProfile = app.m_pszProfileName != nullptr ? app.m_pszProfileName : L"";
    ReplaceAppString(app.m_pszProfileName, iniPath.c_str());

    EXPECT_TRUE(app.WriteProfileInt(L"EditSong", L"MIDIDev", 3));
    EXPECT_TRUE(app.WriteProfileString(L"converter", L"ins", L"bank.ins"));
    BYTE blob[] = {0xAB, 0x00, 0x5C};
    EXPECT_TRUE(app.WriteProfileBinary(L"converter", L"blob", blob, sizeof(blob)));
    EXPECT_EQ(app.GetProfileInt(L"EditSong", L"MIDIDev", 0), 3u);
    EXPECT_EQ(app.GetProfileString(L"converter", L"ins"), CString(L"bank.ins"));
    EXPECT_EQ(ProfileBinary(app, L"converter", L"blob"), std::vector<BYTE>(std::begin(blob), std::end(blob)));
    LPBYTE data = nullptr;
    UINT size = 0;

    wchar_t raw[64] = {};
    ::GetPrivateProfileStringW(L"EditSong", L"MIDIDev", L"", raw, 64, iniPath.c_str());
    EXPECT_STREQ(raw, L"3");
    // Damaged binary text is refused, not half-decoded.
    ::WritePrivateProfileStringW(L"converter", L"blob", L"ABZ", iniPath.c_str());
    EXPECT_FALSE(app.GetProfileBinary(L"converter", L"blob", &data, &size));

    ReplaceAppString(app.m_pszProfileName, savedProfile.c_str());
    ::DeleteFileW(iniPath.c_str());
}

} // namespace
