#include "core/files/StdioFileEx.h"
#include "tests/profiles/ProfilesTestSupport.h"

namespace {

class StdioFileExTest : public ProgramFolderTest {
protected:
    std::vector<CString> ReadLines(const std::vector<std::uint8_t>& bytes, CStdioFileEx::Encoding& encoding)
    {
        const CString path = Folder() + L"list.ins";
        WriteBytes(path, bytes);
        CStdioFileEx file;
        CFileException error;
        EXPECT_TRUE(file.Open(path, CFile::modeRead | CFile::typeText | CFile::shareDenyWrite, &error));
        encoding = file.GetEncoding();
        std::vector<CString> lines;
        CString line;
        while (file.ReadString(line))
            lines.push_back(line);
        file.Close();
        return lines;
    }
};

std::vector<std::uint8_t> Utf16(const std::wstring& text, bool bom)
{
    std::vector<std::uint8_t> bytes;
    if (bom)
        bytes = {0xFF, 0xFE};
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST_F(StdioFileExTest, AnsiTextWithoutMark)
{
    CStdioFileEx::Encoding encoding{};
    const std::string text = "1\tPiano\r\n2\tOrgan\r\n";
    const auto lines = ReadLines({text.begin(), text.end()}, encoding);
    EXPECT_EQ(encoding, CStdioFileEx::Encoding::Ansi);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], CString(L"1\tPiano"));
    EXPECT_EQ(lines[1], CString(L"2\tOrgan"));
}

TEST_F(StdioFileExTest, Utf16WithMarkIsDetectedAndTheMarkSkipped)
{
    CStdioFileEx::Encoding encoding{};
    const auto lines = ReadLines(Utf16(L"1\t\u94a2\u7434\r\n2\tOrgan", true), encoding);
    EXPECT_EQ(encoding, CStdioFileEx::Encoding::Utf16);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], CString(L"1\t\u94a2\u7434"));
    EXPECT_EQ(lines[1], CString(L"2\tOrgan"));
}

TEST_F(StdioFileExTest, Utf8WithMarkIsDetected)
{
    CStdioFileEx::Encoding encoding{};
    const std::string text = "\xEF\xBB\xBF" "7\t\xE9\x92\xA2\xE7\x90\xB4\n";
    const auto lines = ReadLines({text.begin(), text.end()}, encoding);
    EXPECT_EQ(encoding, CStdioFileEx::Encoding::Utf8);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], CString(L"7\t\u94a2\u7434"));
}

TEST_F(StdioFileExTest, EmptyAndOneByteFilesReadAsAnsi)
{
    CStdioFileEx::Encoding encoding{};
    EXPECT_TRUE(ReadLines({}, encoding).empty());
    EXPECT_EQ(encoding, CStdioFileEx::Encoding::Ansi);
    const auto lines = ReadLines({'x'}, encoding);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], CString(L"x"));
}

TEST_F(StdioFileExTest, MissingFileFailsWithItsCause)
{
    CStdioFileEx file;
    CFileException error;
    EXPECT_FALSE(file.Open(Folder() + L"none.ins", CFile::modeRead | CFile::typeText, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

} // namespace
