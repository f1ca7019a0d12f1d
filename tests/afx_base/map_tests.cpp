// CMap and the named maps: look-up, growth of the table, removal, iteration.
#include <afx.h>

#include <gtest/gtest.h>

#include <set>

#include "LayerExceptionCheck.h"

namespace {

TEST(Map, KeepsEveryKeyWhileTheTableGrows)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(17);
    for (int key = 0; key < 20000; ++key)
        map.SetAt(key * 7919, key);
    EXPECT_EQ(map.GetCount(), 20000);
    EXPECT_GT(map.GetHashTableSize(), 17u);
    for (int key = 0; key < 20000; ++key) {
        int value = -1;
        ASSERT_TRUE(map.Lookup(key * 7919, value)) << key;
        ASSERT_EQ(value, key);
    }
    int value = 0;
    EXPECT_FALSE(map.Lookup(1, value));

    for (int key = 0; key < 20000; key += 2)
        ASSERT_TRUE(map.RemoveKey(key * 7919));
    EXPECT_FALSE(map.RemoveKey(0));
    EXPECT_EQ(map.GetCount(), 10000);

    std::set<int> seen;
    POSITION position = map.GetStartPosition();
    while (position != nullptr) {
        int key = 0;
        map.GetNextAssoc(position, key, value);
        EXPECT_EQ(key, value * 7919);
        EXPECT_EQ(value % 2, 1);
        EXPECT_TRUE(seen.insert(key).second) << "visited twice: " << key;
    }
    EXPECT_EQ(seen.size(), 10000u);
}

TEST(Map, IndexOperatorInsertsAndPairsGiveDirectAccess)
{
    CMap<BYTE, BYTE, CString, LPCTSTR> names(10);
    for (int program = 0; program < 128; ++program)
        names.SetAt(static_cast<BYTE>(program), L"Program");
    names.SetAt(100, L"Replaced");
    EXPECT_EQ(names.GetCount(), 128);
    EXPECT_STREQ(names[100], L"Replaced");
    EXPECT_TRUE(names[200].IsEmpty());
    EXPECT_EQ(names.GetCount(), 129);

    auto* pair = names.PLookup(5);
    ASSERT_NE(pair, nullptr);
    pair->value = L"Five";
    EXPECT_STREQ(names[5], L"Five");
    EXPECT_EQ(names.PLookup(250), nullptr);
    int visited = 0;
    for (auto* each = names.PGetFirstAssoc(); each != nullptr; each = names.PGetNextAssoc(each))
        ++visited;
    EXPECT_EQ(visited, 129);

    names.RemoveAll();
    EXPECT_EQ(names.GetStartPosition(), nullptr);
    EXPECT_EQ(names.PGetFirstAssoc(), nullptr);
}

TEST(Map, ResizingAFilledTableKeepsTheEntries)
{
    CMap<UINT, UINT, UINT, UINT> usage;
    for (UINT command = 32768; command < 32868; ++command)
        usage[command] = command - 32768;
    usage.InitHashTable(3);
    EXPECT_EQ(usage.GetCount(), 100);
    UINT value = 0;
    ASSERT_TRUE(usage.Lookup(32800, value));
    EXPECT_EQ(value, 32u);

    // Iterating from before the start, as some callers spell it.
    POSITION position = BEFORE_START_POSITION;
    UINT key = 0;
    usage.GetNextAssoc(position, key, value);
    EXPECT_EQ(key - 32768, value);

    EXPECT_LAYER_THROW(usage.InitHashTable(0), CInvalidArgException);
    POSITION none = nullptr;
    EXPECT_LAYER_THROW(usage.GetNextAssoc(none, key, value), CInvalidArgException);
}

TEST(NamedMaps, StringKeysCompareByText)
{
    CMapStringToString settings(10);
    settings.SetAt(L"Volume", L"100");
    settings[CString(L"Tempo")] = L"120";
    CString value;
    ASSERT_TRUE(settings.Lookup(L"Tempo", value));
    EXPECT_STREQ(value, L"120");
    EXPECT_FALSE(settings.Lookup(L"tempo", value));
    settings.SetAt(CString(L"Vol") + L"ume", L"90");
    EXPECT_EQ(settings.GetCount(), 2);
    EXPECT_TRUE(settings.RemoveKey(L"Volume"));

    POSITION position = settings.GetStartPosition();
    CString name;
    settings.GetNextAssoc(position, name, value);
    EXPECT_STREQ(name, L"Tempo");
    EXPECT_EQ(position, nullptr);

    int target = 0;
    CMapPtrToWord toWord;
    toWord.SetAt(&target, 9);
    WORD word = 0;
    EXPECT_TRUE(toWord.Lookup(&target, word));
    EXPECT_EQ(word, 9);
}

} // namespace
