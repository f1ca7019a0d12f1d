// How late the player's messages reach a MIDI output: a song of 2048
// uniquely numbered notes is played on the test driver's recording synthesizer,
// whose log gives each message's arrival time. Lateness = arrival - (start + due).
// Target: 99th percentile within one timer period (5 ms) + 1 ms.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/player/MIDI.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/TempoMap.h"

namespace {

std::uint64_t NowMicros() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    const auto f = static_cast<std::uint64_t>(frequency.QuadPart);
    return ticks / f * 1000000 + ticks % f * 1000000 / f;
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder, n) + name;
}

HMIDIOUT OpenRecordingOutput(const std::wstring& log) {
    for (UINT id = 0; id < midiOutGetNumDevs(); ++id) {
        MIDIOUTCAPSW caps{};
        if (midiOutGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            std::wstring(caps.szPname).find(L"Wavetable") != std::wstring::npos) {
            SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", log.c_str());
            HMIDIOUT handle = nullptr;
            const bool ok = midiOutOpen(&handle, id, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
            SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", nullptr);
            return ok ? handle : nullptr;
        }
    }
    return nullptr;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

}  // namespace

int main() {
    using namespace keyloft::midi;
    MidiFile song;
    song.division = 480;
    MidiTrack& track = song.AddTrack();
    song.AddTempo(track, 0, 500000);
    std::map<std::uint32_t, std::uint32_t> tickOfNote;  // (channel << 8 | key) -> tick
    std::uint32_t seed = 7;
    std::uint32_t tick = 0;
    for (int i = 0; i < 2048; ++i) {
        seed = seed * 1103515245u + 12345u;
        tick += (seed >> 16) % 5;  // 0..4 ticks apart: chords and runs
        if (i == 1024) {
            song.AddTempo(track, tick, 400000);  // a tempo change half way
        }
        const auto channel = static_cast<std::uint8_t>(i % 16);
        const auto key = static_cast<std::uint8_t>((i / 16) % 128);
        song.AddChannel(track, tick, 0x90 | channel, key, 100);
        tickOfNote[(std::uint32_t{channel} << 8) | key] = tick;
    }
    for (int i = 0; i < 2048; ++i) {
        // Note-offs at the end keep the note-on order intact within the track.
        song.AddChannel(track, tick + 1, 0x80 | (i % 16), (i / 16) % 128, 0);
    }
    const TempoMap tempo(song);
    const std::wstring midiPath = TempFile(L"bench_player_timing.mid");
    const std::wstring logPath = TempFile(L"bench_player_timing.log");
    {
        const auto bytes = WriteMidiFile(song);
        std::ofstream out(midiPath.c_str(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    DeleteFileW(logPath.c_str());
    HMIDIOUT output = OpenRecordingOutput(logPath);
    if (output == nullptr) {
        std::fprintf(stderr, "the recording MIDI output of the test driver is not available\n");
        return 1;
    }
    CMIDI player;
    if (!player.LoadFile(midiPath.c_str(), nullptr)) {
        std::fprintf(stderr, "cannot load the generated song\n");
        return 1;
    }
    player.m_hMidiOut = output;
    const std::uint64_t started = NowMicros();
    player.Play(FALSE);
    while (player.m_playing) {
        Sleep(20);
    }
    player.Stop();
    midiOutClose(output);

    std::vector<double> lateness;
    std::ifstream in(logPath.c_str());
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        std::uint64_t micros = 0;
        char kind = 0;
        unsigned status = 0;
        unsigned key = 0;
        unsigned velocity = 0;
        fields >> micros >> kind >> std::hex >> status >> key >> velocity;
        if (kind != 'S' || (status & 0xF0) != 0x90 || velocity == 0) {
            continue;
        }
        const auto it = tickOfNote.find(((status & 0x0F) << 8) | key);
        if (it == tickOfNote.end()) {
            continue;
        }
        const double due = static_cast<double>(started + tempo.TickToMicros(it->second));
        lateness.push_back((static_cast<double>(micros) - due) / 1000.0);

    }
    DeleteFileW(midiPath.c_str());
    DeleteFileW(logPath.c_str());
    if (lateness.empty()) {
        std::fprintf(stderr, "no note reached the recording output\n");
        return 1;
    }
    std::printf("player timing: %zu notes of 2048 recorded, timer period %u ms\n", lateness.size(),
                player.TimerPeriod());
    std::printf("lateness median: %6.2f ms\n", Percentile(lateness, 0.5));
    std::printf("lateness p99:    %6.2f ms (target <= %u ms)\n", Percentile(lateness, 0.99), player.TimerPeriod() + 1);
    std::printf("lateness max:    %6.2f ms, min %6.2f ms\n", Percentile(lateness, 1.0), Percentile(lateness, 0.0));
    return 0;
}
