// The song player: a whole Standard MIDI File played on a MIDI output from a
// periodic multimedia timer, with pause, seek, per-channel mute and solo.
// The owner window gets WM_USER+16 (current ms, total ms) about once a second
// while playing and WM_USER+17 when playback ends or stops.
#pragma once

#include <afx.h>
#include <mmsystem.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "core/portable/midi/Sequencer.h"

inline constexpr UINT WM_PLAYER_POSITION = WM_USER + 16;
inline constexpr UINT WM_PLAYER_STOPPED = WM_USER + 17;

class CMIDI {
public:
    CMIDI();
    virtual ~CMIDI();
    CMIDI(const CMIDI&) = delete;
    CMIDI& operator=(const CMIDI&) = delete;

    BOOL LoadFile(LPCWSTR path, HWND owner);
    // Not playing: start. Playing: pause. Paused: resume (chased state first when asked).
    void Play(BOOL chase);
    void Stop();
    void Seek(double fraction);
    // 16 entries: -1 unused channel, 0 used without a program change, else the first program.
    void GetFirstPrograms(std::vector<int>& programs) const;
    void GetFirstPrograms(CUIntArray& programs) const;

    // Messages go here instead of m_hMidiOut when set (tests record them).
    void SetOutputOverride(keyloft::midi::MidiOutput* output) { m_outputOverride = output; }
    const keyloft::midi::MidiFile& File() const { return m_sequencer.File(); }
    UINT TimerPeriod() const { return m_period; }

    // Fields the song editor reads and writes.
    CString m_path;
    std::atomic<int> m_playing{0};  // also written by the timer thread at the end
    std::atomic<int> m_paused{0};
    std::atomic<int> m_pendingChange{0};  // set by the editor, cleared on the timer thread
    UINT32 m_length = 0;                  // song length in ms; 0 = no song
    HMIDIOUT m_hMidiOut = nullptr;
    int m_used[16] = {};
    int m_mute[16] = {};
    int m_solo[16] = {};

protected:
    keyloft::midi::Sequencer m_sequencer;

private:
    static void CALLBACK TimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    void OnTimer();
    bool StartTimer();
    void StopTimer();
    void ApplyRequests(keyloft::midi::MidiOutput& out);
    std::uint64_t NowMicros() const;
    keyloft::midi::MidiOutput& Output();

    std::mutex m_lock;  // the sequencer and the clock, shared with the timer thread
    HWND m_owner = nullptr;
    UINT m_timerId = 0;
    UINT m_period = 0;
    std::uint64_t m_clockStartMicros = 0;     // clock value when playback last started
    std::uint64_t m_positionAtStart = 0;      // song position at that moment
    std::uint64_t m_lastReportedSecond = UINT64_MAX;
    keyloft::midi::MidiOutput* m_outputOverride = nullptr;
    std::unique_ptr<keyloft::midi::MidiOutput> m_output;
    HMIDIOUT m_outputFor = nullptr;
};
