// How the reader stores what it reads: the payload pool (copied or adopted)
// and the places its errors point at.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/portable/midi/MidiReader.h"
#include "tests/portable/midi/MidiBytes.h"

namespace keyloft::midi {
namespace {

using test::Bytes;
using test::Header;
using test::Join;
using test::Track;

Bytes EveryKindOfEvent() {
    return Join({Header(1, 2, 96),
                 Track({0x00, 0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g',     // track name
                        0x00, 0x90, 60, 100, 0x10, 62, 90,              // note, running status
                        0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,             // sysex
                        0x00, 0xC1, 5,                                  // program
                        0x00, 0xF7, 0x01, 0xFA,                         // escape
                        0x00, 0xFF, 0x2F, 0x00}),
                 Track({0x00, 0xFF, 0x06, 0x00,                          // empty marker
                        0x60, 0xE2, 0x00, 0x40})});                      // no end-of-track
}

std::vector<std::vector<std::uint8_t>> Payloads(const MidiFile& file) {
    std::vector<std::vector<std::uint8_t>> all;
    for (const MidiTrack& track : file.tracks) {
        for (const MidiEvent& event : track.events) {
            const auto bytes = file.Payload(event);
            all.emplace_back(bytes.begin(), bytes.end());
        }
    }
    return all;
}

TEST(MidiReaderPool, AdoptedBufferGivesTheSameFileWithoutCopying) {
    const Bytes bytes = EveryKindOfEvent();
    MidiFile copied;
    ASSERT_TRUE(ReadMidiFile(bytes, copied).ok);

    Bytes buffer = bytes;
    const std::uint8_t* const storage = buffer.data();
    MidiFile adopted;
    ASSERT_TRUE(ReadMidiFile(std::move(buffer), adopted).ok);
    EXPECT_EQ(adopted.payload.data(), storage) << "the buffer itself is the pool";
    EXPECT_EQ(Payloads(adopted), Payloads(copied));
    EXPECT_EQ(adopted.PayloadText(adopted.tracks[0].events[0]), "Song");
    EXPECT_TRUE(adopted.tracks[0].endOfTrackSeen);
    EXPECT_FALSE(adopted.tracks[1].endOfTrackSeen);

    // Builders keep working on an adopted pool.
    adopted.AddMetaText(adopted.tracks[1], 200, meta::Marker, "END");
    EXPECT_EQ(adopted.PayloadText(adopted.tracks[1].events.back()), "END");
    EXPECT_EQ(adopted.PayloadText(adopted.tracks[0].events[0]), "Song");
}

TEST(MidiReaderPool, FailedAdoptingReadLeavesTheBufferAndNoFile) {
    Bytes damaged = Join({Header(0, 1, 96), Track({0x00, 0xFF, 0x01, 0x05, 'a'})});
    const Bytes original = damaged;
    MidiFile file;
    const MidiReadResult result = ReadMidiFile(std::move(damaged), file);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(damaged, original);  // NOLINT(bugprone-use-after-move): kept on failure
    EXPECT_TRUE(file.tracks.empty());
    EXPECT_TRUE(file.payload.empty());
    EXPECT_TRUE(file.payloadRefs.empty());
}

TEST(MidiReaderPool, PayloadOfChannelOrForeignEventIsEmpty) {
    MidiFile file;
    ASSERT_TRUE(ReadMidiFile(EveryKindOfEvent(), file).ok);
    EXPECT_TRUE(file.Payload(file.tracks[0].events[1]).empty()) << "a note has no payload";
    MidiEvent foreign;
    foreign.kind = EventKind::SysEx;
    foreign.status = 0xF0;
    foreign.payloadAt = 1000;
    EXPECT_TRUE(file.Payload(foreign).empty());
}

TEST(MidiReaderPool, ErrorsNameTheTrackAndTheEventsPlace) {
    MidiFile file;
    // Meta length past the chunk end: the place is the FF of the meta event.
    MidiReadResult r = ReadMidiFile(
        Join({Header(1, 2, 96), Track({0x00, 0xFF, 0x2F, 0x00}), Track({0x00, 0xFF, 0x01, 0x05, 'a'})}),
        file);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.offset, 14u + 12u + 8u + 1u);
    EXPECT_NE(r.error.find("track 1"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("length 5"), std::string::npos) << r.error;
    // Seventeen largest deltas pass 32 bits of absolute time.
    Bytes body;
    for (int i = 0; i < 17; ++i) {
        body.insert(body.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1});
    }
    Bytes track = {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(body.size())};
    track.insert(track.end(), body.begin(), body.end());
    r = ReadMidiFile(Join({Header(0, 1, 96), track}), file);
    ASSERT_FALSE(r.ok);
    EXPECT_NE(r.error.find("32 bits"), std::string::npos) << r.error;
    EXPECT_EQ(r.offset, 22u + 16u * 7u) << "the delta that overflows";
    // A data byte above 0x7F inside a channel message.
    r = ReadMidiFile(Join({Header(0, 1, 96), Track({0x00, 0x90, 60, 0x90})}), file);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.offset, 24u);
}

}  // namespace
}  // namespace keyloft::midi
