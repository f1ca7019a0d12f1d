// How late the player's messages reach a MIDI output: a song of 2048
// uniquely numbered notes is played on the test driver's recording synthesizer,
// whose log gives each message's arrival time. Lateness = arrival - (start + due).
// Target: 99th percentile within one timer period (5 ms) + 1 ms.
// Two runs: the player alone, then through the song editor page, shown, while
// its position bar is dragged back and forth for the whole song.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/player/MIDI.h"
#include "editors/song/EditSongDlg1.h"
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

struct BenchSong {
    std::wstring midiPath;
    std::map<std::uint32_t, std::uint32_t> tickOfNote;  // (channel << 8 | key) -> tick
    keyloft::midi::MidiFile file;
};

BenchSong MakeSong() {
    using namespace keyloft::midi;
    BenchSong bench;
    MidiFile& song = bench.file;
    song.division = 480;
    MidiTrack& track = song.AddTrack();
    song.AddTempo(track, 0, 500000);
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
        bench.tickOfNote[(std::uint32_t{channel} << 8) | key] = tick;
    }
    for (int i = 0; i < 2048; ++i) {
        // Note-offs at the end keep the note-on order intact within the track.
        song.AddChannel(track, tick + 1, 0x80 | (i % 16), (i / 16) % 128, 0);
    }
    bench.midiPath = TempFile(L"bench_player_timing.mid");
    const auto bytes = *WriteMidiFile(song);
    std::ofstream out(bench.midiPath.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bench;
}

bool Report(const char* label, const BenchSong& song, const std::wstring& logPath, std::uint64_t started,
            UINT period) {
    const keyloft::midi::TempoMap tempo(song.file);
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
        const auto it = song.tickOfNote.find(((status & 0x0F) << 8) | key);
        if (it == song.tickOfNote.end()) {
            continue;
        }
        const double due = static_cast<double>(started + tempo.TickToMicros(it->second));
        lateness.push_back((static_cast<double>(micros) - due) / 1000.0);
    }
    in.close();
    DeleteFileW(logPath.c_str());
    if (lateness.empty()) {
        std::fprintf(stderr, "%s: no note reached the recording output\n", label);
        return false;
    }
    std::printf("%s: %zu notes of 2048 recorded, timer period %u ms\n", label, lateness.size(), period);
    std::printf("  lateness median: %6.2f ms\n", Percentile(lateness, 0.5));
    std::printf("  lateness p99:    %6.2f ms (target <= %u ms)\n", Percentile(lateness, 0.99), period + 1);
    std::printf("  lateness max:    %6.2f ms, min %6.2f ms\n", Percentile(lateness, 1.0), Percentile(lateness, 0.0));
    return true;
}

bool RunPlayerAlone(const BenchSong& song) {
    const std::wstring logPath = TempFile(L"bench_player_timing.log");
    DeleteFileW(logPath.c_str());
    HMIDIOUT output = OpenRecordingOutput(logPath);
    if (output == nullptr) {
        std::fprintf(stderr, "the recording MIDI output of the test driver is not available\n");
        return false;
    }
    CMIDI player;
    if (!player.LoadFile(song.midiPath.c_str(), nullptr)) {
        std::fprintf(stderr, "cannot load the generated song\n");
        return false;
    }
    player.m_hMidiOut = output;
    const std::uint64_t started = NowMicros();
    player.Play(FALSE);
    while (player.m_playing) {
        Sleep(20);
    }
    player.Stop();
    midiOutClose(output);
    return Report("player alone", song, logPath, started, player.TimerPeriod());
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The page picks the first "MICROSOFT" output, which is the driver's recording one.
bool RunThroughDraggedPage(const BenchSong& song) {
    const std::wstring logPath = TempFile(L"bench_player_page.log");
    DeleteFileW(logPath.c_str());
    SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", logPath.c_str());
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOW);
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 640),
                       nullptr, 0)) {
        std::fprintf(stderr, "no host window\n");
        return false;
    }
    boost::shared_ptr<CBaseDlg> base = CreateSongEditorPage(&host);
    auto* page = dynamic_cast<CEditSongDlg1*>(base.get());
    if (page == nullptr || !page->LoadSong(song.midiPath.c_str())) {
        std::fprintf(stderr, "the song editor page cannot load the generated song\n");
        return false;
    }
    CRect client;
    host.GetClientRect(&client);
    page->MoveWindow(&client);
    page->ShowWindow(SW_SHOW);
    Pump();
    HWND bar = page->GetPositionBar().GetSafeHwnd();
    CRect barRect;
    ::GetClientRect(bar, &barRect);
    const std::uint64_t started = NowMicros();
    page->PlayPause();
    ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barRect.Width() / 2, barRect.Height() / 2));
    for (int step = 0; page->GetPlayer().m_playing; ++step) {
        // Back and forth across the bar, a move every millisecond or so.
        const int x = std::abs((step * 3) % (2 * barRect.Width()) - barRect.Width());
        ::SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, barRect.Height() / 2));
        Pump();
        Sleep(1);
    }
    const UINT period = page->GetPlayer().TimerPeriod();
    ::SendMessageW(bar, WM_CAPTURECHANGED, 0, 0);
    Pump();
    base.reset();
    host.DestroyWindow();
    SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", nullptr);
    return Report("page shown, bar dragged", song, logPath, started, period);
}

}  // namespace

int main() {
    const BenchSong song = MakeSong();
    const bool alone = RunPlayerAlone(song);
    const bool page = RunThroughDraggedPage(song);
    DeleteFileW(song.midiPath.c_str());
    return alone && page ? 0 : 1;
}
