#include <gtest/gtest.h>

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/SongMarks.h"
#include "core/portable/midi/TempoMap.h"
#include "tests/portable/midi/MidiBytes.h"

namespace keyloft::midi {
namespace {

using test::Bytes;
using test::Header;
using test::Join;
using test::Track;

MidiFile ReadOk(const Bytes& bytes) {
    MidiFile file;
    const MidiReadResult result = ReadMidiFile(bytes, file);
    EXPECT_TRUE(result.ok) << result.Describe();
    return file;
}

MidiReadResult ReadFails(const Bytes& bytes) {
    MidiFile file;
    const MidiReadResult result = ReadMidiFile(bytes, file);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(file.tracks.empty()) << "no half-read file is left behind";
    return result;
}

// Meta and system-exclusive events cancel running status, as the MIDI standard has it.
TEST(MidiReader, RunningStatusEndsAtMetaAndSysEx) {
    const MidiFile file = ReadOk(Join({Header(0, 1, 96),
                                       Track({0x00, 0x90, 60, 100, 0x10, 62, 90,           // running status
                                              0x00, 0xF0, 0x01, 0xF7, 0x10, 0x90, 64, 80,  // status given again
                                              0x00, 0xFF, 0x2F, 0x00})}));
    const auto& events = file.tracks[0].events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].status, 0x90);
    EXPECT_EQ(events[1].tick, 16u);
    EXPECT_EQ(file.Payload(events[2]).size(), 1u);
    for (const Bytes& cancelling : {Bytes{0xF0, 0x01, 0xF7}, Bytes{0xFF, 0x01, 0x00}}) {
        Bytes track = {0x00, 0x90, 60, 100, 0x00};
        track.insert(track.end(), cancelling.begin(), cancelling.end());
        track.insert(track.end(), {0x10, 62, 90});
        EXPECT_NE(ReadFails(Join({Header(0, 1, 96), Track(track)})).error.find("without a preceding status"),
                  std::string::npos);
    }
}

TEST(MidiReader, OneDataByteMessagesAndEscapes) {
    const Bytes bytes = Join({Header(0, 1, 96),
                              Track({0x00, 0xC3, 5, 0x00, 7,              // program, running
                                     0x00, 0xD3, 40,                      // pressure
                                     0x00, 0xF7, 0x02, 0xF8, 0xFA,        // escape
                                     0x00, 0xFF, 0x2F, 0x00})});
    const MidiFile file = ReadOk(bytes);
    const auto& events = file.tracks[0].events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].status, 0xC3);
    EXPECT_EQ(events[1].data1, 7);
    EXPECT_EQ(events[3].kind, EventKind::Escape);
}

TEST(MidiReader, ZeroLengthTrackAndMissingEndOfTrackAreTolerated) {
    const Bytes bytes = Join({Header(1, 3, 480), Track({}),
                              Track({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0}),  // no FF 2F
                              Track({0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90})});    // bytes after EOT
    const MidiFile file = ReadOk(bytes);
    ASSERT_EQ(file.tracks.size(), 3u);
    EXPECT_TRUE(file.tracks[0].events.empty());
    EXPECT_FALSE(file.tracks[0].endOfTrackSeen);
    EXPECT_EQ(file.tracks[1].events.size(), 2u);
    EXPECT_FALSE(file.tracks[1].endOfTrackSeen);
    EXPECT_EQ(file.tracks[2].events.size(), 1u);
}

TEST(MidiReader, DamagedFilesGiveAnErrorWithItsPlace) {
    // Chunk length larger than the file.
    MidiReadResult r = ReadFails(Join({Header(0, 1, 96), Track({0x00, 0xFF, 0x2F, 0x00}, 5000)}));
    EXPECT_EQ(r.offset, 18u);
    EXPECT_NE(r.error.find("5000"), std::string::npos);
    // Five-byte delta time.
    r = ReadFails(Join({Header(0, 1, 96), Track({0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 1, 1})}));
    EXPECT_EQ(r.offset, 22u);
    // Five-byte meta length.
    ReadFails(Join({Header(0, 1, 96), Track({0x00, 0xFF, 0x01, 0x81, 0x81, 0x81, 0x81, 0x01})}));
    // Data byte with no status, system status inside a track, truncated message.
    ReadFails(Join({Header(0, 1, 96), Track({0x00, 0x40, 0x40})}));
    ReadFails(Join({Header(0, 1, 96), Track({0x00, 0xF8})}));
    ReadFails(Join({Header(0, 1, 96), Track({0x00, 0x90, 60})}));
    // Header problems: too short, wrong magic, short header chunk, format 3, missing tracks.
    ReadFails(Bytes{'M', 'T', 'h', 'd'});
    ReadFails(Join({Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}}));
    ReadFails(Join({Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 4, 0, 0, 0, 1, 0, 96}}));
    ReadFails(Join({Header(3, 1, 96), Track({})}));
    r = ReadFails(Join({Header(1, 2, 96), Track({0x00, 0xFF, 0x2F, 0x00})}));
    EXPECT_NE(r.error.find("1 of 2"), std::string::npos);
}

