// A model's voice-name list, the ".ins" file in the program's "INS\" folder.
//
// One voice a line: the voice number in decimal, then its names separated by
// TABs, English first, then Simplified Chinese, then Traditional Chinese:
//     12<TAB>Marimba<TAB>马林巴<TAB>馬林巴
// Trailing names may be left out; a language without a name of its own shows the
// Simplified Chinese name, else the English one, else the first name given. A line
// whose first field is not a number of 0..65535, or that holds no TAB, names the
// voice whose number is the line's 0-based index, and the whole line is its name.
// Item 0 of the list stands for "no voice".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keyloft::style {

// The program's languages (profile key "CUR_LANGUAGE").
enum VoiceLanguage : unsigned { LanguageSimplified = 0, LanguageTraditional = 1, LanguageEnglish = 2 };

struct VoiceEntry {
    std::uint16_t number = 0;
    std::array<std::wstring, 3> names;  // English, Simplified Chinese, Traditional Chinese

    // The name to show in a language (0, 1, 2; any other value as 2).
    const std::wstring& NameFor(unsigned language) const;
};

class VoiceList {
public:
    // Parses a whole file's text (lines end with LF or CR LF; a final line end
    // adds no empty voice).
    static VoiceList Parse(std::wstring_view text);

    // Appends one line (without its line end) as the next voice.
    void AddLine(std::wstring_view line);
    void Clear() { entries_.clear(); }

    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const VoiceEntry& At(std::size_t index) const { return entries_.at(index); }

    // The voice number of item `index`; 0 when the list has no such item.
    std::uint16_t NumberAt(std::size_t index) const;
    // True when an item has this voice number.
    bool HasNumber(std::uint16_t number) const;
    // The first item whose number is `number`; 0 when none is (or the list is empty).
    std::size_t IndexOfNumber(std::uint16_t number) const;
    // The text of combo item `index`: " " then the name for item 0, else the
    // index as three digits ("%.3d"), a blank and the name.
    std::wstring ItemText(std::size_t index, unsigned language) const;

private:
    std::vector<VoiceEntry> entries_;
};

}  // namespace keyloft::style
