// What the wizard's first step learns of a source: which of the sections the
// target model requires the source provides, and, for a source in the device
// style format, whether it is a sound style at all and which names it carries.
// Section names are compared upper-cased (ASCII letters; double-byte characters
// of the code page left alone).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/AnsiText.h"

namespace keyloft::style {

struct EssentialRow {
    std::string name;  // upper-cased, as the section list shows it
    bool present = false;
};

struct EssentialCheck {
    std::vector<EssentialRow> rows;  // one per distinct essential section, in list order
    bool passes = false;             // every row present (true for an empty list)
};

// `essential`: the model's required sections; `found`: the marker texts of a MIDI
// source or the segment names of a style source. Both are trimmed of blanks and
// NULs (TrimSegmentName) and compared upper-cased.
EssentialCheck CheckEssentialSections(std::span<const std::string> essential, std::span<const std::string> found,
                                      const CodePage& codePage = CodePage::SingleByte());

// True when a marker text names a part of a style (any segment but SFF1, which
// names the format): a MIDI source without one can never become a style.
bool NamesAnyPart(std::span<const std::string> markers, const CodePage& codePage = CodePage::SingleByte());

struct StyleSourceInfo {
    // The file carries the style mark and a sound head (offsets, name block,
    // the order of its segments). The stored checksum is not examined: a
    // rewrite computes a new one. A file without the mark is never a style,
    // whatever the model requires.
    bool isStyle = false;
    std::vector<std::string> segmentNames;  // segments present in its table, in segment order
    // The four names (ANSI bytes) when the name block lies wholly in the file.
    std::optional<std::array<std::string, 4>> names;
};
StyleSourceInfo AnalyseStyleSource(const marks::ByteSource& source);

// True when an ANSI name fits its place in the name block (index 0..3: 32, 8,
// 32 and 8 bytes). Names are limited in bytes, not in characters.
bool FitsNameLimit(std::string_view ansiName, std::size_t nameIndex);

}  // namespace keyloft::style
