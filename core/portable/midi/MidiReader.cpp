#include "core/portable/midi/MidiReader.h"

#include <cstring>
#include <string>
#include <vector>

namespace keyloft::midi {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
           (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}

std::uint16_t BigEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

MidiReadResult Fail(std::size_t offset, std::string what) {
    MidiReadResult result;
    result.ok = false;
    result.error = std::move(what);
    result.offset = offset;
    return result;
}

// What the check pass learnt about one MTrk body; the fill pass relies on it.
struct TrackPlan {
    std::size_t begin = 0;
    std::size_t end = 0;         // chunk end, or just after the end-of-track event
    std::size_t events = 0;
    std::size_t payloads = 0;     // meta and system-exclusive events
    std::size_t payloadBytes = 0;
    bool endOfTrack = false;
};

// Builds the error of a track check; kept out of line so the checking loop stays small.
[[gnu::noinline, gnu::cold]] MidiReadResult TrackError(int trackIndex, std::size_t offset,
                                                     const std::string& what) {
    return Fail(offset, "track " + std::to_string(trackIndex) + ": " + what);
}

[[gnu::noinline, gnu::cold]] MidiReadResult PayloadTooLong(int trackIndex, std::size_t offset,
                                                         std::uint32_t length, std::size_t left) {
    return TrackError(trackIndex, offset,
                      "event length " + std::to_string(length) + " exceeds the " +
                          std::to_string(left) + " bytes left in the track");
}

// First pass over one MTrk body [begin, end): checks every event against the
// bytes present and counts what the second pass will store, storing nothing.
// Offsets in errors are file offsets. Positions and counters stay in locals so
// the loop runs from registers.
MidiReadResult CheckTrack(std::span<const std::uint8_t> file, std::size_t begin, std::size_t end,
                          int trackIndex, TrackPlan& plan) {
    const std::uint8_t* const data = file.data();
    std::size_t pos = begin;
    std::size_t events = 0;
    std::size_t payloads = 0;
    std::size_t payloadBytes = 0;
    std::uint64_t tick = 0;
    std::uint8_t runningStatus = 0;
    bool endOfTrack = false;
    while (pos < end) {
        const std::size_t eventStart = pos;
        std::uint32_t delta = data[pos];
        if (delta < 0x80) {
            ++pos;  // the common one-byte delta
        } else {
            const std::size_t used = ReadVariableLength(file.subspan(pos, end - pos), delta);
            if (used == 0) {
                return TrackError(trackIndex, eventStart,
                                  "delta time is longer than four bytes or cut off");
            }
            pos += used;
        }
        tick += delta;
        if (tick > UINT32_MAX) {
            return TrackError(trackIndex, eventStart, "absolute time exceeds 32 bits");
        }
        if (pos >= end) {
            return TrackError(trackIndex, pos, "event missing after its delta time");
        }
        const std::size_t statusAt = pos;
        const std::uint8_t first = data[pos];
        ++events;
        if (first < 0xF0) {
            if (first >= 0x80) {
                runningStatus = first;
                ++pos;
            } else if (runningStatus == 0) {
                // Running status is kept across meta and system-exclusive events on purpose.
                return TrackError(trackIndex, pos, "data byte without a preceding status");
            }
            const auto length = static_cast<std::size_t>(ChannelDataLength(runningStatus));
            if (end - pos < length) {
                return TrackError(trackIndex, pos, "channel message cut off by the end of the track");
            }
            const std::uint8_t second = length == 2 ? data[pos + 1] : 0;
            if ((data[pos] | second) & 0x80) {
                return TrackError(trackIndex, pos, "data byte above 0x7F in a channel message");
            }
            pos += length;
            continue;
        }
        std::uint8_t metaType = 0;
        if (first == 0xFF) {
            if (end - pos < 2) {
                return TrackError(trackIndex, pos, "meta event cut off");
            }
            metaType = data[pos + 1];
            pos += 2;
        } else if (first == 0xF0 || first == 0xF7) {
            ++pos;
        } else {
            return TrackError(trackIndex, pos, "system status byte not allowed in a file");
        }
        // "length data" of a meta or system-exclusive event.
        std::uint32_t length = 0;
        const std::size_t used = ReadVariableLength(file.subspan(pos, end - pos), length);
        if (used == 0) {
            return TrackError(trackIndex, pos, "event length is longer than four bytes or cut off");
        }
        pos += used;
        if (length > end - pos) {
            return PayloadTooLong(trackIndex, statusAt, length, end - pos);
        }
        pos += length;
        ++payloads;
        payloadBytes += length;
        if (first == 0xFF && metaType == meta::EndOfTrack) {
            endOfTrack = true;
            break;  // bytes after end-of-track are not events
        }
    }
    plan.begin = begin;
    plan.end = pos;
    plan.events = events;
    plan.payloads = payloads;
    plan.payloadBytes = payloadBytes;
    plan.endOfTrack = endOfTrack;
    MidiReadResult done;
    done.ok = true;
    return done;
}

// Variable-length quantity already checked by CheckTrack.
std::uint32_t TakeCheckedVariableLength(const std::uint8_t* data, std::size_t& pos) {
    std::uint32_t value = 0;
    std::uint8_t byte = 0;
    do {
        byte = data[pos++];
        value = (value << 7) | (byte & 0x7Fu);
    } while (byte & 0x80);
    return value;
}

// Second pass: stores the events of a checked track. The space for them was
// reserved exactly, so nothing reallocates, and nothing here is checked twice.
// With `Adopt` the file buffer becomes the pool and payloads are referred to
// where they lie; otherwise they are copied into the pool.
template <bool Adopt>
void FillTrack(const std::uint8_t* data, const TrackPlan& plan, MidiTrack& track, MidiFile& out) {
    track.events.reserve(plan.events);
    track.endOfTrackSeen = plan.endOfTrack;
    std::size_t pos = plan.begin;
    std::uint32_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (pos < plan.end) {
        std::uint32_t delta = data[pos];
        if (delta < 0x80) {
            ++pos;
        } else {
            delta = TakeCheckedVariableLength(data, pos);
        }
        tick += delta;
        MidiEvent event;
        event.tick = tick;
        const std::uint8_t first = data[pos];
        if (first < 0xF0) {
            if (first >= 0x80) {
                runningStatus = first;
                ++pos;
            }
            event.status = runningStatus;
            event.data1 = data[pos];
            if (ChannelDataLength(runningStatus) == 2) {
                event.data2 = data[pos + 1];
                pos += 2;
            } else {
                ++pos;
            }
        } else {
            ++pos;
            event.status = first;
            if (first == 0xFF) {
                event.kind = EventKind::Meta;
                event.data1 = data[pos++];
            } else {
                event.kind = first == 0xF0 ? EventKind::SysEx : EventKind::Escape;
            }
            const std::uint32_t length = TakeCheckedVariableLength(data, pos);
            event.payloadAt = static_cast<std::uint32_t>(out.payloadRefs.size());
            if constexpr (Adopt) {
                out.payloadRefs.push_back({static_cast<std::uint32_t>(pos), length});
            } else {
                out.payloadRefs.push_back({static_cast<std::uint32_t>(out.payload.size()), length});
                out.payload.insert(out.payload.end(), data + pos, data + pos + length);
            }
            pos += length;
        }
        track.events.push_back(event);
    }
}

}  // namespace

