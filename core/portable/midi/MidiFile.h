// In-memory form of a Standard MIDI File: tracks of events with absolute ticks.
// Meta and system-exclusive payloads live in one byte pool owned by the file, so
// an event stays small (12 bytes) and a large file reads without one allocation
// per event. A file read from a buffer it was given keeps that buffer as its
// pool, so the payloads are not copied at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keyloft::midi {

enum class EventKind : std::uint8_t {
    Channel,  // status 0x80..0xEF with one or two data bytes
    Meta,     // 0xFF type length data
    SysEx,    // 0xF0 length data (the data excludes the leading F0)
    Escape,   // 0xF7 length data (raw bytes sent as they stand)
};

namespace meta {
inline constexpr std::uint8_t Text = 0x01;
inline constexpr std::uint8_t TrackName = 0x03;
inline constexpr std::uint8_t Marker = 0x06;
inline constexpr std::uint8_t EndOfTrack = 0x2F;
inline constexpr std::uint8_t Tempo = 0x51;
inline constexpr std::uint8_t TimeSignature = 0x58;
}  // namespace meta

struct MidiEvent {
    std::uint32_t tick = 0;        // absolute, in the file's division
    EventKind kind = EventKind::Channel;
    std::uint8_t status = 0;       // channel status; 0xFF, 0xF0 or 0xF7 otherwise
    std::uint8_t data1 = 0;        // first data byte; the meta type for Meta
    std::uint8_t data2 = 0;        // second data byte (0 for one-byte messages)
    std::uint32_t payloadAt = 0;   // into MidiFile::payloadRefs (Meta, SysEx, Escape only)

    std::uint8_t Channel() const { return static_cast<std::uint8_t>(status & 0x0F); }
    std::uint8_t Command() const { return static_cast<std::uint8_t>(status & 0xF0); }
    bool IsMeta(std::uint8_t type) const { return kind == EventKind::Meta && data1 == type; }
};
// Large files hold millions of events: the record's size is most of a load's cost.
static_assert(sizeof(MidiEvent) == 12);

// Where a payload lies in MidiFile::payload.
struct PayloadRef {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// Number of data bytes a channel status carries (1 for program and channel pressure).
// One comparison: 0xC0 and 0xD0 are the only commands whose top three bits are 110.
constexpr int ChannelDataLength(std::uint8_t status) {
    return 2 - ((status & 0xE0) == 0xC0 ? 1 : 0);
}

struct MidiTrack {
    std::vector<MidiEvent> events;   // in file order, ticks never decreasing
    bool endOfTrackSeen = false;     // false when the chunk ended without FF 2F 00
};

class MidiFile {
public:
    std::uint16_t format = 1;
    // Ticks per quarter note when bit 15 is clear; SMPTE frames/ticks otherwise.
    std::uint16_t division = 96;
    std::vector<MidiTrack> tracks;
    std::vector<std::uint8_t> payload;      // the pool; may hold bytes no event refers to
    std::vector<PayloadRef> payloadRefs;    // one per meta or system-exclusive event

    // Empty for channel events (and for a reference outside the pool).
    std::span<const std::uint8_t> Payload(const MidiEvent& event) const;
    std::string PayloadText(const MidiEvent& event) const {
        const auto bytes = Payload(event);
        return std::string(bytes.begin(), bytes.end());
    }

    MidiTrack& AddTrack() { return tracks.emplace_back(); }

    // Builders used by converters and tests; they keep the payload pool consistent.
    void AddChannel(MidiTrack& track, std::uint32_t tick, std::uint8_t status,
                    std::uint8_t data1, std::uint8_t data2 = 0);
    void AddMeta(MidiTrack& track, std::uint32_t tick, std::uint8_t type,
                 std::span<const std::uint8_t> data);
    void AddMetaText(MidiTrack& track, std::uint32_t tick, std::uint8_t type, std::string_view text);
    void AddSysEx(MidiTrack& track, std::uint32_t tick, std::span<const std::uint8_t> dataAfterF0);
    // Copies an event of another file (or this one) into a track of this file.
    void AddCopy(MidiTrack& track, const MidiFile& source, const MidiEvent& event,
                 std::uint32_t tick);
    void AddTempo(MidiTrack& track, std::uint32_t tick, std::uint32_t microsPerQuarter);

private:
    std::uint32_t StorePayload(std::span<const std::uint8_t> data);
};

}  // namespace keyloft::midi
