// Builds the segments of a style from a MIDI source whose first track marks
// each part with a Marker event named after a segment ("INTRO A", "MAIN B", ...),
// and encodes the name block and the segments of the style file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/portable/midi/MidiFile.h"
#include "core/portable/style/AnsiText.h"
#include "core/portable/style/SegmentDefaults.h"
#include "core/portable/style/Segments.h"

namespace keyloft::style {

struct StyleEvent {
    std::uint32_t tick = 0;               // from the segment start, target time base
    std::uint8_t status = 0;              // channel status, or 0xF0 for a system-exclusive message
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::uint32_t sysex = 0;              // status 0xF0: index of the message in the segment's sysex list
};

struct StyleSegment {
    std::vector<StyleEvent> events;
    std::uint32_t lengthTicks = 0;        // target time base
    std::vector<std::vector<std::uint8_t>> sysex;  // complete F0 ... F7 messages
};

struct StyleLoadResult {
    bool ok = false;
    std::string reason;                          // why the source cannot be used
    std::vector<std::string> ignoredMarkers;     // marker texts that name no segment
};

// The longest part a section can describe (its times are four-byte quantities).
inline constexpr std::uint32_t MaxPartTicks = 0x0FFFFFFF;

inline constexpr int FirstSectionWithChannelMap = SegIntroA;   // 3
inline constexpr int LastSectionWithChannelMap = SegEndingC;   // 16

class StyleConverter {
public:
    StyleConverter();

    unsigned targetTimeBase = 96;
    bool crossFill = false;
    bool flag2 = false;  // kept for the writer, which clears it; no encoding uses it
    bool flag3 = false;
    std::array<std::string, 4> names;  // ANSI bytes; cut when written
    CodePage codePage = CodePage::SingleByte();
    unsigned tempo = 120;                  // beats per minute
    std::uint8_t timeSigNumerator = 4;
    std::uint8_t timeSigDenominator = 2;   // power of two: 2 = quarter notes

    // Play CH of (segment 3..16, source channel 0..15); the identity at first.
    void SetPlayChannel(int segment, int channel, std::uint8_t playChannel);
    std::uint8_t PlayChannel(int segment, int channel) const;

    StyleLoadResult Load(const midi::MidiFile& source);
    // Orders each segment's events, closes notes still sounding at the segment end
    // and moves section events to their Play CH.
    void Prepare();

    std::size_t GetHeadSize() const;
    void WriteHead(std::vector<std::uint8_t>& out) const;
    // Appends segments 2..28 (17..28 only with the cross-fill flag; empty ones
    // skipped) and records, per written segment, (basePosition + bytes before it) / 2.
    // False when the style cannot hold them: an offset that would not fit 16
    // bits (the segment is still appended, so the caller sees the whole size,
    // but its offset is not recorded), or a segment its own head cannot
    // describe (SINT with more than 65,535 messages: left out). Nothing is thrown.
    bool WriteSegments(std::vector<std::uint8_t>& out, std::size_t basePosition,
                       std::map<int, std::uint16_t>& wordOffsets, const SegmentDefaults& defaults) const;

    const StyleSegment& Segment(int segment) const { return segments_.at(static_cast<std::size_t>(segment)); }

private:
    std::array<StyleSegment, SegNone> segments_{};  // index = segment number; 0 unused
    std::array<std::array<std::uint8_t, 16>, LastSectionWithChannelMap - FirstSectionWithChannelMap + 1> playChannel_{};
};

// The most messages a SINT segment's head can count.
inline constexpr std::size_t MaxSintMessages = 0xFFFF;

// Encoders of one segment each; both give an even number of bytes, or nullopt
// when the segment does not fit its head (SINT with more than MaxSintMessages
// messages, a message or a stream longer than its length field holds).
std::optional<std::vector<std::uint8_t>> EncodeSint(const StyleSegment& segment);
std::optional<std::vector<std::uint8_t>> EncodeSection(int segmentNumber, const StyleSegment& segment,
                                                       std::uint8_t crashNote, std::uint8_t crashVelocity);
// The same encodings appended to `out`; false, with nothing appended, where
// the encoders give nullopt.
bool AppendSint(std::vector<std::uint8_t>& out, const StyleSegment& segment);
bool AppendSection(std::vector<std::uint8_t>& out, int segmentNumber, const StyleSegment& segment,
                   std::uint8_t crashNote, std::uint8_t crashVelocity);

}  // namespace keyloft::style
