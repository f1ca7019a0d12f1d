#include "ArchiveTestClasses.h"
#include "TestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

using afx_files_test::AllocationWatch;
using afx_files_test::CauseOfThrow;

namespace {

std::vector<BYTE> Store(CObject& collection)
{
    return keyloft_test::StoredBytes([&](CArchive& ar) { collection.Serialize(ar); });
}

void LoadInto(CObject& collection, std::vector<BYTE> bytes)
{
    keyloft_test::LoadBytes(std::move(bytes), [&](CArchive& ar) { collection.Serialize(ar); });
}

} // namespace

TEST(CollectionSerialize, ObListKeepsOrderSharingAndNulls)
{
    CShape a(1, L"a");
    CCircle b(2, L"b", 3);
    CObList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(static_cast<CObject*>(nullptr));
    list.AddTail(&a);
    const std::vector<BYTE> bytes = Store(list);
    EXPECT_EQ(4, bytes[0]); // the count comes first
    EXPECT_EQ(0, bytes[1]);

    CObList back;
    LoadInto(back, bytes);
    ASSERT_EQ(4, back.GetCount());
    POSITION position = back.GetHeadPosition();
    CObject* first = back.GetNext(position);
    CObject* second = back.GetNext(position);
    CObject* third = back.GetNext(position);
    CObject* fourth = back.GetNext(position);
    std::unique_ptr<CObject> o1(first);
    std::unique_ptr<CObject> o2(second);
    EXPECT_TRUE(first->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(second->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(nullptr, third);
    EXPECT_EQ(first, fourth);
}

TEST(CollectionSerialize, OwningTypedListStoresAsAnObjectListAndOwnsWhatItLoads)
{
    COwningPtrList<CObList, CShape*> owning;
    owning.AddTail(new CShape(1, L"a"));
    owning.AddTail(new CCircle(2, L"b", 3));
    owning.AddTail(static_cast<CShape*>(nullptr));
    CObList plain;
    plain.AddTail(&owning);  // the same objects, listed without owning them
    const std::vector<BYTE> bytes = Store(owning);
    EXPECT_EQ(bytes, Store(plain));

    COwningPtrList<CObList, CShape*> back;
    LoadInto(back, bytes);
    ASSERT_EQ(3, back.GetCount());
    EXPECT_EQ(1, back.GetHead()->m_id);
    EXPECT_TRUE(back.GetAt(back.FindIndex(1))->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(nullptr, back.GetTail());
    CObList plainBack;
    LoadInto(plainBack, bytes);
    std::unique_ptr<CObject> c1(plainBack.GetHead());
    std::unique_ptr<CObject> c2(plainBack.GetAt(plainBack.FindIndex(1)));
    EXPECT_EQ(Store(back), Store(plainBack));
    plain.RemoveAll();
}

TEST(CollectionSerialize, ObArrayAndObjectMapRoundTrip)
{
    CShape a(1, L"a");
    CShape b(2, L"b");
    CObArray array;
    array.Add(&a);
    array.Add(&b);
    CObArray arrayBack;
    LoadInto(arrayBack, Store(array));
    ASSERT_EQ(2, arrayBack.GetSize());
    std::unique_ptr<CObject> a1(arrayBack[0]);
    std::unique_ptr<CObject> b1(arrayBack[1]);
    EXPECT_EQ(2, static_cast<CShape*>(arrayBack[1])->m_id);

    CMapStringToOb byName;
    byName.SetAt(L"first", &a);
    byName.SetAt(L"again", &a);
    CMapStringToOb byNameBack;
    LoadInto(byNameBack, Store(byName));
    CObject* first = nullptr;
    CObject* again = nullptr;
    ASSERT_TRUE(byNameBack.Lookup(L"first", first));
    ASSERT_TRUE(byNameBack.Lookup(L"again", again));
    EXPECT_EQ(first, again);
    std::unique_ptr<CObject> a2(first);
    EXPECT_EQ(CString(L"a"), static_cast<CShape*>(first)->m_name);
}

TEST(CollectionSerialize, ValueCollectionsUseTheElementForm)
{
    CStringArray names;
    names.Add(L"Page 1");
    names.Add(L"\u9875");
    const std::vector<BYTE> bytes = Store(names);
    // count, then each string with its Unicode marker
    const std::vector<BYTE> expected = {2, 0, 0xFF, 0xFE, 0xFF, 6, 'P', 0, 'a', 0, 'g', 0, 'e', 0, ' ', 0, '1', 0,
                                        0xFF, 0xFE, 0xFF, 1, 0x75, 0x98};
    EXPECT_EQ(expected, bytes);
    CStringArray namesBack;
    LoadInto(namesBack, bytes);
    ASSERT_EQ(2, namesBack.GetSize());
    EXPECT_EQ(CString(L"\u9875"), namesBack[1]);

    CDWordArray pair;
    pair.Add(0x11223344);
    pair.Add(0x55667788);
    const std::vector<BYTE> pairBytes = Store(pair);
    EXPECT_EQ((std::vector<BYTE>{0x02, 0x00, 0x44, 0x33, 0x22, 0x11, 0x88, 0x77, 0x66, 0x55}), pairBytes);
    CDWordArray pairBack;
    LoadInto(pairBack, pairBytes);
    ASSERT_EQ(2, pairBack.GetSize());
    EXPECT_EQ(0x55667788u, pairBack[1]);

    CMapStringToString settings;
    settings.SetAt(L"key", L"value");
    CMapStringToString settingsBack;
    LoadInto(settingsBack, Store(settings));
    CString value;
    ASSERT_TRUE(settingsBack.Lookup(L"key", value));
    EXPECT_EQ(CString(L"value"), value);

    CList<CString, const CString&> list;
    list.AddTail(L"a");
    list.AddTail(L"");
    list.AddTail(L"b");
    CList<CString, const CString&> listBack;
    LoadInto(listBack, Store(list));
    ASSERT_EQ(3, listBack.GetCount());
    EXPECT_TRUE(listBack.GetAt(listBack.FindIndex(1)).IsEmpty());
    EXPECT_EQ(CString(L"b"), listBack.GetTail());
}

TEST(CollectionSerialize, ElementsThatOwnResourcesNeedTheirOwnSerialization)
{
    // Usable as a collection; only storing it needs SerializeElements.
    CArray<std::wstring> texts;
    texts.Add(L"owned");
    bool refused = false;
    try {
        Store(texts);
    } catch (CNotSupportedException* e) {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(CollectionSerialize, HostileCountsAreRefusedBeforeAnythingIsAllocated)
{
    AllocationWatch watch;
    // 2^31 DWORDs claimed by a tiny stream.
    CDWordArray words;
    EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] {
                  LoadInto(words, {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1, 2, 3, 4, 5, 6});
              }));
    EXPECT_EQ(0, words.GetSize());
    // 5000 DWORDs claimed, 5000 bytes present: the count passes, the data runs out.
    EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] {
                  std::vector<BYTE> bytes = {0x88, 0x13};
                  bytes.resize(2 + 5000, 0);
                  LoadInto(words, bytes);
              }));
    CObList list;
    EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] {
                  LoadInto(list, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0});
              }));
    EXPECT_EQ(0, list.GetCount());
    CStringArray names;
    EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] {
                  LoadInto(names, {0x03, 0x00, 0x01, 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F});
              }));
    // A count of 0xFFFFFFFF elements followed by a few bytes, for each kind of collection.
    const std::vector<BYTE> hostile = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8};
    CArray<double, double> doubles;
    CStringList strings;
    CMapStringToString map;
    for (CObject* collection : std::initializer_list<CObject*>{&doubles, &strings, &map}) {
        EXPECT_EQ(CArchiveException::endOfFile,
                  CauseOfThrow<CArchiveException>([&] { LoadInto(*collection, hostile); }))
            << collection->GetRuntimeClass()->m_lpszClassName;
    }
    EXPECT_LT(watch.LargestRequest(), static_cast<size_t>(1 << 20));
}
