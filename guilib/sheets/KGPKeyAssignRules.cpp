#include "guilib/sheets/KGPKeyAssignRules.h"

namespace kgp {

namespace {

constexpr std::uint16_t kVkTab = 0x09;
constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkMenu = 0x12;
constexpr std::uint16_t kVkEscape = 0x1B;

std::uint8_t ModifierOf(std::uint16_t vk)
{
    switch (vk) {
    case kVkShift:
        return kAccelShift;
    case kVkControl:
        return kAccelControl;
    case kVkMenu:
        return kAccelAlt;
    default:
        return 0;
    }
}

// A complete capture: Tab or Esc alone are no shortcut; Tab moves on, Esc
// empties the field.
KeyAnswer Finish(KeyCapture& capture)
{
    if (capture.flags == kAccelVirtKey && (capture.key == kVkTab || capture.key == kVkEscape)) {
        const bool tab = capture.key == kVkTab;
        capture = KeyCapture{false, capture.entered, 0, 0};
        return tab ? KeyAnswer::PassCleared : KeyAnswer::Cleared;
    }
    return KeyAnswer::Show;
}

} // namespace

KeyAnswer KeyCaptureStep(KeyCapture& capture, KeyEvent event, std::uint16_t vk, bool repeat)
{
    if (event == KeyEvent::Down && capture.complete && !repeat)
        capture = KeyCapture{false, capture.entered, 0, 0};
    if (capture.complete)
        return KeyAnswer::Show;
    if (const std::uint8_t modifier = ModifierOf(vk)) {
        if (event == KeyEvent::Down)
            capture.flags = static_cast<std::uint8_t>(capture.flags | modifier);
        else
            capture.flags = static_cast<std::uint8_t>(capture.flags & ~modifier);
        return KeyAnswer::Show;
    }
    if (!capture.entered) {
        capture.entered = true;
        return KeyAnswer::Eat;
    }
    capture.key = vk;
    if (event == KeyEvent::Down) {
        capture.complete = true;
        capture.flags = static_cast<std::uint8_t>(capture.flags | kAccelVirtKey);
        return Finish(capture);
    }
    return KeyAnswer::Show;
}

int FindAccelerator(const std::vector<AccelEntry>& table, std::uint8_t flags, std::uint16_t key)
{
    constexpr std::uint8_t kCompared = kAccelVirtKey | kAccelShift | kAccelControl | kAccelAlt;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].key == key && (table[i].flags & kCompared) == (flags & kCompared))
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<AccelEntry> WithAccelerator(const std::vector<AccelEntry>& table, const AccelEntry& entry)
{
    std::vector<AccelEntry> result(table);
    result.push_back(entry);
    return result;
}

std::vector<AccelEntry> WithoutAccelerator(const std::vector<AccelEntry>& table, int index)
{
    std::vector<AccelEntry> result(table);
    if (index >= 0 && static_cast<std::size_t>(index) < result.size())
        result.erase(result.begin() + index);
    return result;
}

} // namespace kgp
