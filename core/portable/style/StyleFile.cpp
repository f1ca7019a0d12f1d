#include "core/portable/style/StyleFile.h"

#include <algorithm>
#include <map>
#include <new>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/portable/midi/MidiReader.h"
#include "core/portable/style/NameBlock.h"
#include "core/portable/style/StyleConverter.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t BodyOffset = marks::kStyleBodyOffset;
// Body word positions of the head fields.
constexpr std::size_t SettingsWord = 2;
constexpr std::size_t SintWord = 3;
constexpr std::size_t ReservedWord = 40;  // file offset 108
constexpr std::size_t TableWord = 41;     // file offset 110: segment 3
// The body's fixed head: tempo and three word offsets, the settings, the
// reserved word and the segment table.
constexpr std::size_t BodyHeadSize = 8 + OtsBlockSize + 2 + 2 * marks::kStyleTableEntries;
static_assert(BodyOffset + BodyHeadSize == marks::kStyleNameBlockOffset);

StyleFileResult Refuse(StyleFileError error, std::string detail = {}) {
    StyleFileResult result;
    result.error = error;
    result.detail = detail.empty() ? DescribeStyleFileError(error) : std::move(detail);
    return result;
}

void Append16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put16(Bytes& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// The body's head with the given tempo word, name-block length and reserved
// word; SINT and the segment table zero, to be filled by the caller.
Bytes StartBody(std::uint16_t tempoWord, std::size_t nameBlockSize, const OtsBlock& ots, std::uint16_t reserved) {
    Bytes body;
    body.reserve(MaxStyleFileSize);
    Append16(body, tempoWord);
    Append16(body, marks::kStyleNameBlockWord);
    Append16(body, static_cast<std::uint16_t>(marks::kStyleNameBlockWord + nameBlockSize / 2));
    Append16(body, 0);
    body.insert(body.end(), ots.begin(), ots.end());
    Append16(body, reserved);
    body.resize(BodyHeadSize, 0);
    return body;
}

// Mark, checksum and body: the finished file, or TooLarge.
StyleFileResult Finish(const Bytes& body) {
    if (BodyOffset + body.size() > MaxStyleFileSize) {
        return Refuse(StyleFileError::TooLarge);
    }
    StyleFileResult result;
    Bytes& file = result.bytes;
    file.reserve(BodyOffset + body.size());
    file.assign(marks::kStyleMarkText.begin(), marks::kStyleMarkText.end());
    file.resize(BodyOffset, 0);
    file.insert(file.end(), body.begin(), body.end());
    const std::uint32_t sum = marks::ComputeStyleChecksum(marks::MemoryByteSource(file)).value_or(0);
    Put16(file, 24, static_cast<std::uint16_t>(sum >> 16));
    Put16(file, 26, static_cast<std::uint16_t>(sum));
    return result;
}

// Each channel of sections 3..16 plays on its Play CH.
void ApplyToConverter(const SectionSettings& sections, StyleConverter& converter) {
    for (int section = 0; section < SectionCount; ++section) {
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            converter.SetPlayChannel(SegmentOfSection(section), channel, sections.At(section, channel).playChannel);
        }
    }
}

}  // namespace

std::uint16_t PackTempoWord(unsigned tempo, std::uint8_t numerator, std::uint8_t denominatorPower) {
    const unsigned stored = (tempo > 255 ? tempo - 255 : tempo) & 0xFF;
    return static_cast<std::uint16_t>(stored | ((numerator & 0x0F) << 8) | ((denominatorPower & 0x0F) << 12));
}

