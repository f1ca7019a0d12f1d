#include "tests/e2e/FolderSnapshot.h"

#include "tests/e2e/TempFolder.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string Narrow(const std::wstring& text) {
    const std::u8string utf8 = fs::path(text).u8string();
    return std::string(reinterpret_cast<const char*>(utf8.data()), utf8.size());
}

} // namespace

FolderSnapshot SnapshotOf(const fs::path& root) {
    FolderSnapshot files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error))
            files[it->path().lexically_relative(root).generic_wstring()] = ReadFileBytes(it->path());
    }
    return files;
}

std::string DifferencesBetween(const FolderSnapshot& expected, const FolderSnapshot& actual) {
    std::string lines;
    for (const auto& [path, bytes] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end())
            lines += "missing: " + Narrow(path) + "\n";
        else if (found->second != bytes)
            lines += "changed: " + Narrow(path) + " (" + std::to_string(found->second.size()) + " bytes, " +
                     std::to_string(bytes.size()) + " expected)\n";
    }
    for (const auto& [path, bytes] : actual) {
        if (!expected.count(path))
            lines += "unexpected: " + Narrow(path) + " (" + std::to_string(bytes.size()) + " bytes)\n";
    }
    return lines;
}

} // namespace e2e
