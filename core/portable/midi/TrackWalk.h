// The one walk over the events of a Standard MIDI File track chunk, shared by the
// file reader and the song check so that both give the same answer for a file.
//
// Rules: delta times and meta/system-exclusive lengths are variable-length
// quantities of at most four bytes; absolute time stays within 32 bits; a channel
// message may omit its status byte (running status), but meta and
// system-exclusive events cancel running status, as the MIDI standard has it, so
// a data byte right after one is an error; channel data bytes are below 0x80;
// system common and real-time status bytes do not belong in a file; every event
// lies inside the chunk. The walk ends at End of Track (bytes after it are not
// events) or at the chunk's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

struct WalkedEvent {
    std::uint32_t tick = 0;          // absolute
    std::uint8_t status = 0;         // channel status (running status resolved), 0xFF, 0xF0 or 0xF7
    std::uint8_t data1 = 0;          // channel data, or the meta type
    std::uint8_t data2 = 0;
    std::size_t payloadAt = 0;       // meta and system-exclusive events: offset of the data
    std::uint32_t payloadLength = 0;
};

struct TrackWalkResult {
    const char* error = nullptr;     // null when the whole walk was sound
    std::size_t offset = 0;          // where the error was found
    std::size_t end = 0;             // just after the last event walked
    bool endOfTrack = false;
    // For a meta or system-exclusive length beyond the chunk: that length and the bytes left.
    std::uint32_t declaredLength = 0;
    std::size_t bytesLeft = 0;
};

inline constexpr char kEventLengthTooLong[] = "event length exceeds the bytes left in the track";

// Variable-length quantity of at most four bytes. Returns the bytes used, 0 when
// the quantity runs past the end or is longer than four bytes.
std::size_t ReadVariableLength(std::span<const std::uint8_t> bytes, std::uint32_t& value);

// Walks the events in bytes [begin, end), calling visit(const WalkedEvent&) for
// each sound one; offsets are offsets into bytes. Stops at the first error.
// With Checked false the bytes must already have passed a checked walk over the
// same range: nothing is checked again (the reader's second pass).
template <bool Checked = true, class Visit>
TrackWalkResult WalkTrack(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end, Visit&& visit) {
    const std::uint8_t* const data = bytes.data();
    TrackWalkResult result;
    const auto fail = [&](std::size_t at, const char* what) {
        result.error = what;
        result.offset = at;
        return result;
    };
    std::size_t pos = begin;
    std::uint64_t tick = 0;
    std::uint8_t runningStatus = 0;
    while (pos < end) {
        const std::size_t eventStart = pos;
        std::uint32_t delta = data[pos];
        if (delta < 0x80) {
            ++pos;  // the common one-byte delta
        } else {
            const std::size_t used = ReadVariableLength(bytes.subspan(pos, end - pos), delta);
            if (Checked && used == 0) {
                return fail(eventStart, "delta time is longer than four bytes or cut off");
            }
            pos += used;
        }
        tick += delta;
        if (Checked && tick > UINT32_MAX) {
            return fail(eventStart, "absolute time exceeds 32 bits");
        }
        if (Checked && pos >= end) {
            return fail(pos, "event missing after its delta time");
        }
        WalkedEvent event;
        event.tick = static_cast<std::uint32_t>(tick);
        const std::uint8_t first = data[pos];
        if (first < 0xF0) {
            if (first >= 0x80) {
                runningStatus = first;
                ++pos;
            } else if (Checked && runningStatus == 0) {
                return fail(pos, "data byte without a preceding status");
            }
            const auto length = static_cast<std::size_t>(ChannelDataLength(runningStatus));
            if (Checked && end - pos < length) {
                return fail(pos, "channel message cut off by the end of the track");
            }
            event.status = runningStatus;
            event.data1 = data[pos];
            event.data2 = length == 2 ? data[pos + 1] : 0;
            if (Checked && ((event.data1 | event.data2) & 0x80)) {
                return fail(pos, "data byte above 0x7F in a channel message");
            }
            pos += length;
            visit(event);
            continue;
        }
        const std::size_t statusAt = pos;
        event.status = first;
        if (first == 0xFF) {
            if (Checked && end - pos < 2) {
                return fail(pos, "meta event cut off");
            }
            event.data1 = data[pos + 1];
            pos += 2;
        } else if (first == 0xF0 || first == 0xF7) {
            ++pos;
        } else if (Checked) {
            return fail(pos, "system status byte not allowed in a file");
        }
        runningStatus = 0;
        const std::size_t used = ReadVariableLength(bytes.subspan(pos, end - pos), event.payloadLength);
        if (Checked && used == 0) {
            return fail(pos, "event length is longer than four bytes or cut off");
        }
        pos += used;
        if (Checked && event.payloadLength > end - pos) {
            result.declaredLength = event.payloadLength;
            result.bytesLeft = end - pos;
            return fail(statusAt, kEventLengthTooLong);
        }
        event.payloadAt = pos;
        pos += event.payloadLength;
        visit(event);
        if (first == 0xFF && event.data1 == meta::EndOfTrack) {
            result.endOfTrack = true;
            break;
        }
    }
    result.end = pos;
    return result;
}

}  // namespace keyloft::midi
