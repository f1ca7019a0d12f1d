// The instrument's own file kinds, made in memory with the marks the program
// checks (maker-and-model text event in songs, 24-byte marks and a sealed head in
// styles); `tag` varies the content so that two samples never compare equal.
#pragma once

#include <cstddef>
#include <string>

namespace e2e {

std::string SampleSong(unsigned char tag);
std::string SampleStyle(unsigned char tag);
// Voices and memories must have the device profile's exact size.
std::string SampleVoice(unsigned char tag, std::size_t size = 131072);
std::string SampleMemory(unsigned char tag, std::size_t size = 131072);

} // namespace e2e
