#include <gtest/gtest.h>

#include <filesystem>

#include "tests/vmidi/MidiPair.h"

using namespace std::chrono_literals;
using vmidi_test::Bytes;
using vmidi_test::MidiPair;
using vmidi_test::ScopedEnvironment;

// The driver's own rules. What the instrument pair answers, how the loop pair
// misbehaves and the instrument's faults are checked through the port by the
// link suite; what the recording synthesizer logs, by the player suite.

namespace {

struct Ports {
    UINT instrumentOut = 0, loopOut = 0, loopIn = 0;
};

Ports FindPorts()
{
    Ports ports;
    const auto io = vmidi_test::FindOutput(L"RX470 MIDI Out");
    const auto lo = vmidi_test::FindOutput(L"Loop MIDI Out");
    const auto li = vmidi_test::FindInput(L"Loop MIDI In");
    EXPECT_TRUE(io && lo && li) << "the test driver is not installed in this prefix";
    if (io && lo && li)
        ports = Ports{*io, *lo, *li};
    return ports;
}

} // namespace

TEST(VirtualMidiDriver, InputFollowsTheRulesOfAMidiIn)
{
    const Ports ports = FindPorts();
    ScopedEnvironment pair1(L"KEYLOFT_VMIDI_PAIR1", L"echo");
    MidiPair pair;
    ASSERT_EQ(pair.Open(ports.loopOut, ports.loopIn), MMSYSERR_NOERROR);

    // Before midiInStart everything is dropped.
    ASSERT_EQ(pair.AddBuffer(8), MMSYSERR_NOERROR);
    ASSERT_EQ(pair.SendLong({0xF0, 0x01, 0xF7}), MMSYSERR_NOERROR);
    EXPECT_FALSE(pair.Wait(100ms));
    ASSERT_EQ(pair.Start(), MMSYSERR_NOERROR);

    // A real-time byte inside a message comes at once; the message is split over
    // the 8-byte buffers.
    ASSERT_EQ(pair.AddBuffer(8), MMSYSERR_NOERROR);
    ASSERT_EQ(pair.SendLong({0xF0, 1, 2, 3, 0xF8, 4, 5, 6, 7, 8, 9, 0xF7}), MMSYSERR_NOERROR);
    auto event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->message, static_cast<UINT>(MIM_DATA));
    EXPECT_EQ(event->packed, 0xF8u);
    event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->message, static_cast<UINT>(MIM_LONGDATA));
    EXPECT_EQ(event->bytes, (Bytes{0xF0, 1, 2, 3, 4, 5, 6, 7}));
    event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->bytes, (Bytes{8, 9, 0xF7}));

    // Without a queued buffer a message is dropped.
    ASSERT_EQ(pair.SendLong({0xF0, 0x11, 0xF7}), MMSYSERR_NOERROR);
    EXPECT_FALSE(pair.Wait(100ms));

    // A message cut by a status byte returns as an error; running status works.
    ASSERT_EQ(pair.AddBuffer(64), MMSYSERR_NOERROR);
    ASSERT_EQ(pair.SendLong({0xF0, 0x21, 0x22, 0x90, 0x3C, 0x40, 0x3E, 0x41}), MMSYSERR_NOERROR);
    event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->message, static_cast<UINT>(MIM_LONGERROR));
    EXPECT_EQ(event->bytes, (Bytes{0xF0, 0x21, 0x22}));
    event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->message, static_cast<UINT>(MIM_DATA));
    EXPECT_EQ(event->packed, 0x403C90u);
    event = pair.Wait(1000ms);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->packed, 0x413E90u);
}

TEST(VirtualMidiDriver, ALinuxPathForTheMemoryFolderMeansDriveZ)
{
    const std::string name = "/tmp/keyloft-vmidi-" + std::to_string(GetCurrentProcessId());
    ScopedEnvironment dir(L"KEYLOFT_SIM_DIR", std::wstring(name.begin(), name.end()));
    const Ports ports = FindPorts();
    HMIDIOUT out = nullptr;
    ASSERT_EQ(midiOutOpen(&out, ports.instrumentOut, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiOutClose(out), MMSYSERR_NOERROR);
    const std::filesystem::path folder = "Z:" + name;
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST(VirtualMidiDriver, ResetReturnsQueuedBuffersAndABadCloseLeavesThePortUsable)
{
    const Ports ports = FindPorts();
    HMIDIIN in = nullptr;
    ASSERT_EQ(midiInOpen(&in, ports.loopIn, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    char data[2][16] = {};
    MIDIHDR headers[2] = {};
    for (int i = 0; i < 2; ++i) {
        headers[i].lpData = data[i];
        headers[i].dwBufferLength = sizeof data[i];
        ASSERT_EQ(midiInPrepareHeader(in, &headers[i], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        ASSERT_EQ(midiInAddBuffer(in, &headers[i], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
    }
    EXPECT_EQ(midiInUnprepareHeader(in, &headers[0], sizeof(MIDIHDR)), MIDIERR_STILLPLAYING);
    ASSERT_EQ(midiInReset(in), MMSYSERR_NOERROR);
    for (const MIDIHDR& header : headers) {
        EXPECT_TRUE(header.dwFlags & MHDR_DONE);
        EXPECT_FALSE(header.dwFlags & MHDR_INQUEUE);
        EXPECT_EQ(header.dwBytesRecorded, 0u);
    }
    // A close with a buffer still queued is refused, yet the port can be opened again.
    ASSERT_EQ(midiInAddBuffer(in, &headers[0], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(in), MIDIERR_STILLPLAYING);
    HMIDIIN again = nullptr;
    ASSERT_EQ(midiInOpen(&again, ports.loopIn, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_EQ(midiInClose(again), MMSYSERR_NOERROR);
}
