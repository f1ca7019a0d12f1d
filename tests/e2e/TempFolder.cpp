#include "tests/e2e/TempFolder.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace e2e {

namespace fs = std::filesystem;

TempFolder::TempFolder(std::wstring_view prefix) {
    const fs::path base = fs::temp_directory_path();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring name = std::wstring(prefix) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(attempt);
        std::error_code error;
        if (fs::create_directory(base / name, error)) {
            path_ = base / name;
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
    // KEYLOFT_E2E_KEEP=1 keeps the folders of a run for a look afterwards.
    wchar_t keep[8] = {};
    if (GetEnvironmentVariableW(L"KEYLOFT_E2E_KEEP", keep, 8) && keep[0] == L'1') {
        std::fwprintf(stderr, L"kept: %ls\n", path_.c_str());
        return;
    }
    std::error_code error;
    // The program may close its last file a moment after it ended.
    for (int attempt = 0; attempt < 20; ++attempt) {
        fs::remove_all(path_, error);
        if (!error)
            return;
        Sleep(100);
    }
}

void WriteFileBytes(const fs::path& file, std::string_view bytes) {
    if (!keyloft_test::WriteWholeFile(file, bytes))
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace e2e
