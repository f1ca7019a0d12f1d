#include <gtest/gtest.h>

#include <algorithm>

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/style/StyleConverter.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;
using midi::MidiFile;
using midi::MidiTrack;

// A two-track source at 480 ticks a quarter: markers on track 1, notes on track 2.
MidiFile MakeSource(bool withTimeSignature) {
    MidiFile file;
    file.division = 480;
    MidiTrack& head = file.AddTrack();
    file.AddTempo(head, 0, 600000);  // 100 bpm
    if (withTimeSignature) {
        const std::uint8_t threeEight[] = {3, 3, 24, 8};
        file.AddMeta(head, 0, midi::meta::TimeSignature, threeEight);
    }
    file.AddMetaText(head, 0, midi::meta::Marker, "SFF1");
    file.AddMetaText(head, 0, midi::meta::Marker, "SInt");
    file.AddMetaText(head, 1920, midi::meta::Marker, "Intro A");
    file.AddMetaText(head, 3840, midi::meta::Marker, "Drum Break");  // names no segment
    file.AddMetaText(head, 5760, midi::meta::Marker, "MAIN A");
    file.AddMetaText(head, 7680, midi::meta::Marker, "FILL IN AB");
    file.AddMetaText(head, 9600, midi::meta::Marker, "Ending A");
    MidiTrack& notes = file.AddTrack();
    const std::uint8_t gmOn[] = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    file.AddSysEx(notes, 0, gmOn);
    file.AddChannel(notes, 0, 0xC1, 33);
    file.AddChannel(notes, 0, 0x91, 40, 100);  // a note in SINT is dropped
    file.AddChannel(notes, 240, 0x81, 40, 0);
    file.AddChannel(notes, 1920, 0x91, 48, 100);
    file.AddChannel(notes, 2400, 0x81, 48, 0);
    file.AddChannel(notes, 3000, 0x91, 50, 90);   // still sounding when INTRO A ends
    file.AddChannel(notes, 4000, 0x91, 52, 90);   // under the unknown marker: dropped
    file.AddChannel(notes, 5760, 0x81, 50, 0);    // ends a note of another part: dropped
    file.AddChannel(notes, 5760, 0x92, 36, 80);
    file.AddChannel(notes, 6000, 0x92, 36, 0);
    file.AddChannel(notes, 7680, 0x93, 60, 80);
    file.AddChannel(notes, 7700, 0x83, 60, 0);
    file.AddChannel(notes, 9600, 0x91, 43, 99);
    file.AddChannel(notes, 10559, 0x81, 43, 0);
    file.AddChannel(notes, 11520, 0xB1, 7, 100);
    return file;
}

