// The keyboard page's rules: how the shortcut field captures one key
// combination from key messages, and the edits of an accelerator table (an
// entry appended, one removed, the entry holding a combination). No Windows
// header: tested as tables, without a window.
#pragma once

#include <cstdint>
#include <vector>

namespace kgp {

// Accelerator flag bits as the system numbers them.
constexpr std::uint8_t kAccelVirtKey = 0x01;
constexpr std::uint8_t kAccelShift = 0x04;
constexpr std::uint8_t kAccelControl = 0x08;
constexpr std::uint8_t kAccelAlt = 0x10;

struct AccelEntry {
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    std::uint16_t command = 0;
    bool operator==(const AccelEntry& other) const
    {
        return flags == other.flags && key == other.key && command == other.command;
    }
};

// The field's capture state.
struct KeyCapture {
    bool complete = false;   // a whole combination was captured
    bool entered = false;    // the field was entered (a first key after the focus came is eaten)
    std::uint8_t flags = 0;  // modifiers held, kAccelVirtKey once complete
    std::uint16_t key = 0;
};

enum class KeyEvent { Down, Up };
enum class KeyAnswer {
    Pass,     // the message takes its normal route
    Eat,      // the message is eaten, the field unchanged
    Show,     // eaten; the field shows the capture
    Cleared,  // eaten; the field is emptied
    PassCleared  // the field is emptied and the message takes its normal route (Tab)
};

// One key message (virtual key, auto-repeat) through the capture.
KeyAnswer KeyCaptureStep(KeyCapture& capture, KeyEvent event, std::uint16_t vk, bool repeat);

// The entry of the table with the combination's key and flags; -1 for none.
int FindAccelerator(const std::vector<AccelEntry>& table, std::uint8_t flags, std::uint16_t key);
// The table with the entry appended, or without the entry at the index
// (an index out of range: the table unchanged).
std::vector<AccelEntry> WithAccelerator(const std::vector<AccelEntry>& table, const AccelEntry& entry);
std::vector<AccelEntry> WithoutAccelerator(const std::vector<AccelEntry>& table, int index);

} // namespace kgp
