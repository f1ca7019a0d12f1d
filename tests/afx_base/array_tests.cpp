// CArray and the named arrays: growth, insertion and removal, guarded indices.
#include <afx.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "LayerExceptionCheck.h"

namespace {

std::string Contents(const CArray<int, int>& array)
{
    std::string text;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        text += std::to_string(array[i]) + (i + 1 < array.GetSize() ? "," : "");
    return text;
}

TEST(ArrayGrowth, AddKeepsOrderAndGrowBySavesReallocations)
{
    CArray<int, int> array;
    EXPECT_EQ(array.GetUpperBound(), -1);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(array.Add(i * 3), i);
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(array[i], i * 3);

    // With a step of 100 the storage stays put while the array grows within it.
    CArray<int, int> stepped;
    stepped.SetSize(1, 100);
    const int* storage = stepped.GetData();
    for (int i = 0; i < 99; ++i)
        stepped.Add(i);
    EXPECT_EQ(stepped.GetData(), storage);
    EXPECT_EQ(stepped.GetSize(), 100);
}

TEST(ArrayGrowth, SetSizeValueInitialisesAndShrinks)
{
    CArray<int, int> array;
    array.SetSize(5);
    EXPECT_EQ(Contents(array), "0,0,0,0,0");
    array[4] = 9;
    array.SetSize(2);
    EXPECT_EQ(array.GetSize(), 2);
    array.SetSize(5);
    EXPECT_EQ(Contents(array), "0,0,0,0,0");
    array.SetSize(0);
    EXPECT_EQ(array.GetData(), nullptr);

    array.SetAtGrow(3, 7);
    EXPECT_EQ(Contents(array), "0,0,0,7");
    array.FreeExtra();
    EXPECT_EQ(Contents(array), "0,0,0,7");
}

TEST(ArrayEditing, InsertAndRemoveInTheMiddle)
{
    CArray<int, int> array;
    for (int i = 0; i < 6; ++i)
        array.Add(i);
    array.InsertAt(2, 99, 3);
    EXPECT_EQ(Contents(array), "0,1,99,99,99,2,3,4,5");
    array.RemoveAt(1, 4);
    EXPECT_EQ(Contents(array), "0,2,3,4,5");
    // Inserting past the end pads with value-initialised elements.
    array.InsertAt(7, 8);
    EXPECT_EQ(Contents(array), "0,2,3,4,5,0,0,8");
    array.RemoveAt(0, array.GetSize());
    EXPECT_TRUE(array.IsEmpty());
}

TEST(ArrayEditing, ElementsOfTheArrayItselfMayBeAddedAndInserted)
{
    CArray<CString, const CString&> names;
    names.Add(L"first");
    for (int i = 0; i < 40; ++i)
        names.Add(names[0]);
    EXPECT_EQ(names.GetSize(), 41);
    EXPECT_STREQ(names[40], L"first");

    names.RemoveAll();
    names.Add(L"a");
    names.Add(L"b");
    names.InsertAt(0, names[1], 2);
    EXPECT_STREQ(names[0], L"b");
    EXPECT_STREQ(names[1], L"b");
    EXPECT_STREQ(names[2], L"a");

    CArray<int, int> numbers;
    numbers.Add(1);
    numbers.Add(2);
    numbers.Append(numbers);
    EXPECT_EQ(Contents(numbers), "1,2,1,2");
    numbers.InsertAt(1, &numbers);
    EXPECT_EQ(Contents(numbers), "1,1,2,1,2,2,1,2");

    CArray<int, int> copy;
    copy.Copy(numbers);
    EXPECT_EQ(Contents(copy), Contents(numbers));
    copy.Copy(copy);
    EXPECT_EQ(copy.GetSize(), 8);
}

TEST(ArrayGuards, IndicesAndCountsOutsideTheArrayAreRefused)
{
    CArray<int, int> array;
    array.Add(1);
    array.Add(2);
    EXPECT_LAYER_THROW(array.GetAt(2), CInvalidArgException);
    EXPECT_LAYER_THROW(array[-1], CInvalidArgException);
    EXPECT_LAYER_THROW(array.SetAt(5, 0), CInvalidArgException);
    EXPECT_LAYER_THROW(array.RemoveAt(1, 2), CInvalidArgException);
    EXPECT_LAYER_THROW(array.RemoveAt(0, -1), CInvalidArgException);
    EXPECT_LAYER_THROW(array.InsertAt(-1, 0), CInvalidArgException);
    EXPECT_LAYER_THROW(array.SetSize(-1), CInvalidArgException);
    EXPECT_LAYER_THROW(array.SetAtGrow(-1, 0), CInvalidArgException);
    EXPECT_EQ(Contents(array), "1,2");
}

TEST(ArrayGuards, HugeSizesAreRefusedWithoutHarm)
{
    CArray<int, int> array;
    array.Add(5);
    constexpr INT_PTR kHuge = INTPTR_MAX;
    EXPECT_LAYER_THROW(array.SetSize(kHuge), CMemoryException);
    // Representable in bytes but far beyond any memory.
    EXPECT_LAYER_THROW(array.SetSize(kHuge / 8), CMemoryException);
    EXPECT_LAYER_THROW(array.InsertAt(0, 1, kHuge - 1), CMemoryException);
    // Opaque to the optimiser, which would otherwise warn about the unreachable
    // in-range branch for this index.
    volatile INT_PTR hugeIndex = kHuge / 4;
    EXPECT_LAYER_THROW(array.SetAtGrow(hugeIndex, 1), CMemoryException);
    EXPECT_EQ(Contents(array), "5");

    CArray<CString, const CString&> strings;
    EXPECT_LAYER_THROW(strings.SetSize(kHuge / 2), CMemoryException);
    EXPECT_TRUE(strings.IsEmpty());
}

} // namespace
