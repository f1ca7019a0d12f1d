#include <gtest/gtest.h>

#include "core/portable/midi/MidiWriter.h"
#include "core/portable/style/OneTouchSettings.h"
#include "core/portable/style/SectionSettings.h"
#include "core/portable/style/StyleFile.h"
#include "core/portable/style/StyleSource.h"
#include "core/portable/style/VoiceList.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Entry(const SectionSettingsBlock& block, int section, int channel) {
    const auto at = block.begin() + (section * 16 + channel) * 4;
    return Bytes(at, at + 4);
}

TEST(SectionSettings, DefaultsPackAndHiddenChannelsAreAlwaysFF) {
    SectionSettings settings;
    settings.At(3, 0).playChannel = 2;  // MAIN A, channel 1: hidden, still written as FF
    const SectionSettingsBlock block = settings.Pack();
    EXPECT_EQ(Entry(block, 0, 0), (Bytes{0x28, 0x64, 0x00, 0x7F})) << "INTRO A ch 1: CH 9, Minor, Bypass, Fixed, F#";
    EXPECT_EQ(Entry(block, 0, 10), (Bytes{0x1A, 0x62, 0x00, 0x7F})) << "INTRO A ch 11 is Major";
    EXPECT_EQ(Entry(block, 3, 10), (Bytes{0x0A, 0x62, 0x00, 0x7F})) << "MAIN A ch 11 is All";
    for (int section = 3; section <= 10; ++section)
        for (int channel = 0; channel < 8; ++channel)
            EXPECT_EQ(Entry(block, section, channel), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));

    ChannelSetting followsFixed;
    followsFixed.chordChange = ChordChangeChord;
    followsFixed.rootChange = RootChangeFixed;
    EXPECT_EQ(PackChannel(followsFixed)[1], 0x6D) << "bit 3: Fixed and not Bypass";

    // Unpacking a block gives back every entry that is not hidden.
    SectionSettings copy;
    copy.At(0, 5).noteMin = 30;
    copy.Unpack(block);
    for (int section = 0; section < SectionCount; ++section)
        for (int channel = IsMainOrFillSection(section) ? 8 : 0; channel < 16; ++channel)
            EXPECT_EQ(copy.At(section, channel), settings.At(section, channel));
}

