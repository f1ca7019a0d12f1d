#include "core/portable/style/StyleSource.h"

#include <algorithm>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/portable/style/NameBlock.h"
#include "core/portable/style/Segments.h"

namespace keyloft::style {

EssentialCheck CheckEssentialSections(std::span<const std::string> essential, std::span<const std::string> found,
                                      const CodePage& codePage) {
    std::vector<std::string> foundUpper;
    foundUpper.reserve(found.size());
    for (const std::string& name : found) {
        foundUpper.push_back(UpperAnsi(TrimSegmentName(name), codePage));
    }
    EssentialCheck check;
    check.passes = true;
    for (const std::string& name : essential) {
        std::string upper = UpperAnsi(TrimSegmentName(name), codePage);
        const bool seen = std::any_of(check.rows.begin(), check.rows.end(),
                                      [&upper](const EssentialRow& row) { return row.name == upper; });
        if (seen) {
            continue;
        }
        const bool present = std::find(foundUpper.begin(), foundUpper.end(), upper) != foundUpper.end();
        check.passes = check.passes && present;
        check.rows.push_back({std::move(upper), present});
    }
    return check;
}

bool NamesAnyPart(std::span<const std::string> markers, const CodePage& codePage) {
    return std::any_of(markers.begin(), markers.end(), [&codePage](const std::string& marker) {
        const int segment = GetSegmentByNameA(marker, codePage);
        return segment != SegNone && segment != SegSff1;
    });
}

StyleSourceInfo AnalyseStyleSource(const marks::ByteSource& source) {
    StyleSourceInfo info;
    if (!marks::HasStyleMark(source)) {
        return info;
    }
    // The head's layout decides, not the stored checksum: a rewrite computes
    // a new one, and every offset it moves is checked here.
    const auto layout = marks::ParseStyleLayout(source);
    info.isStyle = layout.has_value();
    if (layout) {
        for (const int segment : layout->PresentSegments()) {
            info.segmentNames.emplace_back(marks::StyleSegmentName(segment));
        }
        info.names = marks::ReadLayoutNames(source, *layout);
    }
    return info;
}

bool FitsNameLimit(std::string_view ansiName, std::size_t nameIndex) {
    return nameIndex < NameLimits.size() && ansiName.size() <= NameLimits[nameIndex];
}

}  // namespace keyloft::style
