#pragma once
// One MIDI message (or a deliberately broken piece of one) that the simulated
// instrument sends back, and how long after the request it leaves.
#include "core/portable/protocol/Bytes.h"

namespace keyloft::instrument {

struct Reply {
    protocol::Bytes bytes;
    unsigned delayMs = 0;
};

} // namespace keyloft::instrument
