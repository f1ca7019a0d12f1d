// Collections stored in and loaded from an archive, and loading of damaged data.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayerExceptionCheck.h"

namespace {

// Stores with the function given and returns the bytes written.
template <class Store>
std::vector<BYTE> StoreToBytes(Store&& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const auto length = static_cast<UINT>(file.GetLength());
    std::vector<BYTE> bytes(length);
    file.SeekToBegin();
    file.Read(bytes.data(), length);
    return bytes;
}

template <class Load>
void LoadFromBytes(std::vector<BYTE> bytes, Load&& load)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}

TEST(CollectionArchive, ArraysListsAndMapsRoundTrip)
{
    CArray<int, int> numbers;
    for (int i = 0; i < 3000; ++i)
        numbers.Add(i * i);
    CStringArray names;
    names.Add(L"\u672A\u8FDE\u63A5");
    names.Add(L"");
    names.Add(L"Piano");
    CList<CString, const CString&> list;
    list.AddTail(L"a");
    list.AddTail(L"b");
    CMapStringToString map;
    map.SetAt(L"k1", L"v1");
    map.SetAt(L"k2", L"v2");

    const std::vector<BYTE> bytes = StoreToBytes([&](CArchive& ar) {
        numbers.Serialize(ar);
        names.Serialize(ar);
        list.Serialize(ar);
        map.Serialize(ar);
    });

    CArray<int, int> numbersBack;
    CStringArray namesBack;
    CList<CString, const CString&> listBack;
    CMapStringToString mapBack;
    LoadFromBytes(bytes, [&](CArchive& ar) {
        numbersBack.Serialize(ar);
        namesBack.Serialize(ar);
        listBack.Serialize(ar);
        mapBack.Serialize(ar);
    });
    ASSERT_EQ(numbersBack.GetSize(), 3000);
    EXPECT_EQ(numbersBack[2999], 2999 * 2999);
    ASSERT_EQ(namesBack.GetSize(), 3);
    EXPECT_STREQ(namesBack[0], L"\u672A\u8FDE\u63A5");
    EXPECT_TRUE(namesBack[1].IsEmpty());
    ASSERT_EQ(listBack.GetCount(), 2);
    EXPECT_STREQ(listBack.GetTail(), L"b");
    CString value;
    ASSERT_EQ(mapBack.GetCount(), 2);
    EXPECT_TRUE(mapBack.Lookup(L"k2", value));
    EXPECT_STREQ(value, L"v2");
}

TEST(CollectionArchive, ElementCountAndLayoutAreTheStoredForm)
{
    CDWordArray words;
    words.Add(0x11223344);
    words.Add(0x55667788);
    const std::vector<BYTE> bytes = StoreToBytes([&](CArchive& ar) { words.Serialize(ar); });
    const std::vector<BYTE> expected = {0x02, 0x00, 0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55};
    EXPECT_EQ(bytes, expected);
}

TEST(CollectionArchive, TruncatedAndHostileDataThrowWithoutHugeAllocations)
{
    CArray<int, int> numbers;
    for (int i = 0; i < 100; ++i)
        numbers.Add(i);
    std::vector<BYTE> bytes = StoreToBytes([&](CArchive& ar) { numbers.Serialize(ar); });
    bytes.resize(bytes.size() - 3);
    CArray<int, int> back;
    EXPECT_LAYER_THROW(LoadFromBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }), CArchiveException);

    // A count of 0xFFFFFFFF elements followed by a few bytes.
    const std::vector<BYTE> hostile = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8};
    CArray<double, double> doubles;
    EXPECT_LAYER_THROW(LoadFromBytes(hostile, [&](CArchive& ar) { doubles.Serialize(ar); }), CArchiveException);
    EXPECT_LE(doubles.GetSize(), 1024);
    CStringList strings;
    EXPECT_LAYER_THROW(LoadFromBytes(hostile, [&](CArchive& ar) { strings.Serialize(ar); }), CArchiveException);
    CMapStringToString map;
    EXPECT_LAYER_THROW(LoadFromBytes(hostile, [&](CArchive& ar) { map.Serialize(ar); }), CArchiveException);
}

TEST(CollectionArchive, ElementsThatOwnResourcesNeedTheirOwnSerialization)
{
    // Usable as a collection; only storing it needs SerializeElements.
    CArray<std::wstring> texts;
    texts.Add(L"owned");
    EXPECT_EQ(texts[0], L"owned");
    EXPECT_LAYER_THROW(StoreToBytes([&](CArchive& ar) { texts.Serialize(ar); }), CNotSupportedException);
}

} // namespace
