// CList and the named lists: order, positions across removal, searching.
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

} // namespace
