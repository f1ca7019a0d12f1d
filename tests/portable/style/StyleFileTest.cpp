#include <gtest/gtest.h>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/style/StyleConverter.h"
#include "core/portable/style/StyleFile.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
std::uint16_t Get16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
void Append(Bytes& out, std::initializer_list<std::uint8_t> bytes) { out.insert(out.end(), bytes); }
void Append(Bytes& out, std::span<const std::uint8_t> bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

// The checksum, summed here independently of the writer.
std::uint32_t Checksum(const Bytes& file) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < 24; i += 2) sum += Get16(file, i);
    std::size_t i = 28;
    for (; i + 1 < file.size(); i += 2) sum += Get16(file, i);
    if (i < file.size()) sum += file[i];
    return sum;
}
std::uint32_t StoredChecksum(const Bytes& file) { return (std::uint32_t{Get16(file, 24)} << 16) | Get16(file, 26); }

// One MAIN A part on channel 9 (whose default Play CH is itself) at 120 ticks a quarter.
Bytes MainASource(std::uint32_t microsPerQuarter, int notes = 1) {
    midi::MidiFile file;
    file.division = 120;
    midi::MidiTrack& track = file.AddTrack();
    file.AddTempo(track, 0, microsPerQuarter);
    const std::uint8_t fourFour[] = {4, 2, 24, 8};
    file.AddMeta(track, 0, midi::meta::TimeSignature, fourFour);
    file.AddMetaText(track, 0, midi::meta::Marker, "MAIN A");
    std::uint32_t tick = 0;
    for (int i = 0; i < notes; ++i, tick += 60) {
        file.AddChannel(track, tick, 0x98, 60, 100);
        file.AddChannel(track, tick + 60, 0x88, 60, 0);
    }
    file.AddChannel(track, tick + 180, 0xB8, 7, 100);
    return *midi::WriteMidiFile(file);
}

StyleContent Content(std::string styleName, std::string shortName) {
    StyleContent content;
    content.styleName = std::move(styleName);
    content.shortName = std::move(shortName);
    content.ots = OneTouchSettings().Pack();
    return content;
}

TEST(StyleFile, NewStyleFromMidiByteForByte) {
    const StyleFileResult result = BuildStyleFromMidi(MainASource(200000), Content("AB", "X"), SegmentDefaults{});
    ASSERT_TRUE(result.Ok()) << result.detail;

    const std::string mark = "KELVOR RX470  STYLE 0001";
    Bytes expected(mark.begin(), mark.end());
    Append(expected, {0, 0, 0, 0});            // checksum, below
    Append(expected, {0x2D, 0x24});            // 300 bpm stored as 45, 4/4
    Append(expected, {0x43, 0, 0x47, 0, 0, 0});  // name block, settings at 0x43 + 8 / 2, no SINT
    for (int ots = 0; ots < 4; ++ots)
        Append(expected, {1, 0, 100, 0, 40, 0, 1, 0, 80, 0, 40, 0, 1, 0, 45, 0, 40, 0});
    Append(expected, {0, 0});                  // reserved
    Append(expected, {0, 0, 0, 0, 0, 0, 0x07, 0x02});  // MAIN A at body word 519
    expected.resize(162, 0);
    Append(expected, {2, 1, 0, 0, 'A', 'B', 'X', 0xFF});  // odd sum of lengths: no filler
    Append(expected, SectionSettings().Pack());
    Append(expected, {6, 0, 0, 0, 0xF0, 0, 0, 0, 0x0F, 0, 0, 0,      // MAIN A, 240 ticks, 15 bytes
                      0x00, 0x98, 60, 100, 0x3C, 0x88, 60, 0, 0x81, 0x34, 0xB8, 7, 100, 0x00, 0xFF, 0x00});
    Put16(expected, 24, static_cast<std::uint16_t>(Checksum(expected) >> 16));
    Put16(expected, 26, static_cast<std::uint16_t>(Checksum(expected)));
    EXPECT_EQ(result.bytes, expected);
    EXPECT_TRUE(marks::IsStyleFile(marks::MemoryByteSource(result.bytes)));

    // Empty names: 00 00 00 00 FF 00, so the settings begin at file offset 168.
    const StyleFileResult unnamed = BuildStyleFromMidi(MainASource(500000), Content("", ""), SegmentDefaults{});
    ASSERT_TRUE(unnamed.Ok());
    EXPECT_EQ(Get16(unnamed.bytes, 28), 0x2478) << "4/4 at 120 bpm";
    EXPECT_EQ(Get16(unnamed.bytes, 32), 0x46);
    EXPECT_EQ(Bytes(unnamed.bytes.begin() + 162, unnamed.bytes.begin() + 168), (Bytes{0, 0, 0, 0, 0xFF, 0}));
}

