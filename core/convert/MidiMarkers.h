// Marker texts of a MIDI file's first track (the wizard's essential-section check).
#pragma once

#include <afx.h>

#include <string>
#include <vector>

// Marker texts (ANSI bytes) of the first track up to its end-of-track; false when
// the file cannot be read or is not a sound MIDI file.
bool ReadMidiMarkers(LPCWSTR path, std::vector<std::string>& markers);

// The same texts converted from the ANSI code page.
bool ReadMidiMarkers(LPCWSTR path, CStringArray& markers);
