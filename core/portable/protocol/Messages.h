#pragma once
// Payloads of the packet types: builders for both sides and checked readers.
// Every reader checks the payload length against the type's form exactly.
#include <optional>
#include <string>

#include "core/portable/protocol/Bytes.h"
#include "core/portable/protocol/Constants.h"
#include "core/portable/protocol/Packet.h"

namespace keyloft::protocol {

// ---- program to instrument (whole packets, not yet wrapped) ----
Bytes MakeHello(HelloCommand command);
Bytes MakeIdentityQuery();
Bytes MakeTableQuery(std::uint8_t kind);
Bytes MakeSizeQuery(std::uint8_t kind, std::uint16_t slot);
Bytes MakeQuery(std::uint8_t code, std::optional<std::uint16_t> slot);
Bytes MakeDelete(std::uint8_t kind, std::uint16_t slot);
Bytes MakeClearState();
// Throws std::length_error for more than kMaxChunk data bytes.
Bytes MakeData(std::uint8_t kind, std::uint16_t slot, ByteView data);
Bytes MakeEnd(std::uint8_t kind, std::uint16_t slot, std::uint32_t total);
Bytes MakeUploadRequest(std::uint8_t kind, std::uint16_t slot);
Bytes MakeUploadRead(std::uint8_t kind, std::uint16_t slot, std::uint32_t offset);
Bytes MakeUploadEnd(std::uint8_t kind, std::uint16_t slot);

// ---- instrument to program ----
Bytes MakeHelloReply(Status status);
Bytes MakeAck(PacketType acknowledged, Status status);
Bytes MakeAck(std::uint8_t acknowledged, Status status);
Bytes MakeQueryReply(std::uint8_t code, Status status, ByteView result);
Bytes MakeUploadInfo(Status status, std::uint32_t total);
Bytes MakeUploadData(Status status, std::uint32_t offset, ByteView data);

// ---- readers of requests (the instrument's side) ----
struct ItemRef {
    std::uint8_t kind = 0;
    std::uint16_t slot = 0;
};
struct QueryRequest {
    std::uint8_t code = 0;
    std::optional<std::uint16_t> slot; // present for size queries
};
struct DataRequest {
    ItemRef item;
    ByteView data; // points into the packet
};
struct EndRequest {
    ItemRef item;
    std::uint32_t total = 0;
};
struct UploadReadRequest {
    ItemRef item;
    std::uint32_t offset = 0;
};

std::optional<HelloCommand> ReadHello(const Packet& packet);
std::optional<QueryRequest> ReadQuery(const Packet& packet);
std::optional<ItemRef> ReadItemRef(const Packet& packet, PacketType expected); // delete, upload request/end
bool ReadClearState(const Packet& packet);
std::optional<DataRequest> ReadData(const Packet& packet);
std::optional<EndRequest> ReadEnd(const Packet& packet);
std::optional<UploadReadRequest> ReadUploadRead(const Packet& packet);

// ---- readers of replies (the program's side) ----
struct Ack {
    std::uint8_t acknowledged = 0;
    Status status = Status::Ok;
};
struct QueryReply {
    std::uint8_t code = 0;
    Status status = Status::Ok;
    ByteView result; // points into the packet
};
struct UploadInfo {
    Status status = Status::Ok;
    std::uint32_t total = 0;
};
struct UploadData {
    Status status = Status::Ok;
    std::uint32_t offset = 0;
    ByteView data; // points into the packet
};

std::optional<Status> ReadHelloReply(const Packet& packet);
std::optional<Ack> ReadAck(const Packet& packet);
std::optional<QueryReply> ReadQueryReply(const Packet& packet);
std::optional<UploadInfo> ReadUploadInfo(const Packet& packet);
std::optional<UploadData> ReadUploadData(const Packet& packet);

// Results of an ok query reply; nullopt when the reply is not that query's or malformed.
std::optional<std::string> ReadIdentityResult(const QueryReply& reply);
std::optional<Bytes> ReadTableResult(const QueryReply& reply, std::uint8_t kind);
std::optional<std::uint32_t> ReadSizeResult(const QueryReply& reply, std::uint8_t kind, std::uint16_t slot);

} // namespace keyloft::protocol
