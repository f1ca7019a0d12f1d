// Sends the player's messages to a winmm MIDI output handle.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "core/portable/midi/Sequencer.h"

class CWinMidiOutput final : public keyloft::midi::MidiOutput {
public:
    explicit CWinMidiOutput(HMIDIOUT handle) : m_handle(handle) {}
    void ShortMessage(std::uint32_t packed) override;
    void LongMessage(std::span<const std::uint8_t> bytes) override;

private:
    HMIDIOUT m_handle;
};

// Swallows everything: used while no output is open.
class CNullMidiOutput final : public keyloft::midi::MidiOutput {
public:
    void ShortMessage(std::uint32_t) override {}
    void LongMessage(std::span<const std::uint8_t>) override {}
};
