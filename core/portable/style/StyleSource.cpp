#include "core/portable/style/StyleSource.h"

#include <algorithm>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/portable/style/NameBlock.h"

namespace keyloft::style {

EssentialCheck CheckEssentialSections(std::span<const std::string> essential, std::span<const std::string> found,
                                      const CodePage& codePage) {
    std::vector<std::string> foundUpper;
    foundUpper.reserve(found.size());
    for (const std::string& name : found) {
        foundUpper.push_back(UpperAnsi(name, codePage));
    }
    EssentialCheck check;
    check.passes = true;
    for (const std::string& name : essential) {
        std::string upper = UpperAnsi(name, codePage);
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

StyleSourceInfo AnalyseStyleSource(const marks::ByteSource& source) {
    StyleSourceInfo info;
    if (!marks::IsStyleFile(source)) {
        return info;
    }
    const auto layout = marks::ParseStyleLayout(source);  // sound: IsStyleFile parsed it
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
