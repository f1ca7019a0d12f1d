#include <afx.h>

#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    if (lpBuffer == nullptr && nBufferSize != 0)
        AfxThrowInvalidArgException();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    // A fixed buffer is the file's content; a growable one is room to write into.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return buffer;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* pError)
{
    // A memory file has no name to open.
    if (pError != nullptr)
        pError->Set(CFileException::genericException, ERROR_NOT_SUPPORTED, nullptr);
    return FALSE;
}

CFile* CMemFile::Duplicate() const
{
    // Two owners of one growing block cannot be had.
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }

void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException(); // a fixed buffer cannot grow

    // Round up to whole growth steps, refusing sizes that would wrap.
    const SIZE_T step = m_nGrowBytes;
    if (dwNewLen > std::numeric_limits<SIZE_T>::max() - step)
        AfxThrowMemoryException();
    const SIZE_T newSize = (dwNewLen + step - 1) / step * step;

    BYTE* grown = nullptr;
    if (m_lpBuffer == nullptr || m_bAutoDelete) {
        grown = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
    } else {
        // The caller's block stays where it is and stays the caller's.
        grown = Alloc(newSize);
        if (grown != nullptr && m_nFileSize > 0)
            std::memcpy(grown, m_lpBuffer, m_nFileSize);
    }
    if (grown == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = grown;
    m_nBufferSize = newSize;
    m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    else if (nFrom != begin)
        AfxThrowInvalidArgException();
    if ((lOff < 0 && base + lOff < 0) ||
        (lOff > 0 && lOff > std::numeric_limits<LONGLONG>::max() - base))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    const LONGLONG target = base + lOff;
    if (static_cast<ULONGLONG>(target) > std::numeric_limits<SIZE_T>::max())
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    // A position past the end is allowed; a write there fills the gap with zeros.
    m_nPosition = static_cast<SIZE_T>(target);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
        AfxThrowMemoryException();
    const SIZE_T length = static_cast<SIZE_T>(dwNewLen);
    if (length > m_nBufferSize)
        GrowFile(length);
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    m_nFileSize = length;
    if (m_nPosition > length)
        m_nPosition = length;
}

ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const SIZE_T left = m_nFileSize - m_nPosition;
    const UINT read = left < nCount ? static_cast<UINT>(left) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, read);
    m_nPosition += read;
    return read;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (m_nPosition > std::numeric_limits<SIZE_T>::max() - nCount)
        AfxThrowMemoryException();
    const SIZE_T endOfWrite = m_nPosition + nCount;
    if (endOfWrite > m_nBufferSize)
        GrowFile(endOfWrite);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endOfWrite;
    if (endOfWrite > m_nFileSize)
        m_nFileSize = endOfWrite;
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }
void CMemFile::UnlockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }

void CMemFile::Abort() { Close(); }

void CMemFile::Flush() {}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
