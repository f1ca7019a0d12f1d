#include "core/portable/midi/Sequencer.h"

#include <algorithm>

#include "core/portable/midi/TempoMap.h"

namespace keyloft::midi {

void ChannelState::Apply(const MidiEvent& event) {
    if (event.kind != EventKind::Channel) {
        return;
    }
    switch (event.Command()) {
    case 0xB0:
        // Channel mode messages (120-127) act once; they are not state to restore.
        if (event.data1 < 120) {
            controllers[event.data1] = event.data2;
        } else if (event.data1 == 121) {
            controllers.fill(-1);  // reset all controllers
            pressure = -1;
            pitchBend = -1;
        }
        break;
    case 0xC0: program = event.data1; break;
    case 0xD0: pressure = event.data1; break;
    case 0xE0: pitchBend = event.data1 | (event.data2 << 7); break;
    default: break;
    }
}

void ChannelState::Send(std::uint8_t channel, MidiOutput& out) const {
    const auto cc = static_cast<std::uint8_t>(0xB0 | channel);
    // The bank must be chosen before the program that it qualifies.
    for (int bank : {0, 32}) {
        if (controllers[static_cast<std::size_t>(bank)] >= 0) {
            out.ShortMessage(PackShort(cc, static_cast<std::uint8_t>(bank),
                                       static_cast<std::uint8_t>(controllers[static_cast<std::size_t>(bank)])));
        }
    }
    if (program >= 0) {
        out.ShortMessage(PackShort(static_cast<std::uint8_t>(0xC0 | channel),
                                   static_cast<std::uint8_t>(program)));
    }
    for (std::size_t number = 0; number < controllers.size(); ++number) {
        if (number == 0 || number == 32 || controllers[number] < 0) {
            continue;
        }
        out.ShortMessage(PackShort(cc, static_cast<std::uint8_t>(number),
                                   static_cast<std::uint8_t>(controllers[number])));
    }
    if (pressure >= 0) {
        out.ShortMessage(PackShort(static_cast<std::uint8_t>(0xD0 | channel),
                                   static_cast<std::uint8_t>(pressure)));
    }
    if (pitchBend >= 0) {
        out.ShortMessage(PackShort(static_cast<std::uint8_t>(0xE0 | channel),
                                   static_cast<std::uint8_t>(pitchBend & 0x7F),
                                   static_cast<std::uint8_t>(pitchBend >> 7)));
    }
}

ChannelSummary SummarizeChannels(const MidiFile& file) {
    ChannelSummary summary;
    summary.firstProgram.fill(-1);
    // The first program change in time, whichever track carries it.
    std::array<std::uint32_t, ChannelCount> programTick{};
    programTick.fill(UINT32_MAX);
    for (const MidiTrack& track : file.tracks) {
        for (const MidiEvent& event : track.events) {
            if (event.kind != EventKind::Channel) {
                continue;
            }
            const std::size_t channel = event.Channel();
            summary.used[channel] = true;
            if (event.Command() == 0xC0 && event.tick < programTick[channel]) {
                programTick[channel] = event.tick;
                summary.firstProgram[channel] = event.data1;
            }
        }
    }
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        if (summary.used[channel] && programTick[channel] == UINT32_MAX) {
            summary.firstProgram[channel] = 0;
        }
    }
    return summary;
}

Sequencer::Sequencer(MidiFile file) : file_(std::move(file)) {
    const TempoMap tempo(file_);
    std::size_t total = 0;
    for (const MidiTrack& track : file_.tracks) {
        total += track.events.size();
    }
    events_.reserve(total);
    std::uint32_t lastTick = 0;
    for (const MidiTrack& track : file_.tracks) {
        for (const MidiEvent& event : track.events) {
            lastTick = std::max(lastTick, event.tick);
            if (event.kind == EventKind::Meta) {
                continue;  // nothing to send; tempo is already in the times
            }
            events_.push_back({tempo.TickToMicros(event.tick), event});
        }
    }
    // Stable: events at one moment keep their track and file order.
    std::stable_sort(events_.begin(), events_.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.micros < b.micros; });
    lengthMicros_ = tempo.TickToMicros(lastTick);
}

void Sequencer::Emit(const TimedEvent& timed, MidiOutput& out) {
    const MidiEvent& event = timed.event;
    if (event.kind == EventKind::Channel) {
        state_[event.Channel()].Apply(event);
        const bool isNoteOn = event.Command() == 0x90 && event.data2 != 0;
        if (isNoteOn && !audible_[event.Channel()]) {
            return;
        }
        out.ShortMessage(PackShort(event.status, event.data1, event.data2));
        return;
    }
    const auto data = file_.Payload(event);
    std::vector<std::uint8_t> message;
    message.reserve(data.size() + 1);
    if (event.kind == EventKind::SysEx) {
        message.push_back(0xF0);
    }
    message.insert(message.end(), data.begin(), data.end());
    if (!message.empty()) {
        out.LongMessage(message);
    }
}

bool Sequencer::PlayUntil(std::uint64_t nowMicros, MidiOutput& out) {
    while (cursor_ < events_.size() && events_[cursor_].micros <= nowMicros) {
        Emit(events_[cursor_], out);
        ++cursor_;
    }
    positionMicros_ = std::min(nowMicros, lengthMicros_);
    return AtEnd();
}

void Sequencer::SeekTo(std::uint64_t micros, MidiOutput& out, bool chase) {
    micros = std::min(micros, lengthMicros_);
    AllNotesOff(out);
    state_ = {};
    cursor_ = 0;
    // Everything strictly before the target shapes the state; events at the
    // target itself are played by the next PlayUntil.
    while (cursor_ < events_.size() && events_[cursor_].micros < micros) {
        state_[events_[cursor_].event.Channel()].Apply(events_[cursor_].event);
        ++cursor_;
    }
    positionMicros_ = micros;
    if (chase) {
        SendChasedState(out);
    }
}

void Sequencer::SendChasedState(MidiOutput& out) const {
    for (std::uint8_t channel = 0; channel < ChannelCount; ++channel) {
        state_[channel].Send(channel, out);
    }
}

void Sequencer::SetMuteSolo(const std::array<bool, ChannelCount>& mute,
                            const std::array<bool, ChannelCount>& solo, MidiOutput& out) {
    const bool anySolo = std::find(solo.begin(), solo.end(), true) != solo.end();
    for (std::uint8_t channel = 0; channel < ChannelCount; ++channel) {
        const bool audible = !mute[channel] && (!anySolo || solo[channel]);
        if (audible_[channel] && !audible) {
            out.ShortMessage(PackShort(static_cast<std::uint8_t>(0xB0 | channel), 123, 0));
        }
        audible_[channel] = audible;
    }
}

void Sequencer::AllNotesOff(MidiOutput& out) {
    for (std::uint8_t channel = 0; channel < ChannelCount; ++channel) {
        const auto cc = static_cast<std::uint8_t>(0xB0 | channel);
        out.ShortMessage(PackShort(cc, 64, 0));   // sustain pedal up, or notes would ring on
        out.ShortMessage(PackShort(cc, 123, 0));  // all notes off
    }
}

}  // namespace keyloft::midi
