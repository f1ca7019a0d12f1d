#pragma once
// A MIDI output and input opened through winmm with a function callback that
// records what arrives, for tests of the test driver.
#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vmidi_test {

using Bytes = std::vector<std::uint8_t>;

std::optional<UINT> FindOutput(const std::wstring& name);
std::optional<UINT> FindInput(const std::wstring& name);

// Sets an environment variable for the test's lifetime (the driver reads it at open).
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

struct InputEvent {
    UINT message = 0; // MIM_DATA, MIM_LONGDATA, MIM_LONGERROR
    DWORD packed = 0;
    Bytes bytes;
};

class MidiPair {
public:
    MidiPair() = default;
    ~MidiPair();
    MidiPair(const MidiPair&) = delete;
    MidiPair& operator=(const MidiPair&) = delete;

    MMRESULT Open(UINT output, UINT input);
    MMRESULT AddBuffer(std::size_t size);
    MMRESULT Start();
    MMRESULT SendLong(const Bytes& bytes);

    std::optional<InputEvent> Wait(std::chrono::milliseconds timeout);
    void Close();

private:
    struct Buffer {
        MIDIHDR header{};
        std::vector<char> data;
    };
    static void CALLBACK OnInput(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

    HMIDIOUT out_ = nullptr;
    HMIDIIN in_ = nullptr;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<InputEvent> events_;
};

} // namespace vmidi_test
