#include "core/portable/midi/MidiWriter.h"

#include <algorithm>

namespace keyloft::midi {
namespace {

void AppendBigEndian16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// False when the track cannot be written truly (a gap beyond a four-byte
// quantity, a payload or the track longer than the format allows).
bool AppendTrack(std::vector<std::uint8_t>& out, const MidiFile& file, const MidiTrack& track) {
    out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    const std::size_t lengthAt = out.size() - 4;
    const std::size_t bodyStart = out.size();

    // Events given out of time order are written in time order (stable), and the
    // end-of-track goes last whatever its place, so no event is lost or moved in time.
    std::vector<const MidiEvent*> order;
    order.reserve(track.events.size());
    std::uint32_t endTick = 0;
    for (const MidiEvent& event : track.events) {
        if (event.IsMeta(meta::EndOfTrack)) {
            endTick = std::max(endTick, event.tick);
        } else {
            order.push_back(&event);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const MidiEvent* a, const MidiEvent* b) { return a->tick < b->tick; });

    std::uint32_t lastTick = 0;
    std::uint8_t runningStatus = 0;
    for (const MidiEvent* event : order) {
        if (!AppendVariableLength(out, event->tick - lastTick)) {
            return false;
        }
        lastTick = event->tick;
        switch (event->kind) {
        case EventKind::Channel:
            if (event->status != runningStatus) {
                out.push_back(event->status);
                runningStatus = event->status;
            }
            out.push_back(static_cast<std::uint8_t>(event->data1 & 0x7F));
            if (ChannelDataLength(event->status) == 2) {
                out.push_back(static_cast<std::uint8_t>(event->data2 & 0x7F));
            }
            continue;
        case EventKind::Meta:
            out.push_back(0xFF);
            out.push_back(event->data1);
            break;
        case EventKind::SysEx:
        case EventKind::Escape:
            out.push_back(event->status);
            break;
        }
        runningStatus = 0;  // the standard cancels running status after meta and sysex
        const auto data = file.Payload(*event);
        if (data.size() > UINT32_MAX || !AppendVariableLength(out, static_cast<std::uint32_t>(data.size()))) {
            return false;
        }
        out.insert(out.end(), data.begin(), data.end());
    }
    if (!AppendVariableLength(out, endTick > lastTick ? endTick - lastTick : 0)) {
        return false;
    }
    out.insert(out.end(), {0xFF, meta::EndOfTrack, 0x00});
    const std::size_t length = out.size() - bodyStart;
    if (length > UINT32_MAX) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        out[lengthAt + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(length >> (24 - 8 * i));
    }
    return true;
}

}  // namespace

bool AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    if (value > MaxVariableLength) {
        return false;
    }
    std::uint8_t buffer[4];
    int count = 0;
    buffer[count++] = static_cast<std::uint8_t>(value & 0x7F);
    while ((value >>= 7) != 0) {
        buffer[count++] = static_cast<std::uint8_t>((value & 0x7F) | 0x80);
    }
    while (count > 0) {
        out.push_back(buffer[--count]);
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> WriteMidiFile(const MidiFile& file) {
    if (file.tracks.size() > 0xFFFF) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    AppendBigEndian16(out, file.format);
    AppendBigEndian16(out, static_cast<std::uint16_t>(file.tracks.size()));
    AppendBigEndian16(out, file.division);
    for (const MidiTrack& track : file.tracks) {
        if (!AppendTrack(out, file, track)) {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace keyloft::midi
