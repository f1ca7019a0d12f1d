// Builds the instrument's style file in memory, whole, so that nothing is
// written until every check has passed: a new style from a MIDI source split by
// markers, or a rewrite of an existing style with new names, One Touch Settings
// and section settings that keeps its tempo word and its segments. On refusal no
// bytes are produced and the reason says why; the caller writes the bytes to the
// target (through a temporary file) only on success.
//
// Layout (little-endian; body = from file offset 28; word offset = body offset / 2):
//   0 mark (24 bytes), 24 checksum high u16, 26 checksum low u16,
//   28 tempo word, 30 name-block word offset (0x43), 32 settings-block word offset,
//   34 SINT word offset (0 = none), 36 One Touch Settings (72), 108 reserved u16,
//   110 segment table (26 word offsets for segments 3..28, 0 = absent),
//   162 name block, then the 896-byte section-settings block, then the segments
//   (SINT, 3..16, and 17..28 with cross-fill), each at an even body offset.
// Checksum: the 32-bit sum of the mark as 12 little-endian words, the body as
// little-endian words and, for an odd body, its last byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/portable/style/AnsiText.h"
#include "core/portable/style/OneTouchSettings.h"
#include "core/portable/style/SectionSettings.h"
#include "core/portable/style/SegmentDefaults.h"
#include "core/portable/style/StyleFileError.h"

namespace keyloft::style {

// The instrument takes style files of at most this many bytes.
inline constexpr std::size_t MaxStyleFileSize = 0x10000;
// The time base of a new style, ticks per quarter note.
inline constexpr unsigned StyleTimeBase = 120;

// Bits 0-7 the tempo (above 255 stored as tempo - 255), 8-11 the time-signature
// numerator, 12-15 its denominator as a power of two (both low 4 bits).
std::uint16_t PackTempoWord(unsigned tempo, std::uint8_t numerator, std::uint8_t denominatorPower);

// What the wizard's pages supply.
struct StyleContent {
    std::string styleName;  // name 1, ANSI bytes; cut to 32 bytes at a character boundary
    std::string shortName;  // name 2, ANSI bytes; cut to 8 bytes
    SectionSettings sections;  // the block, and the Play CH of each section's channels
    OtsBlock ots{};            // from OneTouchSettings::Pack
    CodePage codePage = CodePage::SingleByte();
};

struct StyleFileResult {
    std::vector<std::uint8_t> bytes;  // the whole file; empty on refusal
    StyleFileError error = StyleFileError::None;
    std::string detail;  // English; for SourceNotMidi and SourceUnusable the reader's or converter's reason

    bool Ok() const { return error == StyleFileError::None; }
};

// A new style from the bytes of a MIDI source (the style converter at a time
// base of 120 with cross-fill off; names 3 and 4 empty). Refused: SourceNotMidi,
// SourceUnusable (no part, or parts that hold nothing the style keeps), TooLarge
// (also a set-up part of more than 65,535 messages, which no style can count),
// NotEnoughMemory. Neither builder throws.
StyleFileResult BuildStyleFromMidi(std::span<const std::uint8_t> midiSource, const StyleContent& content,
                                   const SegmentDefaults& defaults);

// A rewrite of the bytes of a style file: the mark is this program's, the tempo
// word and the reserved words are copied, names 3 and 4 come from the source's
// name block, the segment area (everything after the old settings block) is
// copied unchanged and every offset into it moves with the new name block.
// Refused: SourceNotStyle (no style mark), SourceDamaged (a name block, settings
// offset, SINT offset or segment offset that does not fit the body or is out of
// order; the old checksum is not examined), TooLarge.
StyleFileResult BuildRewrittenStyle(std::span<const std::uint8_t> sourceStyle, const StyleContent& content);

}  // namespace keyloft::style
