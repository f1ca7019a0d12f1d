#include <afxwin.h>

#include <cerrno>
#include <cwchar>
#include <iterator>
#include <string>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Puts the file name (or a stand-in) where the pattern says %s.
std::wstring FillName(const wchar_t* pattern, const CString& fileName)
{
    std::wstring text = pattern;
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos)
        text.replace(at, 2, fileName.IsEmpty() ? L"an unnamed file" : static_cast<LPCTSTR>(fileName));
    return text;
}

} // namespace

// --- CException --------------------------------------------------------------

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const size_t length = std::wcslen(text);
    const size_t copied = length < nMaxError ? length : nMaxError - 1;
    std::wmemcpy(lpszError, text, copied);
    lpszError[copied] = L'\0';
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        lpszError[0] = L'\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    wchar_t text[512] = {};
    if (!GetErrorMessage(text, static_cast<UINT>(std::size(text)))) {
        CString fallback;
        if (nMessageID == 0 || !fallback.LoadString(nMessageID))
            fallback = L"No error message is available.";
        CopyMessage(fallback, text, static_cast<UINT>(std::size(text)));
    }
    return AfxMessageBox(text, nType);
}

// --- Simple exceptions -------------------------------------------------------

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(DefaultMessage(), lpszError, nMaxError);
}

LPCTSTR CMemoryException::DefaultMessage() const { return L"Out of memory."; }
LPCTSTR CNotSupportedException::DefaultMessage() const { return L"An unsupported operation was attempted."; }
LPCTSTR CInvalidArgException::DefaultMessage() const { return L"An invalid argument was encountered."; }
LPCTSTR CResourceException::DefaultMessage() const { return L"A required resource was unavailable."; }
LPCTSTR CUserException::DefaultMessage() const { return L"The operation was stopped."; }

// --- CFileException ----------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName != nullptr ? lpszFileName : L"")
{
}

void CFileException::Set(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    m_cause = cause;
    m_lOsError = lOsError;
    m_strFileName = lpszFileName != nullptr ? lpszFileName : L"";
}