TEST(SectionSettings, UnpackingMakesAnyBytesValid) {
    const std::uint8_t ff[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(UnpackChannel(ff),
              (ChannelSetting{15, ChordMuteMinor, ChordChangeMelody, RootChangeFixed, 127, 127, RootLimitFSharp}));
    const std::uint8_t drums[] = {0x39, 0x00, 0x00, 0x80};
    EXPECT_EQ(UnpackChannel(drums).chordMute, ChordMuteAll) << "mute 3 on CH 10";
    EXPECT_EQ(UnpackChannel(drums).noteMax, 127);
}

TEST(SectionSettings, SciFilesAndStyleSourcesLoad) {
    SectionSettings edited;
    edited.At(12, 15).rootLimit = 2;
    const SectionSettingsBlock block = edited.Pack();
    EXPECT_EQ(SectionSettingsFromSci(block).Pack(), block) << "round trip through a .sci";
    EXPECT_TRUE(IsSciFileSize(896));
    EXPECT_FALSE(IsSciFileSize(897));

    // A short file leaves zeros; hidden channels read as FF whatever the file says.
    const SectionSettings shortFile = SectionSettingsFromSci(Bytes(4, 0x00));
    EXPECT_EQ(shortFile.At(13, 15), UnpackChannel(std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(shortFile.At(3, 0).playChannel, 15);

    // From a style: the block at 28 + 2 x the word at 32, or the defaults when it is not all there.
    Bytes style(162 + 6, 0);
    style[32] = 0x46;
    style.insert(style.end(), block.begin(), block.end());
    const SectionSettingsRead read = ReadSectionSettingsFromStyle(marks::MemoryByteSource(style));
    EXPECT_EQ(read.error, StyleFileError::None);
    EXPECT_EQ(read.settings.At(12, 15).rootLimit, 2);
    style.pop_back();
    const SectionSettingsRead cut = ReadSectionSettingsFromStyle(marks::MemoryByteSource(style));
    EXPECT_EQ(cut.error, StyleFileError::SourceDamaged);
    EXPECT_EQ(cut.settings, SectionSettings());
    style[32] = 0xFF;
    style[33] = 0xFF;
    EXPECT_EQ(ReadSectionSettingsFromStyle(marks::MemoryByteSource(style)).error, StyleFileError::SourceDamaged);
}

TEST(OneTouchSettings, BlockCodesAndLoading) {
    OneTouchSettings ots;
    const OtsBlock defaults = ots.Pack();
    EXPECT_EQ(Bytes(defaults.begin(), defaults.begin() + 18),
              (Bytes{1, 0, 100, 0, 40, 0, 1, 0, 80, 0, 40, 0, 1, 0, 45, 0, 40, 0}));

    for (int octave = -2; octave <= 2; ++octave) {
        ots.entries[3].octave = octave;
        EXPECT_EQ(OctaveOfCode(ots.Pack()[21]), octave);
    }
    EXPECT_FALSE(OctaveCode(3));

    OtsBlock loaded = defaults;
    loaded[6] = 0x34;  // voice 0x1234 for O.T.S 1, Voice R2
    loaded[7] = 0x12;
    loaded[9] = 0x24;  // +2: kept, and saved again as 0x24
    loaded[15] = 0x0C; // no octave code: Voice L keeps its octave
    OneTouchSettings applied;
    applied.entries[2].octave = -1;
    applied.Apply(loaded);
    EXPECT_EQ(applied.entries[1].voiceNumber, 0x1234);
    EXPECT_EQ(applied.entries[1].octave, 2);
    EXPECT_EQ(applied.entries[2].octave, -1);
    EXPECT_EQ(applied.Pack()[9], 0x24);

    OneTouchSettings partial;
    partial.Apply(std::span<const std::uint8_t>(loaded.data(), 11));  // one whole entry only
    EXPECT_EQ(partial.entries[0].volume, 100);
    EXPECT_EQ(partial.entries[1], OneTouchSettings().entries[1]);

    Bytes style(36 + 72, 0xAB);
    EXPECT_EQ(ReadOtsFromStyle(marks::MemoryByteSource(style)).block->front(), 0xAB);
    style.pop_back();
    const OtsRead cut = ReadOtsFromStyle(marks::MemoryByteSource(style));
    EXPECT_FALSE(cut.block);
    EXPECT_EQ(cut.error, StyleFileError::SourceDamaged);
}

TEST(VoiceList, NumbersAndNamesPerLanguage) {
    const VoiceList list = VoiceList::Parse(L"0\tNo Voice\r\n12\tPiano\n"
                                            L"Organ\n"
                                            L"7\tMarimba\t\u9a6c\u6797\u5df4\t\u99ac\u6797\u5df4\n"
                                            L"65536\tHarp\n");
    ASSERT_EQ(list.Size(), 5u) << "a final line end adds no voice";
    EXPECT_EQ(list.NumberAt(1), 12);
    EXPECT_EQ(list.At(1).NameFor(LanguageTraditional), L"Piano") << "one name serves every language";
    EXPECT_EQ(list.NumberAt(2), 2) << "no TAB: the line index";
    EXPECT_EQ(list.At(2).NameFor(LanguageEnglish), L"Organ");
    EXPECT_EQ(list.NumberAt(3), 7);
    EXPECT_EQ(list.At(3).NameFor(LanguageEnglish), L"Marimba");
    EXPECT_EQ(list.At(3).NameFor(LanguageSimplified), L"\u9a6c\u6797\u5df4");
    EXPECT_EQ(list.At(3).NameFor(LanguageTraditional), L"\u99ac\u6797\u5df4");
    EXPECT_EQ(list.NumberAt(4), 4) << "not a number of 16 bits: the line index";
    EXPECT_EQ(list.At(4).NameFor(LanguageSimplified), L"65536\tHarp");

    EXPECT_EQ(list.IndexOfNumber(7), 3u);
    EXPECT_EQ(list.IndexOfNumber(999), 0u);
    EXPECT_EQ(list.ItemText(0, LanguageEnglish), L" No Voice");
    EXPECT_EQ(list.ItemText(1, LanguageEnglish), L"001 Piano");
}

TEST(StyleSource, EssentialSectionsAndStyleSources) {
    const std::vector<std::string> essential = {"main a", "FILL IN AA", "MAIN A"};
    const std::vector<std::string> markers = {"Main A", "Verse"};
    const EssentialCheck check = CheckEssentialSections(essential, markers);
    ASSERT_EQ(check.rows.size(), 2u);
    EXPECT_EQ(check.rows[0].name, "MAIN A");
    EXPECT_TRUE(check.rows[0].present);
    EXPECT_FALSE(check.rows[1].present);
    EXPECT_FALSE(check.passes);
    EXPECT_TRUE(CheckEssentialSections({}, markers).passes);

    // A style built here carries its names and segments; a copy without the mark is no style at all.
    midi::MidiFile midiSource;
    midiSource.AddMetaText(midiSource.AddTrack(), 0, midi::meta::Marker, "MAIN B");
    midiSource.AddChannel(midiSource.tracks[0], 0, 0xB9, 7, 100);
    StyleContent content;
    content.styleName = "Style";
    content.shortName = "Sty";
    const StyleFileResult built =
        BuildStyleFromMidi(*midi::WriteMidiFile(midiSource), content, SegmentDefaults{});
    ASSERT_TRUE(built.Ok()) << built.detail;
    const StyleSourceInfo info = AnalyseStyleSource(marks::MemoryByteSource(built.bytes));
    EXPECT_TRUE(info.isStyle);
    EXPECT_EQ(info.segmentNames, (std::vector<std::string>{"MAIN B"}));
    ASSERT_TRUE(info.names);
    EXPECT_EQ((*info.names)[0], "Style");
    Bytes unmarked = built.bytes;
    unmarked[1] = 'A';
    EXPECT_FALSE(AnalyseStyleSource(marks::MemoryByteSource(unmarked)).isStyle);
    const Bytes cut(built.bytes.begin(), built.bytes.begin() + 170);
    EXPECT_FALSE(AnalyseStyleSource(marks::MemoryByteSource(cut)).names);

    EXPECT_TRUE(FitsNameLimit("12345678", 1));
    EXPECT_FALSE(FitsNameLimit("\xc4\xe3\xba\xc3\xc4\xe3\xba\xc3\xc4", 1)) << "bytes, not characters";
}

}  // namespace
}  // namespace keyloft::style
