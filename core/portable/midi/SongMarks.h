// Small readers over a loaded MIDI file used by the song editor and the wizard.
#pragma once

#include <string>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

// Texts of the Marker meta events (FF 06) of the first track, in order, up to
// its end-of-track event (the reader stops a track there).
std::vector<std::string> ReadMarkers(const MidiFile& file);

// The channel whose first three channel events (in time order over all tracks)
// are CC99 = 0x32, CC98 = 0x0C and CC6 = 1; -1 when no channel carries that mark.
int FindMelodyMarkChannel(const MidiFile& file);

}  // namespace keyloft::midi
