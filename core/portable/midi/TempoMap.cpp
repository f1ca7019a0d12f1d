#include "core/portable/midi/TempoMap.h"

#include <algorithm>

namespace keyloft::midi {

TempoMap::TempoMap(const MidiFile& file) {
    if (file.division & 0x8000) {
        // SMPTE division: frames per second (negative, in the high byte) x ticks per frame.
        const int frames = -static_cast<std::int8_t>(file.division >> 8);
        const int perFrame = file.division & 0xFF;
        smpte_ = true;
        smpteTicksPerSecond_ = static_cast<std::uint64_t>(std::max(1, frames)) *
                               static_cast<std::uint64_t>(std::max(1, perFrame));
    } else {
        ticksPerQuarter_ = std::max<std::uint32_t>(1, file.division);
    }

    std::vector<Change> raw;
    for (const MidiTrack& track : file.tracks) {
        for (const MidiEvent& event : track.events) {
            if (!event.IsMeta(meta::Tempo)) {
                continue;
            }
            const auto data = file.Payload(event);
            if (data.size() >= 3) {
                const std::uint32_t value = (std::uint32_t{data[0]} << 16) |
                                            (std::uint32_t{data[1]} << 8) | data[2];
                if (value != 0) {
                    raw.push_back({event.tick, value, 0});
                }
            }
        }
    }
    std::stable_sort(raw.begin(), raw.end(),
                     [](const Change& a, const Change& b) { return a.tick < b.tick; });
    changes_.push_back({0, DefaultMicrosPerQuarter, 0});
    for (const Change& change : raw) {
        Change& last = changes_.back();
        if (change.tick == last.tick) {
            last.microsPerQuarter = change.microsPerQuarter;  // the later one wins
            continue;
        }
        const std::uint64_t at = last.micros + SpanMicros(change.tick - last.tick, last.microsPerQuarter);
        changes_.push_back({change.tick, change.microsPerQuarter, at});
    }
}

std::uint64_t TempoMap::SpanMicros(std::uint32_t ticks, std::uint32_t microsPerQuarter) const {
    if (smpte_) {
        return std::uint64_t{ticks} * 1000000u / smpteTicksPerSecond_;
    }
    return std::uint64_t{ticks} * microsPerQuarter / ticksPerQuarter_;
}

const TempoMap::Change& TempoMap::ChangeAtTick(std::uint32_t tick) const {
    auto it = std::upper_bound(changes_.begin(), changes_.end(), tick,
                               [](std::uint32_t t, const Change& c) { return t < c.tick; });
    return *(it - 1);  // changes_[0] is at tick 0, so it is never begin()
}

std::uint64_t TempoMap::TickToMicros(std::uint32_t tick) const {
    const Change& change = ChangeAtTick(tick);
    return change.micros + SpanMicros(tick - change.tick, change.microsPerQuarter);
}

std::uint32_t TempoMap::MicrosPerQuarterAt(std::uint32_t tick) const {
    return ChangeAtTick(tick).microsPerQuarter;
}

std::uint32_t TempoMap::MicrosToTick(std::uint64_t micros) const {
    auto it = std::upper_bound(changes_.begin(), changes_.end(), micros,
                               [](std::uint64_t m, const Change& c) { return m < c.micros; });
    const Change& change = *(it - 1);
    const std::uint64_t elapsed = micros - change.micros;
    std::uint64_t ticks = smpte_ ? elapsed * smpteTicksPerSecond_ / 1000000u
                                 : elapsed * ticksPerQuarter_ / change.microsPerQuarter;
    ticks += change.tick;
    return ticks > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(ticks);
}

}  // namespace keyloft::midi
