#include "core/portable/midi/MidiFile.h"

#include <stdexcept>

namespace keyloft::midi {

std::span<const std::uint8_t> MidiFile::Payload(const MidiEvent& event) const {
    if (event.kind == EventKind::Channel || event.payloadAt >= payloadRefs.size()) {
        return {};
    }
    const PayloadRef ref = payloadRefs[event.payloadAt];
    if (ref.offset > payload.size() || ref.length > payload.size() - ref.offset) {
        return {};
    }
    return {payload.data() + ref.offset, ref.length};
}

std::uint32_t MidiFile::StorePayload(std::span<const std::uint8_t> data) {
    if (payload.size() > UINT32_MAX || data.size() > UINT32_MAX - payload.size() ||
        payloadRefs.size() >= UINT32_MAX) {
        throw std::length_error("MIDI payload pool exceeds 4 GiB");
    }
    const auto index = static_cast<std::uint32_t>(payloadRefs.size());
    payloadRefs.push_back({static_cast<std::uint32_t>(payload.size()),
                           static_cast<std::uint32_t>(data.size())});
    payload.insert(payload.end(), data.begin(), data.end());
    return index;
}

void MidiFile::AddChannel(MidiTrack& track, std::uint32_t tick, std::uint8_t status,
                          std::uint8_t data1, std::uint8_t data2) {
    MidiEvent event;
    event.tick = tick;
    event.kind = EventKind::Channel;
    event.status = status;
    event.data1 = static_cast<std::uint8_t>(data1 & 0x7F);
    event.data2 = ChannelDataLength(status) == 2 ? static_cast<std::uint8_t>(data2 & 0x7F) : 0;
    track.events.push_back(event);
}

void MidiFile::AddMeta(MidiTrack& track, std::uint32_t tick, std::uint8_t type,
                       std::span<const std::uint8_t> data) {
    MidiEvent event;
    event.tick = tick;
    event.kind = EventKind::Meta;
    event.status = 0xFF;
    event.data1 = type;
    event.payloadAt = StorePayload(data);
    track.events.push_back(event);
    if (type == meta::EndOfTrack) {
        track.endOfTrackSeen = true;
    }
}

void MidiFile::AddMetaText(MidiTrack& track, std::uint32_t tick, std::uint8_t type,
                           std::string_view text) {
    AddMeta(track, tick, type,
            {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void MidiFile::AddSysEx(MidiTrack& track, std::uint32_t tick,
                        std::span<const std::uint8_t> dataAfterF0) {
    MidiEvent event;
    event.tick = tick;
    event.kind = EventKind::SysEx;
    event.status = 0xF0;
    event.payloadAt = StorePayload(dataAfterF0);
    track.events.push_back(event);
}

void MidiFile::AddCopy(MidiTrack& track, const MidiFile& source, const MidiEvent& event,
                       std::uint32_t tick) {
    MidiEvent copy = event;
    copy.tick = tick;
    if (event.kind != EventKind::Channel) {
        // Copy through a temporary: the source pool may be this file's own.
        const auto bytes = source.Payload(event);
        const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        copy.payloadAt = StorePayload(data);
    }
    track.events.push_back(copy);
    if (copy.IsMeta(meta::EndOfTrack)) {
        track.endOfTrackSeen = true;
    }
}

void MidiFile::AddTempo(MidiTrack& track, std::uint32_t tick, std::uint32_t microsPerQuarter) {
    const std::uint8_t data[3] = {static_cast<std::uint8_t>(microsPerQuarter >> 16),
                                  static_cast<std::uint8_t>(microsPerQuarter >> 8),
                                  static_cast<std::uint8_t>(microsPerQuarter)};
    AddMeta(track, tick, meta::Tempo, data);
}

}  // namespace keyloft::midi
