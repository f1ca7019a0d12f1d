#include "core/portable/protocol/Messages.h"

#include <stdexcept>

namespace keyloft::protocol {

namespace {

Bytes ItemPayload(std::uint8_t kind, std::uint16_t slot)
{
    Bytes payload;
    payload.push_back(kind);
    AppendU16(payload, slot);
    return payload;
}

std::uint8_t StatusByte(Status status) { return static_cast<std::uint8_t>(status); }

bool Is(const Packet& packet, PacketType type) { return packet.type == static_cast<std::uint8_t>(type); }

ItemRef ReadItemAt(ByteView payload)
{
    return ItemRef{payload[0], ReadU16(payload, 1)};
}

} // namespace

Bytes MakeHello(HelloCommand command)
{
    const std::uint8_t payload[] = {static_cast<std::uint8_t>(command)};
    return EncodePacket(PacketType::Hello, payload);
}

Bytes MakeIdentityQuery() { return MakeQuery(kQueryIdentity, std::nullopt); }
Bytes MakeTableQuery(std::uint8_t kind) { return MakeQuery(TableQueryCode(kind), std::nullopt); }
Bytes MakeSizeQuery(std::uint8_t kind, std::uint16_t slot) { return MakeQuery(SizeQueryCode(kind), slot); }

Bytes MakeQuery(std::uint8_t code, std::optional<std::uint16_t> slot)
{
    Bytes payload{code};
    if (slot)
        AppendU16(payload, *slot);
    return EncodePacket(PacketType::Query, payload);
}

Bytes MakeDelete(std::uint8_t kind, std::uint16_t slot)
{
    return EncodePacket(PacketType::Delete, ItemPayload(kind, slot));
}

Bytes MakeClearState() { return EncodePacket(PacketType::ClearState, {}); }

Bytes MakeData(std::uint8_t kind, std::uint16_t slot, ByteView data)
{
    if (data.size() > kMaxChunk)
        throw std::length_error("data packet longer than one chunk");
    Bytes payload = ItemPayload(kind, slot);
    payload.insert(payload.end(), data.begin(), data.end());
    return EncodePacket(PacketType::Data, payload);
}

Bytes MakeEnd(std::uint8_t kind, std::uint16_t slot, std::uint32_t total)
{
    Bytes payload = ItemPayload(kind, slot);
    AppendU32(payload, total);
    return EncodePacket(PacketType::End, payload);
}

Bytes MakeUploadRequest(std::uint8_t kind, std::uint16_t slot)
{
    return EncodePacket(PacketType::UploadRequest, ItemPayload(kind, slot));
}

Bytes MakeUploadRead(std::uint8_t kind, std::uint16_t slot, std::uint32_t offset)
{
    Bytes payload = ItemPayload(kind, slot);
    AppendU32(payload, offset);
    return EncodePacket(PacketType::UploadRead, payload);
}

Bytes MakeUploadEnd(std::uint8_t kind, std::uint16_t slot)
{
    return EncodePacket(PacketType::UploadEnd, ItemPayload(kind, slot));
}

Bytes MakeHelloReply(Status status)
{
    const std::uint8_t payload[] = {StatusByte(status)};
    return EncodePacket(PacketType::Hello, payload);
}

Bytes MakeAck(PacketType acknowledged, Status status) { return MakeAck(static_cast<std::uint8_t>(acknowledged), status); }

Bytes MakeAck(std::uint8_t acknowledged, Status status)
{
    const std::uint8_t payload[] = {acknowledged, StatusByte(status)};
    return EncodePacket(PacketType::Ack, payload);
}

Bytes MakeQueryReply(std::uint8_t code, Status status, ByteView result)
{
    Bytes payload{code, StatusByte(status)};
    payload.insert(payload.end(), result.begin(), result.end());
    return EncodePacket(PacketType::QueryReply, payload);
}

Bytes MakeUploadInfo(Status status, std::uint32_t total)
{
    Bytes payload{StatusByte(status)};
    AppendU32(payload, total);
    return EncodePacket(PacketType::UploadInfo, payload);
}

Bytes MakeUploadData(Status status, std::uint32_t offset, ByteView data)
{
    if (data.size() > kMaxChunk)
        throw std::length_error("upload data longer than one chunk");
    Bytes payload{StatusByte(status)};
    AppendU32(payload, offset);
    payload.insert(payload.end(), data.begin(), data.end());
    return EncodePacket(PacketType::UploadData, payload);
}

std::optional<HelloCommand> ReadHello(const Packet& packet)
{
    if (!Is(packet, PacketType::Hello) || packet.payload.size() != 1 || packet.payload[0] > 1)
        return std::nullopt;
    return static_cast<HelloCommand>(packet.payload[0]);
}

std::optional<QueryRequest> ReadQuery(const Packet& packet)
{
    if (!Is(packet, PacketType::Query) || packet.payload.empty())
        return std::nullopt;
    QueryRequest request;
    request.code = packet.payload[0];
    const bool sizeQuery = (request.code & 0x0F) == kQueryOpSize;
    if (sizeQuery) {
        if (packet.payload.size() != 3)
            return std::nullopt;
        request.slot = ReadU16(packet.payload, 1);
    } else if (packet.payload.size() != 1) {
        return std::nullopt;
    }
    return request;
}

std::optional<ItemRef> ReadItemRef(const Packet& packet, PacketType expected)
{
    if (!Is(packet, expected) || packet.payload.size() != 3)
        return std::nullopt;
    return ReadItemAt(packet.payload);
}

bool ReadClearState(const Packet& packet) { return Is(packet, PacketType::ClearState) && packet.payload.empty(); }

std::optional<DataRequest> ReadData(const Packet& packet)
{
    if (!Is(packet, PacketType::Data) || packet.payload.size() < 3 || packet.payload.size() > 3 + kMaxChunk)
        return std::nullopt;
    return DataRequest{ReadItemAt(packet.payload), ByteView(packet.payload).subspan(3)};
}

std::optional<EndRequest> ReadEnd(const Packet& packet)
{
    if (!Is(packet, PacketType::End) || packet.payload.size() != 7)
        return std::nullopt;
    return EndRequest{ReadItemAt(packet.payload), ReadU32(packet.payload, 3)};
}

std::optional<UploadReadRequest> ReadUploadRead(const Packet& packet)
{
    if (!Is(packet, PacketType::UploadRead) || packet.payload.size() != 7)
        return std::nullopt;
    return UploadReadRequest{ReadItemAt(packet.payload), ReadU32(packet.payload, 3)};
}

std::optional<Status> ReadHelloReply(const Packet& packet)
{
    if (!Is(packet, PacketType::Hello) || packet.payload.size() != 1)
        return std::nullopt;
    return static_cast<Status>(packet.payload[0]);
}

std::optional<Ack> ReadAck(const Packet& packet)
{
    if (!Is(packet, PacketType::Ack) || packet.payload.size() != 2)
        return std::nullopt;
    return Ack{packet.payload[0], static_cast<Status>(packet.payload[1])};
}

std::optional<QueryReply> ReadQueryReply(const Packet& packet)
{
    if (!Is(packet, PacketType::QueryReply) || packet.payload.size() < 2)
        return std::nullopt;
    return QueryReply{packet.payload[0], static_cast<Status>(packet.payload[1]), ByteView(packet.payload).subspan(2)};
}

std::optional<UploadInfo> ReadUploadInfo(const Packet& packet)
{
    if (!Is(packet, PacketType::UploadInfo) || packet.payload.size() != 5)
        return std::nullopt;
    return UploadInfo{static_cast<Status>(packet.payload[0]), ReadU32(packet.payload, 1)};
}

std::optional<UploadData> ReadUploadData(const Packet& packet)
{
    if (!Is(packet, PacketType::UploadData) || packet.payload.size() < 5 || packet.payload.size() > 5 + kMaxChunk)
        return std::nullopt;
    return UploadData{static_cast<Status>(packet.payload[0]), ReadU32(packet.payload, 1), ByteView(packet.payload).subspan(5)};
}

std::optional<std::string> ReadIdentityResult(const QueryReply& reply)
{
    if (reply.code != kQueryIdentity || reply.status != Status::Ok || reply.result.size() != kIdentityLength)
        return std::nullopt;
    return std::string(reply.result.begin(), reply.result.end());
}

std::optional<Bytes> ReadTableResult(const QueryReply& reply, std::uint8_t kind)
{
    if (reply.code != TableQueryCode(kind) || reply.status != Status::Ok || reply.result.size() < 2)
        return std::nullopt;
    const std::size_t count = ReadU16(reply.result, 0);
    if (reply.result.size() != 2 + count)
        return std::nullopt;
    return Bytes(reply.result.begin() + 2, reply.result.end());
}

std::optional<std::uint32_t> ReadSizeResult(const QueryReply& reply, std::uint8_t kind, std::uint16_t slot)
{
    if (reply.code != SizeQueryCode(kind) || reply.status != Status::Ok || reply.result.size() != 6 ||
        ReadU16(reply.result, 0) != slot)
        return std::nullopt;
    return ReadU32(reply.result, 2);
}

} // namespace keyloft::protocol
