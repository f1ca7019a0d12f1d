#include "core/convert/Config.h"

#include <string>

namespace {

keyloft::style::SegmentDefaults& AppDefaults() {
    static keyloft::style::SegmentDefaults defaults;  // zero until start-up reads the file
    return defaults;
}

}  // namespace

keyloft::style::SegmentDefaults LoadSegmentDefaultsFile(LPCWSTR path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart < 1024 * 1024) {
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!text.empty() && !ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
            read = 0;
        }
        text.resize(read);
    }
    CloseHandle(file);
    return keyloft::style::ParseSegmentDefaults(text);
}

void SetAppSegmentDefaults(const keyloft::style::SegmentDefaults& defaults) { AppDefaults() = defaults; }

const keyloft::style::SegmentDefaults& GetAppSegmentDefaults() { return AppDefaults(); }
