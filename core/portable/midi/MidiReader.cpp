#include "core/portable/midi/MidiReader.h"

#include "core/portable/midi/TrackWalk.h"

#include <algorithm>
#include <cstring>
#include <new>
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

// Builds the error of a track check; kept out of line so the walking loop stays small.
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

// Every event takes at least two bytes (a delta and a data byte under running
// status), every meta or system-exclusive event at least three: the most a chunk
// of `length` bytes can hold.
constexpr std::size_t MostEvents(std::size_t length) { return length / 2 + 1; }
constexpr std::size_t MostPayloads(std::size_t length) { return length / 3 + 1; }

// One checked walk over an MTrk body [begin, end) that stores each event as it
// is found. The events were reserved at the most the chunk can hold, so nothing
// reallocates, and pages of the reservation that no event reaches are never
// touched. With `Adopt` the file buffer becomes the pool and payloads are
// referred to where they lie; otherwise they are copied into the pool. Offsets in
// errors are file offsets.
template <bool Adopt>
MidiReadResult ReadTrack(std::span<const std::uint8_t> file, std::size_t begin, std::size_t end,
                         int trackIndex, MidiTrack& track, MidiFile& out) {
    track.events.reserve(MostEvents(end - begin));
    const std::uint8_t* const data = file.data();
    const TrackWalkResult walk = WalkTrack(file, begin, end, [&](const WalkedEvent& walked) {
        MidiEvent& event = track.events.emplace_back();
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
    });
    if (walk.error == kEventLengthTooLong) {
        return PayloadTooLong(trackIndex, walk.offset, walk.declaredLength, walk.bytesLeft);
    }
    if (walk.error != nullptr) {
        return TrackError(trackIndex, walk.offset, walk.error);
    }
    track.endOfTrackSeen = walk.endOfTrack;
    MidiReadResult done;
    done.ok = true;
    return done;
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

    // The walk itself needs no second look at the bytes: the payload pool and
    // its references are reserved once at the most the chunks can hold, bounded
    // by the bytes actually present, and every track is read in one checked walk.
    // Pool offsets are 32 bits, and the pool never holds more than the file.
    if (bytes.size() > UINT32_MAX) {
        return Fail(0, "file larger than 4 GiB");
    }
    out.payloadRefs.reserve(MostPayloads(bytes.size()));
    if (!adopt) {
        out.payload.reserve(bytes.size());
    }
    out.tracks.reserve(std::min<std::size_t>(declaredTracks, (bytes.size() - 8 - headerLength) / 8));
    std::size_t pos = 8 + headerLength;
    while (out.tracks.size() < declaredTracks) {
        if (bytes.size() - pos < 8) {
            return Fail(pos, "file ends after " + std::to_string(out.tracks.size()) + " of " +
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
            const int index = static_cast<int>(out.tracks.size());
            MidiTrack& track = out.tracks.emplace_back();
            const MidiReadResult result =
                adopt ? ReadTrack<true>(bytes, bodyStart, bodyStart + chunkLength, index, track, out)
                      : ReadTrack<false>(bytes, bodyStart, bodyStart + chunkLength, index, track, out);
            if (!result.ok) {
                return result;
            }
        }
        pos = bodyStart + chunkLength;
    }
    MidiReadResult result;
    result.ok = true;
    return result;
}

// ReadInto, with a failure for memory that could not be had: nothing is thrown.
MidiReadResult ReadGuarded(std::span<const std::uint8_t> bytes, MidiFile& out, bool& adopt) {
    try {
        return ReadInto(bytes, out, adopt);
    } catch (const std::bad_alloc&) {
        MidiReadResult result;
        result.error = "not enough memory to read the file";
        return result;
    }
}

}  // namespace

MidiReadResult ReadMidiFile(std::span<const std::uint8_t> bytes, MidiFile& out) {
    out = MidiFile{};
    bool adopt = false;
    MidiReadResult result = ReadGuarded(bytes, out, adopt);
    if (!result.ok) {
        out = MidiFile{};  // no half-read file is left behind
    }
    return result;
}

MidiReadResult ReadMidiFile(std::vector<std::uint8_t>&& bytes, MidiFile& out) {
    out = MidiFile{};
    bool adopt = true;
    MidiReadResult result = ReadGuarded(bytes, out, adopt);
    if (!result.ok) {
        out = MidiFile{};
    } else if (adopt) {
        out.payload = std::move(bytes);
    }
    return result;
}

}  // namespace keyloft::midi