TEST(MidiReader, FormatZeroVersusOne) {
    // Format 0 must hold exactly one track; format 1 may hold several.
    ReadFails(Join({Header(0, 2, 96), Track({}), Track({})}));
    const MidiFile one = ReadOk(Join({Header(1, 2, 96), Track({0x00, 0xFF, 0x2F, 0x00}),
                                      Track({0x00, 0x91, 1, 2, 0x00, 0xFF, 0x2F, 0x00})}));
    EXPECT_EQ(one.format, 1);
    EXPECT_EQ(one.tracks.size(), 2u);
    // Unknown chunks between tracks are skipped.
    const Bytes alien = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
    const MidiFile skipped = ReadOk(Join({Header(0, 1, 96), alien, Track({0x00, 0xFF, 0x2F, 0x00})}));
    EXPECT_EQ(skipped.tracks.size(), 1u);
}

TEST(MidiReader, TempoChangesShapeTheTimeline) {
    // 96 ticks a quarter; 120 bpm for one quarter, then 60 bpm (1 000 000 us a quarter).
    const MidiFile file = ReadOk(Join({Header(1, 2, 96),
                                       Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
                                              0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,
                                              0x00, 0xFF, 0x2F, 0x00}),
                                       Track({0x00, 0x90, 60, 1, 0x81, 0x40, 0x80, 60, 0})}));
    const TempoMap tempo(file);
    EXPECT_EQ(tempo.TickToMicros(96), 500000u);
    EXPECT_EQ(tempo.TickToMicros(192), 1500000u);
    EXPECT_EQ(tempo.MicrosToTick(1500000), 192u);
    EXPECT_EQ(tempo.MicrosToTick(250000), 48u);
    EXPECT_EQ(tempo.MicrosPerQuarterAt(100), 1000000u);
}

TEST(MidiReader, WriteThenReadGivesTheSameEvents) {
    MidiFile file;
    file.format = 1;
    file.division = 480;
    MidiTrack& conductor = file.AddTrack();
    file.AddTempo(conductor, 0, 400000);
    file.AddMetaText(conductor, 0, meta::Marker, "INTRO A");
    file.AddMetaText(conductor, 1920, meta::Marker, "MAIN A");
    MidiTrack& notes = file.AddTrack();
    file.AddChannel(notes, 0, 0xC2, 19);
    file.AddChannel(notes, 0, 0x92, 60, 100);
    file.AddChannel(notes, 0, 0x92, 64, 100);
    const std::uint8_t sysex[] = {0x41, 0x10, 0xF7};
    file.AddSysEx(notes, 240, sysex);
    file.AddChannel(notes, 240, 0x92, 60, 0);
    file.AddChannel(notes, 0x0FFFFFF, 0xE2, 0x00, 0x40);  // a four-byte delta

    const Bytes written = *WriteMidiFile(file);
    MidiFile back;
    ASSERT_TRUE(ReadMidiFile(written, back).ok);
    EXPECT_EQ(back.format, 1);
    EXPECT_EQ(back.division, 480);
    ASSERT_EQ(back.tracks.size(), 2u);
    for (std::size_t t = 0; t < 2; ++t) {
        const auto& a = file.tracks[t].events;
        const auto& b = back.tracks[t].events;
        ASSERT_EQ(b.size(), a.size() + 1) << "the writer adds end-of-track";
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].tick, b[i].tick);
            EXPECT_EQ(a[i].kind, b[i].kind);
            EXPECT_EQ(a[i].status, b[i].status);
            EXPECT_EQ(a[i].data1, b[i].data1);
            EXPECT_EQ(a[i].data2, b[i].data2);
            const auto pa = file.Payload(a[i]);
            const auto pb = back.Payload(b[i]);
            EXPECT_TRUE(std::equal(pa.begin(), pa.end(), pb.begin(), pb.end()));
        }
        EXPECT_TRUE(back.tracks[t].events.back().IsMeta(meta::EndOfTrack));
    }
    // Running status made the second note on three bytes shorter than a full message.
    const Bytes again = *WriteMidiFile(back);
    EXPECT_EQ(again, written);
}

