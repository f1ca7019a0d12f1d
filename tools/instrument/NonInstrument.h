#pragma once
// The second port pair: a MIDI device that is not an instrument. It echoes what
// it gets, babbles, or says nothing. In the "sized" mode it is a raw exchange
// partner for benchmarks: a message F0 7D 4B 7E s3 s2 s1 s0 ... F7 is answered
// with one message of exactly s bytes (s in four nibbles, high first, at least 5).
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/instrument/Reply.h"

namespace keyloft::instrument {

enum class NonInstrumentMode { Echo, Garbage, Silent, Sized };

inline constexpr std::uint8_t kSizedFrameKind = 0x7E;

// "echo", "garbage", "silent", "sized"; anything else gives Echo.
NonInstrumentMode ParseNonInstrumentMode(std::string_view text);

std::vector<Reply> NonInstrumentReplies(NonInstrumentMode mode, protocol::ByteView message);

// A message of `size` bytes (at least 5) that asks the sized partner for a reply of replySize bytes.
protocol::Bytes SizedRequest(std::size_t size, std::uint16_t replySize);

} // namespace keyloft::instrument
