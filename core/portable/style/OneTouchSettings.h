// The four One Touch Settings of a style: each sets the parts Voice R1, Voice R2
// and Voice L to a voice with volume, octave, reverb and chorus. Packed, they are
// the 72-byte block at file offset 36 of the style file and the whole of an ".ots"
// file: 12 entries of 6 bytes, entry i = O.T.S (i / 3) + 1, part i % 3:
//   bytes 0-1 voice number (little-endian), 2 volume, 3 octave code, 4 reverb, 5 chorus
// Octave codes: -2 E8, -1 F4, 0 00, +1 12, +2 24.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/StyleFileError.h"

namespace keyloft::style {

inline constexpr int OtsPartCount = 12;  // 4 settings x 3 parts
inline constexpr std::size_t OtsEntrySize = 6;
inline constexpr std::size_t OtsBlockSize = 72;
using OtsBlock = std::array<std::uint8_t, OtsBlockSize>;

enum OtsPart : int { OtsVoiceR1 = 0, OtsVoiceR2 = 1, OtsVoiceL = 2 };
constexpr int OtsSettingOf(int entry) { return entry / 3; }  // 0..3 = O.T.S 1..4
constexpr int OtsPartOf(int entry) { return entry % 3; }

// -2..+2 -> code; any other value has no code (nullopt).
std::optional<std::uint8_t> OctaveCode(int octave);
// Code -> -2..+2; nullopt for any other byte (the octave then stays as it was).
std::optional<int> OctaveOfCode(std::uint8_t code);

struct OtsEntry {
    std::uint16_t voiceNumber = 1;
    std::uint8_t volume = 100;
    int octave = 0;  // -2..+2 (the page's buttons reach -1..+1)
    std::uint8_t reverb = 40;
    std::uint8_t chorus = 0;

    friend bool operator==(const OtsEntry&, const OtsEntry&) = default;
};

class OneTouchSettings {
public:
    // The default block: in every O.T.S, voice 1 with volume 100 (R1), 80 (R2),
    // 45 (L), octave 0, reverb 40, chorus 0.
    OneTouchSettings();

    std::array<OtsEntry, OtsPartCount> entries{};

    OtsBlock Pack() const;
    // Takes every entry present in full in `bytes` (at most 12); entries past a
    // short input stay as they were, and so does an octave whose code is unknown.
    void Apply(std::span<const std::uint8_t> bytes);

    friend bool operator==(const OneTouchSettings&, const OneTouchSettings&) = default;
};

// The default block (see OneTouchSettings()).
OtsBlock DefaultOts();

// A dropped file is taken only when it is exactly one block long.
constexpr bool IsOtsFileSize(std::uint64_t size) { return size == OtsBlockSize; }

// The block of a source in the device style format (file offset 36). When the
// file is too short to hold it, `block` is nullopt and `error` SourceDamaged; the
// caller keeps the default settings.
struct OtsRead {
    std::optional<OtsBlock> block;
    StyleFileError error = StyleFileError::None;
};
OtsRead ReadOtsFromStyle(const marks::ByteSource& style);

}  // namespace keyloft::style
