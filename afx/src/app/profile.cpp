// Profile settings of the application: the registry below
// HKCU\Software\<registry key>\<profile name>\<section>, or the private ini file
// when no registry key was set.
#include <afxwin.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

CString AppKeyPath(const CWinApp& app)
{
    CString path(L"Software\\");
    path += app.m_pszRegistryKey;
    path += L"\\";
    path += app.m_pszProfileName;
    return path;
}

// Opens a section for reading only: reading never creates keys.
HKEY OpenSectionForRead(const CWinApp& app, LPCTSTR lpszSection)
{
    CString path = AppKeyPath(app);
    path += L"\\";
    path += lpszSection;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

// Reads a value of one of the given types from the section's key; false when
// the section, the entry or such a value is missing, or it changed while read.
bool ReadRegistryValue(const CWinApp& app, LPCTSTR lpszSection, LPCTSTR lpszEntry,
                       std::initializer_list<DWORD> acceptedTypes, std::vector<BYTE>& data)
{
    CRegKeyHandle section(OpenSectionForRead(app, lpszSection));
    if (!section) {
        return false;
    }
    DWORD dwType = 0;
    DWORD dwSize = 0;
    if (::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &dwType, nullptr, &dwSize) != ERROR_SUCCESS ||
        std::find(acceptedTypes.begin(), acceptedTypes.end(), dwType) == acceptedTypes.end()) {
        return false;
    }
    data.assign(dwSize, 0);
    if (dwSize == 0) {
        return true;
    }
    DWORD dwRead = dwSize;
    return ::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &dwType, data.data(), &dwRead) == ERROR_SUCCESS &&
           dwRead == dwSize;
}

bool UsesRegistry(const CWinApp& app)
{
    return app.m_pszRegistryKey != nullptr && app.m_pszProfileName != nullptr;
}

// Binary values in ini files: two letters 'A'..'P' per byte, high nibble first.
CString EncodeBinary(const BYTE* pData, UINT nBytes)
{
    CString text;
    LPTSTR buffer = text.GetBuffer(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i) {
        buffer[i * 2] = static_cast<wchar_t>(L'A' + (pData[i] >> 4));
        buffer[i * 2 + 1] = static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
    }
    text.ReleaseBuffer(static_cast<int>(nBytes * 2));
    return text;
}

bool DecodeBinary(const CString& text, std::vector<BYTE>& out)
{
    int nLength = text.GetLength();
    if (nLength % 2 != 0) {
        return false;
    }
    out.resize(static_cast<size_t>(nLength / 2));
    for (int i = 0; i < nLength / 2; ++i) {
        wchar_t high = text[i * 2];
        wchar_t low = text[i * 2 + 1];
        if (high < L'A' || high > L'P' || low < L'A' || low > L'P') {
            return false;
        }
        out[static_cast<size_t>(i)] = static_cast<BYTE>(((high - L'A') << 4) | (low - L'A'));
    }
    return true;
}

// GetProfileBinary's answer: a new[] block the caller deletes (none when empty).
BOOL HandOver(const std::vector<BYTE>& bytes, LPBYTE* ppData, UINT* pBytes)
{
    if (!bytes.empty()) {
        auto data = std::make_unique<BYTE[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), data.get());
        *ppData = data.release();
    }
    *pBytes = static_cast<UINT>(bytes.size());
    return TRUE;
}

} // namespace

HKEY CWinApp::GetAppRegistryKey()
{
    if (!UsesRegistry(*this)) {
        return nullptr;
    }
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, AppKeyPath(*this), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    CRegKeyHandle appKey(GetAppRegistryKey());
    if (!appKey || lpszSection == nullptr) {
        return nullptr;
    }
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(appKey.Get(), lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return hKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (!UsesRegistry(*this)) {
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    }
    CRegKeyHandle section(OpenSectionForRead(*this, lpszSection));
    if (!section) {
        return static_cast<UINT>(nDefault);
    }
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwSize = sizeof(dwValue);
    if (::RegQueryValueExW(section.Get(), lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwValue),
                           &dwSize) != ERROR_SUCCESS ||
        dwType != REG_DWORD || dwSize != sizeof(dwValue)) {
        return static_cast<UINT>(nDefault);
    }
    return dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (!UsesRegistry(*this)) {
        CString text;
        text.Format(L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    CRegKeyHandle section(GetSectionKey(lpszSection));
    if (!section) {
        return FALSE;
    }
    DWORD dwValue = static_cast<DWORD>(nValue);
    return ::RegSetValueExW(section.Get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                            sizeof(dwValue)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString fallback(lpszDefault != nullptr ? lpszDefault : L"");
    if (!UsesRegistry(*this)) {
        // Grow the buffer until the value fits.
        for (DWORD nSize = 256; nSize <= 1u << 20; nSize *= 4) {
            std::vector<wchar_t> buffer(nSize);
            DWORD nCopied = ::GetPrivateProfileStringW(lpszSection, lpszEntry, fallback, buffer.data(), nSize,
                                                       m_pszProfileName);
            if (nCopied < nSize - 1) {
                return CString(buffer.data());
            }
        }
        return fallback;
    }
    std::vector<BYTE> data;
    if (!ReadRegistryValue(*this, lpszSection, lpszEntry, {REG_SZ, REG_EXPAND_SZ}, data)) {
        return fallback;
    }
    // The stored data need not end with a terminator.
    CString text(reinterpret_cast<LPCWSTR>(data.data()), static_cast<int>(data.size() / sizeof(wchar_t)));
    const int end = text.Find(L'\0');
    return end >= 0 ? text.Left(end) : text;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!UsesRegistry(*this)) {
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    }
    if (lpszEntry == nullptr) {
        CRegKeyHandle appKey(GetAppRegistryKey());
        if (!appKey) {
            return FALSE;
        }
        LSTATUS status = ::RegDeleteTreeW(appKey.Get(), lpszSection);
        if (status == ERROR_SUCCESS) {
            status = ::RegDeleteKeyW(appKey.Get(), lpszSection);
        }
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    CRegKeyHandle section(GetSectionKey(lpszSection));
    if (!section) {
        return FALSE;
    }
    if (lpszValue == nullptr) {
        LSTATUS status = ::RegDeleteValueW(section.Get(), lpszEntry);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    DWORD dwBytes = static_cast<DWORD>((::lstrlenW(lpszValue) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(section.Get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            dwBytes) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr) {
        return FALSE;
    }
    *ppData = nullptr;
    *pBytes = 0;
    if (!UsesRegistry(*this)) {
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        std::vector<BYTE> bytes;
        if (text.IsEmpty() || !DecodeBinary(text, bytes)) {
            return FALSE;
        }
        return HandOver(bytes, ppData, pBytes);
    }
    std::vector<BYTE> data;
    if (!ReadRegistryValue(*this, lpszSection, lpszEntry, {REG_BINARY}, data)) {
        return FALSE;
    }
    return HandOver(data, ppData, pBytes);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!UsesRegistry(*this)) {
        return WriteProfileString(lpszSection, lpszEntry, EncodeBinary(pData, nBytes));
    }
    CRegKeyHandle section(GetSectionKey(lpszSection));
    if (!section) {
        return FALSE;
    }
    return ::RegSetValueExW(section.Get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
