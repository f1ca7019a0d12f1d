// Per-segment crash-note and velocity defaults ("DefValue.ini"): 19 slots, for
// the segments 3, 4, 5, 10..13 and 17..28 in that order.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/portable/style/Segments.h"

namespace keyloft::style {

struct SegmentDefaults {
    std::array<std::uint8_t, DefaultSlotCount> crashNote{};
    std::array<std::uint8_t, DefaultSlotCount> velocity{};

    // Zeros for a segment without a slot.
    std::uint8_t CrashNoteOf(int segment) const;
    std::uint8_t VelocityOf(int segment) const;
};

inline constexpr unsigned DefaultIntroCrashNote = 55;
inline constexpr unsigned DefaultFillInCrashNote = 47;
inline constexpr unsigned DefaultVelocity = 85;

// Reads the text of a "DefValue.ini": per slot the section named after the
// segment, keys "Crash Note" and "Velocity" (defaults 55 for intros, 47 for
// fill-ins, 85). Values are clamped to 0..127, the range of a MIDI data byte.
SegmentDefaults ParseSegmentDefaults(std::string_view iniText);

}  // namespace keyloft::style
