#include <gtest/gtest.h>

#include "core/portable/style/AnsiText.h"
#include "core/portable/style/NameBlock.h"
#include "core/portable/style/SegmentDefaults.h"
#include "core/portable/style/Segments.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;
const CodePage kChinese(936);

TEST(Segments, LookUpIgnoresCaseAndFailsWith29) {
    EXPECT_EQ(GetSegmentByNameA("intro a"), 3);
    EXPECT_EQ(GetSegmentByNameA("Fill In Dc"), 28);
    EXPECT_EQ(GetSegmentByNameA("INTRO E"), SegNone);
    EXPECT_EQ(GetSegmentByNameA(""), SegNone);
    EXPECT_EQ(GetSegmentNameA(29), "");
    EXPECT_EQ(GetSegmentNameA(15), "ENDING B");
    // Every segment's name maps back to its number.
    for (const SegmentInfo& info : SegmentTable()) {
        EXPECT_EQ(GetSegmentByNameA(info.name), info.segment) << info.name;
    }
    EXPECT_EQ(SegmentTable().size(), 28u);
}

TEST(Segments, NarrowLookUpLeavesDoubleByteCharactersAlone) {
    // 0xB0 0x61 is one character in code page 936; upper-casing its trail byte
    // would turn it into another character.
    SegmentNameMap map;
    map.Add("\xB0\x61 X", 6, kChinese);
    EXPECT_EQ(map.LookupAnsi("\xB0\x61 x", kChinese), 6);
    EXPECT_EQ(map.LookupAnsi("\xB0\x41 x", kChinese), SegNone);
    EXPECT_EQ(UpperAnsi("a\xB0\x61z", kChinese), "A\xB0\x61Z");
}

TEST(Segments, DefaultSlotsFollowTheSegmentOrder) {
    for (int slot = 0; slot < DefaultSlotCount; ++slot) {
        EXPECT_EQ(DefaultSlotOf(SegmentOfDefaultSlot(slot)), slot);
        EXPECT_LT(SegmentOfDefaultSlot(slot), slot + 1 < DefaultSlotCount ? SegmentOfDefaultSlot(slot + 1) : 29);
    }
    for (int segment : {1, 2, 6, 9, 14, 16, 29}) {
        EXPECT_EQ(DefaultSlotOf(segment), -1) << segment;
    }
}

TEST(SegmentDefaults, IniValuesDefaultsAndClamping) {
    const SegmentDefaults d = ParseSegmentDefaults(
        "; defaults\r\n"
        "[Intro A]\r\n"
        "Crash Note = 49\r\n"
        "Velocity=100\r\n"
        "[INTRO B]\r\n"
        "Velocity=70\r\n"
        "[fill in ab]\r\n"
        "velocity=300\r\n"
        "CRASH NOTE=-4\r\n"
        "[FILL IN DC]\n"
        "Crash Note=abc\n"
        "Velocity=12xyz\n");
    EXPECT_EQ(d.crashNote[0], 49);
    EXPECT_EQ(d.velocity[0], 100);
    EXPECT_EQ(d.crashNote[1], 55) << "missing key in an intro";
    EXPECT_EQ(d.velocity[1], 70);
    EXPECT_EQ(d.crashNote[3], 47) << "missing section of a fill-in";
    EXPECT_EQ(d.velocity[3], 85);
    EXPECT_EQ(d.velocity[7], 127) << "300 is clamped, not truncated to 44";
    EXPECT_EQ(d.crashNote[7], 0);
    EXPECT_EQ(d.crashNote[18], 0) << "a value without digits reads as 0";
    EXPECT_EQ(d.velocity[18], 12);
    EXPECT_EQ(d.CrashNoteOf(SegIntroA), 49);
    EXPECT_EQ(d.CrashNoteOf(SegMainA), 0);
}

TEST(AnsiText, CutsNeverSplitADoubleByteCharacter) {
    const std::string chinese = "\xD6\xD0\xCE\xC4\xB7\xE7\xB8\xF1";  // four characters, 8 bytes
    EXPECT_EQ(CutAnsi(chinese, 8, kChinese), chinese);
    EXPECT_EQ(CutAnsi(chinese, 7, kChinese), chinese.substr(0, 6));
    EXPECT_EQ(CutAnsi("A\xD6\xD0\xCE\xC4\xB7\xE7\xB8\xF1", 8, kChinese), "A\xD6\xD0\xCE\xC4\xB7\xE7");
    EXPECT_EQ(CutAnsi("ABCDEFGHIJ", 8, CodePage::SingleByte()), "ABCDEFGH");
    // In a single-byte code page the same bytes are eight characters.
    EXPECT_EQ(CutAnsi(chinese, 7, CodePage::SingleByte()), chinese.substr(0, 7));
    // A lead byte at the very end (damaged text) counts as one byte.
    EXPECT_EQ(CutAnsi("AB\xD6", 8, kChinese), "AB\xD6");
}

TEST(NameBlock, WorkedExamplesAndLimits) {
    EXPECT_EQ(BuildNameBlock({"AB", "X", "", ""}, CodePage::SingleByte()),
              (Bytes{0x02, 0x01, 0x00, 0x00, 0x41, 0x42, 0x58, 0xFF}));
    EXPECT_EQ(BuildNameBlock({"", "", "", ""}, CodePage::SingleByte()),
              (Bytes{0x00, 0x00, 0x00, 0x00, 0xFF, 0x00}));
    EXPECT_EQ(NameBlockSize({"", "", "", ""}, CodePage::SingleByte()), 6u);
    EXPECT_EQ(NameBlockSize({"AB", "X", "", ""}, CodePage::SingleByte()), 8u);

    const std::string longName(40, 'n');
    const std::string chineseShort = "\xB6\xCC\xC3\xFB\xD7\xD6\xB7\xFB\xBC\xAF";  // 5 characters, 10 bytes
    const auto block = BuildNameBlock({longName, chineseShort, longName, "123456789"}, kChinese);
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(block[0], 32);
    EXPECT_EQ(block[1], 8) << "four whole characters";
    EXPECT_EQ(block[2], 32);
    EXPECT_EQ(block[3], 8);
    EXPECT_EQ(block.size(), 4u + 80u + 1u + 1u);
    EXPECT_EQ(block[4 + 32 + 6], 0xB7) << "the short name ends on a whole character";
    EXPECT_EQ(block[4 + 32 + 7], 0xFB);
    EXPECT_EQ(block.size(), NameBlockSize({longName, chineseShort, longName, "123456789"}, kChinese));

    // Seven bytes allowed of a short name made of 2-byte characters: 6 are kept.
    const auto odd = BuildNameBlock({"", "\xD6\xD0\xCE\xC4\xB7\xE7\xB8\xF1", "", ""}, kChinese);
    EXPECT_EQ(odd[1], 8);
    const auto cut = BuildNameBlock({"", "A\xD6\xD0\xCE\xC4\xB7\xE7\xB8\xF1", "", ""}, kChinese);
    EXPECT_EQ(cut[1], 7);
    EXPECT_EQ(cut.size() % 2, 0u);
}

}  // namespace
}  // namespace keyloft::style
