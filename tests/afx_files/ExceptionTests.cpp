#include "TestSupport.h"

#include <afxwin.h>

#include <gtest/gtest.h>

namespace {

// An exception that counts its destructions, to see who deletes what.
int g_destroyed = 0;
class CCountedException : public CException {
public:
    ~CCountedException() override { ++g_destroyed; }
};

CString g_reportedText;
UINT g_reportedType = 0;
int CALLBACK RecordingBox(HWND, LPCTSTR text, LPCTSTR, UINT type, LPVOID)
{
    g_reportedText = text;
    g_reportedType = type;
    return IDOK;
}

} // namespace

TEST(Exceptions, Win32ErrorsMapToFileCauses)
{
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(NO_ERROR));
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CFileException::tooManyOpenFiles, CFileException::OsErrorToException(ERROR_TOO_MANY_OPEN_FILES));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::invalidFile, CFileException::OsErrorToException(ERROR_INVALID_HANDLE));
    EXPECT_EQ(CFileException::removeCurrentDir, CFileException::OsErrorToException(ERROR_CURRENT_DIRECTORY));
    EXPECT_EQ(CFileException::directoryFull, CFileException::OsErrorToException(ERROR_CANNOT_MAKE));
    EXPECT_EQ(CFileException::badSeek, CFileException::OsErrorToException(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(CFileException::hardIO, CFileException::OsErrorToException(ERROR_CRC));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::lockViolation, CFileException::OsErrorToException(ERROR_LOCK_VIOLATION));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(CFileException::endOfFile, CFileException::OsErrorToException(ERROR_HANDLE_EOF));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_INVALID_NAME));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(123456));
    // The numbers themselves are what callers switch on.
    EXPECT_EQ(2, CFileException::fileNotFound);
    EXPECT_EQ(11, CFileException::sharingViolation);
    EXPECT_EQ(14, CFileException::endOfFile);
    EXPECT_EQ(3, CArchiveException::endOfFile);
    EXPECT_EQ(8, CArchiveException::bufferFull);
}

TEST(Exceptions, ThrownByPointerAndCaughtAsBase)
{
    try {
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, L"C:\\out.sty");
        FAIL() << "nothing thrown";
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* file = static_cast<CFileException*>(e);
        EXPECT_EQ(CFileException::diskFull, file->m_cause);
        EXPECT_EQ(ERROR_DISK_FULL, file->m_lOsError);
        EXPECT_EQ(CString(L"C:\\out.sty"), file->m_strFileName);
        wchar_t text[256] = {};
        EXPECT_TRUE(e->GetErrorMessage(text, 256));
        EXPECT_NE(nullptr, std::wcsstr(text, L"C:\\out.sty"));
        e->Delete();
    }
}

TEST(Exceptions, ErrorMessageIsCutToTheCallersBuffer)
{
    CArchiveException e(CArchiveException::badClass, L"layout.bin");
    wchar_t text[8];
    std::wmemset(text, L'#', 8);
    EXPECT_TRUE(e.GetErrorMessage(text, 8));
    EXPECT_EQ(7u, std::wcslen(text));
    EXPECT_FALSE(e.GetErrorMessage(text, 0));
}

TEST(Exceptions, SharedOutOfMemoryExceptionSurvivesDelete)
{
    CMemoryException* first = nullptr;
    CMemoryException* second = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        second = e;
        e->Delete();
    }
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first->m_bAutoDelete);
}

TEST(Exceptions, CatchMacroDeletesTheExceptionAtTheEndOfTheBlock)
{
    g_destroyed = 0;
    bool caught = false;
    TRY {
        THROW(new CCountedException);
    }
    CATCH(CCountedException, e) {
        caught = e != nullptr;
        EXPECT_EQ(0, g_destroyed);
    }
    END_CATCH
    EXPECT_TRUE(caught);
    EXPECT_EQ(1, g_destroyed);
}

TEST(Exceptions, ThrowLastPassesTheSameExceptionOnWithoutDeletingIt)
{
    g_destroyed = 0;
    CException* outer = nullptr;
    CException* inner = nullptr;
    try {
        TRY {
            THROW(new CCountedException);
        }
        CATCH_ALL(e) {
            inner = e;
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        outer = e;
        EXPECT_EQ(0, g_destroyed);
        e->Delete();
    }
    EXPECT_EQ(inner, outer);
    EXPECT_EQ(1, g_destroyed);
}

TEST(Exceptions, AndCatchPicksTheMatchingHandler)
{
    int handler = 0;
    TRY {
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
    CATCH(CFileException, e) {
        handler = 1;
    }
    AND_CATCH(CArchiveException, e) {
        handler = e->m_cause == CArchiveException::badSchema ? 2 : 3;
    }
    END_CATCH
    EXPECT_EQ(2, handler);
}

TEST(Exceptions, ReportErrorShowsTheMessageThroughTheReplaceableBox)
{
    AFX_MSGBOX_HOOK previous = AfxSetMessageBoxHook(&RecordingBox);
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"missing.ini");
    EXPECT_EQ(IDOK, e.ReportError(MB_OK | MB_ICONSTOP));
    EXPECT_NE(-1, g_reportedText.Find(L"missing.ini"));
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), g_reportedType);

    CException bare(FALSE);
    bare.ReportError();
    EXPECT_FALSE(g_reportedText.IsEmpty());
    AfxSetMessageBoxHook(previous);
}
