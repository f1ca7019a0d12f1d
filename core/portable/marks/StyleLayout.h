// The head of the instrument's style file, read defensively: every offset and
// length the file states is checked against the file's real size, so a damaged
// file is rejected instead of being read past its end.
//
// Layout (little-endian; body = file from offset 28; word offset = body offset / 2):
//   0 mark (24), 24 checksum high, 26 checksum low, 28 tempo word,
//   30 name-block word offset (always 0x43), 32 settings-block word offset,
//   34 SINT word offset (0 = none), 36 One Touch Settings (72), 108 reserved,
//   110 segment table (26 word offsets, segments 3..28, 0 = absent),
//   162 name block, then the 896-byte settings block, then the segments.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/portable/marks/ByteSource.h"

namespace keyloft::marks {

constexpr std::uint64_t kStyleBodyOffset = 28;
constexpr std::uint64_t kStyleTempoOffset = 28;
constexpr std::uint64_t kStyleNameWordOffset = 30;
constexpr std::uint64_t kStyleSettingsWordOffset = 32;
constexpr std::uint64_t kStyleSintWordOffset = 34;
constexpr std::uint64_t kStyleOtsOffset = 36;
constexpr std::uint64_t kStyleOtsSize = 72;
constexpr std::uint64_t kStyleSegmentTableOffset = 110;
constexpr std::uint64_t kStyleNameBlockOffset = 162;
constexpr std::uint64_t kStyleSettingsSize = 896;
constexpr std::uint16_t kStyleNameBlockWord = 0x43;
constexpr int kStyleSintSegment = 2;
constexpr int kStyleFirstTableSegment = 3;
constexpr int kStyleLastTableSegment = 28;
constexpr std::size_t kStyleTableEntries = 26;
constexpr std::array<std::uint8_t, 4> kStyleNameLimits = {32, 8, 32, 8};

struct StyleLayout {
    std::uint64_t fileSize = 0;
    std::uint16_t tempoWord = 0;
    std::array<std::uint8_t, 4> nameLengths{};
    std::uint64_t nameBlockSize = 0;   // lengths, names, 0xFF, filler: always even
    std::uint64_t settingsOffset = 0;  // file offset of the 896-byte block
    std::uint64_t segmentsOffset = 0;  // file offset where the segment area begins
    std::uint64_t sintOffset = 0;      // file offset, 0 when the style has no SINT
    std::array<std::uint64_t, kStyleTableEntries> segmentOffsets{}; // file offsets, 0 = absent

    // Segments 3..28 present in the table, in segment order.
    std::vector<int> PresentSegments() const;
};

// Checks the head's structure (not the mark; see FileMarks.h). nullopt when the
// file is too short, the name block is malformed, a word offset disagrees with
// the blocks, an offset points outside the segment area or the present segments
// are not in ascending order.
std::optional<StyleLayout> ParseStyleLayout(const ByteSource& source);

// The file's checksum as the writer computes it: the 32-bit sum of the mark read as
// 12 little-endian words, the body (from offset 28) read as little-endian words,
// and the body's last byte when its length is odd. nullopt when the file is
// shorter than its head or a read fails.
std::optional<std::uint32_t> ComputeStyleChecksum(const ByteSource& source);
// The checksum stored at offsets 24 (high half) and 26 (low half).
std::optional<std::uint32_t> ReadStoredStyleChecksum(const ByteSource& source);

// Present segments of a style that passes IsStyleFile; empty for anything else.
std::vector<int> ReadStyleSegments(const ByteSource& source);

// The four names of a parsed layout's name block as raw bytes of the ANSI code
// page; nullopt when a read fails.
std::optional<std::array<std::string, 4>> ReadLayoutNames(const ByteSource& source, const StyleLayout& layout);

// The four names of the name block as raw bytes of the ANSI code page; nullopt
// when the file does not pass IsStyleFile.
std::optional<std::array<std::string, 4>> ReadStyleNames(const ByteSource& source);

// Canonical upper-case names of the segment numbering ("SFF1", "SINT", "INTRO A",
// ..., "FILL IN DC"); empty for a number outside 1..28.
std::string_view StyleSegmentName(int segment);

} // namespace keyloft::marks
