// Typed views of the pointer collections.
#include <afx.h>

#include <gtest/gtest.h>

namespace {

class CPageSample : public CObject {
public:
    explicit CPageSample(int id) : m_id(id) {}
    int m_id;
};

TEST(TypedPointerCollections, HandOutTheStoredType)
{
    CPageSample first(1);
    CPageSample second(2);
    CTypedPtrArray<CObArray, CPageSample*> pages;
    pages.Add(&first);
    pages.Add(&second);
    pages.ElementAt(0) = &second;
    EXPECT_EQ(pages[0]->m_id, 2);

    CTypedPtrList<CPtrList, CPageSample*> list;
    list.AddTail(&first);
    list.AddTail(&second);
    EXPECT_EQ(list.RemoveHead()->m_id, 1);
    EXPECT_EQ(list.GetHead(), &second);

    CTypedPtrMap<CMapStringToPtr, CString, CPageSample*> byName;
    byName.SetAt(L"seven", &first);
    CPageSample* found = nullptr;
    ASSERT_TRUE(byName.Lookup(L"seven", found));
    EXPECT_EQ(found->m_id, 1);
    CTypedPtrMap<CMapPtrToPtr, CPageSample*, CString*> byPage;
    CString label(L"label");
    byPage.SetAt(&first, &label);
    POSITION position = byPage.GetStartPosition();
    CPageSample* key = nullptr;
    CString* value = nullptr;
    byPage.GetNextAssoc(position, key, value);
    EXPECT_EQ(key, &first);
    EXPECT_STREQ(*value, L"label");
}

} // namespace
