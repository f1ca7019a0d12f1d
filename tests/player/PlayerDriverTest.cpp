// The player on a real winmm output: the test driver's recording synthesizer.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/player/SongMIDI.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/player/RecordingDevice.h"

namespace {

using keyloft::midi::MidiFile;
using keyloft::midi::MidiTrack;
using player_test::RecordingDevice;

std::size_t CountNoteOns(const std::vector<RecordingDevice::Line>& lines) {
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [](const RecordingDevice::Line& l) {
        return l.kind == 'S' && l.bytes.size() == 3 && (l.bytes[0] & 0xF0) == 0x90 && l.bytes[2] != 0;
    }));
}

TEST(PlayerOnDriver, PlaysEveryNoteInTimeOrderAndResetsOnPause) {
    RecordingDevice device(player_test::TempPath(L"vmidi.log"));
    if (device.Handle() == nullptr) {
        // CTest's runs install the driver in their prefix: there, a missing one is a fault.
        ASSERT_EQ(GetEnvironmentVariableW(L"DASHBOARD_TEST_FROM_CTEST", nullptr, 0), 0u)
            << "the test MIDI driver is not installed in the harness's prefix";
        GTEST_SKIP() << "the test MIDI driver is not installed in this prefix";
    }
    MidiFile song;
    song.division = 96;
    MidiTrack& track = song.AddTrack();
    const std::uint8_t sysex[] = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    song.AddSysEx(track, 0, sysex);
    for (std::uint8_t i = 0; i < 12; ++i) {
        song.AddChannel(track, 8u * i, 0x92, 40 + i, 90);  // every 41.7 ms
        song.AddChannel(track, 8u * i + 4, 0x82, 40 + i, 0);
    }
    const std::wstring path = player_test::TempPath(L"driver-song.mid");
    player_test::WriteMidi(path, song);

    player_test::OwnerWindow owner;
    CSongMIDI player;
    ASSERT_TRUE(player.LoadFile(path.c_str(), owner.Handle()));
    player.m_hMidiOut = device.Handle();
    const std::uint64_t started = player_test::NowMicros();
    player.Play(FALSE);
    ASSERT_TRUE(owner.WaitFor(WM_USER + 17, 5000));

    const auto lines = device.Lines();
    EXPECT_EQ(CountNoteOns(lines), 12u);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const auto& l) {
        return l.kind == 'L' && l.bytes.size() == 6 && l.bytes.front() == 0xF0 && l.bytes.back() == 0xF7;
    }));
    // Note i is due 41.7 ms x i after the start; it never arrives early.
    for (const auto& line : lines) {
        if (line.kind == 'S' && (line.bytes[0] & 0xF0) == 0x90 && line.bytes[2] != 0) {
            const std::uint64_t due = started + (line.bytes[1] - 40u) * 41666u;
            EXPECT_GE(line.micros + 1000, due) << "note " << int(line.bytes[1]);
        }
    }

    // Pausing resets the output.
    player.Play(FALSE);
    Sleep(60);
    player.Play(FALSE);
    const auto paused = device.Lines();
    EXPECT_EQ(paused.back().kind, 'R');
    player.Stop();
    device.Close();
    DeleteFileW(path.c_str());
}

}  // namespace