namespace {

StyleFileResult BuildFromMidi(std::span<const std::uint8_t> midiSource, const StyleContent& content,
                              const SegmentDefaults& defaults) {
    midi::MidiFile source;
    const midi::MidiReadResult read = midi::ReadMidiFile(midiSource, source);
    if (!read) {
        return Refuse(StyleFileError::SourceNotMidi, read.Describe());
    }
    StyleConverter converter;
    converter.targetTimeBase = StyleTimeBase;
    converter.crossFill = false;
    converter.flag2 = false;
    converter.flag3 = false;
    converter.codePage = content.codePage;
    const StyleLoadResult loaded = converter.Load(source);
    if (!loaded.ok) {
        return Refuse(StyleFileError::SourceUnusable, loaded.reason);
    }
    converter.names = {content.styleName, content.shortName, std::string{}, std::string{}};
    ApplyToConverter(content.sections, converter);
    converter.Prepare();

    Bytes body = StartBody(PackTempoWord(converter.tempo, converter.timeSigNumerator, converter.timeSigDenominator),
                           converter.GetHeadSize(), content.ots, 0);
    converter.WriteHead(body);
    content.sections.WriteSettingBlock(body);
    std::map<int, std::uint16_t> offsets;
    if (!converter.WriteSegments(body, 0, offsets, defaults)) {
        return Refuse(StyleFileError::TooLarge);
    }
    for (const auto& [segment, offset] : offsets) {
        if (segment == SegSint) {
            Put16(body, 2 * SintWord, offset);
        } else if (segment >= SegIntroA && segment <= SegFillInDC) {
            Put16(body, 2 * (TableWord + static_cast<std::size_t>(segment - SegIntroA)), offset);
        }
    }
    return Finish(body);
}

StyleFileResult Rewrite(std::span<const std::uint8_t> sourceStyle, const StyleContent& content) {
    const marks::MemoryByteSource source(sourceStyle);
    if (!marks::HasStyleMark(source)) {
        return Refuse(StyleFileError::SourceNotStyle);
    }
    // Offsets, the name block and the segment order checked against the body.
    const auto layout = marks::ParseStyleLayout(source);
    const auto oldNames = layout ? marks::ReadLayoutNames(source, *layout) : std::nullopt;
    if (!oldNames) {
        return Refuse(StyleFileError::SourceDamaged);
    }
    const Bytes nameBlock =
        BuildNameBlock({content.styleName, content.shortName, (*oldNames)[2], (*oldNames)[3]}, content.codePage);

    const std::span<const std::uint8_t> oldBody = sourceStyle.subspan(BodyOffset);
    // The segment area starts right after the old settings block; every offset
    // into it moves by the change in the name block's length.
    const auto oldSettingsWord = static_cast<long>(Get16(oldBody, 2 * SettingsWord));
    const auto newSettingsWord = static_cast<long>(marks::kStyleNameBlockWord + nameBlock.size() / 2);
    const long delta = newSettingsWord - oldSettingsWord;
    bool offsetsFit = true;
    const auto moved = [delta, &offsetsFit](std::uint16_t word) -> std::uint16_t {
        if (word == 0) {
            return 0;  // absent stays absent
        }
        const long value = word + delta;
        offsetsFit = offsetsFit && value > 0 && value <= 0xFFFF;
        return static_cast<std::uint16_t>(value);
    };

    Bytes body = StartBody(layout->tempoWord, nameBlock.size(), content.ots, Get16(oldBody, 2 * ReservedWord));
    Put16(body, 2 * SintWord, moved(Get16(oldBody, 2 * SintWord)));
    for (std::size_t i = 0; i < marks::kStyleTableEntries; ++i) {
        const std::size_t at = 2 * (TableWord + i);
        Put16(body, at, moved(Get16(oldBody, at)));
    }
    body.insert(body.end(), nameBlock.begin(), nameBlock.end());
    content.sections.WriteSettingBlock(body);
    body.insert(body.end(), sourceStyle.begin() + static_cast<std::ptrdiff_t>(layout->segmentsOffset),
                sourceStyle.end());
    if (!offsetsFit) {
        return Refuse(StyleFileError::TooLarge);
    }
    return Finish(body);
}

}  // namespace

StyleFileResult BuildStyleFromMidi(std::span<const std::uint8_t> midiSource, const StyleContent& content,
                                   const SegmentDefaults& defaults) {
    try {
        return BuildFromMidi(midiSource, content, defaults);
    } catch (const std::bad_alloc&) {
        return Refuse(StyleFileError::NotEnoughMemory);
    }
}

StyleFileResult BuildRewrittenStyle(std::span<const std::uint8_t> sourceStyle, const StyleContent& content) {
    try {
        return Rewrite(sourceStyle, content);
    } catch (const std::bad_alloc&) {
        return Refuse(StyleFileError::NotEnoughMemory);
    }
}

}  // namespace keyloft::style
