// The song editor's player plus the instrument's song conversion.
#pragma once

#include "core/player/MIDI.h"

class CSongMIDI : public CMIDI {
public:
    // The channel whose first three events are CC99 = 0x32, CC98 = 0x0C, CC6 = 1; -1 when none.
    int FindMelodyChannel() const;

    // Writes the loaded song in the instrument's song form. `removed` holds 16 flags;
    // `mainMelodyRow` is the track list row (= channel) of the main melody, -1 for none.
    // Reports its own errors in a message box; FALSE on failure.
    BOOL ConvertForDevice(LPCWSTR targetModel, const int removed[16], CMIDI* player, LPCWSTR outputPath,
                          int mainMelodyRow);

    // The same without any message box: the reason of a failure is returned in `error`.
    bool ConvertForDevice(LPCWSTR targetModel, const int removed[16], const CMIDI& player, LPCWSTR outputPath,
                          int mainMelodyRow, std::wstring& error) const;

    int m_melodyChannel = -1;  // stored by the editor after loading
};
