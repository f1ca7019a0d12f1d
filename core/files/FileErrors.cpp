#include "core/files/FileErrors.h"

#include "core/files/SafeSave.h"
#include "core/files/ShellSeam.h"

CString GetFileErrorSentence(int cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return L"No such file in the directory\n";
    case CFileException::badPath: return L"No such directory\n";
    case CFileException::tooManyOpenFiles: return L"File been opened too many times\n";
    case CFileException::accessDenied: return L"Can not access to the file\n";
    case CFileException::invalidFile: return L"The file is invalid\n";
    case CFileException::sharingViolation: return L"File shareing violation\n";
    case CFileException::lockViolation: return L"File lock violation\n";
    case CFileException::diskFull: return L"Run out of disk\n";
    case CFileException::endOfFile: return L"File reach the end\n";
    default: return L"Unknown Error!";
    }
}

void ShowFileException(LPCTSTR path, const CFileException& error)
{
    CString text = GetFileErrorSentence(error.m_cause);
    // The path goes on its own line, also after the one sentence without a line end.
    if (text.Right(1) != L"\n")
        text += L'\n';
    text += path != nullptr ? path : L"";
    ShowPlainMessageBox(text, MB_OK | MB_ICONERROR);
}

void ShowFileException(LPCTSTR path, const CFileException* error)
{
    const CFileException unknown(CFileException::genericException);
    ShowFileException(path, error != nullptr ? *error : unknown);
}

bool OpenFileWithMessage(CFile& file, LPCTSTR path, UINT flags, bool quiet)
{
    CFileException error;
    if (file.Open(path, flags, &error))
        return true;
    if (!quiet)
        ShowFileException(path, error);
    return false;
}

int FileErrorCause(DWORD systemError)
{
    return CFileException::OsErrorToException(static_cast<LONG>(systemError));
}

bool SaveFileWithMessage(LPCTSTR path, const void* data, std::size_t size)
{
    DWORD code = ERROR_SUCCESS;
    if (SaveFileReplacing(path, data, size, &code))
        return true;
    ShowFileException(path, CFileException(FileErrorCause(code), static_cast<LONG>(code), path));
    return false;
}
