#include "core/portable/midi/MidiReader.h"

#include "core/portable/midi/TrackWalk.h"

#include <cstring>
#include <span>
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
// Offsets in errors are file offsets.
MidiReadResult CheckTrack(std::span<const std::uint8_t> file, std::size_t begin, std::size_t end,
                          int trackIndex, TrackPlan& plan) {
    std::size_t events = 0;
    std::size_t payloads = 0;
    std::size_t payloadBytes = 0;
    const TrackWalkResult walk = WalkTrack(file, begin, end, [&](const WalkedEvent& event) {
        ++events;
        if (event.status >= 0xF0) {
            ++payloads;
            payloadBytes += event.payloadLength;
        }
    });
    if (walk.error == kEventLengthTooLong) {
        return PayloadTooLong(trackIndex, walk.offset, walk.declaredLength, walk.bytesLeft);
    }
    if (walk.error != nullptr) {
        return TrackError(trackIndex, walk.offset, walk.error);
    }
    plan.begin = begin;
    plan.end = walk.end;
    plan.events = events;
    plan.payloads = payloads;
    plan.payloadBytes = payloadBytes;
    plan.endOfTrack = walk.endOfTrack;
    MidiReadResult done;
    done.ok = true;
    return done;
}

// Second pass: stores the events of a checked track, checking nothing again.
// The space for them was reserved exactly, so nothing reallocates. With `Adopt` the file buffer becomes
// the pool and payloads are referred to where they lie; otherwise they are
// copied into the pool.
template <bool Adopt>
void FillTrack(std::span<const std::uint8_t> file, const TrackPlan& plan, MidiTrack& track, MidiFile& out) {
    track.events.reserve(plan.events);
    track.endOfTrackSeen = plan.endOfTrack;
    const std::uint8_t* const data = file.data();
    WalkTrack<false>(file, plan.begin, plan.end, [&](const WalkedEvent& walked) {
        MidiEvent event;
        event.tick = walked.tick;
        event.status = walked.status;
        event.data1 = walked.data1;
        event.data2 = walked.data2;
        if (walked.status >= 0xF0) {
            event.kind = walked.status == 0xFF   ? EventKind::Meta
                         : walked.status == 0xF0 ? EventKind::SysEx
                                                 : EventKind::Escape;
            event.payloadAt = static_cast<std::uint32_t>(out.payloadRefs.size());
            const auto length = walked.payloadLength;
            if constexpr (Adopt) {
                out.payloadRefs.push_back({static_cast<std::uint32_t>(walked.payloadAt), length});
            } else {
                out.payloadRefs.push_back({static_cast<std::uint32_t>(out.payload.size()), length});
                out.payload.insert(out.payload.end(), data + walked.payloadAt, data + walked.payloadAt + length);
            }
        }
        track.events.push_back(event);
    });
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
            FillTrack<true>(bytes, plans[t], out.tracks[t], out);
        } else {
            FillTrack<false>(bytes, plans[t], out.tracks[t], out);
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