int CFileException::OsErrorToException(LONG lOsError)
{
    struct Mapping {
        LONG osError;
        int cause;
    };
    static const Mapping table[] = {
        {NO_ERROR, none},
        {ERROR_FILE_NOT_FOUND, fileNotFound},
        {ERROR_PATH_NOT_FOUND, badPath},
        {ERROR_TOO_MANY_OPEN_FILES, tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, accessDenied},
        {ERROR_INVALID_HANDLE, invalidFile},
        {ERROR_BAD_FORMAT, invalidFile},
        {ERROR_INVALID_ACCESS, accessDenied},
        {ERROR_INVALID_DRIVE, badPath},
        {ERROR_CURRENT_DIRECTORY, removeCurrentDir},
        {ERROR_NOT_SAME_DEVICE, badPath},
        {ERROR_NO_MORE_FILES, fileNotFound},
        {ERROR_WRITE_PROTECT, accessDenied},
        {ERROR_BAD_UNIT, hardIO},
        {ERROR_NOT_READY, hardIO},
        {ERROR_BAD_COMMAND, hardIO},
        {ERROR_CRC, hardIO},
        {ERROR_BAD_LENGTH, badSeek},
        {ERROR_SEEK, badSeek},
        {ERROR_NOT_DOS_DISK, invalidFile},
        {ERROR_SECTOR_NOT_FOUND, badSeek},
        {ERROR_WRITE_FAULT, hardIO},
        {ERROR_READ_FAULT, hardIO},
        {ERROR_GEN_FAILURE, hardIO},
        {ERROR_SHARING_VIOLATION, sharingViolation},
        {ERROR_LOCK_VIOLATION, lockViolation},
        {ERROR_WRONG_DISK, badPath},
        {ERROR_SHARING_BUFFER_EXCEEDED, tooManyOpenFiles},
        {ERROR_HANDLE_EOF, endOfFile},
        {ERROR_HANDLE_DISK_FULL, diskFull},
        {ERROR_DUP_NAME, badPath},
        {ERROR_BAD_NETPATH, badPath},
        {ERROR_NETWORK_BUSY, accessDenied},
        {ERROR_DEV_NOT_EXIST, badPath},
        {ERROR_ADAP_HDW_ERR, hardIO},
        {ERROR_BAD_NET_RESP, accessDenied},
        {ERROR_UNEXP_NET_ERR, hardIO},
        {ERROR_BAD_REM_ADAP, invalidFile},
        {ERROR_NO_SPOOL_SPACE, directoryFull},
        {ERROR_NETNAME_DELETED, accessDenied},
        {ERROR_NETWORK_ACCESS_DENIED, accessDenied},
        {ERROR_BAD_NET_NAME, badPath},
        {ERROR_FILE_EXISTS, accessDenied},
        {ERROR_CANNOT_MAKE, directoryFull},
        {ERROR_INVALID_PASSWORD, accessDenied},
        {ERROR_NET_WRITE_FAULT, hardIO},
        {ERROR_DRIVE_LOCKED, lockViolation},
        {ERROR_OPEN_FAILED, fileNotFound},
        {ERROR_BUFFER_OVERFLOW, badPath},
        {ERROR_DISK_FULL, diskFull},
        {ERROR_INVALID_NAME, badPath},
        {ERROR_NEGATIVE_SEEK, badSeek},
        {ERROR_SEEK_ON_DEVICE, badSeek},
        {ERROR_BUSY_DRIVE, accessDenied},
        {ERROR_DIR_NOT_EMPTY, accessDenied},
        {ERROR_NOT_LOCKED, lockViolation},
        {ERROR_LOCK_FAILED, lockViolation},
        {ERROR_ALREADY_EXISTS, accessDenied},
        {ERROR_FILENAME_EXCED_RANGE, badPath},
        {ERROR_DIRECTORY, badPath},
    };
    for (const Mapping& entry : table) {
        if (entry.osError == lOsError)
            return entry.cause;
    }
    return genericException;
}

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case EPERM:
    case EACCES:
    case EEXIST: return accessDenied;
    case ENOENT: return fileNotFound;
    case EBADF: return invalidFile;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case ENOSPC: return diskFull;
    case EIO: return hardIO;
    case ESPIPE: return badSeek;
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL: return badPath;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    throw new CFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = static_cast<UINT>(m_cause);
    LPCTSTR pattern = nullptr;
    switch (m_cause) {
    case none: pattern = L"No error occurred with %s."; break;
    case fileNotFound: pattern = L"%s was not found."; break;
    case badPath: pattern = L"%s contains an invalid path."; break;
    case tooManyOpenFiles: pattern = L"%s could not be opened because there are too many open files."; break;
    case accessDenied: pattern = L"Access to %s was denied."; break;
    case invalidFile: pattern = L"An invalid file handle was associated with %s."; break;
    case removeCurrentDir: pattern = L"%s could not be removed because it is the current directory."; break;
    case directoryFull: pattern = L"%s could not be created because the directory is full."; break;
    case badSeek: pattern = L"Seek failed on %s."; break;
    case hardIO: pattern = L"A hardware I/O error was reported while accessing %s."; break;
    case sharingViolation: pattern = L"A sharing violation occurred while accessing %s."; break;
    case lockViolation: pattern = L"A locking violation occurred while accessing %s."; break;
    case diskFull: pattern = L"Disk full while accessing %s."; break;
    case endOfFile: pattern = L"An attempt was made to access %s past its end."; break;
    default: pattern = L"An unexpected error occurred while accessing %s."; break;
    }
    return CopyMessage(FillName(pattern, m_strFileName).c_str(), lpszError, nMaxError);
}

// --- CArchiveException -------------------------------------------------------

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName != nullptr ? lpszArchiveName : L"")
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = static_cast<UINT>(m_cause);
    LPCTSTR pattern = nullptr;
    switch (m_cause) {
    case none: pattern = L"No error occurred while reading or writing %s."; break;
    case readOnly: pattern = L"Tried to write to %s, which was opened for loading."; break;
    case endOfFile: pattern = L"Unexpected end of file while reading %s."; break;
    case writeOnly: pattern = L"Tried to read from %s, which was opened for storing."; break;
    case badIndex: pattern = L"%s has an invalid format."; break;
    case badClass: pattern = L"%s contains an unexpected object."; break;
    case badSchema: pattern = L"%s contains an incorrect schema."; break;
    case bufferFull: pattern = L"The archive buffer for %s is full."; break;
    default: pattern = L"An unexpected error occurred while reading or writing %s."; break;
    }
    return CopyMessage(FillName(pattern, m_strFileName).c_str(), lpszError, nMaxError);
}

// --- Throw helpers -----------------------------------------------------------

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AfxThrowMemoryException()
{
    // Shared and never deleted: when memory is exhausted a new one may not be had.
    static CMemoryException outOfMemory(FALSE);
    throw &outOfMemory;
}

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
