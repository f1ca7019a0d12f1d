// A folder of its own under %TEMP% for one test, removed with everything in it
// when the object goes (best effort: a program that still holds a file there
// must not turn a passing test into an exception).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/WholeFile.h"

namespace e2e {

class TempFolder {
public:
    explicit TempFolder(std::wstring_view prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Whole-file helpers; ReadFileBytes returns an empty string for a missing file.
inline std::string ReadFileBytes(const std::filesystem::path& file) { return keyloft_test::ReadWholeFile(file); }
void WriteFileBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace e2e
