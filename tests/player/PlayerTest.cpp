#include <gtest/gtest.h>

#include "core/player/SongMIDI.h"
#include "tests/player/PlayerTestSupport.h"

namespace {

using keyloft::midi::MidiFile;
using keyloft::midi::MidiTrack;
using keyloft::midi::PackShort;
using player_test::OwnerWindow;
using player_test::RecordingOutput;
using player_test::WaitUntil;

// 120 bpm, 96 ticks a quarter: a note every 250 ms on channels 0 and 1 (note number =
// its index), channel 0 set to program 5 and volume 100 first; 2.5 s long.
MidiFile MakeSong() {
    MidiFile file;
    file.division = 96;
    MidiTrack& track = file.AddTrack();
    file.AddChannel(track, 0, 0xC0, 5);
    file.AddChannel(track, 0, 0xB0, 7, 100);
    file.AddChannel(track, 0, 0xE1, 0, 0x50);
    for (std::uint8_t i = 0; i < 10; ++i) {
        const std::uint32_t tick = 48u * i;
        file.AddChannel(track, tick, 0x90, 20 + i, 100);
        file.AddChannel(track, tick, 0x91, 40 + i, 100);
        file.AddChannel(track, tick + 24, 0x80, 20 + i, 0);
        file.AddChannel(track, tick + 24, 0x81, 40 + i, 0);
    }
    file.AddChannel(track, 480, 0xB0, 7, 100);
    return file;
}

// The player on a recording output handed to it (PlayerDriverTest covers the
// test driver's real winmm output).
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = player_test::TempPath(L"song.mid");
        player_test::WriteMidi(path_, MakeSong());
        player_.SetOutputOverride(&out_);
        ASSERT_TRUE(player_.LoadFile(path_.c_str(), owner_.Handle()));
    }
    void TearDown() override {
        player_.Stop();
        DeleteFileW(path_.c_str());
    }

    std::wstring path_;
    OwnerWindow owner_;
    RecordingOutput out_;
    CSongMIDI player_;
};

TEST_F(PlayerTest, LoadKeepsThePathLengthAndUsedChannels) {
    EXPECT_EQ(std::wstring(player_.m_path.GetString()), path_);
    EXPECT_EQ(player_.m_length, 2500u);
    EXPECT_EQ(player_.m_used[0], 1);
    EXPECT_EQ(player_.m_used[1], 1);
    EXPECT_EQ(player_.m_used[2], 0);
    std::vector<int> programs;
    player_.GetFirstPrograms(programs);
    ASSERT_EQ(programs.size(), 16u);
    EXPECT_EQ(programs[0], 5);
    EXPECT_EQ(programs[1], 0) << "used without a program change";
    EXPECT_EQ(programs[2], -1);
    EXPECT_EQ(player_.FindMelodyChannel(), -1);

    CSongMIDI other;
    EXPECT_FALSE(other.LoadFile(player_test::TempPath(L"missing.mid").c_str(), nullptr));
    EXPECT_EQ(other.m_length, 0u);
}

TEST_F(PlayerTest, PlaysPausesAndResumesWithAndWithoutChase) {
    player_.Play(FALSE);
    EXPECT_EQ(player_.m_playing, 1);
    EXPECT_GE(player_.TimerPeriod(), 5u);
    EXPECT_TRUE(WaitUntil([&] { return out_.CountOf(PackShort(0x90, 21, 100)) == 1; }));
    EXPECT_EQ(out_.CountOf(PackShort(0x90, 20, 100)), 1u);

    player_.Play(FALSE);  // pause
    EXPECT_EQ(player_.m_paused, 1);
    const std::size_t atPause = out_.Count();
    EXPECT_GE(out_.CountOf(PackShort(0xB0, 123, 0)), 1u) << "notes silenced on pause";
    Sleep(300);
    EXPECT_EQ(out_.Count(), atPause) << "nothing plays while paused";

    player_.Play(TRUE);  // resume with chase
    EXPECT_EQ(player_.m_paused, 0);
    EXPECT_EQ(out_.CountOf(PackShort(0xC0, 5), atPause), 1u);
    EXPECT_EQ(out_.CountOf(PackShort(0xB0, 7, 100), atPause), 1u);
    EXPECT_EQ(out_.CountOf(PackShort(0xE1, 0, 0x50), atPause), 1u);

    Sleep(100);
    player_.Play(FALSE);  // pause again
    const std::size_t secondPause = out_.Count();
    player_.Play(FALSE);  // resume without chase
    EXPECT_EQ(out_.CountStatus(0xC0, secondPause), 0u);
    EXPECT_TRUE(WaitUntil([&] { return out_.CountStatus(0x90, secondPause) > 0; }))
        << "playback goes on after resuming";
}

