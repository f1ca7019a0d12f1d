#include "core/player/MIDI.h"

#include <algorithm>

#include "core/files/WholeFile.h"
#include "core/player/WinMidiOutput.h"
#include "core/portable/midi/MidiReader.h"

CMIDI::CMIDI() = default;

CMIDI::~CMIDI() {
    StopTimer();
}

keyloft::midi::MidiOutput& CMIDI::Output() {
    if (m_outputOverride != nullptr) {
        return *m_outputOverride;
    }
    if (!m_output || m_outputFor != m_hMidiOut) {
        m_output = std::make_unique<CWinMidiOutput>(m_hMidiOut);
        m_outputFor = m_hMidiOut;
    }
    return *m_output;
}

std::uint64_t CMIDI::NowMicros() const {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(now.QuadPart) / static_cast<std::uint64_t>(frequency.QuadPart) * 1000000u +
           static_cast<std::uint64_t>(now.QuadPart) % static_cast<std::uint64_t>(frequency.QuadPart) * 1000000u /
               static_cast<std::uint64_t>(frequency.QuadPart);
}

BOOL CMIDI::LoadFile(LPCWSTR path, HWND owner) {
    Stop();
    // No song file comes near 256 MiB: a larger one is refused rather than read.
    std::vector<std::uint8_t> bytes;
    const bool readOk = ReadWholeFile(path, bytes, 256LL * 1024 * 1024);
    keyloft::midi::MidiFile file;
    // The buffer becomes the file's payload pool: meta and sysex data are not copied.
    if (!readOk || !keyloft::midi::ReadMidiFile(std::move(bytes), file).ok) {
        return FALSE;
    }
    const keyloft::midi::ChannelSummary summary = keyloft::midi::SummarizeChannels(file);
    std::lock_guard<std::mutex> guard(m_lock);
    m_sequencer = keyloft::midi::Sequencer(std::move(file));
    m_path = path;
    m_owner = owner;
    m_length = static_cast<UINT32>(std::min<std::uint64_t>(m_sequencer.LengthMicros() / 1000, UINT32_MAX));
    for (int channel = 0; channel < 16; ++channel) {
        m_used[channel] = summary.used[static_cast<std::size_t>(channel)] ? 1 : 0;
        m_mute[channel] = 0;
        m_solo[channel] = 0;
    }
    m_pendingChange = 1;  // the cleared requests take effect on the first tick
    return TRUE;
}

void CMIDI::ApplyRequests(keyloft::midi::MidiOutput& out) {
    if (!m_pendingChange.exchange(0)) {
        return;
    }
    std::array<bool, 16> mute{};
    std::array<bool, 16> solo{};
    for (std::size_t channel = 0; channel < 16; ++channel) {
        mute[channel] = m_mute[channel] != 0;
        solo[channel] = m_solo[channel] != 0;
    }
    m_sequencer.SetMuteSolo(mute, solo, out);
}

