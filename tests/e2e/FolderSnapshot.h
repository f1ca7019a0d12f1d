// Every file under a folder with its bytes, so that a test can say what a step
// must have changed and find out whether anything else changed too.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace e2e {

// Relative path with '/' between the parts, then the file's bytes.
using FolderSnapshot = std::map<std::wstring, std::string>;

FolderSnapshot SnapshotOf(const std::filesystem::path& root);

// One line per file that differs ("missing", "unexpected", or both sizes when the
// bytes differ); empty when the two are the same.
std::string DifferencesBetween(const FolderSnapshot& expected, const FolderSnapshot& actual);

} // namespace e2e
