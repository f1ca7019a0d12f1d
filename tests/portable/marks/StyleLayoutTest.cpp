#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "tests/portable/marks/MarkSamples.h"

#include <gtest/gtest.h>

#include <sstream>

namespace keyloft::marks {
namespace {

using samples::Bytes;

std::vector<int> Segments(const Bytes& bytes)
{
    const MemoryByteSource source(bytes);
    return ReadStyleSegments(source);
}

bool IsStyle(const Bytes& bytes)
{
    const MemoryByteSource source(bytes);
    return IsStyleFile(source);
}

TEST(StyleLayout, WellFormedStyleListsItsSegments)
{
    const Bytes style = samples::MakeStyle();
    EXPECT_TRUE(IsStyle(style));
    EXPECT_EQ(Segments(style), (std::vector<int>{3, 6, 14}));
    const MemoryByteSource source(style);
    const auto layout = ParseStyleLayout(source);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->tempoWord, 0x2478);
    EXPECT_EQ(layout->nameBlockSize, 10u); // 3 + 1 + 5 = 9, rounded up
    EXPECT_EQ(layout->settingsOffset, kStyleNameBlockOffset + 10);
    EXPECT_EQ(layout->sintOffset, layout->segmentsOffset);
}

TEST(StyleLayout, EmptyNamesGiveTheSixByteNameBlock)
{
    samples::StyleSpec spec;
    spec.name1.clear();
    spec.name2.clear();
    const Bytes style = samples::MakeStyle(spec);
    const MemoryByteSource source(style);
    const auto layout = ParseStyleLayout(source);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->nameBlockSize, 6u);
    EXPECT_EQ(layout->settingsOffset, 168u);
}

TEST(StyleLayout, StyleWithoutSegmentsIsStillAStyle)
{
    samples::StyleSpec spec;
    spec.segments.clear();
    const Bytes style = samples::MakeStyle(spec);
    EXPECT_TRUE(IsStyle(style));
    EXPECT_TRUE(Segments(style).empty());
}

TEST(StyleLayout, CrossFillSegmentsAreNamed)
{
    samples::StyleSpec spec;
    spec.segments = {{3, 2}, {17, 2}, {28, 2}};
    const Bytes style = samples::MakeStyle(spec);
    EXPECT_EQ(Segments(style), (std::vector<int>{3, 17, 28}));
    EXPECT_EQ(StyleSegmentName(17), "FILL IN AB");
    EXPECT_EQ(StyleSegmentName(28), "FILL IN DC");
    EXPECT_EQ(StyleSegmentName(3), "INTRO A");
    EXPECT_EQ(StyleSegmentName(2), "SINT");
    EXPECT_EQ(StyleSegmentName(0), "");
    EXPECT_EQ(StyleSegmentName(29), "");
}

TEST(StyleLayout, EveryTruncationIsRejectedWithoutReadingPastTheEnd)
{
    const Bytes style = samples::MakeStyle();
    for (std::size_t size = 0; size < style.size(); ++size) {
        // A copy of exactly `size` bytes lets the sanitizers catch any over-read.
        const Bytes cut(style.begin(), style.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(IsStyle(cut)) << "size " << size;
        EXPECT_TRUE(Segments(cut).empty()) << "size " << size;
    }
}

TEST(StyleLayout, OffsetPointingOutsideTheFileRejectsTheFile)
{
    Bytes style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleSegmentTableOffset + 2 * 5, 0xFFF0); // MAIN C far beyond
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
    EXPECT_TRUE(Segments(style).empty());

    // Exactly one past the last byte.
    style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleSegmentTableOffset + 2 * 25,
                      static_cast<std::uint16_t>((style.size() - kStyleBodyOffset) / 2));
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
}

TEST(StyleLayout, OffsetPointingIntoTheHeadOrSettingsRejectsTheFile)
{
    Bytes style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleSegmentTableOffset, 1); // INTRO A inside the head
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
    style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleSintWordOffset, kStyleNameBlockWord + 10); // SINT at settings
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
}

