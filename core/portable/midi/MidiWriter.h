// Standard MIDI File writer: running status for consecutive channel messages
// (reset after meta and system-exclusive events, as the standard asks), an
// end-of-track added to a track that lacks one, events written in time order.
#pragma once

#include <cstdint>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

std::vector<std::uint8_t> WriteMidiFile(const MidiFile& file);

void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace keyloft::midi
