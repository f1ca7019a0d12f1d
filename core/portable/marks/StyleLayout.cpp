#include "core/portable/marks/StyleLayout.h"

#include "core/portable/marks/FileMarks.h"

#include <algorithm>

namespace keyloft::marks {
namespace {

constexpr std::array<std::string_view, 29> kSegmentNames = {
    "",           "SFF1",       "SINT",       "INTRO A",    "INTRO B",    "INTRO C",
    "MAIN A",     "MAIN B",     "MAIN C",     "MAIN D",     "FILL IN AA", "FILL IN BB",
    "FILL IN CC", "FILL IN DD", "ENDING A",   "ENDING B",   "ENDING C",   "FILL IN AB",
    "FILL IN AC", "FILL IN AD", "FILL IN BA", "FILL IN BC", "FILL IN BD", "FILL IN CA",
    "FILL IN CB", "FILL IN CD", "FILL IN DA", "FILL IN DB", "FILL IN DC",
};

std::uint64_t FileOffsetOfWord(std::uint16_t word) { return kStyleBodyOffset + 2ULL * word; }

// A non-zero word offset must point at a byte of the segment area.
bool ResolveSegmentOffset(std::uint16_t word, const StyleLayout& layout, std::uint64_t& offset)
{
    if (word == 0) {
        offset = 0;
        return true;
    }
    offset = FileOffsetOfWord(word);
    return offset >= layout.segmentsOffset && offset < layout.fileSize;
}

} // namespace

std::vector<int> StyleLayout::PresentSegments() const
{
    std::vector<int> present;
    for (std::size_t i = 0; i < segmentOffsets.size(); ++i) {
        if (segmentOffsets[i] != 0)
            present.push_back(kStyleFirstTableSegment + static_cast<int>(i));
    }
    return present;
}

std::optional<StyleLayout> ParseStyleLayout(const ByteSource& source)
{
    StyleLayout layout;
    layout.fileSize = source.Size();

    std::uint16_t nameWord = 0, settingsWord = 0, sintWord = 0;
    if (!ReadU16LE(source, kStyleTempoOffset, layout.tempoWord) ||
        !ReadU16LE(source, kStyleNameWordOffset, nameWord) ||
        !ReadU16LE(source, kStyleSettingsWordOffset, settingsWord) ||
        !ReadU16LE(source, kStyleSintWordOffset, sintWord) || nameWord != kStyleNameBlockWord)
        return std::nullopt;

    if (!source.ReadAt(kStyleNameBlockOffset, layout.nameLengths))
        return std::nullopt;
    std::uint64_t nameBytes = 0;
    for (std::size_t i = 0; i < layout.nameLengths.size(); ++i) {
        if (layout.nameLengths[i] > kStyleNameLimits[i])
            return std::nullopt;
        nameBytes += layout.nameLengths[i];
    }
    std::array<std::uint8_t, 1> terminator{};
    if (!source.ReadAt(kStyleNameBlockOffset + 4 + nameBytes, terminator) || terminator[0] != 0xFF)
        return std::nullopt;
    layout.nameBlockSize = (nameBytes + 5 + 1) & ~std::uint64_t{1};

    if (settingsWord != kStyleNameBlockWord + layout.nameBlockSize / 2)
        return std::nullopt;
    layout.settingsOffset = FileOffsetOfWord(settingsWord);
    layout.segmentsOffset = layout.settingsOffset + kStyleSettingsSize;
    if (layout.segmentsOffset > layout.fileSize)
        return std::nullopt;

    if (!ResolveSegmentOffset(sintWord, layout, layout.sintOffset))
        return std::nullopt;
    std::uint64_t previous = layout.sintOffset;
    for (std::size_t i = 0; i < kStyleTableEntries; ++i) {
        std::uint16_t word = 0;
        if (!ReadU16LE(source, kStyleSegmentTableOffset + 2 * i, word) ||
            !ResolveSegmentOffset(word, layout, layout.segmentOffsets[i]))
            return std::nullopt;
        // Segments are stored in segment order, each at least one word long.
        if (layout.segmentOffsets[i] != 0) {
            if (layout.segmentOffsets[i] <= previous)
                return std::nullopt;
            previous = layout.segmentOffsets[i];
        }
    }
    return layout;
}

std::optional<std::uint32_t> ComputeStyleChecksum(const ByteSource& source)
{
    const std::uint64_t size = source.Size();
    if (size < kStyleBodyOffset)
        return std::nullopt;
    std::uint32_t sum = 0;
    std::array<std::uint8_t, kMarkLength> mark{};
    if (!source.ReadAt(0, mark))
        return std::nullopt;
    for (std::size_t i = 0; i < mark.size(); i += 2)
        sum += static_cast<std::uint32_t>(mark[i] | (mark[i + 1] << 8));

    std::array<std::uint8_t, 4096> block{};
    std::uint64_t offset = kStyleBodyOffset;
    while (offset < size) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - offset));
        const std::span<std::uint8_t> part(block.data(), count);
        if (!source.ReadAt(offset, part))
            return std::nullopt;
        // Blocks are even-sized, so words never straddle two blocks.
        std::size_t i = 0;
        for (; i + 1 < count; i += 2)
            sum += static_cast<std::uint32_t>(part[i] | (part[i + 1] << 8));
        if (i < count)
            sum += part[i];
        offset += count;
    }
    return sum;
}

std::optional<std::uint32_t> ReadStoredStyleChecksum(const ByteSource& source)
{
    std::uint16_t high = 0, low = 0;
    if (!ReadU16LE(source, 24, high) || !ReadU16LE(source, 26, low))
        return std::nullopt;
    return (static_cast<std::uint32_t>(high) << 16) | low;
}

std::vector<int> ReadStyleSegments(const ByteSource& source)
{
    if (!IsStyleFile(source))
        return {};
    const auto layout = ParseStyleLayout(source);
    return layout ? layout->PresentSegments() : std::vector<int>{};
}

std::optional<std::array<std::string, 4>> ReadStyleNames(const ByteSource& source)
{
    if (!IsStyleFile(source))
        return std::nullopt;
    const auto layout = ParseStyleLayout(source);
    return layout ? ReadLayoutNames(source, *layout) : std::nullopt;
}

std::optional<std::array<std::string, 4>> ReadLayoutNames(const ByteSource& source, const StyleLayout& layout)
{
    std::array<std::string, 4> names;
    std::uint64_t offset = kStyleNameBlockOffset + 4;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string& name = names[i];
        name.resize(layout.nameLengths[i]);
        std::span<std::uint8_t> out(reinterpret_cast<std::uint8_t*>(name.data()), name.size());
        if (!source.ReadAt(offset, out))
            return std::nullopt;
        offset += name.size();
    }
    return names;
}

std::string_view StyleSegmentName(int segment)
{
    if (segment < 1 || segment >= static_cast<int>(kSegmentNames.size()))
        return {};
    return kSegmentNames[static_cast<std::size_t>(segment)];
}

} // namespace keyloft::marks
