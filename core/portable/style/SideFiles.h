// The style wizard's side files, checked whole before anything of them is
// taken: a ".sci" file (the 896-byte section-settings block) and an ".ots" file
// (the 72-byte One Touch Settings block). A file that fails the check changes
// nothing; the check says what is wrong, and where.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/portable/style/OneTouchSettings.h"
#include "core/portable/style/SectionSettings.h"
#include "core/portable/style/VoiceList.h"

namespace keyloft::style {

enum class SideFileFault {
    None,
    WrongSize,        // not exactly one block long
    ValueOutOfRange,  // a setting outside the values the page offers
    MinAboveMax,      // .sci: a note range whose minimum lies above its maximum
    UnknownVoice,     // .ots: a voice number the model's voice list does not hold
};

struct SideFileCheck {
    SideFileFault fault = SideFileFault::None;
    std::uint64_t size = 0;          // the file's size (every fault)
    std::uint64_t expectedSize = 0;  // the block's size
    int section = -1;                // .sci: the section, 0 (INTRO A) .. 13 (ENDING C)
    int channel = -1;                // .sci: the channel, 0 .. 15
    int entry = -1;                  // .ots: the entry, 0 .. 11 (O.T.S entry / 3 + 1, part entry % 3)
    const char* field = "";          // the setting, named as the page labels it
    unsigned value = 0;              // the value found (the voice number for UnknownVoice)
    unsigned maximum = 0;            // MinAboveMax: the maximum found

    bool Ok() const { return fault == SideFileFault::None; }
};

// A ".sci" file: exactly 896 bytes, every channel entry a setting the page can
// hold (Chord Mute 0-2, Root Change and its companion bit agreeing, Root Limit
// 0-11, notes 0-127, minimum not above maximum, the unused bits clear), except
// channels 1-8 of the main and fill sections, which may also be FF FF FF FF.
// The settings are those SectionSettingsFromSci makes of the bytes.
struct SciFileRead {
    std::optional<SectionSettings> settings;  // when the check passed
    SideFileCheck check;
};
SciFileRead ReadSciFile(std::span<const std::uint8_t> bytes);

// An ".ots" file: exactly 72 bytes, every voice number in the model's voice
// list, volume, reverb and chorus 0-127, every octave byte one of the five codes.
struct OtsFileRead {
    std::optional<OtsBlock> block;  // when the check passed
    SideFileCheck check;
};
OtsFileRead ReadOtsFile(std::span<const std::uint8_t> bytes, const VoiceList& voices);

}  // namespace keyloft::style
