#include "TestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <tuple>

#include <gtest/gtest.h>

using afx_files_test::CauseOfThrow;
using keyloft_test::LoadBytes;
using keyloft_test::StoredBytes;

namespace {

std::vector<BYTE> StringBytes(const CString& text) { return StoredBytes([&](CArchive& ar) { ar << text; }); }

CString StringFrom(const std::vector<BYTE>& bytes)
{
    CString text;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> text; });
    return text;
}

} // namespace

TEST(ArchiveValues, PrimitivesRoundTripLittleEndian)
{
    const std::vector<BYTE> bytes = StoredBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0xDEADBEEF) << 1.5f << -2.25 << static_cast<LONGLONG>(-3)
           << static_cast<ULONGLONG>(0x0102030405060708ULL) << 42 << static_cast<short>(-7) << 'c' << L'\u4F60'
           << 7u << true;
    });
    ASSERT_EQ(1u + 2 + 4 + 4 + 4 + 8 + 8 + 8 + 4 + 2 + 1 + 2 + 4 + 1, bytes.size());
    EXPECT_EQ(0xAB, bytes[0]);
    EXPECT_EQ(0x34, bytes[1]);
    EXPECT_EQ(0x12, bytes[2]);
    EXPECT_EQ(0xEF, bytes[7]);

    LoadBytes(bytes, [](CArchive& ar) {
        BYTE b = 0;
        WORD w = 0;
        LONG l = 0;
        DWORD dw = 0;
        float f = 0;
        double d = 0;
        LONGLONG ll = 0;
        ULONGLONG ull = 0;
        int i = 0;
        short s = 0;
        char ch = 0;
        wchar_t wch = 0;
        unsigned u = 0;
        bool flag = false;
        ar >> b >> w >> l >> dw >> f >> d >> ll >> ull >> i >> s >> ch >> wch >> u >> flag;
        EXPECT_EQ(std::make_tuple(0xAB, 0x1234, -2L, 0xDEADBEEFul, 1.5f, -2.25, -3LL, 0x0102030405060708ULL),
                  std::make_tuple(int{b}, int{w}, l, dw, f, d, ll, ull));
        EXPECT_EQ(std::make_tuple(42, short{-7}, 'c', L'\u4F60', 7u, true), std::make_tuple(i, s, ch, wch, u, flag));
        EXPECT_TRUE(ar.IsBufferEmpty());
        BYTE more = 0;
        EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] { ar >> more; }));
    });
}

TEST(ArchiveValues, WideStringLengthPrefixEscalates)
{
    struct Case {
        int length;
        std::vector<BYTE> prefix; // after the FF FE FF marker
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}}, // 0xFFFE would read as the marker
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += static_cast<wchar_t>(L'A' + i % 26);
        const std::vector<BYTE> bytes = StringBytes(text);
        std::vector<BYTE> expectedHead = {0xFF, 0xFE, 0xFF};
        expectedHead.insert(expectedHead.end(), c.prefix.begin(), c.prefix.end());
        ASSERT_EQ(expectedHead.size() + 2 * static_cast<size_t>(c.length), bytes.size()) << c.length;
        EXPECT_TRUE(std::equal(expectedHead.begin(), expectedHead.end(), bytes.begin())) << c.length;
        EXPECT_EQ(text, StringFrom(bytes)) << c.length;
    }
}