bool CMIDI::StartTimer() {
    TIMECAPS caps{};
    m_period = 5;
    if (timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR) {
        m_period = std::max<UINT>(5, caps.wPeriodMin);
    }
    timeBeginPeriod(m_period);
    m_timerId = timeSetEvent(m_period, 0, &CMIDI::TimerProc, reinterpret_cast<DWORD_PTR>(this),
                             TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (m_timerId == 0) {
        timeEndPeriod(m_period);
        return false;
    }
    return true;
}

void CMIDI::StopTimer() {
    if (m_timerId != 0) {
        timeKillEvent(m_timerId);  // synchronous: no callback runs after this returns
        m_timerId = 0;
        timeEndPeriod(m_period);
    }
}

void CMIDI::Play(BOOL chase) {
    if (m_length == 0 && m_sequencer.Empty()) {
        return;
    }
    if (m_playing && !m_paused) {
        StopTimer();
        std::lock_guard<std::mutex> guard(m_lock);
        m_positionAtStart += NowMicros() - m_clockStartMicros;
        m_positionAtStart = std::min(m_positionAtStart, m_sequencer.LengthMicros());
        if (m_hMidiOut != nullptr && m_outputOverride == nullptr) {
            midiOutReset(m_hMidiOut);
        } else {
            keyloft::midi::Sequencer::AllNotesOff(Output());
        }
        m_paused = 1;
        return;
    }
    StopTimer();  // a timer left ticking after the song ended
    {
        std::lock_guard<std::mutex> guard(m_lock);
        keyloft::midi::MidiOutput& out = Output();
        if (!m_playing) {
            m_positionAtStart = m_sequencer.PositionMicros();
            m_sequencer.SendChasedState(out);  // nothing at the start; the seeked state otherwise
        } else if (chase) {
            m_sequencer.SendChasedState(out);
        }
        ApplyRequests(out);
        m_clockStartMicros = NowMicros();
        m_lastReportedSecond = UINT64_MAX;
        m_playing = 1;
        m_paused = 0;
    }
    if (!StartTimer()) {
        // No timer, no playback: say so the way a stop does rather than appear to play.
        m_playing = 0;
        m_paused = 0;
        if (m_owner != nullptr) {
            PostMessageW(m_owner, WM_PLAYER_STOPPED, 0, 0);
        }
    }
}

void CMIDI::Stop() {
    StopTimer();
    const bool wasActive = m_playing != 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        keyloft::midi::MidiOutput& out = Output();
        keyloft::midi::Sequencer::AllNotesOff(out);
        CNullMidiOutput silent;
        m_sequencer.SeekTo(0, silent, false);
        m_positionAtStart = 0;
        m_playing = 0;
        m_paused = 0;
    }
    if (wasActive && m_owner != nullptr) {
        PostMessageW(m_owner, WM_PLAYER_STOPPED, 0, 0);
    }
}

void CMIDI::Seek(double fraction) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    std::lock_guard<std::mutex> guard(m_lock);
    const auto target = static_cast<std::uint64_t>(fraction * static_cast<double>(m_sequencer.LengthMicros()));
    m_sequencer.SeekTo(target, Output(), m_playing && !m_paused);
    m_positionAtStart = m_sequencer.PositionMicros();
    m_clockStartMicros = NowMicros();
    m_lastReportedSecond = UINT64_MAX;
}

void CMIDI::GetFirstPrograms(std::vector<int>& programs) const {
    const keyloft::midi::ChannelSummary summary = keyloft::midi::SummarizeChannels(m_sequencer.File());
    programs.assign(summary.firstProgram.begin(), summary.firstProgram.end());
}

void CMIDI::GetFirstPrograms(CUIntArray& programs) const {
    std::vector<int> values;
    GetFirstPrograms(values);
    programs.RemoveAll();
    for (int value : values) {
        programs.Add(static_cast<UINT>(value));
    }
}

void CALLBACK CMIDI::TimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<CMIDI*>(user)->OnTimer();
}

void CMIDI::OnTimer() {
    bool ended = false;
    std::uint64_t positionMs = 0;
    bool report = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_playing || m_paused) {
            return;
        }
        keyloft::midi::MidiOutput& out = Output();
        ApplyRequests(out);
        const std::uint64_t position = m_positionAtStart + (NowMicros() - m_clockStartMicros);
        ended = m_sequencer.PlayUntil(position, out);
        positionMs = std::min(position, m_sequencer.LengthMicros()) / 1000;
        const std::uint64_t second = positionMs / 1000;
        if (second != m_lastReportedSecond) {
            m_lastReportedSecond = second;
            report = true;
        }
        if (ended) {
            m_playing = 0;
            m_paused = 0;
            CNullMidiOutput silent;
            m_sequencer.SeekTo(0, silent, false);  // the next Play starts from the top
            m_positionAtStart = 0;
        }
    }
    if (report && m_owner != nullptr) {
        PostMessageW(m_owner, WM_PLAYER_POSITION, static_cast<WPARAM>(positionMs), static_cast<LPARAM>(m_length));
    }
    if (ended) {
        // The timer cannot kill itself synchronously; the owner's WM_USER+17 handler or the
        // next Play/Stop/destruction ends it. Until then each tick returns at once.
        if (m_owner != nullptr) {
            PostMessageW(m_owner, WM_PLAYER_STOPPED, 0, 0);
        }
    }
}
