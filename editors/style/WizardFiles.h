// File chores the wizard's steps share: asking for a path, reading a file's
// bytes and saving bytes whole (the old file stays when anything fails), each
// failure reported with the file-error text for its path.
#pragma once

#include <afxwin.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/portable/style/SideFiles.h"

// The system's dialogs with a filter such as "*.sci|*.sci||". The save dialog
// appends ".ext" when the chosen name has another extension; both return an
// empty path when the user cancels.
CString AskOpenPath(LPCTSTR filter, CWnd* parent, DWORD* filterIndex = nullptr);
CString AskSavePath(LPCTSTR filter, LPCTSTR extension, CWnd* parent, LPCTSTR fileName = nullptr,
                    LPCTSTR initialFolder = nullptr);

// The one file of a drop (finished here); empty when more than one path, or a
// folder, was dropped.
CString SingleDroppedFile(HDROP drop);

// At most maxBytes bytes from the start of the file.
bool ReadFileBytes(LPCTSTR path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes);
bool SaveFileBytes(LPCTSTR path, const void* data, std::size_t size);

// A side file (".sci", ".ots") of at most one block and a byte more, so that
// its check sees a wrong size; fileSize is the file's whole length.
bool ReadSideFile(LPCTSTR path, std::size_t blockSize, std::vector<std::uint8_t>& bytes, std::uint64_t& fileSize);
// Tells the user why a side file was not taken (icon 191): refusalFormat holds
// the file's name and the reason (IDS_SCI_REFUSED_FMT, IDS_OTS_REFUSED_FMT).
void ShowSideFileRefusal(LPCTSTR path, UINT refusalFormat, const keyloft::style::SideFileCheck& check);

// Text in the system's ANSI code page and back.
std::string ToAnsiText(const CString& text);
CString FromAnsiText(const std::string& text);
