// The wizard's ".sci" and ".ots" files: taken only when the whole file holds
// settings the pages can show, refused with the reason and the place otherwise.
#include <gtest/gtest.h>

#include <string>

#include "core/portable/style/SideFiles.h"

namespace keyloft::style {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Packed(const SectionSettings& settings) {
    const SectionSettingsBlock block = settings.Pack();
    return Bytes(block.begin(), block.end());
}

std::size_t EntryAt(int section, int channel) { return static_cast<std::size_t>(section * 16 + channel) * 4; }

TEST(SideFiles, ASciFileIsTakenWholeOrRefusedWithItsFirstFault) {
    SectionSettings edited;
    edited.At(11, 4).noteMin = 36;  // ENDING A, channel 5
    const SciFileRead good = ReadSciFile(Packed(edited));
    ASSERT_TRUE(good.check.Ok());
    ASSERT_TRUE(good.settings.has_value());
    EXPECT_EQ(good.settings->At(11, 4).noteMin, 36);

    // A text file of the right size (or any other) holds no settings.
    std::string text;
    while (text.size() < SectionSettingsSize)
        text += "Section settings are kept in this file. ";
    text.resize(SectionSettingsSize);
    const SciFileRead fromText = ReadSciFile(Bytes(text.begin(), text.end()));
    EXPECT_FALSE(fromText.settings.has_value());
    EXPECT_EQ(fromText.check.fault, SideFileFault::ValueOutOfRange);
    EXPECT_EQ(fromText.check.section, 0);
    EXPECT_EQ(fromText.check.channel, 0);

    const SciFileRead shortFile = ReadSciFile(Bytes(895, 0));
    EXPECT_EQ(shortFile.check.fault, SideFileFault::WrongSize);
    EXPECT_EQ(shortFile.check.size, 895u);
    EXPECT_EQ(shortFile.check.expectedSize, SectionSettingsSize);
    EXPECT_EQ(ReadSciFile(Bytes(897, 0)).check.fault, SideFileFault::WrongSize);

    Bytes minAboveMax = Packed(SectionSettings());
    minAboveMax[EntryAt(12, 9) + 2] = 80;
    minAboveMax[EntryAt(12, 9) + 3] = 60;
    const SciFileRead crossed = ReadSciFile(minAboveMax);
    EXPECT_EQ(crossed.check.fault, SideFileFault::MinAboveMax);
    EXPECT_EQ(crossed.check.section, 12);
    EXPECT_EQ(crossed.check.channel, 9);
    EXPECT_EQ(crossed.check.value, 80u);
    EXPECT_EQ(crossed.check.maximum, 60u);

    struct Case {
        std::size_t byte;
        std::uint8_t value;
        const char* field;
    };
    for (const Case& bad : {Case{0, 0x30, "Chord Mute"}, Case{0, 0x48, "Chord Mute"}, Case{1, 0xC4, "Root Limit"},
                            Case{1, 0x6C, "Root Change"}, Case{2, 0x80, "Note Range"}, Case{3, 0x90, "Note Range"}}) {
        Bytes file = Packed(SectionSettings());
        file[EntryAt(13, 15) + bad.byte] = bad.value;
        const SciFileRead read = ReadSciFile(file);
        EXPECT_EQ(read.check.fault, SideFileFault::ValueOutOfRange) << bad.field;
        EXPECT_STREQ(read.check.field, bad.field);
        EXPECT_EQ(read.check.section, 13);
        EXPECT_FALSE(read.settings.has_value());
    }

    // The unused channels of the main and fill sections may hold a setting too.
    Bytes hidden = Packed(SectionSettings());
    hidden[EntryAt(3, 0)] = 0x08;
    hidden[EntryAt(3, 0) + 1] = 0x04;
    hidden[EntryAt(3, 0) + 2] = 0;
    hidden[EntryAt(3, 0) + 3] = 127;
    EXPECT_TRUE(ReadSciFile(hidden).check.Ok());
}

VoiceList Voices() {
    return VoiceList::Parse(L"0\tNo voice\n1\tGrand Piano\n12\tMarimba\n");
}

TEST(SideFiles, AnOtsFileIsTakenWholeOrRefusedWithItsFirstFault) {
    OneTouchSettings settings;
    settings.entries[4].voiceNumber = 12;
    settings.entries[4].octave = 2;
    const OtsBlock packed = settings.Pack();
    const OtsFileRead good = ReadOtsFile(packed, Voices());
    ASSERT_TRUE(good.check.Ok());
    ASSERT_TRUE(good.block.has_value());
    EXPECT_EQ(*good.block, packed);

    EXPECT_EQ(ReadOtsFile(Bytes(71, 0), Voices()).check.fault, SideFileFault::WrongSize);
    const std::string text = "O.T.S 1 Voice R1 Grand Piano, O.T.S 2 Voice R1 Marimba and so on........";
    ASSERT_EQ(text.size(), OtsBlockSize);
    const OtsFileRead fromText = ReadOtsFile(Bytes(text.begin(), text.end()), Voices());
    EXPECT_EQ(fromText.check.fault, SideFileFault::UnknownVoice);
    EXPECT_EQ(fromText.check.entry, 0);
    EXPECT_FALSE(fromText.block.has_value());

    struct Case {
        std::size_t byte;
        std::uint8_t value;
        SideFileFault fault;
        const char* field;
    };
    for (const Case& bad : {Case{0, 57, SideFileFault::UnknownVoice, "Voice"},
                            Case{2, 128, SideFileFault::ValueOutOfRange, "Volume"},
                            Case{3, 0x13, SideFileFault::ValueOutOfRange, "Octave"},
                            Case{4, 200, SideFileFault::ValueOutOfRange, "Reverb"},
                            Case{5, 255, SideFileFault::ValueOutOfRange, "Chorus"}}) {
        OtsBlock file = packed;
        file[7 * OtsEntrySize + bad.byte] = bad.value;
        const OtsFileRead read = ReadOtsFile(file, Voices());
        EXPECT_EQ(read.check.fault, bad.fault) << bad.field;
        EXPECT_STREQ(read.check.field, bad.field);
        EXPECT_EQ(read.check.entry, 7);
        EXPECT_EQ(read.check.value, bad.value);
    }
    EXPECT_EQ(ReadOtsFile(packed, VoiceList()).check.fault, SideFileFault::UnknownVoice) << "no voice list";
}

}  // namespace
}  // namespace keyloft::style