TEST(StyleFile, UnusableSourcesAndOversizedResultsAreRefused) {
    const auto build = [](const midi::MidiFile& file) {
        return BuildStyleFromMidi(*midi::WriteMidiFile(file), Content("S", "S"), SegmentDefaults{});
    };
    const auto source = [](const char* marker) {
        midi::MidiFile file;
        file.division = 96;
        file.AddMetaText(file.AddTrack(), 0, midi::meta::Marker, marker);
        return file;
    };
    midi::MidiFile loneOff = source("MAIN A");
    loneOff.AddChannel(loneOff.tracks[0], 10, 0x80, 60, 0);
    loneOff.AddChannel(loneOff.tracks[0], 96, 0x90, 62, 0);  // a note-on of velocity 0 ends a note too
    midi::MidiFile lastTickOn = source("MAIN A");
    lastTickOn.AddChannel(lastTickOn.tracks[0], 96, 0x90, 60, 100);
    midi::MidiFile crossFillOnly = source("FILL IN AB");
    crossFillOnly.AddChannel(crossFillOnly.tracks[0], 0, 0xB0, 7, 100);
    crossFillOnly.AddChannel(crossFillOnly.tracks[0], 96, 0xB0, 7, 90);
    for (const midi::MidiFile* file : {&loneOff, &lastTickOn, &crossFillOnly}) {
        const StyleFileResult result = build(*file);
        EXPECT_EQ(result.error, StyleFileError::SourceUnusable);
        EXPECT_TRUE(result.bytes.empty());
    }
    const Bytes notMidi = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
    EXPECT_EQ(BuildStyleFromMidi(notMidi, Content("", ""), SegmentDefaults{}).error, StyleFileError::SourceNotMidi);
    const StyleFileResult tooLarge = BuildStyleFromMidi(MainASource(500000, 9000), Content("", ""), SegmentDefaults{});
    EXPECT_EQ(tooLarge.error, StyleFileError::TooLarge);
    EXPECT_TRUE(tooLarge.bytes.empty());

    // More set-up messages before the first marker than a SINT head can count
    // (a file of about 131 KB): refused as too large, nothing thrown.
    midi::MidiFile setUp;
    setUp.division = 96;
    midi::MidiTrack& track = setUp.AddTrack();
    for (std::size_t i = 0; i <= MaxSintMessages; ++i)
        setUp.AddChannel(track, 0, 0xB0, 7, static_cast<std::uint8_t>(i & 0x7F));
    setUp.AddMetaText(track, 1, midi::meta::Marker, "MAIN A");
    setUp.AddChannel(track, 10, 0x90, 60, 100);
    StyleFileResult manyMessages;
    EXPECT_NO_THROW(manyMessages = build(setUp));
    EXPECT_EQ(manyMessages.error, StyleFileError::TooLarge);
    EXPECT_TRUE(manyMessages.bytes.empty());
}

// A source style laid out by hand: names OLD, O, THIRD, 4TH (18-byte block),
// settings of 0x11, then `area` as the segment area; SINT at its start, INTRO A
// at +6, MAIN A at +10 (word offsets 0 where `sint` is false).
Bytes HandStyle(const Bytes& area, bool sint = true) {
    const std::string mark = "KELVOR RX470  STYLE 0001";
    Bytes file(162, 0);
    std::copy(mark.begin(), mark.end(), file.begin());
    Put16(file, 28, 0x3364);
    Put16(file, 30, 0x43);
    Put16(file, 32, 0x43 + 9);
    const std::uint16_t areaWord = (162 + 18 + 896 - 28) / 2;
    Put16(file, 34, sint ? areaWord : 0);
    std::fill(file.begin() + 36, file.begin() + 108, 0xAA);
    Put16(file, 108, 0xBEEF);
    Put16(file, 110, areaWord + 3);
    Put16(file, 116, areaWord + 5);
    Append(file, {3, 1, 5, 3, 'O', 'L', 'D', 'O', 'T', 'H', 'I', 'R', 'D', '4', 'T', 'H', 0xFF, 0x00});
    file.resize(file.size() + 896, 0x11);
    Append(file, area);
    return file;
}

