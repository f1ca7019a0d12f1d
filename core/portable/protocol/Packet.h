#pragma once
// Packets: magic, type, u16 big-endian payload length, payload, u16 sum of all
// bytes before the sum.
#include <string_view>

#include "core/portable/protocol/Bytes.h"
#include "core/portable/protocol/Constants.h"

namespace keyloft::protocol {

struct Packet {
    std::uint8_t type = 0;
    Bytes payload;

    PacketType Type() const { return static_cast<PacketType>(type); }
};

std::uint16_t PacketSum(ByteView bytes);

// Throws std::length_error when the payload is longer than kMaxPayload.
Bytes EncodePacket(std::uint8_t type, ByteView payload);
inline Bytes EncodePacket(PacketType type, ByteView payload)
{
    return EncodePacket(static_cast<std::uint8_t>(type), payload);
}

enum class PacketError {
    None,
    Truncated,      // fewer bytes than the header or its length field needs
    BadMagic,
    LengthTooLarge, // length field above kMaxPayload
    TrailingBytes,  // more bytes than the length field accounts for
    BadSum,
};

std::string_view ToString(PacketError error);

struct PacketParse {
    PacketError error = PacketError::None;
    Packet packet;             // valid only without error
    std::size_t expected = 0;  // bytes the packet needs (0 when the header is unreadable)
    std::size_t received = 0;  // bytes that arrived

    bool Ok() const { return error == PacketError::None; }
};

// Parses exactly one packet that fills the whole buffer.
PacketParse ParsePacket(ByteView bytes);

// For a byte stream that may hold partial packets, packets and noise.
struct PacketScan {
    enum class State {
        Complete, // packet holds a packet; consumed bytes are used
        NeedMore, // no decision yet: wait for more bytes (consumed is 0)
        Skip,     // consumed bytes are not a packet (error says why)
    };
    State state = State::NeedMore;
    PacketError error = PacketError::None;
    std::size_t consumed = 0;
    Packet packet;
};

PacketScan ScanPacket(ByteView bytes);

} // namespace keyloft::protocol
