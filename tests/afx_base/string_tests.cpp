// CString / CStringA: conversions, formatting, searching, editing, buffers, resources.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>

#include "test_resource_ids.h"

namespace {

// "未连接" ("not connected") in UTF-16 and in code page 936.
const wchar_t kNotConnectedWide[] = L"\u672A\u8FDE\u63A5";
const char kNotConnectedGbk[] = "\xCE\xB4\xC1\xAC\xBD\xD3";

TEST(StringConversion, CodePagesNullTextAndLengthLimitedConstructors)
{
    CW2A narrow(kNotConnectedWide, 936);
    EXPECT_STREQ(static_cast<const char*>(narrow), kNotConnectedGbk);
    EXPECT_EQ(narrow.GetLength(), 6);
    EXPECT_STREQ(static_cast<const wchar_t*>(CA2W(kNotConnectedGbk, 936)), kNotConnectedWide);

    EXPECT_EQ(static_cast<const char*>(CT2A(nullptr)), nullptr);
    EXPECT_EQ(static_cast<const wchar_t*>(CA2T(nullptr)), nullptr);
    EXPECT_STREQ(static_cast<const char*>(CT2A(L"")), "");

    const CString wide(L"Style 12 [A-Z] ~!@#");
    const CStringA ansi(wide);
    EXPECT_STREQ(ansi.GetString(), "Style 12 [A-Z] ~!@#");
    EXPECT_TRUE(CString(ansi) == wide);

    EXPECT_STREQ(CString(L"abcdef", 3), L"abc");
    EXPECT_STREQ(CString("abcdef", 2), L"ab");
    EXPECT_TRUE(CString(L"abc", -4).IsEmpty());
}

TEST(StringFormat, WideNarrowSelfReferenceAndLongOutput)
{
    CString text;
    text.Format(L"%s=%d [%.3d] %.2f %s", L"value", 42, 7, 3.14159, kNotConnectedWide);
    EXPECT_STREQ(text, L"value=42 [007] 3.14 \u672A\u8FDE\u63A5");
    // A narrow string inside a wide format needs %hs.
    text.Format(L"<%hs>", "narrow");
    EXPECT_STREQ(text, L"<narrow>");

    // String objects are passed directly, even into themselves.
    const CString name(L"Piano");
    text.Format(L"[%s] %d", name, 3);
    text.Format(L"%s%s", text, text);
    EXPECT_STREQ(text, L"[Piano] 3[Piano] 3");
    text.Format(L"");
    EXPECT_TRUE(text.IsEmpty());

    const CString chunk(L'a', 5000);
    text.Format(L"%s|%s", chunk, chunk);
    EXPECT_EQ(text.GetLength(), 10001);
    EXPECT_EQ(text[5000], L'|');
}

TEST(StringSearch, FindHandlesStartPositionsAtAndBeyondTheEnds)
{
    const CString text(L"abcabc");
    EXPECT_EQ(text.Find(L'c', 3), 5);
    EXPECT_EQ(text.Find(L'c', 6), -1);
    EXPECT_EQ(text.Find(L'c', 100), -1);
    EXPECT_EQ(text.Find(L'c', -1), -1);
    EXPECT_EQ(text.Find(L"bc", 2), 4);
    EXPECT_EQ(text.Find(L""), 0);
    EXPECT_EQ(text.Find(L"", 6), 6);
    EXPECT_EQ(text.ReverseFind(L'a'), 3);
    EXPECT_EQ(text.FindOneOf(L"xyc"), 2);
    EXPECT_EQ(text.FindOneOf(L""), -1);
    EXPECT_EQ(CString().Find(L'a'), -1);
}

TEST(StringSearch, ExtractionClampsCountsAndPositions)
{
    const CString text(L"Hello");
    EXPECT_STREQ(text.Left(99), L"Hello");
    EXPECT_TRUE(text.Left(-1).IsEmpty());
    EXPECT_STREQ(text.Right(99), L"Hello");
    EXPECT_STREQ(text.Mid(-2, 2), L"He");
    EXPECT_STREQ(text.Mid(4, 100), L"o");
    EXPECT_TRUE(text.Mid(50, 2).IsEmpty());
    EXPECT_TRUE(text.Mid(1, -3).IsEmpty());
    EXPECT_STREQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
    EXPECT_STREQ(CString(L"name=value").SpanExcluding(L"=:"), L"name");
}

TEST(StringSearch, TokenizeSkipsRunsOfDelimitersAndEndsWithMinusOne)
{
    const CString line(L",,alpha, beta,,gamma,");
    int position = 0;
    EXPECT_STREQ(line.Tokenize(L",", position), L"alpha");
    EXPECT_STREQ(line.Tokenize(L",", position), L" beta");
    EXPECT_STREQ(line.Tokenize(L",", position), L"gamma");
    EXPECT_TRUE(line.Tokenize(L",", position).IsEmpty());
    EXPECT_EQ(position, -1);
    // Calling again after the end stays at the end.
    EXPECT_TRUE(line.Tokenize(L",", position).IsEmpty());
    EXPECT_EQ(position, -1);

    position = 0;
    EXPECT_TRUE(CString(L"   ").Tokenize(L" ", position).IsEmpty());
    EXPECT_EQ(position, -1);
    position = 0;
    EXPECT_STREQ(CString(L"a b").Tokenize(L"", position), L"a b");
    EXPECT_TRUE(CString(L"a b").Tokenize(L"", position).IsEmpty());
    EXPECT_EQ(position, -1);
}

TEST(StringEdit, ReplaceRemoveInsertDeleteTrimAndCase)
{
    CString text(L"a&b&&c");
    EXPECT_EQ(text.Replace(L"&", L"&&"), 3);
    EXPECT_STREQ(text, L"a&&b&&&&c");
    EXPECT_EQ(text.Replace(L"&&", L""), 3);
    EXPECT_STREQ(text, L"abc");
    EXPECT_EQ(text.Replace(L"", L"x"), 0);

    text = L"banana";
    EXPECT_EQ(text.Remove(L'a'), 3);
    EXPECT_EQ(text.Insert(1, L'a'), 4);
    EXPECT_EQ(text.Insert(100, L"!"), 5);
    EXPECT_EQ(text.Insert(-3, L"<"), 6);
    EXPECT_STREQ(text, L"<bann!");
    EXPECT_EQ(text.Delete(1, 2), 4);
    EXPECT_EQ(text.Delete(3, 100), 3);
    EXPECT_EQ(text.Delete(10), 3);
    EXPECT_STREQ(text, L"<nn");

    CString padded(L"  xx--body--xx\t\r\n");
    padded.Trim();
    padded.Trim(L'x');
    EXPECT_STREQ(padded, L"--body--");
    padded.TrimLeft(L"-");
    padded.TrimRight(L"-y");
    EXPECT_STREQ(padded, L"bod");
    CString blank(L" \t ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(StringCompare, CaseInsensitiveAndMixedWidthConcatenation)
{
    const CString a(L"Alpha");
    EXPECT_EQ(a.CompareNoCase(L"aLPHA"), 0);
    EXPECT_NE(a.CompareNoCase(L"alphab"), 0);
    EXPECT_LT(a.Compare(L"Beta"), 0);
    EXPECT_TRUE(a != L"alpha");
    EXPECT_EQ(CStringA("Key").CompareNoCase("kEY"), 0);

    CString appended = CString(L"1") + L"2" + L'3';
    appended += "4";
    appended += CStringA("5");
    EXPECT_STREQ(appended, L"12345");
}

TEST(StringAccess, IndexesOutsideTheStringAreRefused)
{
    CString text(L"abc");
    text.SetAt(1, L'X');
    EXPECT_EQ(text.GetAt(2), L'c');
    EXPECT_ANY_THROW(text.GetAt(3));
    EXPECT_ANY_THROW(text.GetAt(-1));
    EXPECT_ANY_THROW(text.SetAt(3, L'z'));
    EXPECT_STREQ(text, L"aXc");
}

TEST(StringBuffer, WrittenTextIsTakenUpToTheZeroOrTheGivenLength)
{
    CString text(L"old");
    wchar_t* buffer = text.GetBuffer(64);
    ASSERT_NE(buffer, nullptr);
    wcscpy(buffer, L"written by an API");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 17);

    buffer = text.GetBuffer(4);
    buffer[0] = L'W';
    text.ReleaseBuffer(7);
    EXPECT_STREQ(text, L"Written");

    buffer = text.GetBufferSetLength(3);
    buffer[2] = L'T';
    text.ReleaseBufferSetLength(3);
    EXPECT_STREQ(text, L"WrT");

    // A length beyond the buffer is clamped to it.
    text.GetBuffer(2);
    text.ReleaseBuffer(1000);
    EXPECT_EQ(text.GetLength(), 3);

    // A buffer without a terminating zero ends at its size.
    CStringA bytes;
    memcpy(bytes.GetBuffer(4), "wxyz", 4);
    bytes.ReleaseBuffer();
    EXPECT_STREQ(bytes, "wxyz");
}

TEST(StringResources, LoadStringFindsTheTableEntries)
{
    CString text;
    ASSERT_TRUE(text.LoadString(IDS_TEST_NOT_CONNECTED));
    EXPECT_STREQ(text, kNotConnectedWide);
    ASSERT_TRUE(text.LoadString(IDS_TEST_LAST_IN_BLOCK));
    EXPECT_STREQ(text, L"last");

    text = L"unchanged";
    EXPECT_FALSE(text.LoadString(IDS_TEST_MISSING));
    EXPECT_FALSE(text.LoadString(60001));
    EXPECT_STREQ(text, L"unchanged");

    text.Format(IDS_TEST_COUNT_FORMAT, 3, L"songs");
    EXPECT_STREQ(text, L"3 of songs");
    EXPECT_STREQ(CString(MAKEINTRESOURCE(IDS_TEST_LAST_IN_BLOCK)), L"last");
}

TEST(StringResources, FallsBackToTheProgramWhenTheResourceModuleLacksTheString)
{
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"ntdll.dll"));
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_TEST_LAST_IN_BLOCK));
    EXPECT_STREQ(text, L"last");
    EXPECT_FALSE(text.LoadString(::GetModuleHandleW(L"ntdll.dll"), IDS_TEST_LAST_IN_BLOCK));
    AfxSetResourceHandle(previous);
}

