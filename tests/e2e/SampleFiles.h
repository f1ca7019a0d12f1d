// The instrument's own file kinds, made in memory with the marks the program
// checks (maker-and-model text event in songs, 24-byte marks and a sealed head in
// styles); `tag` varies the content so that two samples never compare equal.
// A `size` above the smallest form makes the file exactly that long (0: as small
// as it comes); the four makers have one form, so a test can hold them in a table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace e2e {

std::string SampleSong(unsigned char tag, std::size_t size = 0);
std::string SampleStyle(unsigned char tag, std::size_t size = 0);
// A style with these segments (3 INTRO A .. 28, ascending) in place of MAIN A alone.
std::string SampleStyleWithParts(unsigned char tag, const std::vector<int>& segments);
// A MIDI file split into style parts by its markers: one track at 96 ticks per
// quarter, 4/4, each part (named "INTRO A", "MAIN A", ...) holding drum notes of an
// eighth each, then a rest to the end of its bar.
std::string SampleMarkedMidi(const std::vector<std::string>& parts, int notesPerPart = 1);
// Voices and memories must have the device profile's exact size.
std::string SampleVoice(unsigned char tag, std::size_t size = 131072);
std::string SampleMemory(unsigned char tag, std::size_t size = 131072);

} // namespace e2e