// The style file as the wizard assembles it: mark, checksum, head fields,
// settings and segments (kept here to check that the blocks fit that layout).
Bytes AssembleStyleFile(const StyleConverter& converter, const SegmentDefaults& defaults) {
    Bytes body;
    const std::uint16_t tempoWord = static_cast<std::uint16_t>(
        (converter.tempo > 255 ? converter.tempo - 255 : converter.tempo) |
        ((converter.timeSigNumerator & 0x0F) << 8) | ((converter.timeSigDenominator & 0x0F) << 12));
    auto put16 = [&body](std::uint16_t v) {
        body.push_back(static_cast<std::uint8_t>(v));
        body.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    put16(tempoWord);
    put16(0x43);
    put16(static_cast<std::uint16_t>(0x43 + converter.GetHeadSize() / 2));
    put16(0);
    body.resize(body.size() + 72 + 2 + 52, 0);
    converter.WriteHead(body);
    body.resize(body.size() + 896, 0);
    std::map<int, std::uint16_t> offsets;
    converter.WriteSegments(body, 0, offsets, defaults);
    for (const auto& [segment, offset] : offsets) {
        const std::size_t word = segment == 2 ? 3 : static_cast<std::size_t>(segment + 38);
        body[word * 2] = static_cast<std::uint8_t>(offset);
        body[word * 2 + 1] = static_cast<std::uint8_t>(offset >> 8);
    }
    // Mark and a zero checksum: the sum is the style layout suite's.
    const std::string mark = "KELVOR RX470  STYLE 0001";
    Bytes file(28 + body.size(), 0);
    std::copy(mark.begin(), mark.end(), file.begin());
    std::copy(body.begin(), body.end(), file.begin() + 28);
    return file;
}

std::uint16_t Word(const Bytes& file, std::size_t offset) {
    return static_cast<std::uint16_t>(file[offset] | (file[offset + 1] << 8));
}

TEST(StyleConverter, SplitsTheSourceAtItsMarkers) {
    StyleConverter converter;
    converter.targetTimeBase = 120;
    const StyleLoadResult result = converter.Load(MakeSource(true));
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(result.ignoredMarkers, (std::vector<std::string>{"Drum Break"}));
    EXPECT_EQ(converter.tempo, 100u);
    EXPECT_EQ(converter.timeSigNumerator, 3);
    EXPECT_EQ(converter.timeSigDenominator, 3);

    // SINT: the sysex and the program change, not the note.
    const StyleSegment& sint = converter.Segment(SegSint);
    ASSERT_EQ(sint.events.size(), 2u);
    EXPECT_EQ(sint.sysex.at(sint.events[0].sysex), (Bytes{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
    EXPECT_EQ(sint.events[1].status, 0xC1);

    // INTRO A: 1920 source ticks = 480 target ticks; times rescaled from 480 to 120.
    const StyleSegment& intro = converter.Segment(SegIntroA);
    EXPECT_EQ(intro.lengthTicks, 480u);
    ASSERT_EQ(intro.events.size(), 3u);
    EXPECT_EQ(intro.events[1].tick, 120u);
    EXPECT_EQ(intro.events[2].tick, 270u);
    converter.Prepare();
    ASSERT_EQ(intro.events.size(), 4u) << "the hanging note is ended at the segment end";
    EXPECT_EQ(intro.events[3].tick, 480u);
    EXPECT_EQ(intro.events[3].status, 0x81);
    EXPECT_EQ(intro.events[3].data1, 50);

    // MAIN A lost the stray note-off of INTRO A's note.
    const StyleSegment& main = converter.Segment(SegMainA);
    ASSERT_EQ(main.events.size(), 2u);
    EXPECT_EQ(main.events[0].status, 0x92);
    // The last part runs to the last event of the song.
    EXPECT_EQ(converter.Segment(SegEndingA).lengthTicks, 480u);
    ASSERT_EQ(converter.Segment(SegEndingA).events.size(), 3u) << "the event at the last tick belongs to it";
    EXPECT_EQ(converter.Segment(SegEndingA).events[2].status, 0xB1);
    EXPECT_FALSE(converter.Segment(SegFillInAB).events.empty());
}

TEST(StyleConverter, MissingTimeSignatureMeansFourFourAndBadSourcesAreRefused) {
    StyleConverter converter;
    ASSERT_TRUE(converter.Load(MakeSource(false)).ok);
    EXPECT_EQ(converter.timeSigNumerator, 4);
    EXPECT_EQ(converter.timeSigDenominator, 2);

    MidiFile noMarkers;
    MidiTrack& t = noMarkers.AddTrack();
    noMarkers.AddMetaText(t, 0, midi::meta::Marker, "Verse");
    noMarkers.AddChannel(t, 0, 0x90, 60, 1);
    StyleLoadResult result = converter.Load(noMarkers);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.reason.find("marker"), std::string::npos);

    MidiFile smpte = MakeSource(true);
    smpte.division = 0xE728;
    EXPECT_FALSE(converter.Load(smpte).ok);

    MidiFile emptyParts;
    MidiTrack& e = emptyParts.AddTrack();
    emptyParts.AddMetaText(e, 0, midi::meta::Marker, "MAIN A");
    EXPECT_FALSE(converter.Load(emptyParts).ok);
}

TEST(StyleConverter, PlayChannelMapMovesSectionEvents) {
    StyleConverter converter;
    ASSERT_TRUE(converter.Load(MakeSource(true)).ok);
    converter.SetPlayChannel(SegMainA, 2, 9);
    converter.SetPlayChannel(SegMainA, 40, 1);  // out of range: ignored
    converter.Prepare();
    EXPECT_EQ(converter.Segment(SegMainA).events[0].status, 0x99);
    EXPECT_EQ(converter.Segment(SegFillInAB).events[0].status, 0x93) << "no map beyond segment 16";
}

TEST(StyleConverter, SegmentsAreEvenAndTheirOffsetsFitTheFileLayout) {
    SegmentDefaults defaults;
    defaults.crashNote.fill(49);
    defaults.velocity.fill(90);
    for (bool crossFill : {false, true}) {
        StyleConverter converter;
        converter.targetTimeBase = 120;
        converter.crossFill = crossFill;
        converter.names = {"AB", "X", "", ""};
        ASSERT_TRUE(converter.Load(MakeSource(true)).ok);
        converter.Prepare();
        const Bytes file = AssembleStyleFile(converter, defaults);

        EXPECT_EQ(Word(file, 28), 0x3364) << "3/8 at 100 bpm";
        EXPECT_EQ(Word(file, 30), 0x43);
        EXPECT_EQ(Word(file, 32), 0x43 + 4);
        EXPECT_EQ(file[162], 0x02);
        EXPECT_EQ(file[169], 0xFF);
        const std::size_t firstSegment = 162 + 8 + 896;
        EXPECT_EQ(28 + 2 * Word(file, 34), firstSegment) << "SINT right after the settings";
        EXPECT_EQ(file[firstSegment], SegSint);

        std::vector<std::size_t> starts = {firstSegment};
        for (int segment = 3; segment <= 28; ++segment) {
            const std::uint16_t offset = Word(file, 110 + 2 * static_cast<std::size_t>(segment - 3));
            const bool present = segment == SegIntroA || segment == SegMainA || segment == SegEndingA ||
                                 (segment == SegFillInAB && crossFill);
            EXPECT_EQ(offset != 0, present) << "segment " << segment;
            if (offset != 0) {
                const std::size_t at = 28 + 2 * std::size_t{offset};
                ASSERT_LT(at + 12, file.size());
                EXPECT_EQ(file[at], segment);
                starts.push_back(at);
            }
        }
        starts.push_back(file.size());
        for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
            EXPECT_LT(starts[i], starts[i + 1]) << "segments in number order";
            EXPECT_EQ((starts[i + 1] - starts[i]) % 2, 0u) << "even segment length";
        }
        // INTRO A carries its crash note and velocity; MAIN A has no slot.
        const std::size_t intro = 28 + 2 * std::size_t{Word(file, 110)};
        EXPECT_EQ(file[intro + 1], 49);
        EXPECT_EQ(file[intro + 2], 90);
        const std::size_t main = 28 + 2 * std::size_t{Word(file, 116)};
        EXPECT_EQ(file[main + 1], 0);
    }
}

TEST(StyleConverter, EncodersDescribeTheirOwnLength) {
    StyleSegment section;
    section.lengthTicks = 480;
    section.events.push_back({0, 0x90, 60, 100});
    section.events.push_back({200, 0x80, 60, 0});
    section.events.push_back({200, 0xC0, 5, 0});
    const Bytes encoded = *EncodeSection(SegIntroB, section, 55, 85);
    EXPECT_EQ(encoded, (Bytes{SegIntroB, 55, 85, 0, 0xE0, 0x01, 0, 0, 15, 0, 0, 0,
                              0x00, 0x90, 60, 100, 0x81, 0x48, 0x80, 60, 0, 0x00, 0xC0, 5,
                              0x82, 0x18, 0xFF, 0x00}));

    StyleSegment sint;
    sint.sysex.push_back({0xF0, 0x41, 0xF7});
    sint.events.push_back({0, 0xF0, 0, 0, 0});
    sint.events.push_back({0, 0xB0, 7, 100});
    EXPECT_EQ(EncodeSint(sint), (Bytes{SegSint, 0, 2, 0, 8, 0, 0, 0, 3, 0xF0, 0x41, 0xF7, 3, 0xB0, 7, 100}));
}

}  // namespace
}  // namespace keyloft::style
