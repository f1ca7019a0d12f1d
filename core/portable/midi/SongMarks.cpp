#include "core/portable/midi/SongMarks.h"

#include <algorithm>
#include <array>

namespace keyloft::midi {

std::vector<std::string> ReadMarkers(const MidiFile& file) {
    std::vector<std::string> markers;
    if (file.tracks.empty()) {
        return markers;
    }
    for (const MidiEvent& event : file.tracks.front().events) {
        if (event.IsMeta(meta::EndOfTrack)) {
            break;
        }
        if (event.IsMeta(meta::Marker)) {
            markers.push_back(file.PayloadText(event));
        }
    }
    return markers;
}

int FindMelodyMarkChannel(const MidiFile& file) {
    struct Seen {
        std::uint32_t tick;
        std::size_t track;
        std::size_t index;
        const MidiEvent* event;
    };
    std::array<std::vector<Seen>, 16> firstEvents;
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        const auto& events = file.tracks[t].events;
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (events[i].kind == EventKind::Channel) {
                firstEvents[events[i].Channel()].push_back({events[i].tick, t, i, &events[i]});
            }
        }
    }
    for (int channel = 0; channel < 16; ++channel) {
        auto& seen = firstEvents[static_cast<std::size_t>(channel)];
        if (seen.size() < 3) {
            continue;
        }
        std::stable_sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.track < b.track;
        });
        auto isController = [](const MidiEvent* e, int number, int value) {
            return e->Command() == 0xB0 && e->data1 == number && e->data2 == value;
        };
        if (isController(seen[0].event, 99, 0x32) && isController(seen[1].event, 98, 0x0C) &&
            isController(seen[2].event, 6, 1)) {
            return channel;
        }
    }
    return -1;
}

}  // namespace keyloft::midi
