#pragma once
// Fault and identity settings of the simulated instrument, read from the
// control file or the environment ("key=value" per line or separated by ';').
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/portable/protocol/Constants.h"

namespace keyloft::instrument {

enum class FaultMode {
    None,
    Silent,      // answers nothing (after `after` matching packets)
    Refuse,      // answers with `status`
    BadSum,      // the reply's sum is wrong
    CutReply,    // the reply frame ends after half its body
    CutByStatus, // the reply is cut off by a note-on status byte
    LateReply,   // the reply comes `delayMs` late
    Pulled,      // after `after` matching packets the cable is out: nothing answers, not even
                 // the identify frame, across port reopens, until the control file changes
};

struct Control {
    FaultMode fault = FaultMode::None;
    protocol::Status status = protocol::Status::Busy;
    std::optional<std::uint8_t> onType; // the fault hits only this packet type
    unsigned after = 0;                 // matching packets answered normally first
    unsigned delayMs = 1500;
    unsigned paceBytesPerSecond = 0;    // 0: replies leave at once
    std::string name = "RX470";
    std::string identity = "RX470A10";

    bool operator==(const Control&) const = default;
};

// Applies the settings of text on top of base; unknown keys and bad values are
// reported in error (the first one) and otherwise ignored.
Control ParseControl(std::string_view text, Control base = {}, std::string* error = nullptr);

} // namespace keyloft::instrument
