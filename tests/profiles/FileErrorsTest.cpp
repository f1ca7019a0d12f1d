#include "core/files/FileErrors.h"
#include "core/files/ShellHelpers.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <set>
#include <string>

namespace {

class FileErrorsTest : public ShellTest {};

TEST_F(FileErrorsTest, EveryCauseHasItsSentenceFollowedByThePath)
{
    const CString unknown = GetFileErrorSentence(CFileException::none);
    std::set<std::wstring> sentences{unknown.GetString()};
    for (const int cause : {CFileException::fileNotFound, CFileException::badPath, CFileException::tooManyOpenFiles,
                            CFileException::accessDenied, CFileException::invalidFile, CFileException::sharingViolation,
                            CFileException::lockViolation, CFileException::diskFull, CFileException::endOfFile}) {
        m_shell.messages.clear();
        ShowFileException(L"C:\\data\\x.mid", CFileException(cause));
        ASSERT_EQ(m_shell.messages.size(), 1u);
        EXPECT_EQ(m_shell.messages[0].text, GetFileErrorSentence(cause) + L"C:\\data\\x.mid") << cause;
        EXPECT_FALSE(m_shell.messages[0].caption.IsEmpty());
        EXPECT_TRUE(sentences.insert(GetFileErrorSentence(cause).GetString()).second) << "a sentence of its own: " << cause;
    }
    EXPECT_EQ(GetFileErrorSentence(CFileException::hardIO), unknown);
    EXPECT_EQ(GetFileErrorSentence(99), unknown);
    m_shell.messages.clear();
    ShowFileException(L"C:\\y.sty", static_cast<const CFileException*>(nullptr));
    ASSERT_EQ(m_shell.messages.size(), 1u);
    EXPECT_EQ(m_shell.messages[0].text, unknown + L"\nC:\\y.sty");
}

TEST_F(FileErrorsTest, OpenFileWithMessageReportsUnlessQuiet)
{
    CFile file;
    EXPECT_FALSE(OpenFileWithMessage(file, Folder() + L"missing.mid", CFile::modeRead));
    ASSERT_EQ(m_shell.messages.size(), 1u);
    EXPECT_EQ(m_shell.messages[0].text, GetFileErrorSentence(CFileException::fileNotFound) + Folder() + L"missing.mid");

    EXPECT_FALSE(OpenFileWithMessage(file, Folder() + L"missing.mid", CFile::modeRead, true));
    EXPECT_EQ(m_shell.messages.size(), 1u);

    WriteText(Folder() + L"present.mid", "abc");
    EXPECT_TRUE(OpenFileWithMessage(file, Folder() + L"present.mid", CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 3u);
    file.Close();
    EXPECT_EQ(m_shell.messages.size(), 1u);
}

class ShellHelpersTest : public ShellTest {};
using Paths = std::vector<CString>;

TEST_F(ShellHelpersTest, CopyPairsAsManyAsTheShorterListAndSkipsEmptyLists)
{
    EXPECT_EQ(CopyFiles(Paths{}, Paths{L"b"}), 1);
    EXPECT_EQ(CopyFiles(Paths{L"a"}, Paths{}), 1);
    EXPECT_TRUE(m_shell.copies.empty());

    m_shell.copyResult = 0;
    EXPECT_EQ(CopyFiles(Paths{L"a1", L"a2", L"a3"}, Paths{L"b1", L"b2"}), 0);
    ASSERT_EQ(m_shell.copies.size(), 1u);
    EXPECT_EQ(m_shell.copies[0].sources, (Paths{L"a1", L"a2"}));
    EXPECT_EQ(m_shell.copies[0].destinations, (Paths{L"b1", L"b2"}));

    m_shell.copyResult = 1223; // the user cancelled
    EXPECT_EQ(CopyFiles(Paths{L"a"}, Paths{L"b"}), 1223);
}

TEST_F(ShellHelpersTest, DeleteGoesToTheRecycleBinUnlessPermanent)
{
    EXPECT_EQ(DeleteFiles(Paths{}, false), 1);
    EXPECT_TRUE(m_shell.deletes.empty());
    EXPECT_EQ(DeleteFiles(Paths{L"x", L"y"}, false), 0);
    EXPECT_EQ(DeleteFiles(Paths{L"z"}, true), 0);
    ASSERT_EQ(m_shell.deletes.size(), 2u);
    EXPECT_FALSE(m_shell.deletes[0].permanent);
    EXPECT_EQ(m_shell.deletes[0].paths.size(), 2u);
    EXPECT_TRUE(m_shell.deletes[1].permanent);
}

TEST_F(ShellHelpersTest, OpenReportsTheSystemErrorOnlyWhenAsked)
{
    EXPECT_TRUE(ShellOpen(L"C:\\help\\english.chm"));
    EXPECT_TRUE(m_shell.messages.empty());

    m_shell.openSucceeds = false;
    m_shell.openError = ERROR_FILE_NOT_FOUND;
    EXPECT_FALSE(ShellOpen(L"C:\\nothing.chm", false));
    EXPECT_TRUE(m_shell.messages.empty());
    EXPECT_FALSE(ShellOpen(L"C:\\nothing.chm"));
    ASSERT_EQ(m_shell.messages.size(), 1u);
    EXPECT_EQ(m_shell.messages[0].text, GetSystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(m_shell.messages[0].text.IsEmpty());
    EXPECT_EQ(m_shell.opened.size(), 3u);
}

TEST_F(ShellHelpersTest, BrowseStartsAtTheGivenFolderAndKeepsItOnCancel)
{
    CString folder = L"C:\\start\\";
    EXPECT_FALSE(BrowseForFolder(nullptr, folder));
    EXPECT_EQ(folder, CString(L"C:\\start\\"));
    m_shell.browseAnswer = L"D:\\chosen";
    EXPECT_TRUE(BrowseForFolder(nullptr, folder));
    EXPECT_EQ(folder, CString(L"D:\\chosen"));
    ASSERT_EQ(m_shell.browseStart.size(), 2u);
    EXPECT_EQ(m_shell.browseStart[0], CString(L"C:\\start\\"));
}

TEST_F(ShellHelpersTest, ReplacementsNestAndRestore)
{
    RecordingShell inner;
    {
        CScopedShellOperations scope(inner);
        ShowPlainMessageBox(L"inner");
    }
    ShowPlainMessageBox(L"outer", MB_YESNO);
    ASSERT_EQ(inner.messages.size(), 1u);
    ASSERT_EQ(m_shell.messages.size(), 1u);
    EXPECT_EQ(m_shell.messages[0].text, CString(L"outer"));
    EXPECT_EQ(m_shell.messages[0].type, static_cast<UINT>(MB_YESNO));
}

} // namespace