TEST(StringHash, EqualTextHashesEquallyAcrossForms)
{
    EXPECT_EQ(HashKey(L"key"), HashKey(CString(L"key")));
    EXPECT_EQ(HashKey("key"), HashKey(CStringA("key")));
    EXPECT_NE(HashKey(L"key1"), HashKey(L"key2"));
    EXPECT_EQ(HashKey(static_cast<LPCWSTR>(nullptr)), 0u);
}

TEST(StringHelpers, ExtractSubStringSplitsPromptAndTip)
{
    CString field;
    EXPECT_TRUE(AfxExtractSubString(field, L"Open a song\nOpen", 1));
    EXPECT_STREQ(field, L"Open");
    EXPECT_FALSE(AfxExtractSubString(field, L"Open a song\nOpen", 2));
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_TRUE(AfxExtractSubString(field, L"a;;c", 1, L';'));
    EXPECT_TRUE(field.IsEmpty());
    EXPECT_TRUE(AfxExtractSubString(field, L"a;;c", 2, L';'));
    EXPECT_STREQ(field, L"c");
    EXPECT_FALSE(AfxExtractSubString(field, nullptr, 0));
}

TEST(StringHelpers, FormatStringsReplacesNumberedPlaceholders)
{
    const LPCTSTR values[2] = {L"song.mid", L"C:\\data"};
    CString text;
    AfxFormatStrings(text, L"%1 saved in %2 (100%)", values, 2);
    EXPECT_STREQ(text, L"song.mid saved in C:\\data (100%)");
    AfxFormatStrings(text, L"%2%1%3", values, 2);
    EXPECT_STREQ(text, L"C:\\datasong.mid%3");
    AfxFormatString1(text, IDS_TEST_COUNT_FORMAT, L"x");
    EXPECT_STREQ(text, L"%d of %s");
}

} // namespace
