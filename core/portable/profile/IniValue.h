// The reading rules of ini values, kept apart from the platform's ini functions
// so that they are the same everywhere and testable on their own.
//
//  - A number is optional blanks, an optional sign, then decimal digits; reading
//    stops at the first other character, so "0x10" reads as 0 (as the platform's
//    own integer reader does).
//    Text with no digits reads as 0 (as the platform's own integer reader does).
//  - An unsigned read of a negative number wraps (-1 reads as 4294967295), so a
//    value written from a signed int reads back unchanged through either reader.
//  - An empty value (or only blanks) counts as absent: the caller's default.
//  - A boolean is true for "true" or "yes" in any letter case, else its number
//    tested against 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace keyloft::profile {

// nullopt for an empty value; otherwise the number (0 when there are no digits).
std::optional<std::int64_t> ParseIniNumber(std::wstring_view text);

std::uint32_t ReadIniUInt(std::wstring_view text, std::uint32_t fallback);
std::int32_t ReadIniInt(std::wstring_view text, std::int32_t fallback);
bool ReadIniBool(std::wstring_view text, bool fallback);

} // namespace keyloft::profile
