#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "tests/portable/marks/MarkSamples.h"

#include <gtest/gtest.h>

#include <functional>
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

TEST(StyleLayout, EmptyNamesGiveTheSixByteNameBlockAndNoSegmentsAreAllowed)
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

    spec.segments.clear();
    const Bytes noSegments = samples::MakeStyle(spec);
    EXPECT_TRUE(IsStyle(noSegments)) << "a style without segments is still a style";
    EXPECT_TRUE(Segments(noSegments).empty());
}

TEST(StyleLayout, CrossFillSegmentsAreNamed)
{
    samples::StyleSpec spec;
    spec.segments = {{3, 2}, {17, 2}, {28, 2}};
    const Bytes style = samples::MakeStyle(spec);
    EXPECT_EQ(Segments(style), (std::vector<int>{3, 17, 28}));
    EXPECT_EQ(StyleSegmentName(17), "FILL IN AB");
    EXPECT_EQ(StyleSegmentName(28), "FILL IN DC");
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

std::uint16_t WordAt(const Bytes& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

// Each damage keeps the checksum right (the file is sealed again), so that only
// the layout rule itself can reject it.
TEST(StyleLayout, OffsetsAndNameBlocksThatBreakTheLayoutRejectTheFile)
{
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"MAIN C far beyond the end", [](Bytes& s) { samples::PutU16LE(s, kStyleSegmentTableOffset + 2 * 5, 0xFFF0); }},
        {"ENDING exactly one past the end",
         [](Bytes& s) {
             samples::PutU16LE(s, kStyleSegmentTableOffset + 2 * 25,
                               static_cast<std::uint16_t>((s.size() - kStyleBodyOffset) / 2));
         }},
        {"INTRO A inside the head", [](Bytes& s) { samples::PutU16LE(s, kStyleSegmentTableOffset, 1); }},
        {"SINT at the settings", [](Bytes& s) { samples::PutU16LE(s, kStyleSintWordOffset, kStyleNameBlockWord + 10); }},
        {"segments out of order",
         [](Bytes& s) {
             const std::uint16_t intro = WordAt(s, kStyleSegmentTableOffset);
             samples::PutU16LE(s, kStyleSegmentTableOffset, WordAt(s, kStyleSegmentTableOffset + 6));
             samples::PutU16LE(s, kStyleSegmentTableOffset + 6, intro);
         }},
        {"name 1 longer than 32 bytes", [](Bytes& s) { s[kStyleNameBlockOffset] = 40; }},
        {"name terminator missing", [](Bytes& s) { s[kStyleNameBlockOffset + 4 + 4] = 0x00; }},
        {"settings offset disagrees with the names",
         [](Bytes& s) { samples::PutU16LE(s, kStyleSettingsWordOffset, kStyleNameBlockWord + 6); }},
        {"name block moved", [](Bytes& s) { samples::PutU16LE(s, kStyleNameWordOffset, 0x44); }},
    };
    for (const auto& c : cases) {
        Bytes style = samples::MakeStyle();
        c.damage(style);
        samples::SealStyle(style);
        EXPECT_FALSE(IsStyle(style)) << c.what;
        EXPECT_TRUE(Segments(style).empty()) << c.what;
    }
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
