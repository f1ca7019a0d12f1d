// What a close of the application host left in its registry key, read and
// changed as a test needs: every value by key path and name, a bar's own
// keys, a value replaced by one of another kind (a damaged state).
#pragma once

#include <afxwin.h>

#include <map>
#include <string>
#include <vector>

namespace apphost {

// Every value stored below the host's key, by "key path:value name".
std::map<std::wstring, std::vector<BYTE>> StoredValues();
// Every value stored below the host's key, a line each: its key path (below
// the host's key), name, kind and bytes in hex; what a failure shows of a
// stored state so that it can be written back and loaded again by hand.
std::string DescribeStoredValues();
// The paths of the keys below the host's key whose name ends with the
// text ("-59400": the keys a bar with that id keeps its own values under).
std::vector<std::wstring> StoredKeysEndingWith(const std::wstring& ending);
// The key goes with everything below it; whether it went.
bool DeleteStoredKey(const std::wstring& path);
// The value is written anew with the kind and bytes given; whether it was.
bool WriteStoredValue(const std::wstring& path, const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes);

} // namespace apphost
