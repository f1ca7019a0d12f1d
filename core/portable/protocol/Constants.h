#pragma once
// Codes, sizes and time-outs of the instrument protocol (docs/protocol.md).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace keyloft::protocol {

// System-exclusive envelope: F0 7D 4B <frame kind> <body> F7.
inline constexpr std::uint8_t kSysExStart = 0xF0;
inline constexpr std::uint8_t kSysExEnd = 0xF7;
inline constexpr std::uint8_t kManufacturerId = 0x7D;
inline constexpr std::uint8_t kSystemTag = 0x4B;
inline constexpr std::size_t kEnvelopeHeaderSize = 4;

enum class FrameKind : std::uint8_t { Identify = 0x01, Packet = 0x02 };

// Identify frame commands.
inline constexpr std::uint8_t kIdentifyQueryCommand = 0x00;
inline constexpr std::uint8_t kIdentifyReplyCommand = 0x40;
inline constexpr std::size_t kIdentityLength = 8;
inline constexpr std::size_t kMaxReportedNameLength = 32;

// Packet layout: magic, type, u16 length, payload, u16 sum.
inline constexpr std::array<std::uint8_t, 8> kMagic = {'K', 'E', 'L', 'V', 'O', 'R', '0', '1'};
inline constexpr std::size_t kPacketHeaderSize = 11;
inline constexpr std::size_t kSumSize = 2;
inline constexpr std::size_t kMaxPayload = 2050;
inline constexpr std::size_t kMaxPacketSize = kPacketHeaderSize + kMaxPayload + kSumSize;
inline constexpr std::size_t kMaxChunk = 2045; // data bytes per data or upload-data packet
inline constexpr std::size_t kMaxPacketFrameSize = kEnvelopeHeaderSize + 2 * kMaxPacketSize + 1;
inline constexpr std::size_t kReceiveBufferSize = 10240; // largest message a receiver accepts

enum class PacketType : std::uint8_t {
    Hello = 0x01, // both ways: request (probe/close) and its reply
    Query = 0x02,
    Ack = 0x06,
    Delete = 0x10,
    ClearState = 0x15,
    Data = 0x20,
    End = 0x21,
    UploadRequest = 0x30,
    UploadRead = 0x31,
    UploadEnd = 0x32,
    QueryReply = 0x82,
    UploadInfo = 0xB0,
    UploadData = 0xB1,
};

enum class HelloCommand : std::uint8_t { Probe = 0x00, Close = 0x01 };

enum class Kind : std::uint8_t {
    Song = 0,
    Style = 1,
    Voice = 2,
    Memory = 3,
    DeviceProfile = 5,
    VoiceList = 6,
};

inline constexpr bool IsSlotKind(std::uint8_t kind) { return kind <= 3; }
inline constexpr bool IsUploadKind(std::uint8_t kind) { return kind <= 3 || kind == 5 || kind == 6; }

// The program's slot -1 travels unchanged as FFFF: the instrument's working item.
inline constexpr std::uint16_t kWorkingSlot = 0xFFFF;

// Query codes: high nibble kind, low nibble operation.
inline constexpr std::uint8_t kQueryIdentity = 0x00;
inline constexpr std::uint8_t kQueryOpTable = 0x03;
inline constexpr std::uint8_t kQueryOpSize = 0x04;

inline constexpr std::uint8_t TableQueryCode(std::uint8_t kind)
{
    return static_cast<std::uint8_t>((kind << 4) | kQueryOpTable);
}
inline constexpr std::uint8_t SizeQueryCode(std::uint8_t kind)
{
    return static_cast<std::uint8_t>((kind << 4) | kQueryOpSize);
}

// The port's query numbers: 3, 5, 7, 9 slot tables; 4, 6 sizes of songs and styles.
inline constexpr std::optional<std::uint8_t> QueryCodeForNumber(int number)
{
    switch (number) {
    case 3: return TableQueryCode(0);
    case 5: return TableQueryCode(1);
    case 7: return TableQueryCode(2);
    case 9: return TableQueryCode(3);
    case 4: return SizeQueryCode(0);
    case 6: return SizeQueryCode(1);
    default: return std::nullopt;
    }
}

enum class Status : std::uint8_t {
    Ok = 0x00,
    Busy = 0x01,
    BadSum = 0x02,
    BadPacket = 0x03,
    BadKind = 0x04,
    BadSlot = 0x05,
    EmptySlot = 0x06,
    TooLarge = 0x07,
    Sequence = 0x08,
    MemoryFull = 0x09,
    NotAllowed = 0x0A,
};

// Every wait of the protocol, in milliseconds; tests shorten them.
struct Timeouts {
    unsigned resetAckMs = 1000;
    unsigned dataAckMs = 5000;
    unsigned endAckMs = 30000;
    unsigned clearStateMs = 1000;
    unsigned probeMs = 1000;
    unsigned closeMs = 300;
    unsigned queryMs = 2000;
    unsigned deleteMs = 5000;
    unsigned uploadMs = 5000;
    unsigned scanPerOutputMs = 300;
    unsigned identifyPolls = 1000;
    unsigned identifyPollMs = 1;
    unsigned keepAliveWaitPolls = 100;
    unsigned keepAliveWaitMs = 10;
};

} // namespace keyloft::protocol
