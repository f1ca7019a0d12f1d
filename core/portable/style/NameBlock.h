// The style file's name block: four length bytes, the four names (ANSI bytes,
// cut to 32, 8, 32 and 8 bytes at character boundaries), 0xFF, and a 0x00 filler
// when the sum of the lengths is even, so the block always has an even length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/portable/style/AnsiText.h"

namespace keyloft::style {

inline constexpr std::array<std::size_t, 4> NameLimits = {32, 8, 32, 8};

// Names already in ANSI bytes; each is cut to its limit.
std::array<std::string, 4> CutNames(const std::array<std::string, 4>& names, const CodePage& codePage);
std::size_t NameBlockSize(const std::array<std::string, 4>& names, const CodePage& codePage);
std::vector<std::uint8_t> BuildNameBlock(const std::array<std::string, 4>& names, const CodePage& codePage);

}  // namespace keyloft::style
