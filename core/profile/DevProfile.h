// The device profile: one process-wide ini file, "DevProfile\<model>.ini" in the
// program folder, selected when a model connects and cleared when it goes. With
// no profile selected every read gives its default.
#pragma once

#include <afx.h>

#include <array>
#include <vector>

#include "core/profile/Ini.h"

// Program folder + "DevProfile\<model>.ini"; empty for a model name that cannot be
// a file name (empty, a path separator, ':' or another character files may not
// carry, or "." / ".."), since the name comes from the instrument.
CString GetDevProfilePathFor(LPCTSTR modelName);

// Points the device profile at the model's file; false, and the current profile
// unchanged, when that file does not exist.
bool SelectDevProfile(LPCTSTR modelName);
void ClearDevProfile();
// A copy of the current profile (just its path), safe to read from any thread.
CIni GetDevProfile();

// Page slots 0..5 (song, style, voice, memory transfer; song editor; style
// editor) in "DLG_VISIBLE": on by default for the transfer pages, off for the editors.
bool IsPageVisible(int pageSlot);
// The six slots' switches at once, read with one look into the file (each
// value read on its own opens the file again).
std::array<bool, 6> GetPageVisibility();
// Kinds 0..3: slot count ("FILE_MAX_CNT", default 0), size rule ("FILE_SIZE",
// default 0) and upload switch ("UPLOAD_ENABLE", default on).
UINT GetSlotCount(int kind);
UINT GetFileSizeRule(int kind);
bool IsUploadEnabled(int kind);

// "FILE_MAX_CNT"/"MELODY_MAX_CNT" of the model's own profile file (not the
// current one), default 2.
UINT GetMelodyMaxCount(LPCTSTR modelName);

// The values of "STY_ESSENTIAL_SEC" of the current profile, upper-cased, in
// file order (key names do not matter).
std::vector<CString> ReadEssentialSections();

void ReadEssentialSections(CStringArray& names);
