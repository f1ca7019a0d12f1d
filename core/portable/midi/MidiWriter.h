// Standard MIDI File writer: running status for consecutive channel messages
// (reset after meta and system-exclusive events, as the standard asks), an
// end-of-track added to a track that lacks one, events written in time order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

// The file's bytes; nullopt when it cannot be written truly: a gap between two
// events beyond a four-byte variable-length quantity, a track or payload longer
// than the format holds, more than 65535 tracks. Nothing is thrown.
std::optional<std::vector<std::uint8_t>> WriteMidiFile(const MidiFile& file);

// The largest value a four-byte variable-length quantity holds.
inline constexpr std::uint32_t MaxVariableLength = 0x0FFFFFFF;
// Appends the quantity; false, with nothing appended, above MaxVariableLength.
bool AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);

}  // namespace keyloft::midi