TEST(StyleFile, RewriteKeepsTempoAndSegmentsAndMovesTheirOffsets) {
    const Bytes area = {2, 0, 1, 0, 9, 9, 3, 0, 7, 7, 6, 0, 5, 5, 0x77};  // odd: the body is odd too
    for (const bool sint : {true, false}) {
        const Bytes source = HandStyle(area, sint);
        StyleContent content = Content("NEWNAME1", "N");  // 4 bytes longer: offsets + 2 words
        content.sections.At(0, 0).noteMin = 12;
        const StyleFileResult result = BuildRewrittenStyle(source, content);
        ASSERT_TRUE(result.Ok()) << result.detail;
        const Bytes& out = result.bytes;

        ASSERT_EQ(out.size(), source.size() + 4);
        EXPECT_EQ(Get16(out, 28), 0x3364);
        EXPECT_EQ(Get16(out, 32), 0x43 + 11);
        EXPECT_EQ(Get16(out, 34), sint ? Get16(source, 34) + 2 : 0);
        EXPECT_EQ(Bytes(out.begin() + 36, out.begin() + 108), Bytes(content.ots.begin(), content.ots.end()));
        EXPECT_EQ(Get16(out, 108), 0xBEEF);
        for (std::size_t at = 110; at < 162; at += 2)
            EXPECT_EQ(Get16(out, at), Get16(source, at) == 0 ? 0 : Get16(source, at) + 2) << "table at " << at;
        const Bytes names = {8, 1, 5, 3, 'N', 'E', 'W', 'N', 'A', 'M', 'E', '1', 'N', 'T', 'H', 'I', 'R', 'D', '4', 'T', 'H', 0xFF};
        EXPECT_EQ(Bytes(out.begin() + 162, out.begin() + 184), names) << "names 3 and 4 kept";
        const auto settings = content.sections.Pack();
        EXPECT_TRUE(std::equal(settings.begin(), settings.end(), out.begin() + 184));
        EXPECT_EQ(Bytes(out.end() - static_cast<std::ptrdiff_t>(area.size()), out.end()), area);
        EXPECT_EQ(out[28 + 2 * std::size_t{Get16(out, 116)}], 6) << "MAIN A still found through its offset";
        EXPECT_EQ(StoredChecksum(out), Checksum(out)) << "checksum over an odd body";
        EXPECT_TRUE(marks::IsStyleFile(marks::MemoryByteSource(out)));
    }
}

TEST(StyleFile, RewriteRefusesDamagedSourcesAndOversizedResults) {
    const Bytes area = {2, 0, 1, 0, 9, 9, 3, 0, 7, 7, 6, 0, 5, 5};
    const Bytes good = HandStyle(area);
    const auto rewrite = [](const Bytes& source) { return BuildRewrittenStyle(source, Content("A", "B")).error; };
    ASSERT_EQ(rewrite(good), StyleFileError::None);

    Bytes noMark = good;
    noMark[0] = 'k';
    EXPECT_EQ(rewrite(noMark), StyleFileError::SourceNotStyle);
    Bytes sintPastEnd = good;
    Put16(sintPastEnd, 34, static_cast<std::uint16_t>((good.size() - 28) / 2));
    Bytes outOfOrder = good;
    Put16(outOfOrder, 116, Get16(good, 110));
    Bytes badSettingsWord = good;
    Put16(badSettingsWord, 32, 0x43);
    Bytes cutInNames(good.begin(), good.begin() + 170);
    for (const Bytes* damaged : {&sintPastEnd, &outOfOrder, &badSettingsWord, &cutInNames}) {
        const StyleFileResult result = BuildRewrittenStyle(*damaged, Content("A", "B"));
        EXPECT_EQ(result.error, StyleFileError::SourceDamaged);
        EXPECT_TRUE(result.bytes.empty());
    }

    // 65,534 bytes grow by 4 with the longer names: refused, not truncated.
    const Bytes large = HandStyle(Bytes(0x10000 - 2 - good.size() + area.size(), 0));
    ASSERT_EQ(large.size(), 0x10000u - 2);
    EXPECT_EQ(BuildRewrittenStyle(large, Content("OLD", "O")).error, StyleFileError::None);
    EXPECT_EQ(BuildRewrittenStyle(large, Content("NEWNAME1", "N")).error, StyleFileError::TooLarge);
}

}  // namespace
}  // namespace keyloft::style
