// The instrument's song form: a format-1 file whose first track (the conductor)
// opens with the maker-and-model Text event, followed by one track per kept
// channel in channel order. Removed channels are left out; the main melody
// channel carries the melody mark (CC99 = 0x32, CC98 = 0x0C, CC6 = 1 at the start).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

inline constexpr int SongFormMaxTracks = 17;

struct SongFormRequest {
    std::string_view makerModelMark;      // the 14 bytes of the song mark
    std::array<bool, 16> removed{};       // channels to leave out
    int mainMelodyChannel = -1;           // -1: no melody mark
};

// nullopt when the mark is not 14 bytes.
std::optional<MidiFile> BuildSongForm(const MidiFile& source, const SongFormRequest& request);

}  // namespace keyloft::midi
