#include "core/portable/profile/IniValue.h"

#include <gtest/gtest.h>

namespace keyloft::profile {
namespace {

TEST(IniValue, NumbersInDecimalHexAndWithSigns)
{
    EXPECT_EQ(ReadIniUInt(L"42", 7), 42u);
    EXPECT_EQ(ReadIniUInt(L"  42  ", 7), 42u);
    EXPECT_EQ(ReadIniUInt(L"0x10", 7), 16u);
    EXPECT_EQ(ReadIniUInt(L"0XfF", 7), 255u);
    EXPECT_EQ(ReadIniUInt(L"+5", 7), 5u);
    EXPECT_EQ(ReadIniInt(L"-1", 7), -1);
    EXPECT_EQ(ReadIniUInt(L"-1", 7), 4294967295u);
    EXPECT_EQ(ReadIniInt(L"4294967295", 7), -1); // written unsigned, read signed
    EXPECT_EQ(ReadIniUInt(L"12abc", 7), 12u);
}

TEST(IniValue, EmptyMeansDefaultButTextWithoutDigitsMeansZero)
{
    EXPECT_EQ(ReadIniUInt(L"", 7), 7u);
    EXPECT_EQ(ReadIniUInt(L"   ", 7), 7u);
    EXPECT_EQ(ReadIniInt(L"", -3), -3);
    EXPECT_EQ(ReadIniUInt(L"abc", 7), 0u);
    EXPECT_EQ(ReadIniUInt(L"0x", 7), 0u);
    EXPECT_EQ(ReadIniUInt(L"-", 7), 0u);
}

TEST(IniValue, HugeNumbersDoNotOverflow)
{
    // Saturated internally, then cut to 32 bits; no undefined behaviour.
    const auto value = ParseIniNumber(L"999999999999999999999999999999");
    ASSERT_TRUE(value);
    EXPECT_GT(*value, 0);
    EXPECT_LT(*ParseIniNumber(L"-999999999999999999999999999999"), 0);
}

TEST(IniValue, BooleansByWordOrNumber)
{
    EXPECT_TRUE(ReadIniBool(L"true", false));
    EXPECT_TRUE(ReadIniBool(L"TRUE", false));
    EXPECT_TRUE(ReadIniBool(L"Yes", false));
    EXPECT_TRUE(ReadIniBool(L"yEs", false));
    EXPECT_TRUE(ReadIniBool(L"1", false));
    EXPECT_TRUE(ReadIniBool(L"-1", false));
    EXPECT_TRUE(ReadIniBool(L"0x10", false));
    EXPECT_FALSE(ReadIniBool(L"0", true));
    EXPECT_FALSE(ReadIniBool(L"no", true));
    EXPECT_FALSE(ReadIniBool(L"false", true));
    EXPECT_FALSE(ReadIniBool(L"yesterday", true));
    EXPECT_TRUE(ReadIniBool(L"", true));
    EXPECT_FALSE(ReadIniBool(L"", false));
}

} // namespace
} // namespace keyloft::profile
