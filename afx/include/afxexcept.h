// Exceptions of the layer.
//
// How exceptions travel: by pointer, as framework code has always done.
//   * Throwing code allocates the exception and throws the pointer:
//         throw new CFileException(CFileException::diskFull, ERROR_DISK_FULL, path);
//     or calls one of the AfxThrow... helpers, which do exactly that.
//   * A plain C++ handler catches the pointer and must dispose of it with Delete():
//         try { ... } catch (CException* e) { e->Delete(); }
//     Delete() frees heap exceptions and leaves alone those that are not
//     auto-delete (the shared out-of-memory exception, exceptions on the stack).
//   * The TRY / CATCH / AND_CATCH / END_CATCH, CATCH_ALL / END_CATCH_ALL macros map
//     onto C++ try/catch of the pointer type. A CATCH block deletes its exception
//     when the block is left normally; THROW_LAST() (or THROW(e) of the same
//     exception) passes it on instead, and nothing is deleted then. Inside a
//     CATCH block do not call Delete() yourself.
// Never throw exception objects by value: every handler in the layer catches
// pointers.
#pragma once

#include <windows.h>

#include <exception>

#include "afxobj.h"
#include "afxstr.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}
    ~CException() override = default;

    // Frees the exception if it was allocated to be thrown (auto-delete).
    void Delete();

    // Fills lpszError with a sentence describing the failure (at most nMaxError
    // characters including the terminator); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // Shows the sentence (or the string nMessageID, or a generic sentence) through
    // AfxMessageBox (so the message-box hook sees it) and returns the box's answer.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete = TRUE;

protected:
    // Copies text into the caller's buffer, cut to fit; FALSE when nothing fits.
    static BOOL CopyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError);
};

// Exceptions that carry no data besides their kind.
class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    virtual LPCTSTR DefaultMessage() const = 0;
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    explicit CMemoryException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR DefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR DefaultMessage() const override;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR DefaultMessage() const override;
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR DefaultMessage() const override;
};

// Thrown after the user has already been told (failed dialog validation).
class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    explicit CUserException(BOOL bAutoDelete = TRUE) : CSimpleException(bAutoDelete) {}
protected:
    LPCTSTR DefaultMessage() const override;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    // The numbers are part of the contract: callers map them to their own texts.
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);

    // Sets the cause, OS error and file name at once (used by CFile::Open).
    void Set(int cause, LONG lOsError, LPCTSTR lpszFileName);

    // Maps a Win32 error code to one of the causes above (genericException when unknown).
    static int OsErrorToException(LONG lOsError);
    // Maps a C runtime errno value to a cause.
    static int ErrnoToException(int nErrno);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    [[noreturn]] static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause = none;
    LONG m_lOsError = -1;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none = 0,
        genericException = 1,
        readOnly = 2,
        endOfFile = 3,
        writeOnly = 4,
        badIndex = 5,
        badClass = 6,
        badSchema = 7,
        bufferFull = 8,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause = none;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
// Throws the one shared out-of-memory exception (allocating it could fail).
[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();

// --- TRY / CATCH over C++ exceptions ------------------------------------------

// Deletes a caught exception when its CATCH block is left normally. When the
// block is left by an exception (THROW_LAST, THROW(e) of the same object, or a
// new one), the exception may still be in flight and is left alone.
class AfxCaughtException {
public:
    explicit AfxCaughtException(CException* e) : m_exception(e), m_uncaught(std::uncaught_exceptions()) {}
    ~AfxCaughtException()
    {
        if (m_exception != nullptr && std::uncaught_exceptions() <= m_uncaught)
            m_exception->Delete();
    }
    AfxCaughtException(const AfxCaughtException&) = delete;
    AfxCaughtException& operator=(const AfxCaughtException&) = delete;

private:
    CException* m_exception;
    int m_uncaught;
};

#define TRY try {
#define CATCH(class_name, e) } catch (class_name* e) { AfxCaughtException afxCaught_##e(e);
#define AND_CATCH(class_name, e) } catch (class_name* e) { AfxCaughtException afxCaught_##e(e);
#define END_CATCH }
#define CATCH_ALL(e) } catch (CException* e) { AfxCaughtException afxCaught_##e(e);
#define AND_CATCH_ALL(e) } catch (CException* e) { AfxCaughtException afxCaught_##e(e);
#define END_CATCH_ALL }
#define THROW(e) throw (e)
#define THROW_LAST() throw
#define DELETE_EXCEPTION(e)                                                              \
    do {                                                                                 \
        if ((e) != nullptr)                                                              \
            (e)->Delete();                                                               \
    } while (0)
