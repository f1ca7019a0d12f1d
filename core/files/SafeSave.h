// Writing a whole file so that nothing is lost on failure: the bytes go to a
// temporary file in the target's own folder, which replaces the target only
// once every byte is written and flushed. A full disk, a read-only folder or a
// locked target leaves the old file as it was and no temporary behind.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// True when path now holds exactly size bytes of data. On false, *error (when
// given) holds the system error code and the old file, if any, is untouched.
bool SaveFileReplacing(LPCWSTR path, const void* data, std::size_t size, DWORD* error = nullptr);

// Replaces target by a complete file written elsewhere in the same folder
// (for writers that stream into a temporary file themselves). On failure the
// temporary is deleted and the target untouched.
bool ReplaceWithTemporary(LPCWSTR temporaryPath, LPCWSTR target, DWORD* error = nullptr);

// A new, empty temporary file's path in the folder of target ("~kl*.tmp"), or
// an empty string with *error set.
std::wstring MakeTemporaryBeside(LPCWSTR target, DWORD* error = nullptr);

// Tests only: from now on SaveFileReplacing writes at most `bytes` more bytes,
// then fails as on a full disk (ERROR_DISK_FULL); nullopt lifts the limit.
void LimitSaveSpaceForTesting(std::optional<std::size_t> bytes);
