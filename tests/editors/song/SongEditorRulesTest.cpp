// The song editor's decisions that need no window: the output it plays on, the
// position bar's one scale, and names limited in bytes of the ANSI code page.
#include "editors/song/SongEditorRules.h"

#include <gtest/gtest.h>

namespace {

using namespace songedit;

TEST(SongEditorRules, OutputAvoidsTheInstrumentsPort) {
    const std::vector<CString> outputs{L"RX470 MIDI Out", L"Loop MIDI Out", L"Microsoft GS Wavetable Synth"};
    const CString port = L"rx470 midi out";
    EXPECT_EQ(ChooseMidiOutput(1, outputs, port), 1) << "a stored output is kept";
    EXPECT_EQ(ChooseMidiOutput(0, outputs, port), 2) << "the instrument's port gives way to MICROSOFT";
    EXPECT_EQ(ChooseMidiOutput(-1, outputs, port), 2);
    EXPECT_EQ(ChooseMidiOutput(7, outputs, port), 2) << "an output that is gone";
    EXPECT_EQ(ChooseMidiOutput(-1, {L"RX470 MIDI Out", L"Loop MIDI Out"}, port), 1);
    EXPECT_EQ(ChooseMidiOutput(-1, {L"RX470 MIDI Out"}, port), -1);
}

TEST(SongEditorRules, PositionAndSeekShareOneScaleAndAnEmptySongLeavesTheBar) {
    int position = -1;
    EXPECT_FALSE(BarPositionOf(1000, 0, position));
    EXPECT_EQ(position, -1);
    ASSERT_TRUE(BarPositionOf(60000, 60000, position));
    EXPECT_EQ(position, kBarMax);
    ASSERT_TRUE(BarPositionOf(70000, 60000, position));
    EXPECT_EQ(position, kBarMax) << "a late report stays on the bar";
    ASSERT_TRUE(BarPositionOf(30000, 60000, position));
    EXPECT_EQ(position, 149);
    EXPECT_DOUBLE_EQ(SeekFractionOf(kBarMax), 1.0);
    EXPECT_EQ(FormatPlayTime(61500, 3599999), L"01:01 / 59:59");
}

TEST(SongEditorRules, NamesAreMeasuredAndCutInAnsiBytesOnCharacterBoundaries) {
    constexpr UINT kSimplifiedChinese = 936;
    const CString song = L"\x6B4C\x66F2\x4E00\x53F7\x7248";  // five characters, ten bytes
    EXPECT_EQ(AnsiByteLength(song, kSimplifiedChinese), 10u);
    EXPECT_EQ(CutToAnsiBytes(song, kShortNameMaxBytes, kSimplifiedChinese), L"\x6B4C\x66F2\x4E00\x53F7");
    EXPECT_EQ(CutToAnsiBytes(L"A" + song, kShortNameMaxBytes, kSimplifiedChinese), L"A\x6B4C\x66F2\x4E00")
        << "never half a character";
    EXPECT_EQ(CutToAnsiBytes(L"short", kShortNameMaxBytes, kSimplifiedChinese), L"short");
    EXPECT_EQ(WithMidExtension(L"a\\song"), L"a\\song.mid");
    EXPECT_EQ(WithMidExtension(L"a\\SONG.MID"), L"a\\SONG.MID");
}

} // namespace