std::string MidiReadResult::Describe() const {
    if (ok) {
        return "ok";
    }
    return error + " (at offset " + std::to_string(offset) + ")";
}

std::size_t ReadVariableLength(std::span<const std::uint8_t> bytes, std::uint32_t& value) {
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        result = (result << 7) | (bytes[i] & 0x7Fu);
        if ((bytes[i] & 0x80) == 0) {
            value = result;
            return i + 1;
        }
    }
    return 0;
}

namespace {

// With `adopt` the payload references point into `bytes`, which the caller then
// moves into the file as its pool.
MidiReadResult ReadInto(std::span<const std::uint8_t> bytes, MidiFile& out, bool& adopt) {
    if (bytes.size() < 14) {
        return Fail(0, "file too short for a MIDI header (" + std::to_string(bytes.size()) +
                           " bytes)");
    }
    if (std::memcmp(bytes.data(), "MThd", 4) != 0) {
        return Fail(0, "not a MIDI file: no MThd chunk");
    }
    const std::uint32_t headerLength = BigEndian32(bytes.data() + 4);
    if (headerLength < 6) {
        return Fail(4, "header chunk length " + std::to_string(headerLength) + " is below 6");
    }
    if (headerLength > bytes.size() - 8) {
        return Fail(4, "header chunk length " + std::to_string(headerLength) +
                           " exceeds the file");
    }
    out.format = BigEndian16(bytes.data() + 8);
    const std::uint16_t declaredTracks = BigEndian16(bytes.data() + 10);
    out.division = BigEndian16(bytes.data() + 12);
    if (out.format > 2) {
        return Fail(8, "unknown MIDI file format " + std::to_string(out.format));
    }
    if (out.division == 0) {
        return Fail(12, "division of 0 ticks per quarter note");
    }
    if (out.format == 0 && declaredTracks != 1) {
        return Fail(10, "format 0 file declares " + std::to_string(declaredTracks) + " tracks");
    }

    // Check every track first, so that the events and the payload pool are each
    // reserved once at their exact size, bounded by the bytes actually present.
    std::vector<TrackPlan> plans;
    std::size_t payloads = 0;
    std::size_t payloadBytes = 0;
    std::size_t pos = 8 + headerLength;
    while (plans.size() < declaredTracks) {
        if (bytes.size() - pos < 8) {
            return Fail(pos, "file ends after " + std::to_string(plans.size()) + " of " +
                                 std::to_string(declaredTracks) + " tracks");
        }
        const std::uint32_t chunkLength = BigEndian32(bytes.data() + pos + 4);
        const std::size_t bodyStart = pos + 8;
        if (chunkLength > bytes.size() - bodyStart) {
            return Fail(pos + 4, "chunk length " + std::to_string(chunkLength) + " exceeds the " +
                                     std::to_string(bytes.size() - bodyStart) +
                                     " bytes left in the file");
        }
        if (std::memcmp(bytes.data() + pos, "MTrk", 4) == 0) {
            const int index = static_cast<int>(plans.size());
            TrackPlan& plan = plans.emplace_back();
            MidiReadResult result = CheckTrack(bytes, bodyStart, bodyStart + chunkLength, index, plan);
            if (!result.ok) {
                return result;
            }
            payloads += plan.payloads;
            payloadBytes += plan.payloadBytes;
        }
        pos = bodyStart + chunkLength;
    }
    // Pool offsets are 32 bits: an adopted buffer must be addressable in full.
    adopt = adopt && bytes.size() <= UINT32_MAX;
    if ((!adopt && payloadBytes > UINT32_MAX) || payloads > UINT32_MAX) {
        return Fail(0, "meta and system-exclusive data exceed 4 GiB");
    }
    out.payloadRefs.reserve(payloads);
    if (!adopt) {
        out.payload.reserve(payloadBytes);
    }
    out.tracks.resize(plans.size());
    for (std::size_t t = 0; t < plans.size(); ++t) {
        if (adopt) {
            FillTrack<true>(bytes.data(), plans[t], out.tracks[t], out);
        } else {
            FillTrack<false>(bytes.data(), plans[t], out.tracks[t], out);
        }
    }
    MidiReadResult result;
    result.ok = true;
    return result;
}

}  // namespace

MidiReadResult ReadMidiFile(std::span<const std::uint8_t> bytes, MidiFile& out) {
    out = MidiFile{};
    bool adopt = false;
    MidiReadResult result = ReadInto(bytes, out, adopt);
    if (!result.ok) {
        out = MidiFile{};  // no half-read file is left behind
    }
    return result;
}

MidiReadResult ReadMidiFile(std::vector<std::uint8_t>&& bytes, MidiFile& out) {
    out = MidiFile{};
    bool adopt = true;
    MidiReadResult result = ReadInto(bytes, out, adopt);
    if (!result.ok) {
        out = MidiFile{};
    } else if (adopt) {
        out.payload = std::move(bytes);
    }
    return result;
}

}  // namespace keyloft::midi
