#pragma once
// The device profile the simulated instrument serves (kind 5) and the limits it
// takes from it, and its voice-name list (kind 6).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace keyloft::instrument {

struct SlotLimits {
    std::array<unsigned, 4> counts{};     // song, style, voice, memory
    std::array<std::uint32_t, 4> maxSizes{};
    std::array<bool, 4> uploadEnabled{};
};

// The profile of the model "RX470", as an ini text with CRLF line ends.
const std::string& BuiltInProfileText();
// "number TAB name" per line, CRLF line ends.
const std::string& BuiltInVoiceList();

// Reads the counts, sizes and upload switches from a profile text; keys that
// are missing keep the built-in profile's values.
SlotLimits ReadSlotLimits(std::string_view profileText);

// Value of key in section of an ini text (sections and keys without regard to case).
std::string IniValue(std::string_view text, std::string_view section, std::string_view key);

} // namespace keyloft::instrument
