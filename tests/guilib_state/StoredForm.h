// A stored state as the mutation test handles it: the registry values a
// reader finds under the test profile (key, name, kind, bytes), or the bytes
// of one archive (a value with no key).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace stored_state_test {

// Where the readers keep their values while the test runs.
inline constexpr const wchar_t* kProfile = L"Software\\KeyloftTests\\StoredState\\";

struct StoredValue {
    std::wstring key;  // below kProfile; empty for an archive
    std::wstring name;
    DWORD type = REG_BINARY;
    std::vector<BYTE> bytes;
};
using StoredForm = std::vector<StoredValue>;

// Every value of every key below the profile (one level of keys).
StoredForm CaptureProfile();
// Replaces whatever is below the profile with the form's values.
void WriteProfile(const StoredForm& form);
void DeleteProfile();
// The archive a store function writes, as a form of one value.
StoredForm ArchiveForm(std::vector<BYTE> bytes);

} // namespace stored_state_test