TEST(MidiReader, WriterPutsEventsInTimeOrderAndEndOfTrackLast) {
    MidiFile file;
    MidiTrack& track = file.AddTrack();
    file.AddChannel(track, 0, 0x90, 60, 1);
    file.AddTempo(track, 500, 400000);       // appended before earlier events
    file.AddMeta(track, 100, meta::EndOfTrack, {});
    file.AddChannel(track, 200, 0x80, 60, 0);
    file.AddChannel(track, 200, 0x90, 62, 1);
    MidiFile back;
    ASSERT_TRUE(ReadMidiFile(*WriteMidiFile(file), back).ok);
    const auto& events = back.tracks[0].events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].tick, 200u);
    EXPECT_EQ(events[1].status, 0x80);
    EXPECT_EQ(events[2].data1, 62);
    EXPECT_TRUE(events[3].IsMeta(meta::Tempo));
    EXPECT_EQ(events[3].tick, 500u);
    EXPECT_TRUE(events[4].IsMeta(meta::EndOfTrack));
    EXPECT_EQ(events[4].tick, 500u);
}

TEST(MidiReader, VariableLengthLimits) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(AppendVariableLength(out, 0x0FFFFFFF));
    EXPECT_EQ(out, (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_FALSE(AppendVariableLength(out, 0x10000000));
    EXPECT_EQ(out.size(), 4u) << "nothing appended for a value too large";
    // A gap no four-byte delta can hold: the file is refused, nothing thrown.
    MidiFile gap;
    gap.division = 96;
    MidiTrack& track = gap.AddTrack();
    gap.AddChannel(track, 0, 0x90, 60, 100);
    gap.AddChannel(track, 0x10000001, 0x80, 60, 0);
    EXPECT_FALSE(WriteMidiFile(gap).has_value());
    std::uint32_t value = 0;
    const Bytes five = {0x80, 0x80, 0x80, 0x80, 0x00};
    EXPECT_EQ(ReadVariableLength(five, value), 0u);
    const Bytes cut = {0x81};
    EXPECT_EQ(ReadVariableLength(cut, value), 0u);
}

TEST(SongMarks, MarkersOfTheFirstTrackAndTheMelodyMark) {
    MidiFile file;
    MidiTrack& first = file.AddTrack();
    file.AddMetaText(first, 0, meta::Marker, "SINT");
    file.AddMetaText(first, 96, meta::Text, "not a marker");
    file.AddMetaText(first, 192, meta::Marker, "Intro A");
    MidiTrack& second = file.AddTrack();
    file.AddMetaText(second, 0, meta::Marker, "other track");
    file.AddChannel(second, 0, 0xB0, 7, 100);        // channel 0: not the mark
    file.AddChannel(second, 0, 0xB3, 99, 0x32);      // channel 3: the mark
    file.AddChannel(second, 0, 0xB3, 98, 0x0C);
    file.AddChannel(second, 0, 0xB3, 6, 1);
    file.AddChannel(second, 10, 0x93, 60, 1);
    EXPECT_EQ(ReadMarkers(file), (std::vector<std::string>{"SINT", "Intro A"}));
    EXPECT_EQ(FindMelodyMarkChannel(file), 3);

    // A marker after end-of-track is not read back (the reader stops there).
    const MidiFile cut = ReadOk(Join({Header(0, 1, 96),
                                      Track({0x00, 0xFF, 0x06, 0x01, 'A', 0x00, 0xFF, 0x2F, 0x00,
                                             0x00, 0xFF, 0x06, 0x01, 'B'})}));
    EXPECT_EQ(ReadMarkers(cut), (std::vector<std::string>{"A"}));

    MidiFile wrongOrder;
    MidiTrack& t = wrongOrder.AddTrack();
    wrongOrder.AddChannel(t, 0, 0xB1, 98, 0x0C);
    wrongOrder.AddChannel(t, 0, 0xB1, 99, 0x32);
    wrongOrder.AddChannel(t, 0, 0xB1, 6, 1);
    EXPECT_EQ(FindMelodyMarkChannel(wrongOrder), -1);
}

}  // namespace
}  // namespace keyloft::midi
