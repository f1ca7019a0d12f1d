#include "tests/guilib_apphost/HostStoredValues.h"

#include "tests/guilib_apphost/HostApp.h"

#include <functional>

namespace apphost {

namespace {

std::wstring HostRoot()
{
    return std::wstring(L"Software\\") + kHostRegistryKey + L"\\" + kHostProfileName;
}

// Every key below the host's, the host's own first.
std::vector<std::wstring> StoredKeys()
{
    std::vector<std::wstring> found;
    std::vector<std::wstring> pending{HostRoot()};
    while (!pending.empty()) {
        const std::wstring path = pending.back();
        pending.pop_back();
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        found.push_back(path);
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            pending.push_back(path + L"\\" + name);
        }
        ::RegCloseKey(key);
    }
    return found;
}

// Every value below the host's key with its key path, name, kind and bytes.
void ForEachStoredValue(
    const std::function<void(const std::wstring& path, const wchar_t* name, DWORD type, std::vector<BYTE>& bytes)>&
        visit)
{
    for (const std::wstring& path : StoredKeys()) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            DWORD bytes = 0;
            DWORD type = 0;
            if (::RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
                break;
            std::vector<BYTE> data(bytes);
            length = 256;
            ::RegEnumValueW(key, i, name, &length, nullptr, &type, data.data(), &bytes);
            visit(path, name, type, data);
        }
        ::RegCloseKey(key);
    }
}

} // namespace

std::map<std::wstring, std::vector<BYTE>> StoredValues()
{
    std::map<std::wstring, std::vector<BYTE>> values;
    ForEachStoredValue([&](const std::wstring& path, const wchar_t* name, DWORD, std::vector<BYTE>& bytes) {
        values[path + L":" + name] = std::move(bytes);
    });
    return values;
}

std::string DescribeStoredValues()
{
    const size_t rootLength = HostRoot().size();
    std::string text;
    ForEachStoredValue([&](const std::wstring& path, const wchar_t* name, DWORD type, std::vector<BYTE>& bytes) {
        text += static_cast<const char*>(CW2A((path.substr(rootLength) + L":" + name).c_str()));
        text += " " + std::to_string(type) + " ";
        static const char kDigits[] = "0123456789abcdef";
        for (BYTE byte : bytes) {
            text += kDigits[byte >> 4];
            text += kDigits[byte & 15];
        }
        text += "\n";
    });
    return text;
}

std::vector<std::wstring> StoredKeysEndingWith(const std::wstring& ending)
{
    std::vector<std::wstring> keys;
    for (const std::wstring& path : StoredKeys()) {
        if (path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0)
            keys.push_back(path);
    }
    return keys;
}

bool DeleteStoredKey(const std::wstring& path)
{
    return ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS; // the key itself too
}

bool WriteStoredValue(const std::wstring& path, const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    const bool written = ::RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) ==
                         ERROR_SUCCESS;
    ::RegCloseKey(key);
    return written;
}

} // namespace apphost
