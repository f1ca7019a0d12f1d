#include "core/portable/style/VoiceList.h"

#include <algorithm>
#include <string>

namespace keyloft::style {
namespace {

constexpr std::size_t EnglishName = 0;
constexpr std::size_t SimplifiedName = 1;
constexpr std::size_t TraditionalName = 2;

// A decimal number of 0..65535 filling the whole field.
bool ParseVoiceNumber(std::wstring_view field, std::uint16_t& number) {
    if (field.empty() || field.size() > 5) {
        return false;
    }
    std::uint32_t value = 0;
    for (const wchar_t c : field) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - L'0');
    }
    if (value > 0xFFFF) {
        return false;
    }
    number = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace

const std::wstring& VoiceEntry::NameFor(unsigned language) const {
    // Each language's own name first, then its fall-backs.
    static constexpr std::array<std::array<std::size_t, 3>, 3> order = {{
        {SimplifiedName, EnglishName, TraditionalName},
        {TraditionalName, SimplifiedName, EnglishName},
        {EnglishName, SimplifiedName, TraditionalName},
    }};
    const auto& choices = order[language < 3 ? language : LanguageEnglish];
    for (const std::size_t which : choices) {
        if (!names[which].empty()) {
            return names[which];
        }
    }
    return names[EnglishName];
}

VoiceList VoiceList::Parse(std::wstring_view text) {
    VoiceList list;
    while (!text.empty()) {
        const std::size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        if (!line.empty() && line.back() == L'\r') {
            line.remove_suffix(1);
        }
        list.AddLine(line);
        text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
    }
    return list;
}

void VoiceList::AddLine(std::wstring_view line) {
    VoiceEntry entry;
    const std::size_t tab = line.find(L'\t');
    if (tab != std::wstring_view::npos && ParseVoiceNumber(line.substr(0, tab), entry.number)) {
        std::wstring_view rest = line.substr(tab + 1);
        for (std::size_t i = 0; i < entry.names.size() && !rest.empty(); ++i) {
            const std::size_t next = rest.find(L'\t');
            entry.names[i] = std::wstring(rest.substr(0, next));
            rest = next == std::wstring_view::npos ? std::wstring_view() : rest.substr(next + 1);
        }
    } else {
        entry.number = static_cast<std::uint16_t>(entries_.size());
        entry.names[EnglishName] = std::wstring(line);
    }
    entries_.push_back(std::move(entry));
}

std::uint16_t VoiceList::NumberAt(std::size_t index) const {
    return index < entries_.size() ? entries_[index].number : 0;
}

bool VoiceList::HasNumber(std::uint16_t number) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [number](const VoiceEntry& entry) { return entry.number == number; });
}

std::size_t VoiceList::IndexOfNumber(std::uint16_t number) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].number == number) {
            return i;
        }
    }
    return 0;
}

std::wstring VoiceList::ItemText(std::size_t index, unsigned language) const {
    const std::wstring& name = At(index).NameFor(language);
    if (index == 0) {
        return L" " + name;
    }
    std::wstring digits = std::to_wstring(index);  // "%.3d": at least three digits
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), L'0');
    }
    return digits + L" " + name;
}

}  // namespace keyloft::style
