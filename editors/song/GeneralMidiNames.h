// The 128 General MIDI Level 1 program names, in English.
#pragma once

namespace songedit {

// The name of a program number; only its low 7 bits count.
const wchar_t* GeneralMidiProgramName(unsigned program);

} // namespace songedit
