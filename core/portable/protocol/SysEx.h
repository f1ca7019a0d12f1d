#pragma once
// The system-exclusive envelope: F0 7D 4B <frame kind> <body> F7.
#include <optional>
#include <string>
#include <string_view>

#include "core/portable/protocol/Bytes.h"
#include "core/portable/protocol/Constants.h"
#include "core/portable/protocol/Packet.h"

namespace keyloft::protocol {

// One packet as one message, every byte as two nibbles.
Bytes WrapPacket(ByteView packetBytes);
inline Bytes PacketMessage(PacketType type, ByteView payload) { return WrapPacket(EncodePacket(type, payload)); }

Bytes IdentifyQueryMessage();
// Throws std::invalid_argument unless identity has 8 and name 1..32 printable ASCII characters.
Bytes IdentifyReplyMessage(std::string_view identity, std::string_view name);

enum class FrameError {
    None,
    NotSysEx,        // does not start with F0 or end with F7
    DataByteTooHigh, // a byte of 80 or above inside the message
    Foreign,         // another manufacturer or system
    OtherFrameKind,  // ours, but not the kind asked for
    OddNibbles,
    NotANibble,
    BadPacket,       // nibbles decoded, the packet inside is wrong (see packet error)
};

std::string_view ToString(FrameError error);

struct FrameHeader {
    FrameError error = FrameError::None;
    FrameKind kind = FrameKind::Packet;
    ByteView body; // between the header and F7
};

// Checks the envelope of a complete message.
FrameHeader ReadFrameHeader(ByteView message);

// The packet bytes of a packet frame (nibbles decoded, not yet parsed).
struct UnwrappedPacket {
    FrameError error = FrameError::None;
    Bytes bytes;
};
UnwrappedPacket UnwrapPacketBytes(ByteView message);

// A packet frame decoded and parsed; packetError tells what was wrong inside.
struct PacketFrame {
    FrameError error = FrameError::None;
    PacketParse parse;

    bool Ok() const { return error == FrameError::None; }
};
PacketFrame ReadPacketFrame(ByteView message);

bool IsIdentifyQuery(ByteView message);

struct IdentifyAnswer {
    std::string identity; // eight characters
    std::string name;     // the model name the instrument reports
};
// Only a well-formed reply counts; echoes and foreign messages give nothing.
std::optional<IdentifyAnswer> ParseIdentifyReply(ByteView message);

} // namespace keyloft::protocol
