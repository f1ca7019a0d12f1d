#include "core/portable/protocol/SysEx.h"

#include <stdexcept>

#include "core/portable/protocol/Nibble.h"

namespace keyloft::protocol {

namespace {

void AppendHeader(Bytes& out, FrameKind kind)
{
    out.push_back(kSysExStart);
    out.push_back(kManufacturerId);
    out.push_back(kSystemTag);
    out.push_back(static_cast<std::uint8_t>(kind));
}

bool IsPrintable(std::uint8_t c) { return c >= 0x20 && c <= 0x7E; }

bool AllPrintable(ByteView bytes)
{
    for (std::uint8_t c : bytes)
        if (!IsPrintable(c))
            return false;
    return true;
}

} // namespace

Bytes WrapPacket(ByteView packetBytes)
{
    Bytes out;
    out.reserve(kEnvelopeHeaderSize + 2 * packetBytes.size() + 1);
    AppendHeader(out, FrameKind::Packet);
    AppendNibbles(packetBytes, out);
    out.push_back(kSysExEnd);
    return out;
}

Bytes IdentifyQueryMessage()
{
    Bytes out;
    AppendHeader(out, FrameKind::Identify);
    out.push_back(kIdentifyQueryCommand);
    out.push_back(kSysExEnd);
    return out;
}

Bytes IdentifyReplyMessage(std::string_view identity, std::string_view name)
{
    const auto asBytes = [](std::string_view text) {
        return ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    };
    if (identity.size() != kIdentityLength || !AllPrintable(asBytes(identity)))
        throw std::invalid_argument("identity must be eight printable characters");
    if (name.empty() || name.size() > kMaxReportedNameLength || !AllPrintable(asBytes(name)))
        throw std::invalid_argument("name must be 1 to 32 printable characters");
    Bytes out;
    AppendHeader(out, FrameKind::Identify);
    out.push_back(kIdentifyReplyCommand);
    out.insert(out.end(), identity.begin(), identity.end());
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(kSysExEnd);
    return out;
}

std::string_view ToString(FrameError error)
{
    switch (error) {
    case FrameError::None: return "ok";
    case FrameError::NotSysEx: return "not a system-exclusive message";
    case FrameError::DataByteTooHigh: return "status byte inside the message";
    case FrameError::Foreign: return "not our message";
    case FrameError::OtherFrameKind: return "other frame kind";
    case FrameError::OddNibbles: return "odd number of nibbles";
    case FrameError::NotANibble: return "byte above 0F in a packet frame";
    case FrameError::BadPacket: return "bad packet";
    }
    return "unknown";
}

FrameHeader ReadFrameHeader(ByteView message)
{
    FrameHeader header;
    if (message.size() < 2 || message.front() != kSysExStart || message.back() != kSysExEnd) {
        header.error = FrameError::NotSysEx;
        return header;
    }
    const ByteView inner = message.subspan(1, message.size() - 2);
    std::uint8_t seen = 0;
    for (std::uint8_t byte : inner)
        seen |= byte;
    if (seen >= 0x80) {
        header.error = FrameError::DataByteTooHigh;
        return header;
    }
    if (inner.size() < kEnvelopeHeaderSize - 1 || inner[0] != kManufacturerId || inner[1] != kSystemTag) {
        header.error = FrameError::Foreign;
        return header;
    }
    const std::uint8_t kind = inner[2];
    if (kind != static_cast<std::uint8_t>(FrameKind::Identify) && kind != static_cast<std::uint8_t>(FrameKind::Packet)) {
        header.error = FrameError::Foreign;
        return header;
    }
    header.kind = static_cast<FrameKind>(kind);
    header.body = inner.subspan(kEnvelopeHeaderSize - 1);
    return header;
}

UnwrappedPacket UnwrapPacketBytes(ByteView message)
{
    UnwrappedPacket result;
    const FrameHeader header = ReadFrameHeader(message);
    if (header.error != FrameError::None) {
        result.error = header.error;
        return result;
    }
    if (header.kind != FrameKind::Packet) {
        result.error = FrameError::OtherFrameKind;
        return result;
    }
    switch (AppendDecodedNibbles(header.body, result.bytes)) {
    case NibbleError::OddLength: result.error = FrameError::OddNibbles; break;
    case NibbleError::NotANibble: result.error = FrameError::NotANibble; break;
    case NibbleError::None: break;
    }
    return result;
}

PacketFrame ReadPacketFrame(ByteView message)
{
    PacketFrame frame;
    UnwrappedPacket unwrapped = UnwrapPacketBytes(message);
    if (unwrapped.error != FrameError::None) {
        frame.error = unwrapped.error;
        return frame;
    }
    frame.parse = ParsePacket(unwrapped.bytes);
    if (!frame.parse.Ok())
        frame.error = FrameError::BadPacket;
    return frame;
}

bool IsIdentifyQuery(ByteView message)
{
    const FrameHeader header = ReadFrameHeader(message);
    return header.error == FrameError::None && header.kind == FrameKind::Identify && header.body.size() == 1 &&
           header.body[0] == kIdentifyQueryCommand;
}

std::optional<IdentifyAnswer> ParseIdentifyReply(ByteView message)
{
    const FrameHeader header = ReadFrameHeader(message);
    if (header.error != FrameError::None || header.kind != FrameKind::Identify)
        return std::nullopt;
    const ByteView body = header.body;
    if (body.size() < 1 + kIdentityLength + 1 || body.size() > 1 + kIdentityLength + kMaxReportedNameLength)
        return std::nullopt;
    if (body[0] != kIdentifyReplyCommand || !AllPrintable(body.subspan(1)))
        return std::nullopt;
    IdentifyAnswer answer;
    answer.identity.assign(body.begin() + 1, body.begin() + 1 + kIdentityLength);
    answer.name.assign(body.begin() + 1 + kIdentityLength, body.end());
    return answer;
}

} // namespace keyloft::protocol
