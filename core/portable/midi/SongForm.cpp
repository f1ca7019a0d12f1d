#include "core/portable/midi/SongForm.h"

#include <algorithm>

#include "core/portable/midi/SongMarks.h"

namespace keyloft::midi {
namespace {

bool IsMelodyMarkController(const MidiEvent& event) {
    return event.Command() == 0xB0 &&
           ((event.data1 == 99 && event.data2 == 0x32) || (event.data1 == 98 && event.data2 == 0x0C) ||
            (event.data1 == 6 && event.data2 == 1));
}

struct Placed {
    std::uint32_t tick;
    std::size_t track;
    std::size_t index;
};

}  // namespace

std::optional<MidiFile> BuildSongForm(const MidiFile& source, const SongFormRequest& request) {
    if (request.makerModelMark.size() != 14) {
        return std::nullopt;
    }
    MidiFile out;
    out.format = 1;
    out.division = source.division;
    MidiTrack& conductor = out.AddTrack();
    out.AddMetaText(conductor, 0, meta::Text, request.makerModelMark);

    // Merge in time order so every output track stays sorted.
    std::vector<Placed> order;
    for (std::size_t t = 0; t < source.tracks.size(); ++t) {
        for (std::size_t i = 0; i < source.tracks[t].events.size(); ++i) {
            order.push_back({source.tracks[t].events[i].tick, t, i});
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) { return a.tick < b.tick; });

    std::array<int, 16> trackOfChannel{};
    trackOfChannel.fill(-1);
    std::array<bool, 16> used{};
    for (const MidiTrack& track : source.tracks) {
        for (const MidiEvent& event : track.events) {
            if (event.kind == EventKind::Channel) {
                used[event.Channel()] = true;
            }
        }
    }
    for (int channel = 0; channel < 16; ++channel) {
        if (used[static_cast<std::size_t>(channel)] && !request.removed[static_cast<std::size_t>(channel)]) {
            trackOfChannel[static_cast<std::size_t>(channel)] = static_cast<int>(out.tracks.size());
            MidiTrack& track = out.AddTrack();
            if (channel == request.mainMelodyChannel) {
                const auto cc = static_cast<std::uint8_t>(0xB0 | channel);
                out.AddChannel(track, 0, cc, 99, 0x32);
                out.AddChannel(track, 0, cc, 98, 0x0C);
                out.AddChannel(track, 0, cc, 6, 1);
            }
        }
    }
    // Drop a source's own melody mark: the user's choice of melody replaces it.
    std::array<int, 16> markLeft{};
    const int markedChannel = FindMelodyMarkChannel(source);
    if (markedChannel >= 0) {
        markLeft[static_cast<std::size_t>(markedChannel)] = 3;
    }

    std::uint32_t lastTick = 0;
    for (const Placed& placed : order) {
        const MidiEvent& event = source.tracks[placed.track].events[placed.index];
        lastTick = std::max(lastTick, event.tick);
        if (event.kind == EventKind::Meta) {
            if (event.IsMeta(meta::EndOfTrack)) {
                continue;
            }
            out.AddCopy(out.tracks[0], source, event, event.tick);
            continue;
        }
        if (event.kind != EventKind::Channel) {
            out.AddCopy(out.tracks[0], source, event, event.tick);  // system-exclusive: conductor
            continue;
        }
        const std::size_t channel = event.Channel();
        if (markLeft[channel] > 0 && IsMelodyMarkController(event)) {
            --markLeft[channel];
            continue;
        }
        markLeft[channel] = 0;
        const int target = trackOfChannel[channel];
        if (target >= 0) {
            out.AddCopy(out.tracks[static_cast<std::size_t>(target)], source, event, event.tick);
        }
    }
    static constexpr std::uint8_t none[1] = {0};
    for (MidiTrack& track : out.tracks) {
        out.AddMeta(track, lastTick, meta::EndOfTrack, std::span<const std::uint8_t>(none, 0));
    }
    return out;
}

}  // namespace keyloft::midi
