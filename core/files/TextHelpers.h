// Small text helpers: string-table texts, line splitting, sound file paths.
#pragma once

#include <afx.h>

#include <vector>

// The text of a string id from the current language's resources ("" when absent).
CString LoadResString(UINT id);

// The text upper-cased, as the key of a map that ignores case ("" for nullptr).
CString UpperKey(LPCTSTR text);

// Splits at line feeds; a line feed at the very end adds no empty line, and a
// carriage return before a line feed is dropped.
std::vector<CString> SplitLines(LPCTSTR text);

// 0: "wav\msgBox.wav", 1: "wav\finish.wav" under the program folder; "" otherwise.
CString GetSoundFilePath(int sound);

void SplitLines(LPCTSTR text, CStringArray& lines);
