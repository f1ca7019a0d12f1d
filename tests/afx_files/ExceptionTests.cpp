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

TEST(Exceptions, Win32ErrorsMapToTheFileCausesTheProgramActsOn)
{
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_HANDLE_DISK_FULL));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_INVALID_NAME));
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(NO_ERROR));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(123456));
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

TEST(Exceptions, CatchMacrosDeleteAtTheEndOfTheBlockUnlessPassedOn)
{
    g_destroyed = 0;
    TRY {
        THROW(new CCountedException);
    }
    CATCH(CCountedException, e) {
        EXPECT_NE(nullptr, e);
        EXPECT_EQ(0, g_destroyed);
    }
    END_CATCH
    EXPECT_EQ(1, g_destroyed);

    // THROW_LAST passes the same exception on without deleting it.
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
        EXPECT_EQ(inner, e);
        EXPECT_EQ(1, g_destroyed);
        e->Delete();
    }
    EXPECT_EQ(2, g_destroyed);

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
