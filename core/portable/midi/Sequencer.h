// The player's engine, free of any timer or device: a merged, time-ordered event
// list that is played up to a given moment into an output, with per-channel
// mute and solo, and a chase of controller, program, pressure and pitch-bend
// state for seeking and resuming. The Windows player drives it from its timer.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

inline constexpr int ChannelCount = 16;

class MidiOutput {
public:
    virtual ~MidiOutput() = default;
    // status | data1 << 8 | data2 << 16, the packing of a short MIDI message.
    virtual void ShortMessage(std::uint32_t packed) = 0;
    // A complete system-exclusive message, F0 ... F7.
    virtual void LongMessage(std::span<const std::uint8_t> bytes) = 0;
};

constexpr std::uint32_t PackShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0) {
    return std::uint32_t{status} | (std::uint32_t{data1} << 8) | (std::uint32_t{data2} << 16);
}

// What a channel has been told up to a moment of the song (-1 = never).
struct ChannelState {
    std::array<std::int16_t, 128> controllers{};
    std::int16_t program = -1;
    std::int16_t pressure = -1;
    std::int32_t pitchBend = -1;  // 14-bit value

    ChannelState() { controllers.fill(-1); }
    void Apply(const MidiEvent& event);
    // Sends the remembered state: bank select, program, other controllers, pressure, bend.
    void Send(std::uint8_t channel, MidiOutput& out) const;
};

struct ChannelSummary {
    std::array<bool, ChannelCount> used{};
    // -1 channel unused, 0 used without a program change, else the first program.
    std::array<int, ChannelCount> firstProgram{};
};

ChannelSummary SummarizeChannels(const MidiFile& file);

class Sequencer {
public:
    struct TimedEvent {
        std::uint64_t micros = 0;
        MidiEvent event;
    };

    Sequencer() = default;
    explicit Sequencer(MidiFile file);

    bool Empty() const { return events_.empty(); }
    std::uint64_t LengthMicros() const { return lengthMicros_; }
    std::uint64_t PositionMicros() const { return positionMicros_; }
    const std::vector<TimedEvent>& Events() const { return events_; }
    const MidiFile& File() const { return file_; }

    // Plays every event due at or before `nowMicros`. Returns true once the end is reached.
    bool PlayUntil(std::uint64_t nowMicros, MidiOutput& out);
    bool AtEnd() const { return cursor_ >= events_.size(); }

    // Moves to `micros` (clamped to the length): notes are silenced, and the
    // channel state in force at that moment is sent when `chase` is set.
    void SeekTo(std::uint64_t micros, MidiOutput& out, bool chase);
    void SendChasedState(MidiOutput& out) const;
    const ChannelState& StateOf(int channel) const { return state_[static_cast<std::size_t>(channel)]; }

    // Silencing rules applied to later notes; newly silenced channels get all notes off.
    void SetMuteSolo(const std::array<bool, ChannelCount>& mute,
                     const std::array<bool, ChannelCount>& solo, MidiOutput& out);
    bool Audible(int channel) const { return audible_[static_cast<std::size_t>(channel)]; }

    static void AllNotesOff(MidiOutput& out);

private:
    void Emit(const TimedEvent& timed, MidiOutput& out);

    MidiFile file_;
    std::vector<TimedEvent> events_;
    std::uint64_t lengthMicros_ = 0;
    std::uint64_t positionMicros_ = 0;
    std::size_t cursor_ = 0;
    std::array<ChannelState, ChannelCount> state_{};
    std::array<bool, ChannelCount> audible_ = MakeAllAudible();

    static std::array<bool, ChannelCount> MakeAllAudible() {
        std::array<bool, ChannelCount> all{};
        all.fill(true);
        return all;
    }
};

}  // namespace keyloft::midi
