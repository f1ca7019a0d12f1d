// CList and the named lists: order, positions across removal, searching; the
// owning typed list: what it deletes and what it hands over.
#include <afx.h>

#include <gtest/gtest.h>

#include <string>

#include "LayerExceptionCheck.h"

namespace {

std::string Forward(const CList<int, int>& list)
{
    std::string text;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;)
        text += std::to_string(list.GetNext(position)) + ";";
    return text;
}

std::string Backward(const CList<int, int>& list)
{
    std::string text;
    for (POSITION position = list.GetTailPosition(); position != nullptr;)
        text += std::to_string(list.GetPrev(position)) + ";";
    return text;
}

TEST(List, HeadAndTailOperationsKeepBothDirectionsConsistent)
{
    CList<int, int> list(4);
    list.AddTail(2);
    list.AddTail(3);
    list.AddHead(1);
    EXPECT_EQ(Forward(list), "1;2;3;");
    EXPECT_EQ(Backward(list), "3;2;1;");
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 3);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.RemoveTail(), 2);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    EXPECT_LAYER_THROW(list.RemoveHead(), CInvalidArgException);
    EXPECT_LAYER_THROW(list.GetTail(), CInvalidArgException);
}

TEST(List, PositionsOfOtherElementsSurviveRemoval)
{
    CList<int, int> list;
    for (int i = 0; i < 5; ++i)
        list.AddTail(i);
    POSITION second = list.FindIndex(1);
    POSITION middle = list.FindIndex(2);
    POSITION last = list.GetTailPosition();
    list.RemoveAt(middle);
    EXPECT_EQ(Forward(list), "0;1;3;4;");
    EXPECT_EQ(Backward(list), "4;3;1;0;");
    EXPECT_EQ(list.GetAt(second), 1);
    EXPECT_EQ(list.GetAt(last), 4);
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(last);
    EXPECT_EQ(Forward(list), "1;3;");
    EXPECT_EQ(list.GetHead(), 1);
    EXPECT_EQ(list.GetTail(), 3);

    // Removing while walking, the usual way.
    for (int i = 0; i < 6; ++i)
        list.AddTail(i);
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        POSITION current = position;
        if (list.GetNext(position) % 2 != 0)
            list.RemoveAt(current);
    }
    EXPECT_EQ(Forward(list), "0;2;4;");
    EXPECT_EQ(Backward(list), "4;2;0;");
    EXPECT_LAYER_THROW(list.RemoveAt(nullptr), CInvalidArgException);
}

TEST(List, InsertBeforeAndAfterIncludingTheEnds)
{
    CList<int, int> list;
    POSITION five = list.InsertAfter(nullptr, 5);
    list.InsertBefore(five, 4);
    list.InsertAfter(five, 6);
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 9);
    list.InsertBefore(list.GetHeadPosition(), -1);
    list.InsertAfter(list.GetTailPosition(), 10);
    EXPECT_EQ(Forward(list), "-1;0;4;5;6;9;10;");
    EXPECT_EQ(Backward(list), "10;9;6;5;4;0;-1;");
}

TEST(List, FindAndFindIndex)
{
    CList<int, int> list;
    for (int value : {7, 8, 7, 9})
        list.AddTail(value);
    POSITION first = list.Find(7);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, list.GetHeadPosition());
    POSITION second = list.Find(7, first);
    EXPECT_EQ(second, list.FindIndex(2));
    EXPECT_EQ(list.Find(7, second), nullptr);
    EXPECT_EQ(list.Find(42), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(3)), 9);

    CList<int, int> other;
    other.AddTail(1);
    other.AddTail(&list);
    other.AddHead(&other);
    EXPECT_EQ(Forward(other), "1;7;8;7;9;1;7;8;7;9;");
}

TEST(NamedLists, StringListsCompareByTextAndObjectListsByPointer)
{
    CStringList names(10);
    names.AddTail(L"Piano");
    names.AddTail(CString(L"Organ"));
    names.AddHead(L"Strings");
    EXPECT_EQ(names.Find(L"Organ"), names.GetTailPosition());
    EXPECT_EQ(names.Find(L"organ"), nullptr);

    CStringArray first;
    CStringArray second;
    CObList pages(10);
    pages.AddTail(&first);
    pages.AddTail(&second);
    EXPECT_EQ(pages.Find(&second), pages.FindIndex(1));
    EXPECT_EQ(pages.Find(&names), nullptr);
}

// An object that counts the live instances of its kind.
class CCounted : public CObject {
public:
    explicit CCounted(int value) : m_value(value) { ++s_live; }
    ~CCounted() override { --s_live; }
    int m_value;
    static int s_live;
};
int CCounted::s_live = 0;

TEST(OwningPtrList, DeletesWhatItStillHoldsAndHandsOverWhatIsTakenOut)
{
    CCounted* kept = nullptr;
    {
        COwningPtrList<CObList, CCounted*> list;
        for (int i = 1; i <= 5; ++i)
            list.AddTail(new CCounted(i));
        EXPECT_EQ(CCounted::s_live, 5);
        EXPECT_EQ(list.GetHead()->m_value, 1);  // typed: no cast at the caller

        kept = list.RemoveHead();  // the caller's from now on
        list.DeleteAt(list.FindIndex(1));  // the third
        EXPECT_EQ(CCounted::s_live, 4);
        EXPECT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list.GetAt(list.FindIndex(1))->m_value, 4);

        COwningPtrList<CObList, CCounted*> target;
        target.AddTail(new CCounted(9));
        list.MoveAllTo(target);
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_EQ(target.GetCount(), 4);
        EXPECT_EQ(target.GetTail()->m_value, 5);
        EXPECT_EQ(CCounted::s_live, 5);

        target.DeleteAll();
        EXPECT_TRUE(target.IsEmpty());
        EXPECT_EQ(CCounted::s_live, 1);

        target.AddTail(new CCounted(10));
        target.AddTail(static_cast<CCounted*>(nullptr));  // a null entry is passed over
    }
    EXPECT_EQ(CCounted::s_live, 1);  // the list went with its last element
    delete kept;
    EXPECT_EQ(CCounted::s_live, 0);
}

TEST(OwningPtrList, IsAnObjectListToCodeThatOnlyReadsIt)
{
    COwningPtrList<CObList, CCounted*> list;
    list.AddTail(new CCounted(1));
    const CObList& plain = list;
    EXPECT_EQ(plain.GetCount(), 1);
    EXPECT_TRUE(plain.GetHead()->IsKindOf(RUNTIME_CLASS(CObject)));
    CObList pointing;
    pointing.AddTail(&plain);  // pointing lists share, never delete
    pointing.RemoveAll();
    EXPECT_EQ(CCounted::s_live, 1);
}

} // namespace
