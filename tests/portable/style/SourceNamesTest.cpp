// What the wizard's first step and the converter make of a source's names:
// marker texts trimmed of blanks and NULs at both ends, a MIDI file without any
// part marker, and a style source judged by its layout, not its stored checksum.
#include <gtest/gtest.h>

#include "core/portable/marks/ByteSource.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/style/StyleConverter.h"
#include "core/portable/style/StyleSource.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;

midi::MidiFile MarkedSource(std::string marker) {
    midi::MidiFile file;
    file.division = 96;
    midi::MidiTrack& track = file.AddTrack();
    file.AddMetaText(track, 0, midi::meta::Marker, marker);
    file.AddChannel(track, 0, 0x99, 36, 100);
    file.AddChannel(track, 48, 0x89, 36, 0);
    file.AddChannel(track, 96, 0xB9, 7, 100);
    return file;
}

TEST(SourceNames, NulsAndBlanksAroundAMarkerAreTrimmedAtBothEnds) {
    const std::string padded("\0\0 MAIN A\t\0", 11);
    StyleConverter converter;
    const StyleLoadResult loaded = converter.Load(MarkedSource(padded));
    ASSERT_TRUE(loaded.ok) << loaded.reason;
    EXPECT_TRUE(loaded.ignoredMarkers.empty());
    EXPECT_FALSE(converter.Segment(SegMainA).events.empty()) << "the marker names MAIN A";

    const std::vector<std::string> essential = {"main a"};
    const std::vector<std::string> found = {padded};
    EXPECT_TRUE(CheckEssentialSections(essential, found).passes) << "the first step agrees with the converter";
    EXPECT_EQ(TrimSegmentName(std::string("\0\0", 2)), "");
    EXPECT_EQ(GetSegmentByNameA(std::string("\0intro b ", 9)), SegIntroB);
}

TEST(SourceNames, OnlyAMarkerNamingAPartMakesASource) {
    const std::vector<std::string> none = {"Verse", "SFF1", std::string("\0", 1)};
    EXPECT_FALSE(NamesAnyPart(none)) << "SFF1 names the format, not a part";
    const std::vector<std::string> one = {"Verse", " sint"};
    EXPECT_TRUE(NamesAnyPart(one));
    EXPECT_FALSE(NamesAnyPart(std::vector<std::string>{}));
}

// A sound style by hand: mark, head, empty names, settings, one MAIN A segment;
// its checksum left as the caller sets it.
Bytes HandStyle(std::uint16_t checksumLow) {
    const std::string mark = "KELVOR RX470  STYLE 0001";
    Bytes file(162, 0);
    std::copy(mark.begin(), mark.end(), file.begin());
    file[26] = static_cast<std::uint8_t>(checksumLow);
    file[28] = 0x78;
    file[29] = 0x24;
    file[30] = 0x43;
    file[32] = 0x46;
    const std::uint16_t segmentWord = (168 + 896 - 28) / 2;
    file[110 + 6] = static_cast<std::uint8_t>(segmentWord);
    file[110 + 7] = static_cast<std::uint8_t>(segmentWord >> 8);
    file.insert(file.end(), {0, 0, 0, 0, 0xFF, 0});
    file.resize(file.size() + 896, 0);
    file.insert(file.end(), {6, 0, 0, 0, 0x60, 0, 0, 0, 2, 0, 0, 0, 0x60, 0xFF});
    return file;
}

TEST(SourceNames, AStyleIsJudgedByItsLayoutNotItsStoredChecksum) {
    const Bytes wrongSum = HandStyle(0x1234);
    const StyleSourceInfo info = AnalyseStyleSource(marks::MemoryByteSource(wrongSum));
    EXPECT_TRUE(info.isStyle) << "a rewrite computes a new checksum";
    EXPECT_EQ(info.segmentNames, std::vector<std::string>{"MAIN A"});
    ASSERT_TRUE(info.names.has_value());

    Bytes noMark = wrongSum;
    noMark[0] = 'k';
    EXPECT_FALSE(AnalyseStyleSource(marks::MemoryByteSource(noMark)).isStyle);
    Bytes segmentPastEnd = wrongSum;
    segmentPastEnd[110 + 7] = 0x7F;
    EXPECT_FALSE(AnalyseStyleSource(marks::MemoryByteSource(segmentPastEnd)).isStyle);
}

}  // namespace
}  // namespace keyloft::style
