#include <gtest/gtest.h>

#include <stdexcept>

#include "core/portable/protocol/Nibble.h"
#include "core/portable/protocol/Packet.h"

namespace kp = keyloft::protocol;

TEST(Nibble, HighNibbleFirstAndRoundTrip)
{
    const kp::Bytes bytes = {0xA7, 0x00, 0xFF, 0x10};
    kp::Bytes nibbles;
    kp::AppendNibbles(bytes, nibbles);
    EXPECT_EQ(nibbles, (kp::Bytes{0x0A, 0x07, 0x00, 0x00, 0x0F, 0x0F, 0x01, 0x00}));
    kp::Bytes back;
    EXPECT_EQ(kp::AppendDecodedNibbles(nibbles, back), kp::NibbleError::None);
    EXPECT_EQ(back, bytes);
}

TEST(Nibble, RejectsOddLengthAndHighBytesWithoutTouchingOutput)
{
    kp::Bytes out = {0x55};
    EXPECT_EQ(kp::AppendDecodedNibbles(kp::Bytes{0x01, 0x02, 0x03}, out), kp::NibbleError::OddLength);
    EXPECT_EQ(kp::AppendDecodedNibbles(kp::Bytes{0x01, 0x10}, out), kp::NibbleError::NotANibble);
    EXPECT_EQ(out, kp::Bytes{0x55});
}

TEST(Packet, LayoutIsMagicTypeLengthPayloadSum)
{
    const kp::Bytes payload(300, 0xFF); // the sum passes 16 bits and wraps
    const kp::Bytes packet = kp::EncodePacket(0x20, payload);
    ASSERT_EQ(packet.size(), 11u + 300u + 2u);
    EXPECT_EQ(std::string(packet.begin(), packet.begin() + 8), "KELVOR01");
    EXPECT_EQ(packet[8], 0x20);
    EXPECT_EQ(packet[9], 0x01);
    EXPECT_EQ(packet[10], 0x2C);
    unsigned sum = 0;
    for (std::size_t i = 0; i < packet.size() - 2; ++i)
        sum += packet[i];
    ASSERT_GT(sum, 0xFFFFu);
    EXPECT_EQ(packet[packet.size() - 2], (sum >> 8) & 0xFF);
    EXPECT_EQ(packet[packet.size() - 1], sum & 0xFF);
}

TEST(Packet, ParseRoundTripIncludingLargestPayload)
{
    kp::Bytes payload(kp::kMaxPayload);
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<std::uint8_t>(i * 7);
    const kp::PacketParse parse = kp::ParsePacket(kp::EncodePacket(0xB1, payload));
    ASSERT_TRUE(parse.Ok()) << kp::ToString(parse.error);
    EXPECT_EQ(parse.packet.type, 0xB1);
    EXPECT_EQ(parse.packet.payload, payload);
    EXPECT_THROW(kp::EncodePacket(0x20, kp::Bytes(kp::kMaxPayload + 1)), std::length_error);
}

TEST(Packet, ParseSaysExactlyWhatIsWrong)
{
    const kp::Bytes good = kp::EncodePacket(0x06, kp::Bytes{0x20, 0x00});

    kp::Bytes shortPacket(good.begin(), good.end() - 1);
    kp::PacketParse parse = kp::ParsePacket(shortPacket);
    EXPECT_EQ(parse.error, kp::PacketError::Truncated);
    EXPECT_EQ(parse.expected, good.size());
    EXPECT_EQ(parse.received, good.size() - 1);

    EXPECT_EQ(kp::ParsePacket(kp::ByteView(good).first(5)).error, kp::PacketError::Truncated);

    kp::Bytes longer = good;
    longer.push_back(0);
    EXPECT_EQ(kp::ParsePacket(longer).error, kp::PacketError::TrailingBytes);

    kp::Bytes badMagic = good;
    badMagic[3] ^= 0x01;
    EXPECT_EQ(kp::ParsePacket(badMagic).error, kp::PacketError::BadMagic);

    kp::Bytes badSum = good;
    badSum[12] ^= 0x40; // payload byte
    EXPECT_EQ(kp::ParsePacket(badSum).error, kp::PacketError::BadSum);

    kp::Bytes hugeLength = good;
    hugeLength[9] = 0x08;
    hugeLength[10] = 0x03; // 2051
    EXPECT_EQ(kp::ParsePacket(hugeLength).error, kp::PacketError::LengthTooLarge);

    EXPECT_EQ(kp::ParsePacket(kp::Bytes{}).error, kp::PacketError::Truncated);
}

TEST(PacketScan, FindsPacketsInNoiseAndWaitsForPartialOnes)
{
    const kp::Bytes first = kp::EncodePacket(0x06, kp::Bytes{0x15, 0x00});
    const kp::Bytes second = kp::EncodePacket(0x01, kp::Bytes{0x00});
    kp::Bytes stream = {'x', 'K', 'E'}; // noise, including a false start of the magic
    stream.insert(stream.end(), first.begin(), first.end());
    stream.insert(stream.end(), second.begin(), second.end() - 4);

    std::vector<kp::Packet> found;
    std::size_t skipped = 0;
    kp::ByteView rest(stream);
    for (;;) {
        const kp::PacketScan scan = kp::ScanPacket(rest);
        if (scan.state == kp::PacketScan::State::NeedMore)
            break;
        if (scan.state == kp::PacketScan::State::Complete)
            found.push_back(scan.packet);
        else
            skipped += scan.consumed;
        rest = rest.subspan(scan.consumed);
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].type, 0x06);
    EXPECT_EQ(skipped, 3u);
    EXPECT_EQ(rest.size(), second.size() - 4); // the partial packet waits
}

TEST(PacketScan, BadSumOrHugeLengthSkipsAndResynchronises)
{
    kp::Bytes corrupt = kp::EncodePacket(0x06, kp::Bytes{0x15, 0x00});
    corrupt.back() ^= 0x01;
    const kp::Bytes good = kp::EncodePacket(0x06, kp::Bytes{0x20, 0x00});
    kp::Bytes stream = corrupt;
    stream.insert(stream.end(), good.begin(), good.end());

    kp::ByteView rest(stream);
    kp::PacketScan scan = kp::ScanPacket(rest);
    EXPECT_EQ(scan.state, kp::PacketScan::State::Skip);
    EXPECT_EQ(scan.error, kp::PacketError::BadSum);
    while (scan.state != kp::PacketScan::State::Complete) {
        ASSERT_NE(scan.state, kp::PacketScan::State::NeedMore);
        rest = rest.subspan(scan.consumed);
        scan = kp::ScanPacket(rest);
    }
    EXPECT_EQ(scan.packet.payload, (kp::Bytes{0x20, 0x00}));

    kp::Bytes huge = good;
    huge[9] = 0xFF;
    const kp::PacketScan hugeScan = kp::ScanPacket(huge);
    EXPECT_EQ(hugeScan.state, kp::PacketScan::State::Skip);
    EXPECT_EQ(hugeScan.error, kp::PacketError::LengthTooLarge);
}
