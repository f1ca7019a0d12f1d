#pragma once
// The recording output's log: one line per message it receives,
//   "<microseconds> S 90 3C 64"   short message (only its meaningful bytes)
//   "<microseconds> L F0 .. F7"   long message
//   "<microseconds> R"            reset
// with the time read from the performance counter when the message arrived.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace vmidi {

class RecordingLog {
public:
    RecordingLog() = default;
    ~RecordingLog() { Close(); }
    RecordingLog(const RecordingLog&) = delete;
    RecordingLog& operator=(const RecordingLog&) = delete;

    // Opens the file for appending; an empty path records nothing.
    void Open(const std::wstring& path);
    void Close();

    void Short(DWORD packed);
    void Long(const std::uint8_t* bytes, std::size_t count);
    void Reset();

private:
    void Line(char kind, const std::uint8_t* bytes, std::size_t count);

    FILE* file_ = nullptr;
};

// Microseconds of the performance counter.
std::uint64_t NowMicroseconds();

} // namespace vmidi
