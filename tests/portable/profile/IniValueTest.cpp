#include "core/portable/profile/IniValue.h"

#include <gtest/gtest.h>

namespace keyloft::profile {
namespace {

TEST(IniValue, NumbersInDecimalWithSignsAndDefaults)
{
    const struct {
        const wchar_t* text;
        unsigned expected;
    } cases[] = {
        {L"  42  ", 42u}, {L"0x10", 0u}, {L"0XfF", 0u}, {L"010", 10u}, {L"+5", 5u}, {L"-1", 4294967295u}, {L"12abc", 12u},
        {L"", 7u}, {L"   ", 7u},                         // empty: the default
        {L"abc", 0u}, {L"0x", 0u}, {L"-", 0u},           // text without digits: zero, not the default
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIniUInt(c.text, 7), c.expected) << "\"" << testing::PrintToString(std::wstring(c.text)) << "\"";
    EXPECT_EQ(ReadIniInt(L"4294967295", 7), -1); // written unsigned, read signed
    EXPECT_EQ(ReadIniInt(L"", -3), -3);
    // Saturated internally, then cut to 32 bits; no undefined behaviour.
    const auto huge = ParseIniNumber(L"999999999999999999999999999999");
    ASSERT_TRUE(huge);
    EXPECT_GT(*huge, 0);
    EXPECT_LT(*ParseIniNumber(L"-999999999999999999999999999999"), 0);
}

TEST(IniValue, BooleansByWordOrNumber)
{
    for (const wchar_t* yes : {L"TRUE", L"yEs", L"1", L"-1", L"10x"})
        EXPECT_TRUE(ReadIniBool(yes, false)) << testing::PrintToString(std::wstring(yes));
    for (const wchar_t* no : {L"0", L"no", L"false", L"yesterday", L"0x10"})
        EXPECT_FALSE(ReadIniBool(no, true)) << testing::PrintToString(std::wstring(no));
    EXPECT_TRUE(ReadIniBool(L"", true));
    EXPECT_FALSE(ReadIniBool(L"", false));
}

} // namespace
} // namespace keyloft::profile
