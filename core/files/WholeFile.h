// Reading a whole file into memory at once, for the formats that are parsed
// from a buffer (MIDI files, styles, skin images, the defaults file).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// True when bytes now hold the whole file. False when it cannot be opened or
// read, or is larger than maxBytes (a length none of the callers' formats
// reach: refused rather than allocated); bytes are then empty.
bool ReadWholeFile(LPCWSTR path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes);
