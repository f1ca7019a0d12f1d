// The device-file checks by path: the model's series must be the connected
// instruments' series and the file must pass its kind's mark check
// (core/portable/marks). A missing, unreadable or damaged file never passes.
#pragma once

#include <afx.h>

#include <vector>

bool IsDeviceSongFile(LPCTSTR modelName, LPCTSTR path);
bool IsDeviceStyleFile(LPCTSTR modelName, LPCTSTR path);
bool IsDeviceVoiceFile(LPCTSTR modelName, LPCTSTR path);
bool IsDeviceMemoryFile(LPCTSTR modelName, LPCTSTR path);
// Kinds 0 song, 1 style, 2 voice, 3 memory; false for another kind.
bool IsDeviceFileOfKind(int kind, LPCTSTR modelName, LPCTSTR path);

// The first 24 bytes are the style mark.
bool HasStyleFileMark(LPCTSTR path);

// Names of the segments (INTRO A .. FILL IN DC) present in a style file's
// segment table. False, and no names, for a file that is not a well-formed,
// marked style (a short table, an offset outside the file, a bad checksum).
bool ReadStyleSegmentNames(LPCTSTR path, std::vector<CString>& names);

bool ReadStyleSegmentNames(LPCTSTR path, CStringArray& names);
