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

std::vector<std::uint8_t> Narrow8(const std::string& text)
{
    return {text.begin(), text.end()};
}

TEST_F(StdioFileExTest, EncodingComesFromTheMarkWhichIsSkipped)
{
    using Encoding = CStdioFileEx::Encoding;
    const struct {
        std::vector<std::uint8_t> bytes;
        Encoding encoding;
        std::vector<CString> lines;
    } cases[] = {
        {Narrow8("1\tPiano\r\n2\tOrgan\r\n"), Encoding::Ansi, {L"1\tPiano", L"2\tOrgan"}},
        {Utf16(L"1\t\u94a2\u7434\r\n2\tOrgan", true), Encoding::Utf16, {L"1\t\u94a2\u7434", L"2\tOrgan"}},
        {Narrow8("\xEF\xBB\xBF" "7\t\xE9\x92\xA2\xE7\x90\xB4\n"), Encoding::Utf8, {L"7\t\u94a2\u7434"}},
        {{}, Encoding::Ansi, {}},
        {{'x'}, Encoding::Ansi, {L"x"}}, // one byte: too short for any mark
    };
    for (const auto& c : cases) {
        Encoding encoding{};
        EXPECT_EQ(ReadLines(c.bytes, encoding), c.lines) << c.bytes.size() << " bytes";
        EXPECT_EQ(encoding, c.encoding) << c.bytes.size() << " bytes";
    }
}

TEST_F(StdioFileExTest, MissingFileFailsWithItsCause)
{
    CStdioFileEx file;
    CFileException error;
    EXPECT_FALSE(file.Open(Folder() + L"none.ins", CFile::modeRead | CFile::typeText, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

} // namespace
