// Shell operations on files and folders, all through the shell seam.
#pragma once

#include <afx.h>

#include <vector>

// The folder browser with folder selected; on OK stores the choice and returns true.
bool BrowseForFolder(HWND owner, CString& folder);

// Copies source i to destination i for as many pairs as the shorter list holds;
// the shell shows its progress and asks before overwriting. Returns the shell's
// result (0 = done), or 1 at once when either list is empty.
int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations);

// Deletes to the recycle bin unless permanent; the shell asks for confirmation.
// Returns the shell's result, or 1 at once for an empty list.
int DeleteFiles(const std::vector<CString>& paths, bool permanent);

// The shell's "open" verb; on failure, when report is set, the system's error
// text in the plain message box. True on success.
bool ShellOpen(LPCTSTR path, bool report = true);

// The system's text for an error code ("" when it has none).
CString GetSystemErrorText(DWORD error);

int CopyFiles(const CStringArray& sources, const CStringArray& destinations);
int DeleteFiles(const CStringArray& paths, bool permanent);
