#include "core/convert/Config.h"

#include <string>
#include <vector>

#include "core/files/WholeFile.h"

namespace {

keyloft::style::SegmentDefaults& AppDefaults() {
    static keyloft::style::SegmentDefaults defaults;  // zero until start-up reads the file
    return defaults;
}

}  // namespace

keyloft::style::SegmentDefaults LoadSegmentDefaultsFile(LPCWSTR path) {
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    // A defaults file is a few hundred bytes: one that cannot be read, or of a
    // megabyte or more, gives the built-in defaults.
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(path, bytes, 1024 * 1024 - 1);
    return keyloft::style::ParseSegmentDefaults(std::string(bytes.begin(), bytes.end()));
}

void SetAppSegmentDefaults(const keyloft::style::SegmentDefaults& defaults) { AppDefaults() = defaults; }

const keyloft::style::SegmentDefaults& GetAppSegmentDefaults() { return AppDefaults(); }
