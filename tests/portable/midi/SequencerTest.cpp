#include <gtest/gtest.h>

#include "core/portable/midi/Sequencer.h"

namespace keyloft::midi {
namespace {

class RecordingOutput : public MidiOutput {
public:
    void ShortMessage(std::uint32_t packed) override { shorts.push_back(packed); }
    void LongMessage(std::span<const std::uint8_t> bytes) override { longs.emplace_back(bytes.begin(), bytes.end()); }
    bool Has(std::uint32_t packed) const { return std::find(shorts.begin(), shorts.end(), packed) != shorts.end(); }
    std::vector<std::uint32_t> shorts;
    std::vector<std::vector<std::uint8_t>> longs;
};

// 96 ticks a quarter at 120 bpm: a tick is 5208 us; a quarter 500 ms.
MidiFile MakeSong() {
    MidiFile file;
    file.division = 96;
    MidiTrack& t = file.AddTrack();
    file.AddChannel(t, 0, 0xC0, 10);
    file.AddChannel(t, 0, 0xB0, 7, 90);
    file.AddChannel(t, 0, 0x90, 60, 100);
    file.AddChannel(t, 0, 0x91, 62, 100);
    const std::uint8_t sysex[] = {0x43, 0x10, 0xF7};
    file.AddSysEx(t, 48, sysex);
    file.AddChannel(t, 96, 0xB0, 7, 40);
    file.AddChannel(t, 96, 0xE0, 0, 0x50);
    file.AddChannel(t, 96, 0xD0, 33);
    file.AddChannel(t, 192, 0x90, 64, 100);
    file.AddChannel(t, 192, 0x91, 65, 100);
    file.AddChannel(t, 384, 0x80, 64, 0);
    return file;
}

TEST(Sequencer, PlaysEventsWhenDueAndReachesTheEnd) {
    Sequencer sequencer(MakeSong());
    RecordingOutput out;
    EXPECT_EQ(sequencer.LengthMicros(), 2000000u);
    EXPECT_FALSE(sequencer.PlayUntil(0, out));
    EXPECT_EQ(out.shorts.size(), 4u);
    EXPECT_FALSE(sequencer.PlayUntil(249999, out));
    EXPECT_TRUE(out.longs.empty());
    sequencer.PlayUntil(250000, out);
    ASSERT_EQ(out.longs.size(), 1u);
    EXPECT_EQ(out.longs[0], (std::vector<std::uint8_t>{0xF0, 0x43, 0x10, 0xF7}));
    EXPECT_TRUE(sequencer.PlayUntil(5000000, out));
    EXPECT_EQ(sequencer.PositionMicros(), 2000000u);
}

TEST(Sequencer, SeekChasesStateAndSilencesNotes) {
    Sequencer sequencer(MakeSong());
    RecordingOutput out;
    sequencer.SeekTo(1000000, out, true);  // beat 3: after the changes at beat 2
    EXPECT_TRUE(out.Has(PackShort(0xB0, 123, 0)));
    EXPECT_TRUE(out.Has(PackShort(0xC0, 10)));
    EXPECT_TRUE(out.Has(PackShort(0xB0, 7, 40)));
    EXPECT_FALSE(out.Has(PackShort(0xB0, 7, 90)));
    EXPECT_TRUE(out.Has(PackShort(0xE0, 0, 0x50)));
    EXPECT_TRUE(out.Has(PackShort(0xD0, 33)));
    EXPECT_FALSE(out.Has(PackShort(0x90, 60, 100))) << "notes are never chased";
    // The events at the target itself are played next.
    out.shorts.clear();
    sequencer.PlayUntil(1000000, out);
    EXPECT_TRUE(out.Has(PackShort(0x90, 64, 100)));

    RecordingOutput plain;
    sequencer.SeekTo(0, plain, false);
    EXPECT_FALSE(plain.Has(PackShort(0xC0, 10)));
    sequencer.PlayUntil(0, plain);
    EXPECT_TRUE(plain.Has(PackShort(0xC0, 10)));

    RecordingOutput end;
    sequencer.SeekTo(99000000, end, true);
    EXPECT_EQ(sequencer.PositionMicros(), 2000000u);
    EXPECT_FALSE(sequencer.AtEnd()) << "the last note-off is still due";
    EXPECT_TRUE(sequencer.PlayUntil(2000000, end));
    EXPECT_TRUE(end.Has(PackShort(0x80, 64, 0)));
}

TEST(Sequencer, MuteAndSoloSilenceLaterNotes) {
    Sequencer sequencer(MakeSong());
    RecordingOutput out;
    std::array<bool, ChannelCount> mute{};
    std::array<bool, ChannelCount> solo{};
    solo[1] = true;
    sequencer.SetMuteSolo(mute, solo, out);
    EXPECT_TRUE(out.Has(PackShort(0xB0, 123, 0))) << "channel 0 newly silent";
    EXPECT_FALSE(out.Has(PackShort(0xB1, 123, 0)));
    out.shorts.clear();
    sequencer.PlayUntil(1000000, out);
    EXPECT_FALSE(out.Has(PackShort(0x90, 60, 100)));
    EXPECT_TRUE(out.Has(PackShort(0x91, 62, 100)));
    EXPECT_TRUE(out.Has(PackShort(0xC0, 10))) << "a silent channel still follows its state";

    solo[1] = false;
    mute[1] = true;
    sequencer.SetMuteSolo(mute, solo, out);
    EXPECT_TRUE(sequencer.Audible(0));
    EXPECT_FALSE(sequencer.Audible(1));
}

TEST(Sequencer, ChannelSummary) {
    MidiFile file = MakeSong();
    MidiTrack& late = file.AddTrack();
    file.AddChannel(late, 500, 0xC0, 99);  // a later program change on channel 0
    file.AddChannel(late, 0, 0x9A, 36, 1);  // drums, no program change
    const ChannelSummary summary = SummarizeChannels(file);
    EXPECT_EQ(summary.firstProgram[0], 10);
    EXPECT_EQ(summary.firstProgram[1], 0);
    EXPECT_EQ(summary.firstProgram[10], 0);
    EXPECT_EQ(summary.firstProgram[2], -1);
    EXPECT_TRUE(summary.used[10]);
    EXPECT_FALSE(summary.used[2]);
}

}  // namespace
}  // namespace keyloft::midi
