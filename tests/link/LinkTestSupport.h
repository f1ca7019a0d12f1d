// What the link tests share: the simulated instrument's ports found by name, a
// fresh memory folder per test (with its control file for faults), and a
// recorder of the messages the link reports.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/link/LinkMessages.h"
#include "core/portable/protocol/Constants.h"

namespace linktest {

// The port ids of the test driver's pairs, looked up by their names.
struct PortPair {
    UINT out = 0;
    UINT in = 0;
};
std::optional<UINT> FindMidiOut(const std::wstring& name);
std::optional<UINT> FindMidiIn(const std::wstring& name);
std::optional<PortPair> InstrumentPorts();  // "RX470 MIDI Out" / "RX470 MIDI In"
std::optional<PortPair> LoopPorts();        // "Loop MIDI Out" / "Loop MIDI In"

// A memory folder of the simulated instrument for one test, named through the
// environment before any port is opened; removed when the object goes.
class SimulatedMemory {
public:
    SimulatedMemory();
    ~SimulatedMemory();
    SimulatedMemory(const SimulatedMemory&) = delete;
    SimulatedMemory& operator=(const SimulatedMemory&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    // Writes control.txt (the instrument re-reads it when it changes).
    void SetControl(const std::string& text);
    void WriteFile(const std::filesystem::path& relative, const std::vector<std::uint8_t>& bytes) const;
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& relative) const;
    // The file that holds a slot (kind 0..3; slot -1 is the working item).
    std::filesystem::path SlotFile(int kind, int slot) const;

private:
    std::filesystem::path m_folder;
    std::size_t m_controlSize = 0;
};

// Records the string ids the link reports (instead of showing them).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<UINT> Ids() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<UINT> m_ids;
    LinkMessageHook m_previous;
};

// What the loop pair does with what it gets ("echo", "garbage", "silent"), for
// ports opened from now on.
void SetLoopBehaviour(const wchar_t* behaviour);

// Short time-outs so that a fault test ends quickly.
keyloft::protocol::Timeouts ShortTimeouts();

// Deterministic test bytes.
std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed = 1);

// Elapsed time of a piece of work, for loose "did not wait past its time-out" checks.
class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    std::chrono::milliseconds Elapsed() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

}  // namespace linktest
