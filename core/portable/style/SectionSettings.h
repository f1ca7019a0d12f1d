// The section settings of a style: for each of the 14 playable sections
// (INTRO A .. ENDING C, segments 3..16) and each of the 16 source channels, seven
// values that tell the instrument how the channel's part is played. Packed, the
// table is the 896-byte block of the style file and the whole of a ".sci" file.
//
// One channel packs into 4 bytes:
//   byte 0: bits 0-3 Play CH (0-15 = channels 1-16), bits 4-5 Chord Mute
//   byte 1: bits 0-1 Chord Change, bit 2 Root Change, bit 3 set when Root Change is
//           Fixed and Chord Change is not Bypass, bits 4-7 Root Limit (0-11 = C..B)
//   byte 2: Note Range Min (0-127), byte 3: Note Range Max (0-127)
// Channels 1-8 of the main and fill sections (MAIN A .. FILL IN DD) are always
// packed as FF FF FF FF: the instrument does not use them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/StyleFileError.h"

namespace keyloft::style {

inline constexpr int SectionCount = 14;
inline constexpr int SectionChannelCount = 16;
inline constexpr std::size_t PackedChannelSize = 4;
inline constexpr std::size_t SectionSettingsSize = 896;  // 14 x 16 x 4
using SectionSettingsBlock = std::array<std::uint8_t, SectionSettingsSize>;

enum ChordMute : std::uint8_t { ChordMuteAll = 0, ChordMuteMajor = 1, ChordMuteMinor = 2 };
enum ChordChange : std::uint8_t { ChordChangeBypass = 0, ChordChangeChord = 1, ChordChangeBass = 2, ChordChangeMelody = 3 };
enum RootChange : std::uint8_t { RootChangeChange = 0, RootChangeFixed = 1 };
inline constexpr std::uint8_t RootLimitFSharp = 6;  // Root Limit 0-11 = C, C#, D, Eb, E, F, F#, G, G#, A, Bb, B
inline constexpr std::uint8_t MaxNote = 127;

struct ChannelSetting {
    std::uint8_t playChannel = 0;  // 0-15 = channel 1-16
    std::uint8_t chordMute = ChordMuteAll;
    std::uint8_t chordChange = ChordChangeBypass;
    std::uint8_t rootChange = RootChangeChange;
    std::uint8_t noteMin = 0;
    std::uint8_t noteMax = MaxNote;
    std::uint8_t rootLimit = RootLimitFSharp;

    friend bool operator==(const ChannelSetting&, const ChannelSetting&) = default;
};

std::array<std::uint8_t, PackedChannelSize> PackChannel(const ChannelSetting& setting);
// Unpacks with the rules that make any 4 bytes a valid setting: a Chord Mute of 3
// becomes All for Play CH 1, 2, 9 or 10 and Minor otherwise; a Root Limit above 11
// becomes F#; Min and Max are limited to 0..127.
ChannelSetting UnpackChannel(std::span<const std::uint8_t, PackedChannelSize> bytes);

// Section index 0..13 <-> segment 3..16.
constexpr int SegmentOfSection(int section) { return section + 3; }
constexpr int SectionOfSegment(int segment) { return segment - 3; }
// MAIN A .. FILL IN DD (indexes 3..10): their channels 1-8 are hidden and packed as FF.
constexpr bool IsMainOrFillSection(int section) { return section >= 3 && section <= 10; }

class SectionSettings {
public:
    // The default table (see Reset).
    SectionSettings();

    // Every section: channels 1-2 Play CH 9-10, Minor, Bypass, Fixed; channel 3
    // Play CH 11, Minor, Bass, Change; 4-8 Play CH 12-16, Minor, Chord, Change;
    // 9-10 Play CH 9-10, All, Bypass, Fixed; 11 Play CH 11, Bass, Change; 12-16
    // Play CH 12-16, Chord, Change; channels 11-16 are Major in the intro and
    // ending sections and All in the main and fill sections; everywhere notes
    // 0-127 and Root Limit F#.
    void Reset();

    // section 0..13, channel 0..15; out-of-range indexes are a programming error.
    ChannelSetting& At(int section, int channel);
    const ChannelSetting& At(int section, int channel) const;

    // The 896-byte block (channels 1-8 of the main and fill sections as FF).
    SectionSettingsBlock Pack() const;
    // The same block appended to a style's bytes.
    void WriteSettingBlock(std::vector<std::uint8_t>& out) const;
    // Unpacks every entry of a block; bytes missing past the end of `bytes` count
    // as zero, bytes past 896 are ignored.
    void Unpack(std::span<const std::uint8_t> bytes);

    friend bool operator==(const SectionSettings&, const SectionSettings&) = default;

private:
    std::array<std::array<ChannelSetting, SectionChannelCount>, SectionCount> table_{};
};

// A ".sci" file as the Load command reads it: its first 896 bytes (a shorter file
// leaves zeros), with channels 1-8 of the main and fill sections set to FF before
// unpacking. A dropped file is taken only when IsSciFileSize holds.
SectionSettings SectionSettingsFromSci(std::span<const std::uint8_t> fileBytes);
constexpr bool IsSciFileSize(std::uint64_t size) { return size == SectionSettingsSize; }

// The settings block of a source in the device style format: the word offset at
// file offset 32, the 896 bytes at 28 + 2 x that offset. When the block does not
// lie wholly inside the file, after the name block, `settings` keeps the defaults
// and `error` is SourceDamaged.
struct SectionSettingsRead {
    SectionSettings settings;
    StyleFileError error = StyleFileError::None;
};
SectionSettingsRead ReadSectionSettingsFromStyle(const marks::ByteSource& style);

}  // namespace keyloft::style
