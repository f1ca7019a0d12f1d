// Pure rules of the menus family's managers: the tear-off mark in a menu
// item's text, the ids handed out from a range, and the text of several
// shortcut keys. No Windows header: tested as tables, without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kgp {

// A menu item that may be torn off carries its id in its text: character 1,
// the id in decimal, character 1, then the visible text.
std::wstring MarkTearOffText(std::uint32_t id, const std::wstring& text);
// The id marked at the start of the text, the text cut to what follows the
// last character 1; 0 and the text unchanged when it is not marked (empty,
// no leading character 1, no closing one, or no number between them).
std::uint32_t ParseTearOffText(std::wstring& text);

// The lowest id of [first, last] that none of the used ids takes; 0 when the
// range is empty (first 0 or last before first) or every id is taken.
std::uint32_t LowestFreeId(std::uint32_t first, std::uint32_t last, const std::vector<std::uint32_t>& used);

// Several key texts of one command, "; " between them.
std::wstring JoinKeyTexts(const std::vector<std::wstring>& keys);

}  // namespace kgp
