#include "tests/guilib_state/StoredForm.h"

#include <afxhandle.h>

#include <utility>

namespace stored_state_test {

namespace {

std::wstring KeyPath(const std::wstring& key)
{
    return std::wstring(kProfile) + key;
}

HKEY OpenKey(HKEY parent, const wchar_t* name)
{
    HKEY key = nullptr;
    return ::RegOpenKeyExW(parent, name, 0, KEY_READ, &key) == ERROR_SUCCESS ? key : nullptr;
}

void CaptureValues(HKEY key, const std::wstring& name, StoredForm& form)
{
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD nameLength = 256;
        DWORD type = 0;
        DWORD bytes = 0;
        if (::RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            return;
        StoredValue value{name, valueName, type, std::vector<BYTE>(bytes)};
        nameLength = 256;
        ::RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type, value.bytes.data(), &bytes);
        value.bytes.resize(bytes);
        form.push_back(std::move(value));
    }
}

} // namespace

StoredForm CaptureProfile()
{
    StoredForm form;
    CRegKeyHandle profile(OpenKey(HKEY_CURRENT_USER, kProfile));
    if (!profile)
        return form;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(profile.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CRegKeyHandle key(OpenKey(profile.Get(), name));
        if (key)
            CaptureValues(key.Get(), name, form);
    }
    return form;
}

void DeleteProfile()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kProfile);
}

void WriteProfile(const StoredForm& form)
{
    DeleteProfile();
    for (const StoredValue& value : form) {
        HKEY created = nullptr;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(value.key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &created, nullptr) != ERROR_SUCCESS)
            continue;
        const CRegKeyHandle key(created);
        ::RegSetValueExW(key.Get(), value.name.c_str(), 0, value.type, value.bytes.data(),
                         static_cast<DWORD>(value.bytes.size()));
    }
}

StoredForm ArchiveForm(std::vector<BYTE> bytes)
{
    return {StoredValue{L"", L"archive", REG_BINARY, std::move(bytes)}};
}

} // namespace stored_state_test