TEST_F(PlayerTest, SeekChasesAndEndsAtOne) {
    player_.Play(FALSE);
    Sleep(50);
    std::size_t before = out_.Count();
    player_.Seek(0.5);  // 1250 ms: program and volume chased
    EXPECT_EQ(out_.CountOf(PackShort(0xC0, 5), before), 1u);
    EXPECT_EQ(out_.CountOf(PackShort(0xB0, 7, 100), before), 1u);
    EXPECT_TRUE(WaitUntil([&] { return out_.CountOf(PackShort(0x90, 26, 100), before) == 1; }))
        << "1500 ms comes next";

    before = out_.Count();
    player_.Seek(0.0);
    EXPECT_TRUE(WaitUntil([&] { return out_.CountOf(PackShort(0x90, 20, 100), before) == 1; }));

    owner_.Drain();
    player_.Seek(1.0);
    EXPECT_TRUE(owner_.WaitFor(WM_USER + 17, 1000));
    EXPECT_EQ(player_.m_playing, 0);
}

TEST_F(PlayerTest, MuteAppliesOnTheNextTick) {
    player_.Play(FALSE);
    Sleep(100);
    const std::size_t request = out_.Count();
    player_.m_mute[1] = 1;
    player_.m_pendingChange = 1;
    EXPECT_TRUE(WaitUntil([&] { return player_.m_pendingChange.load() == 0; }, 2000)) << "applied by the timer";
    EXPECT_EQ(out_.CountOf(PackShort(0xB1, 123, 0), request), 1u) << "channel 1 silenced once";
    EXPECT_EQ(out_.CountOf(PackShort(0xB0, 123, 0), request), 0u);
    const std::size_t muted = out_.Count();
    EXPECT_TRUE(WaitUntil([&] { return out_.CountStatus(0x90, muted) >= 2; }));
    EXPECT_EQ(out_.CountStatus(0x91, muted), 0u) << "muted channel plays no new notes";
    // Which channels solo leaves sounding is the sequencer suite's.
}

TEST_F(PlayerTest, ReportsPositionAndTheEnd) {
    owner_.Drain();
    player_.Seek(0.8);  // 2000 ms: half a second left
    player_.Play(FALSE);
    MSG position{};
    ASSERT_TRUE(owner_.WaitFor(WM_USER + 16, 500, &position));
    EXPECT_EQ(position.lParam, 2500);
    EXPECT_GE(position.wParam, 1999u);
    ASSERT_TRUE(owner_.WaitFor(WM_USER + 17, 5000));
    EXPECT_EQ(player_.m_playing, 0);
    EXPECT_EQ(player_.m_paused, 0);

    // Stop while playing posts the end message too and silences every channel.
    player_.Play(FALSE);
    owner_.Drain();
    const std::size_t before = out_.Count();
    player_.Stop();
    EXPECT_TRUE(owner_.WaitFor(WM_USER + 17, 500));
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(out_.CountOf(PackShort(static_cast<std::uint8_t>(0xB0 | channel), 123, 0), before), 1u);
    }
}

}  // namespace
