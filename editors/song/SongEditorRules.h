// The song editor's small decisions, apart from its windows: which MIDI output
// to play on, the time text, the position bar's scale, the song names' limits
// in bytes of the ANSI code page and the ".mid" ending of an output path.
#pragma once

#include <afx.h>

#include <vector>

namespace songedit {

// The position bar runs 0..kBarMax; playback position and seek use that one scale.
inline constexpr int kBarMax = 299;
// Names as the instrument stores them: bytes of the ANSI code page.
inline constexpr size_t kFullNameMaxBytes = 32;
inline constexpr size_t kShortNameMaxBytes = 8;

// The output to use: the stored one unless it is the instrument's own port (or
// gone); else the first whose name holds "MICROSOFT" (any case); else the
// first that is not the instrument's port; -1 when none fits.
int ChooseMidiOutput(int storedId, const std::vector<CString>& outputNames, const CString& instrumentPort);

// "mm:ss / mm:ss" of a position and a length in milliseconds.
CString FormatPlayTime(UINT currentMs, UINT totalMs);

// The bar position of a playback position; false (bar left alone) for a song
// without length.
bool BarPositionOf(UINT currentMs, UINT totalMs, int& position);
// The fraction of the song a bar position stands for.
double SeekFractionOf(int position);

// The length of a text in bytes of a code page (0: the system's ANSI code page).
size_t AnsiByteLength(const CString& text, UINT codePage = 0);
// The longest start of a text that takes at most maxBytes bytes in that code
// page, never ending inside a double-byte character.
CString CutToAnsiBytes(const CString& text, size_t maxBytes, UINT codePage = 0);

// The path with ".mid" appended unless it already ends so (any case).
CString WithMidExtension(const CString& path);

} // namespace songedit