TEST(StyleLayout, SegmentsOutOfOrderRejectTheFile)
{
    Bytes style = samples::MakeStyle();
    std::uint16_t intro = 0, main = 0;
    intro = static_cast<std::uint16_t>(style[kStyleSegmentTableOffset] | style[kStyleSegmentTableOffset + 1] << 8);
    main = static_cast<std::uint16_t>(style[kStyleSegmentTableOffset + 6] | style[kStyleSegmentTableOffset + 7] << 8);
    samples::PutU16LE(style, kStyleSegmentTableOffset, main);
    samples::PutU16LE(style, kStyleSegmentTableOffset + 6, intro);
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
}

TEST(StyleLayout, MalformedNameBlockRejectsTheFile)
{
    Bytes style = samples::MakeStyle();
    style[kStyleNameBlockOffset] = 40; // name 1 longer than 32 bytes
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));

    style = samples::MakeStyle();
    style[kStyleNameBlockOffset + 4 + 4] = 0x00; // terminator missing
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));

    style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleSettingsWordOffset, kStyleNameBlockWord + 6); // disagrees
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));

    style = samples::MakeStyle();
    samples::PutU16LE(style, kStyleNameWordOffset, 0x44);
    samples::SealStyle(style);
    EXPECT_FALSE(IsStyle(style));
}

TEST(StyleLayout, MarkIsRequiredForTheSegmentNamesButNotForTheLayout)
{
    Bytes style = samples::MakeStyle();
    style[7] = 'Q';
    samples::SealStyle(style);
    const MemoryByteSource source(style);
    EXPECT_FALSE(HasStyleMark(source));
    EXPECT_TRUE(ParseStyleLayout(source).has_value());
    EXPECT_FALSE(IsStyleFile(source));
    EXPECT_TRUE(ReadStyleSegments(source).empty());
}

TEST(StyleLayout, NamesAreReadAsBytes)
{
    samples::StyleSpec spec;
    spec.name1 = "Big Band";
    spec.name2 = "BIGBAND";
    spec.name3 = "\xB4\xF3";
    const Bytes style = samples::MakeStyle(spec);
    const MemoryByteSource source(style);
    const auto names = ReadStyleNames(source);
    ASSERT_TRUE(names);
    EXPECT_EQ((*names)[0], "Big Band");
    EXPECT_EQ((*names)[1], "BIGBAND");
    EXPECT_EQ((*names)[2], "\xB4\xF3");
    EXPECT_EQ((*names)[3], "");
}

TEST(StyleLayout, ChecksumCoversMarkBodyAndAnOddLastByte)
{
    Bytes style = samples::MakeStyle();
    EXPECT_TRUE(IsStyle(style));
    style.back() ^= 0x01; // a flipped bit in the last segment
    EXPECT_FALSE(IsStyle(style));
    EXPECT_TRUE(Segments(style).empty());

    // Mark "AB" + "C" with an odd body: words 0x4241, then the odd byte 0x43.
    Bytes tiny = {'A', 'B'};
    tiny.resize(24, 0);
    tiny.resize(28, 0xEE); // checksum bytes are not summed
    tiny.push_back('C');
    const MemoryByteSource source(tiny);
    EXPECT_EQ(ComputeStyleChecksum(source), 0x4241u + 0x43u);
    EXPECT_FALSE(ComputeStyleChecksum(MemoryByteSource(Bytes(27, 0))).has_value());
}

TEST(StyleLayout, StreamSourceGivesTheSameAnswer)
{
    const Bytes style = samples::MakeStyle();
    std::istringstream stream(std::string(style.begin(), style.end()));
    const StreamByteSource source(stream);
    ASSERT_TRUE(source.IsGood());
    EXPECT_EQ(source.Size(), style.size());
    EXPECT_TRUE(IsStyleFile(source));
    EXPECT_EQ(ReadStyleSegments(source), (std::vector<int>{3, 6, 14}));
}

} // namespace
} // namespace keyloft::marks