TEST(ArchiveValues, NarrowStringsHaveNoMarkerAndLiteralsStoreAsStrings)
{
    const CStringA narrow("abc");
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { ar << narrow; });
    EXPECT_EQ((std::vector<BYTE>{3, 'a', 'b', 'c'}), bytes);
    // Narrow text loads into a wide string, and wide text into a narrow one.
    EXPECT_EQ(CString(L"abc"), StringFrom(bytes));
    CStringA back;
    LoadBytes(StringBytes(L"xyz"), [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(CStringA("xyz"), back);

    // A literal stores exactly as the string object holding it.
    const CString chinese = L"\u672A\u8FDE\u63A5";
    EXPECT_EQ(StringBytes(chinese), StoredBytes([&](CArchive& ar) { ar << L"\u672A\u8FDE\u63A5"; }));

    const CStringA longNarrow('q', 300);
    const std::vector<BYTE> longBytes = StoredBytes([&](CArchive& ar) { ar << longNarrow; });
    EXPECT_EQ((std::vector<BYTE>{0xFF, 0x2C, 0x01}), std::vector<BYTE>(longBytes.begin(), longBytes.begin() + 3));
    CStringA longBack;
    LoadBytes(longBytes, [&](CArchive& ar) { ar >> longBack; });
    EXPECT_EQ(longNarrow, longBack);
}

TEST(ArchiveValues, CountsEscalate)
{
    const std::vector<BYTE> bytes = StoredBytes([](CArchive& ar) {
        ar.WriteCount(3);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
    });
    EXPECT_EQ((std::vector<BYTE>{3, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}), bytes);
    // Counts are checked against the bytes that follow, so pad the stream.
    std::vector<BYTE> padded = bytes;
    padded.resize(padded.size() + 0x10000);
    LoadBytes(padded, [](CArchive& ar) {
        EXPECT_EQ(3u, ar.ReadCount());
        EXPECT_EQ(0xFFFEu, ar.ReadCount());
        EXPECT_EQ(0xFFFFu, ar.ReadCount());
    });
}

TEST(ArchiveValues, RectanglesAndRawBytes)
{
    const RECT rect = {1, -2, 300, 400};
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) {
        ar << rect;
        ar.Write("raw", 3);
        ar.WriteString(L"line one\r\nline two");
    });
    EXPECT_EQ(16u + 3 + 18 * 2, bytes.size());
    LoadBytes(bytes, [&](CArchive& ar) {
        RECT back = {};
        ar >> back;
        EXPECT_TRUE(::EqualRect(&rect, &back));
        char raw[5] = {};
        EXPECT_EQ(3u, ar.Read(raw, 3));
        EXPECT_STREQ("raw", raw);
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(CString(L"line one"), line);
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_EQ(CString(L"line two"), line);
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_EQ(0u, ar.Read(raw, 3)); // raw reads answer what they got
    });
    // A rectangle cut short is an end-of-file error.
    LoadBytes(std::vector<BYTE>(bytes.begin(), bytes.begin() + 10), [](CArchive& ar) {
        RECT back = {};
        EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] { ar >> back; }));
    });
}

TEST(ArchiveValues, LargeDataPassesThroughSmallBuffers)
{
    std::vector<BYTE> big(100000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 13);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 200);
        for (int i = 0; i < 1000; ++i)
            ar << i;
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar << CString(L"end");
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 200);
    for (int i = 0; i < 1000; ++i) {
        int value = -1;
        ar >> value;
        ASSERT_EQ(i, value);
    }
    std::vector<BYTE> back(big.size());
    ar.ReadExact(back.data(), static_cast<UINT>(back.size()));
    EXPECT_EQ(big, back);
    CString end;
    ar >> end;
    EXPECT_EQ(CString(L"end"), end);
}

TEST(ArchiveValues, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    int value = 0;
    EXPECT_EQ(CArchiveException::writeOnly, CauseOfThrow<CArchiveException>([&] { storing >> value; }));
    storing.Abort();

    BYTE byte = 1;
    CMemFile source(&byte, 1);
    CArchive loading(&source, CArchive::load);
    EXPECT_EQ(CArchiveException::readOnly, CauseOfThrow<CArchiveException>([&] { loading << 5; }));
    EXPECT_TRUE(loading.IsLoading());
}

TEST(ArchiveValues, CloseLeavesTheFileWhereReadingStopped)
{
    std::vector<BYTE> bytes = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    {
        CArchive ar(&file, CArchive::load);
        int first = 0;
        ar >> first;
        EXPECT_EQ(1, first);
        ar.Close();
    }
    EXPECT_EQ(4u, file.GetPosition());
}
