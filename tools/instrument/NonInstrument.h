#pragma once
// The second port pair: a MIDI device that is not an instrument. It echoes what
// it gets, babbles, or says nothing.
#include <string_view>
#include <vector>

#include "tools/instrument/Reply.h"

namespace keyloft::instrument {

enum class NonInstrumentMode { Echo, Garbage, Silent };

// "echo", "garbage", "silent"; anything else gives Echo.
NonInstrumentMode ParseNonInstrumentMode(std::string_view text);

std::vector<Reply> NonInstrumentReplies(NonInstrumentMode mode, protocol::ByteView message);

} // namespace keyloft::instrument
