// Files: CFile over a Win32 handle, CMemFile over a heap block, CStdioFile for
// text lines, CFileFind for folder listings, and CFileStatus.
//
// Failures throw CFileException* (see afxexcept.h), except Open, which answers
// FALSE and fills the caller's CFileException when one is given.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "afxexcept.h"
#include "afxhandle.h"
#include "afxobj.h"
#include "afxstr.h"

struct CFileStatus {
    FILETIME m_ctime = {};   // creation time
    FILETIME m_mtime = {};   // last write time
    FILETIME m_atime = {};   // last access time
    ULONGLONG m_size = 0;    // bytes
    BYTE m_attribute = 0;    // CFile::Attribute bits
    TCHAR m_szFullName[MAX_PATH] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,   // used by CStdioFile; CFile is always binary
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute : BYTE {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition : UINT { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps a handle the caller keeps owning: the destructor leaves it open, but an
    // explicit Close() or Abort() closes it.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException*.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    operator HANDLE() const { return m_hFile; }

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // A second object on a duplicate of the handle (same position), owned by the caller.
    virtual CFile* Duplicate() const;

    virtual ULONGLONG GetPosition() const;
    virtual CString GetFileName() const;  // "name.ext"
    virtual CString GetFileTitle() const; // "name"
    virtual CString GetFilePath() const;  // as opened
    virtual void SetFilePath(LPCTSTR lpszNewName);

    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;

    // Answers the bytes read; fewer than asked at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes everything or throws (a short write is reported as diskFull).
    virtual void Write(const void* lpBuf, UINT nCount);

    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);

    // Closes without throwing, whatever state the file is in.
    virtual void Abort();
    virtual void Flush();
    virtual void Close();

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    // Throws a CFileException for the calling thread's last Win32 error.
    [[noreturn]] void ThrowLastError() const;

    BOOL m_bCloseOnDelete = FALSE;
    CString m_strFileName;
};

// A file in memory. The block grows in steps of nGrowBytes; a block given by the
// caller (constructor or Attach) is never freed or reallocated by CMemFile: when
// such a file must grow, its content moves to a new block that CMemFile owns.
// Detach hands the current block to the caller, who frees it with free() when it
// is not the caller's own block.
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's bytes. With nGrowBytes 0 the file is the buffer's
    // content, fixed in size; otherwise it starts empty and may grow.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    BYTE* Detach();

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    CFile* Duplicate() const override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;

    // The growth step and the capacity of the current block.
    UINT GetGrowBytes() const { return m_nGrowBytes; }
    SIZE_T GetBufferSize() const { return m_nBufferSize; }

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the block hold at least dwNewLen bytes.
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes = 1024;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE; // the block is ours to free
};

// A text file read and written in lines.
//
// In text mode (the default; typeBinary turns it off) "\r\n" reads as "\n" and
// "\n" is written as "\r\n". Characters are stored in a code page, by default the
// ANSI code page (CP_ACP); SetCodePage picks another, e.g. CP_UTF8, or 1200 for
// UTF-16LE text. A file opened with modeCreate | modeNoTruncate for writing
// appends: every write goes to the end. One object may be used from several
// threads (a log written by workers): each call completes before the next starts.
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    static constexpr UINT codePageUtf16 = 1200;

    CStdioFile();
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // The next line without its end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);
    // Up to nMax - 1 characters of the next line, keeping its "\n"; nullptr at the end.
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual void WriteString(LPCTSTR lpsz);

    void SetCodePage(UINT codePage) { m_codePage = codePage; }
    UINT GetCodePage() const { return m_codePage; }

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Abort() override;
    void Close() override;

protected:
    // Reads the raw bytes of the next line into line (with its "\n", if any);
    // FALSE when the file has no more bytes.
    BOOL ReadLineBytes(std::string& line);
    void DropReadBuffer();
    BOOL FillReadBuffer();

    mutable std::recursive_mutex m_lock; // the read-ahead and the handle's position
    UINT m_codePage = CP_ACP;
    BOOL m_bTextMode = TRUE;
    BOOL m_bAppend = FALSE;
    std::string m_readBuffer;  // bytes read ahead from the file
    size_t m_readOffset = 0;   // first unread byte of m_readBuffer
};

// Lists a folder: FindFile(pattern) starts the search, each FindNextFile makes the
// next entry current and answers whether another one follows:
//     CFileFind finder;
//     for (BOOL more = finder.FindFile(L"C:\\dir\\*.mid"); more;) {
//         more = finder.FindNextFile();
//         ... finder.GetFilePath() ...
//     }
class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;

    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    BOOL GetCreationTime(FILETIME* pTimeStamp) const;

    BOOL MatchesMask(DWORD dwMask) const;
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

protected:
    CFindHandle m_hContext;
    WIN32_FIND_DATAW m_found = {};  // the current entry
    WIN32_FIND_DATAW m_next = {};   // the entry the next FindNextFile makes current
    BOOL m_bHasFound = FALSE;
    BOOL m_bHasNext = FALSE;
    CString m_strRoot;              // folder of the pattern, with a trailing separator
};
