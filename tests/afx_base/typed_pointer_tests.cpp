// Typed views of the pointer collections.
#include <afx.h>

#include <gtest/gtest.h>

namespace {

class CPageSample : public CObject {
public:
    explicit CPageSample(int id) : m_id(id) {}
    int m_id;
};

TEST(TypedPointerCollections, ArrayAndListHandOutTheStoredType)
{
    CPageSample first(1);
    CPageSample second(2);

    CTypedPtrArray<CObArray, CPageSample*> pages;
    pages.Add(&first);
    pages.Add(&second);
    EXPECT_EQ(pages[1]->m_id, 2);
    pages[0] = &second;
    EXPECT_EQ(pages.GetAt(0)->m_id, 2);
    pages.ElementAt(1) = &first;
    EXPECT_EQ(pages.GetAt(1), &first);

    CTypedPtrList<CPtrList, CPageSample*> list;
    list.AddTail(&first);
    list.AddTail(&second);
    int sum = 0;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;)
        sum += list.GetNext(position)->m_id;
    EXPECT_EQ(sum, 3);
    EXPECT_EQ(list.Find(&second), list.GetTailPosition());
    EXPECT_EQ(list.RemoveHead()->m_id, 1);
    EXPECT_EQ(list.GetHead(), &second);
}

TEST(TypedPointerCollections, MapConvertsKeysAndValues)
{
    CPageSample page(7);
    CTypedPtrMap<CMapStringToPtr, CString, CPageSample*> byName;
    byName.SetAt(L"seven", &page);
    CPageSample* found = nullptr;
    ASSERT_TRUE(byName.Lookup(L"seven", found));
    EXPECT_EQ(found->m_id, 7);
    EXPECT_FALSE(byName.Lookup(L"eight", found));
    EXPECT_EQ(byName[L"seven"], &page);

    CTypedPtrMap<CMapPtrToPtr, CPageSample*, CString*> byPage;
    CString label(L"label");
    byPage.SetAt(&page, &label);
    POSITION position = byPage.GetStartPosition();
    CPageSample* key = nullptr;
    CString* value = nullptr;
    byPage.GetNextAssoc(position, key, value);
    EXPECT_EQ(key, &page);
    EXPECT_STREQ(*value, L"label");
    EXPECT_TRUE(byPage.RemoveKey(&page));
    EXPECT_TRUE(byPage.IsEmpty());
}

} // namespace
