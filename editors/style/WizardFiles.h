// File chores the wizard's steps share: asking for a path, reading a file's
// bytes and saving bytes whole (the old file stays when anything fails), each
// failure reported with the file-error text for its path.
#pragma once

#include <afxwin.h>

#include <cstdint>
#include <string>
#include <vector>

// The system's dialogs with a filter such as "*.sci|*.sci||". The save dialog
// appends ".ext" when the chosen name has another extension; both return an
// empty path when the user cancels.
CString AskOpenPath(LPCTSTR filter, CWnd* parent, DWORD* filterIndex = nullptr);
CString AskSavePath(LPCTSTR filter, LPCTSTR extension, CWnd* parent, LPCTSTR fileName = nullptr,
                    LPCTSTR initialFolder = nullptr);

// The one file of a drop (finished here); empty when more than one path, or a
// folder, was dropped.
CString SingleDroppedFile(HDROP drop);
// A dropped file taken only when it is exactly `size` bytes long.
bool ReadDroppedBlock(HDROP drop, std::size_t size, std::vector<std::uint8_t>& bytes);

// At most maxBytes bytes from the start of the file.
bool ReadFileBytes(LPCTSTR path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes);
bool SaveFileBytes(LPCTSTR path, const void* data, std::size_t size);

// Text in the system's ANSI code page and back.
std::string ToAnsiText(const CString& text);
CString FromAnsiText(const std::string& text);
