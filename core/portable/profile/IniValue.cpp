#include "core/portable/profile/IniValue.h"

#include <cwctype>

namespace keyloft::profile {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::wstring_view text, std::wstring_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::towlower(static_cast<std::wint_t>(text[i])) != static_cast<std::wint_t>(word[i]))
            return false;
    }
    return true;
}

int DigitValue(wchar_t c)
{
    return c >= L'0' && c <= L'9' ? c - L'0' : -1;
}

} // namespace

std::optional<std::int64_t> ParseIniNumber(std::wstring_view text)
{
    text = Trim(text);
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == L'-' || text.front() == L'+') {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    // Saturate rather than overflow: the value ends up in 32 bits anyway.
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (const wchar_t c : text) {
        const int digit = DigitValue(c);
        if (digit < 0)
            break;
        if (value < kLimit)
            value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::uint32_t ReadIniUInt(std::wstring_view text, std::uint32_t fallback)
{
    const auto number = ParseIniNumber(text);
    return number ? static_cast<std::uint32_t>(*number) : fallback;
}

std::int32_t ReadIniInt(std::wstring_view text, std::int32_t fallback)
{
    const auto number = ParseIniNumber(text);
    return number ? static_cast<std::int32_t>(static_cast<std::uint32_t>(*number)) : fallback;
}

bool ReadIniBool(std::wstring_view text, bool fallback)
{
    const std::wstring_view trimmed = Trim(text);
    if (trimmed.empty())
        return fallback;
    if (EqualsNoCase(trimmed, L"true") || EqualsNoCase(trimmed, L"yes"))
        return true;
    return ParseIniNumber(trimmed).value_or(0) != 0;
}

} // namespace keyloft::profile
