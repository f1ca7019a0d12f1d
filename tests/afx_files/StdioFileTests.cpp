#include "TestSupport.h"

#include <thread>

#include <gtest/gtest.h>

using afx_files_test::ReadBytes;
using afx_files_test::TempFolder;
using afx_files_test::WriteBytes;

namespace {

std::vector<BYTE> Bytes(const char* text) { return std::vector<BYTE>(text, text + std::strlen(text)); }

std::vector<CString> ReadAllLines(const CString& path, UINT codePage = CP_ACP, UINT extraFlags = 0)
{
    CStdioFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead | extraFlags));
    file.SetCodePage(codePage);
    std::vector<CString> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(StdioFile, TextModeWritesCrLfAndReadsLinesBack)
{
    TempFolder folder;
    const CString path = folder.File(L"log.txt");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"View: DevName=A\n");
        file.WriteString(L"\n");
        file.WriteString(L"last");
    }
    {
        // Opened again without truncating, writing goes on at the end.
        CStdioFile appending(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        appending.WriteString(L"\n");
    }
    EXPECT_EQ(Bytes("View: DevName=A\r\n\r\nlast\r\n"), ReadBytes(path));
    const std::vector<CString> lines = ReadAllLines(path);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(CString(L"View: DevName=A"), lines[0]);
    EXPECT_EQ(CString(L""), lines[1]);
    EXPECT_EQ(CString(L"last"), lines[2]);
}

TEST(StdioFile, ReadsMixedLineEndsAndLongLines)
{
    TempFolder folder;
    const CString path = folder.File(L"mixed.txt");
    std::string content = "one\ntwo\r\n";
    content += std::string(10000, 'x');
    content += "\r\n";
    WriteBytes(path, Bytes(content.c_str()));
    const std::vector<CString> lines = ReadAllLines(path);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(CString(L"one"), lines[0]);
    EXPECT_EQ(CString(L"two"), lines[1]);
    EXPECT_EQ(10000, lines[2].GetLength());
}

TEST(StdioFile, BinaryModeKeepsCarriageReturnsAndUsesTheAnsiCodePage)
{
    TempFolder folder;
    const CString path = folder.File(L"bin.txt");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        EXPECT_EQ(static_cast<UINT>(CP_ACP), file.GetCodePage());
        file.WriteString(L"a\nb\r\n\u00E9");
    }
    const CStringA accent(L"\u00E9"); // converted through CP_ACP
    EXPECT_EQ(Bytes(CStringA("a\nb\r\n") + accent), ReadBytes(path));
    const std::vector<CString> lines = ReadAllLines(path, CP_ACP, CFile::typeBinary);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(CString(L"b\r"), lines[1]);
}

TEST(StdioFile, Cp936TextRoundTrip)
{
    TempFolder folder;
    const CString path = folder.File(L"gbk.ins");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.SetCodePage(936);
        file.WriteString(L"1\t\u4F60\u597D\n");
    }
    EXPECT_EQ((std::vector<BYTE>{'1', '\t', 0xC4, 0xE3, 0xBA, 0xC3, '\r', '\n'}), ReadBytes(path));
    const std::vector<CString> lines = ReadAllLines(path, 936);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(CString(L"1\t\u4F60\u597D"), lines[0]);

    // The character-buffer form never splits a double-byte character.
    CStdioFile file(path, CFile::modeRead);
    file.SetCodePage(936);
    wchar_t part[4] = {};
    ASSERT_NE(nullptr, file.ReadString(part, 4));
    EXPECT_STREQ(L"1\t\u4F60", part);
    ASSERT_NE(nullptr, file.ReadString(part, 4));
    EXPECT_STREQ(L"\u597D\n", part);
    EXPECT_EQ(nullptr, file.ReadString(part, 4));
}

TEST(StdioFile, Utf16LinesWhenAsked)
{
    TempFolder folder;
    const CString path = folder.File(L"wide.txt");
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.SetCodePage(CStdioFile::codePageUtf16);
        file.WriteString(L"\u952E\n\u76D8");
    }
    EXPECT_EQ((std::vector<BYTE>{0x2E, 0x95, '\r', 0, '\n', 0, 0xD8, 0x76}), ReadBytes(path));
    const std::vector<CString> lines = ReadAllLines(path, CStdioFile::codePageUtf16);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(CString(L"\u952E"), lines[0]);
    EXPECT_EQ(CString(L"\u76D8"), lines[1]);
}

TEST(StdioFile, PositionFollowsTheReaderNotTheReadAhead)
{
    TempFolder folder;
    const CString path = folder.File(L"pos.txt");
    WriteBytes(path, Bytes("ab\r\ncd\r\nef"));
    CStdioFile file(path, CFile::modeReadWrite | CFile::shareDenyNone);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(4u, file.GetPosition());
    // A write lands where reading stopped.
    file.WriteString(L"XY");
    EXPECT_EQ(Bytes("ab\r\nXY\r\nef"), ReadBytes(path));
    file.SeekToBegin();
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(CString(L"ab"), line);
}

TEST(StdioFile, LinesFromSeveralThreadsStayWhole)
{
    TempFolder folder;
    const CString path = folder.File(L"shared.log");
    {
        CStdioFile log(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyWrite);
        std::vector<std::thread> writers;
        for (int t = 0; t < 4; ++t) {
            writers.emplace_back([&log, t] {
                for (int i = 0; i < 300; ++i) {
                    CString line;
                    line.Format(L"thread %d line %03d ----------------------------------------\n", t, i);
                    log.WriteString(line);
                }
            });
        }
        for (auto& writer : writers)
            writer.join();
    }
    const std::vector<CString> lines = ReadAllLines(path);
    ASSERT_EQ(1200u, lines.size());
    for (const CString& line : lines) {
        EXPECT_EQ(0, line.Find(L"thread ")) << static_cast<LPCTSTR>(line);
        EXPECT_EQ(58, line.GetLength()) << static_cast<LPCTSTR>(line);
    }
}
