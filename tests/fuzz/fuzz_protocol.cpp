// Feeds arbitrary MIDI input to the reassembler and everything it yields to the
// frame and packet readers; the same bytes also go to the stream scanner as raw
// packet bytes. Nothing may read outside its buffer, and what is accepted must
// be self-consistent.
#include <cstdlib>
#include <vector>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/Reassembler.h"
#include "core/portable/protocol/SysEx.h"

namespace kp = keyloft::protocol;

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckPacket(const kp::Packet& packet)
{
    // What parses re-encodes to a packet that parses to the same thing.
    const kp::PacketParse again = kp::ParsePacket(kp::EncodePacket(packet.type, packet.payload));
    Require(again.Ok() && again.packet.type == packet.type && again.packet.payload == packet.payload);
    if (const auto data = kp::ReadData(packet))
        Require(data->data.size() <= kp::kMaxChunk);
    if (const auto upload = kp::ReadUploadData(packet))
        Require(upload->data.size() <= kp::kMaxChunk);
    (void)kp::ReadHello(packet);
    (void)kp::ReadQuery(packet);
    (void)kp::ReadEnd(packet);
    (void)kp::ReadUploadRead(packet);
    (void)kp::ReadAck(packet);
    (void)kp::ReadUploadInfo(packet);
    if (const auto reply = kp::ReadQueryReply(packet)) {
        (void)kp::ReadIdentityResult(*reply);
        for (std::uint8_t kind = 0; kind < 4; ++kind) {
            if (const auto table = kp::ReadTableResult(*reply, kind))
                Require(table->size() + 4 == packet.payload.size());
            (void)kp::ReadSizeResult(*reply, kind, 0);
        }
    }
}

void CheckMessage(kp::ByteView message)
{
    Require(message.size() >= 2 && message.front() == 0xF0 && message.back() == 0xF7);
    for (std::size_t i = 1; i + 1 < message.size(); ++i)
        Require(message[i] < 0x80);
    const kp::PacketFrame frame = kp::ReadPacketFrame(message);
    if (frame.Ok())
        CheckPacket(frame.parse.packet);
    if (const auto answer = kp::ParseIdentifyReply(message))
        Require(answer->identity.size() == kp::kIdentityLength && !answer->name.empty());
    (void)kp::IsIdentifyQuery(message);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    const kp::ByteView input(bytes);

    // The first byte chooses the input buffer size and a small maximum message size
    // now and then, so that splitting and the oversize path are both explored.
    const std::size_t chunk = size == 0 ? 1 : 1 + bytes[0] % 64;
    const std::size_t maxMessage = (size > 0 && bytes[0] & 0x80) ? 2 + bytes[0] % 40 : kp::kReceiveBufferSize;
    kp::SysExReassembler reassembler(maxMessage);
    const kp::SysExReassembler::Sink sink = [&](const kp::ReassemblyEvent& event) {
        if (event.kind == kp::ReassemblyEventKind::Message) {
            Require(event.message.size() <= maxMessage);
            CheckMessage(event.message);
        } else {
            Require(event.message.empty());
        }
    };
    for (std::size_t at = 0; at < size; at += chunk) {
        const std::size_t n = std::min(chunk, size - at);
        std::vector<std::uint8_t> piece(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                        bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
        reassembler.Feed(piece, sink);
    }

    // The same bytes as a stream of decoded packet bytes.
    kp::ByteView rest = input;
    while (!rest.empty()) {
        const kp::PacketScan scan = kp::ScanPacket(rest);
        if (scan.state == kp::PacketScan::State::NeedMore)
            break;
        Require(scan.consumed > 0 && scan.consumed <= rest.size());
        if (scan.state == kp::PacketScan::State::Complete)
            CheckPacket(scan.packet);
        rest = rest.subspan(scan.consumed);
    }
    const kp::PacketParse whole = kp::ParsePacket(input);
    if (whole.Ok())
        Require(whole.expected == size);
    return 0;
}
