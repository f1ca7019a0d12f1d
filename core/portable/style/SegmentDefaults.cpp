#include "core/portable/style/SegmentDefaults.h"

#include <algorithm>
#include <map>
#include <string>

namespace keyloft::style {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Upper(std::string_view text) { return UpperAnsi(text, CodePage::SingleByte()); }

using IniValues = std::map<std::string, std::map<std::string, std::string>>;

// Sections and keys compare without regard to case; the first value of a key wins,
// as with the system's profile functions.
IniValues ParseIni(std::string_view text) {
    IniValues values;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = Trim(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.find(']');
            section = Upper(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
            inSection = true;
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) {
            continue;
        }
        values[section].emplace(Upper(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))));
    }
    return values;
}

// An integer as the profile functions read it: optional sign, leading digits,
// 0 when there are none. Clamped to 0..127.
std::uint8_t ReadDataByte(const IniValues& values, const std::string& section, const char* key,
                          unsigned fallback) {
    const auto s = values.find(section);
    if (s == values.end()) {
        return static_cast<std::uint8_t>(std::min(fallback, 127u));
    }
    const auto k = s->second.find(key);
    if (k == s->second.end()) {
        return static_cast<std::uint8_t>(std::min(fallback, 127u));
    }
    std::string_view text = k->second;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min<long long>(value * 10 + (c - '0'), 1000);
    }
    if (negative) {
        value = 0;
    }
    return static_cast<std::uint8_t>(std::clamp<long long>(value, 0, 127));
}

}  // namespace

std::uint8_t SegmentDefaults::CrashNoteOf(int segment) const {
    const int slot = DefaultSlotOf(segment);
    return slot < 0 ? 0 : crashNote[static_cast<std::size_t>(slot)];
}

std::uint8_t SegmentDefaults::VelocityOf(int segment) const {
    const int slot = DefaultSlotOf(segment);
    return slot < 0 ? 0 : velocity[static_cast<std::size_t>(slot)];
}

SegmentDefaults ParseSegmentDefaults(std::string_view iniText) {
    const IniValues values = ParseIni(iniText);
    SegmentDefaults defaults;
    for (int slot = 0; slot < DefaultSlotCount; ++slot) {
        const int segment = SegmentOfDefaultSlot(slot);
        const std::string section = GetSegmentNameA(segment);
        const unsigned crash = slot < 3 ? DefaultIntroCrashNote : DefaultFillInCrashNote;
        defaults.crashNote[static_cast<std::size_t>(slot)] = ReadDataByte(values, section, "CRASH NOTE", crash);
        defaults.velocity[static_cast<std::size_t>(slot)] = ReadDataByte(values, section, "VELOCITY", DefaultVelocity);
    }
    return defaults;
}

}  // namespace keyloft::style
