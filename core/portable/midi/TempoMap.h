// Tick <-> microsecond conversion from the tempo events of all tracks.
#pragma once

#include <cstdint>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

inline constexpr std::uint32_t DefaultMicrosPerQuarter = 500000;  // 120 beats per minute

class TempoMap {
public:
    explicit TempoMap(const MidiFile& file);

    std::uint64_t TickToMicros(std::uint32_t tick) const;
    std::uint32_t MicrosToTick(std::uint64_t micros) const;
    std::uint32_t MicrosPerQuarterAt(std::uint32_t tick) const;

    struct Change {
        std::uint32_t tick = 0;
        std::uint32_t microsPerQuarter = DefaultMicrosPerQuarter;
        std::uint64_t micros = 0;  // time of the change
    };
    const std::vector<Change>& Changes() const { return changes_; }

private:
    const Change& ChangeAtTick(std::uint32_t tick) const;
    // Microseconds of `ticks` ticks at one tempo.
    std::uint64_t SpanMicros(std::uint32_t ticks, std::uint32_t microsPerQuarter) const;

    std::vector<Change> changes_;  // first at tick 0, ticks increasing
    std::uint32_t ticksPerQuarter_ = 96;
    bool smpte_ = false;
    std::uint64_t smpteTicksPerSecond_ = 0;
};

}  // namespace keyloft::midi
