// The file-error sentences, one per cause of a file exception, shown with the
// path in the system's plain message box.
#pragma once

#include <afx.h>

#include <cstddef>

// The English sentence of a cause: "No such file in the directory\n" for
// fileNotFound, ... "Unknown Error!" for any cause without its own sentence.
CString GetFileErrorSentence(int cause);

// Shows the sentence of the exception's cause followed by the path.
void ShowFileException(LPCTSTR path, const CFileException& error);
void ShowFileException(LPCTSTR path, const CFileException* error);

// Opens file with flags; on failure shows the file-error text for the path
// unless quiet, and returns false.
bool OpenFileWithMessage(CFile& file, LPCTSTR path, UINT flags, bool quiet = false);

// Writes a whole file through a temporary beside it (SafeSave.h); on failure
// shows the file-error text for the path and returns false, the old file untouched.
bool SaveFileWithMessage(LPCTSTR path, const void* data, std::size_t size);

// The file-exception cause of a system error code.
int FileErrorCause(DWORD systemError);
