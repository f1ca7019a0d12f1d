#include <afx.h>

#include <cwchar>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD DesiredAccess(UINT flags)
{
    switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

DWORD ShareMode(UINT flags)
{
    switch (flags & 0x70) {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0; // exclusive, compatibility
    }
}

DWORD Disposition(UINT flags)
{
    if (flags & CFile::modeCreate)
        return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

DWORD FlagsAndAttributes(UINT flags)
{
    DWORD result = FILE_ATTRIBUTE_NORMAL;
    if (flags & CFile::osNoBuffer)
        result |= FILE_FLAG_NO_BUFFERING;
    if (flags & CFile::osWriteThrough)
        result |= FILE_FLAG_WRITE_THROUGH;
    if (flags & CFile::osRandomAccess)
        result |= FILE_FLAG_RANDOM_ACCESS;
    if (flags & CFile::osSequentialScan)
        result |= FILE_FLAG_SEQUENTIAL_SCAN;
    return result;
}

// The part of a path after its last separator.
CString NameOfPath(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    const int forward = path.ReverseFind(L'/');
    const int colon = path.ReverseFind(L':');
    int cut = slash > forward ? slash : forward;
    if (colon > cut)
        cut = colon;
    return path.Mid(cut + 1);
}

BYTE AttributeByte(DWORD attributes)
{
    return static_cast<BYTE>(attributes & 0xFF);
}

} // namespace

CFile::CFile() = default;

CFile::CFile(HANDLE hFile) : m_hFile(hFile) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (lpszFileName == nullptr || *lpszFileName == L'\0') {
        if (pError != nullptr)
            pError->Set(CFileException::badPath, ERROR_INVALID_NAME, lpszFileName);
        return FALSE;
    }

    // Keep the full path, as the file name functions report it.
    wchar_t fullPath[MAX_PATH * 2] = {};
    const DWORD fullLength = ::GetFullPathNameW(lpszFileName, MAX_PATH * 2, fullPath, nullptr);
    m_strFileName = (fullLength > 0 && fullLength < MAX_PATH * 2) ? fullPath : lpszFileName;

    SECURITY_ATTRIBUTES security = {sizeof(SECURITY_ATTRIBUTES), nullptr,
                                    (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE handle = ::CreateFileW(lpszFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), &security,
                                  Disposition(nOpenFlags), FlagsAndAttributes(nOpenFlags), nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const LONG error = static_cast<LONG>(::GetLastError());
        if (pError != nullptr)
            pError->Set(CFileException::OsErrorToException(error), error, m_strFileName);
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = handle;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return nullptr;
    HANDLE process = ::GetCurrentProcess();
    HANDLE copy = INVALID_HANDLE_VALUE;
    if (!::DuplicateHandle(process, m_hFile, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        ThrowLastError();
    CFile* duplicate = new CFile(copy);
    duplicate->m_bCloseOnDelete = TRUE;
    duplicate->m_strFileName = m_strFileName;
    return duplicate;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero = {};
    LARGE_INTEGER position = {};
    if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

CString CFile::GetFileName() const { return NameOfPath(m_strFileName); }

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName != nullptr ? lpszNewName : L""; }

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const DWORD method = nFrom == end ? FILE_END : nFrom == current ? FILE_CURRENT : FILE_BEGIN;
    LARGE_INTEGER distance = {};
    distance.QuadPart = lOff;
    LARGE_INTEGER position = {};
    if (!::SetFilePointerEx(m_hFile, distance, &position, method))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    const ULONGLONG position = GetPosition();
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
    // The position stays where it was unless it now lies past the end.
    Seek(static_cast<LONGLONG>(position < dwNewLen ? position : dwNewLen), begin);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        ThrowLastError();
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                    static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
        ThrowLastError();
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    if (!::UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                      static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    BOOL closed = TRUE;
    DWORD error = NO_ERROR;
    if (m_hFile != INVALID_HANDLE_VALUE) {
        closed = ::CloseHandle(m_hFile);
        error = ::GetLastError();
    }
    const CString name = m_strFileName;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!closed)
        CFileException::ThrowOsError(static_cast<LONG>(error), name);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus{};
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    rStatus.m_ctime = info.ftCreationTime;
    rStatus.m_mtime = info.ftLastWriteTime;
    rStatus.m_atime = info.ftLastAccessTime;
    rStatus.m_size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    rStatus.m_attribute = AttributeByte(info.dwFileAttributes);
    ::lstrcpynW(rStatus.m_szFullName, m_strFileName, MAX_PATH);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus{};
    if (lpszFileName == nullptr || *lpszFileName == L'\0')
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    if (::GetFullPathNameW(lpszFileName, MAX_PATH, rStatus.m_szFullName, nullptr) >= MAX_PATH)
        rStatus.m_szFullName[0] = L'\0';
    rStatus.m_ctime = data.ftCreationTime;
    rStatus.m_mtime = data.ftLastWriteTime;
    rStatus.m_atime = data.ftLastAccessTime;
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_attribute = AttributeByte(data.dwFileAttributes);
    return TRUE;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!::MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!::DeleteFileW(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), lpszFileName);
}
