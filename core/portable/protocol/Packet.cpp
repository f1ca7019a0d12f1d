#include "core/portable/protocol/Packet.h"

#include <algorithm>
#include <stdexcept>

namespace keyloft::protocol {

std::uint16_t PacketSum(ByteView bytes)
{
    std::uint32_t sum = 0;
    for (std::uint8_t byte : bytes)
        sum += byte;
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

Bytes EncodePacket(std::uint8_t type, ByteView payload)
{
    if (payload.size() > kMaxPayload)
        throw std::length_error("packet payload longer than the protocol allows");
    Bytes out;
    out.reserve(kPacketHeaderSize + payload.size() + kSumSize);
    out.insert(out.end(), kMagic.begin(), kMagic.end());
    out.push_back(type);
    AppendU16(out, static_cast<std::uint16_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    AppendU16(out, PacketSum(out));
    return out;
}

std::string_view ToString(PacketError error)
{
    switch (error) {
    case PacketError::None: return "ok";
    case PacketError::Truncated: return "truncated packet";
    case PacketError::BadMagic: return "bad magic";
    case PacketError::LengthTooLarge: return "length field too large";
    case PacketError::TrailingBytes: return "bytes after the packet";
    case PacketError::BadSum: return "bad sum";
    }
    return "unknown";
}

namespace {

bool StartsWithMagic(ByteView bytes)
{
    const std::size_t n = std::min(bytes.size(), kMagic.size());
    return std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), kMagic.begin());
}

// Header checks shared by both parsers; expected is set once the length is readable.
PacketError CheckHeader(ByteView bytes, std::size_t& expected)
{
    expected = 0;
    if (!StartsWithMagic(bytes))
        return PacketError::BadMagic;
    if (bytes.size() < kPacketHeaderSize)
        return PacketError::Truncated;
    const std::size_t length = ReadU16(bytes, kMagic.size() + 1);
    if (length > kMaxPayload)
        return PacketError::LengthTooLarge;
    expected = kPacketHeaderSize + length + kSumSize;
    return bytes.size() < expected ? PacketError::Truncated : PacketError::None;
}

// bytes holds at least the whole packet of the given size.
PacketError CheckSumAndTake(ByteView bytes, std::size_t size, Packet& packet)
{
    const ByteView summed = bytes.first(size - kSumSize);
    if (PacketSum(summed) != ReadU16(bytes, size - kSumSize))
        return PacketError::BadSum;
    packet.type = bytes[kMagic.size()];
    packet.payload.assign(bytes.begin() + kPacketHeaderSize, bytes.begin() + static_cast<std::ptrdiff_t>(size - kSumSize));
    return PacketError::None;
}

} // namespace

PacketParse ParsePacket(ByteView bytes)
{
    PacketParse result;
    result.received = bytes.size();
    result.error = CheckHeader(bytes, result.expected);
    if (result.error != PacketError::None)
        return result;
    if (bytes.size() > result.expected) {
        result.error = PacketError::TrailingBytes;
        return result;
    }
    result.error = CheckSumAndTake(bytes, result.expected, result.packet);
    return result;
}

PacketScan ScanPacket(ByteView bytes)
{
    PacketScan scan;
    if (bytes.empty())
        return scan;
    if (!StartsWithMagic(bytes)) {
        // Skip to the next place where the magic (or its beginning, at the end) starts.
        std::size_t next = 1;
        while (next < bytes.size() && !StartsWithMagic(bytes.subspan(next)))
            ++next;
        scan.state = PacketScan::State::Skip;
        scan.error = PacketError::BadMagic;
        scan.consumed = next;
        return scan;
    }
    std::size_t expected = 0;
    const PacketError header = CheckHeader(bytes, expected);
    if (header == PacketError::Truncated)
        return scan;
    if (header != PacketError::None) {
        // A corrupt header: drop its first byte and look for the next magic.
        scan.state = PacketScan::State::Skip;
        scan.error = header;
        scan.consumed = 1;
        return scan;
    }
    scan.error = CheckSumAndTake(bytes, expected, scan.packet);
    scan.state = scan.error == PacketError::None ? PacketScan::State::Complete : PacketScan::State::Skip;
    scan.consumed = scan.error == PacketError::None ? expected : 1;
    return scan;
}

} // namespace keyloft::protocol
