#include "TestSupport.h"

#include <memory>

#include <gtest/gtest.h>

using afx_files_test::CauseOfThrow;
using afx_files_test::ReadBytes;
using afx_files_test::TempFolder;
using afx_files_test::WriteBytes;

TEST(File, WriteSeekReadRoundTrip)
{
    TempFolder folder;
    const CString path = folder.File(L"data.bin");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite));
        file.Write("0123456789", 10);
        EXPECT_EQ(4u, file.Seek(4, CFile::begin));
        char part[3] = {};
        EXPECT_EQ(3u, file.Read(part, 3));
        EXPECT_EQ(0, std::memcmp(part, "456", 3));
        EXPECT_EQ(9u, file.Seek(2, CFile::current));
        EXPECT_EQ(8u, file.Seek(-2, CFile::end));
        EXPECT_EQ(10u, file.SeekToEnd());
        // Reading at the end answers 0, it does not throw.
        EXPECT_EQ(0u, file.Read(part, 3));
        file.SetLength(6);
        EXPECT_EQ(6u, file.GetPosition());
        EXPECT_EQ(CString(L"data.bin"), file.GetFileName());
        EXPECT_EQ(CString(L"data"), file.GetFileTitle());
        EXPECT_EQ(0, file.GetFilePath().CompareNoCase(path));
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_EQ((std::vector<BYTE>{'0', '1', '2', '3', '4', '5'}), ReadBytes(path));

    // modeNoTruncate keeps what is there; plain modeCreate empties it.
    CFile kept(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    EXPECT_EQ(6u, kept.GetLength());
    kept.Close();
    CFile truncated(path, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(0u, truncated.GetLength());
}

TEST(File, FailuresReportTheirCause)
{
    TempFolder folder;
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(folder.File(L"missing.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_NE(-1, error.m_strFileName.Find(L"missing.bin"));
    EXPECT_FALSE(file.Open(folder.File(L"no-such-folder\\x.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    const CString sub = folder.File(L"sub"); // a folder opened as a file
    ASSERT_TRUE(::CreateDirectoryW(sub, nullptr));
    EXPECT_FALSE(file.Open(sub, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::accessDenied, error.m_cause);
    EXPECT_FALSE(file.Open(folder.File(L"missing.bin"), CFile::modeRead));
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    // The constructor throws what Open would report.
    EXPECT_EQ(CFileException::fileNotFound,
              CauseOfThrow<CFileException>([&] { CFile absent(folder.File(L"absent.dat"), CFile::modeRead); }));

    const CString path = folder.File(L"held.bin");
    WriteBytes(path, {1, 2, 3});
    {
        CFile reader(path, CFile::modeRead | CFile::shareDenyWrite);
        EXPECT_EQ(CFileException::accessDenied, CauseOfThrow<CFileException>([&] { reader.Write("x", 1); }));
        CFile writer;
        EXPECT_FALSE(writer.Open(path, CFile::modeWrite | CFile::shareDenyNone, &error));
        EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    }
    CFile holder(path, CFile::modeWrite | CFile::shareExclusive);
    EXPECT_FALSE(file.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
}

TEST(File, StatusRenameAndRemove)
{
    TempFolder folder;
    const CString path = folder.File(L"song.mid");
    WriteBytes(path, std::vector<BYTE>(1234, 7));

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(1234u, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_NE(nullptr, std::wcsstr(status.m_szFullName, L"song.mid"));
    EXPECT_FALSE(CFile::GetStatus(folder.File(L"nothing.mid"), status));
    EXPECT_EQ(0u, status.m_size);

    const CString renamed = folder.File(L"renamed.mid");
    CFile::Rename(path, renamed);
    EXPECT_FALSE(CFile::GetStatus(path, status));
    EXPECT_TRUE(CFile::GetStatus(renamed, status));
    CFile::Remove(renamed);
    EXPECT_FALSE(CFile::GetStatus(renamed, status));
    EXPECT_EQ(CFileException::fileNotFound, CauseOfThrow<CFileException>([&] { CFile::Remove(renamed); }));
}

TEST(File, WrappedHandleIsNotClosedByTheObject)
{
    TempFolder folder;
    const CString path = folder.File(L"wrapped.bin");
    HANDLE handle = ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    {
        CFile file(handle);
        file.Write("abc", 3);
        file.SeekToBegin();
    }
    char text[3] = {};
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(handle, text, 3, &read, nullptr)); // still open
    EXPECT_EQ(3u, read);

    // An explicit Close() does close it.
    CFile closing(handle);
    closing.Close();
    EXPECT_FALSE(::CloseHandle(handle));
}

TEST(File, DuplicateSharesTheFileAndClosesItsOwnHandle)
{
    TempFolder folder;
    const CString path = folder.File(L"dup.bin");
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite);
    file.Write("abc", 3);
    std::unique_ptr<CFile> copy(file.Duplicate());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(3u, copy->GetPosition()); // one file object, one position
    copy->Write("d", 1);
    copy->Close();
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(CFile::hFileNull, copy->m_hFile);
    EXPECT_NE(CFile::hFileNull, file.m_hFile);
}
