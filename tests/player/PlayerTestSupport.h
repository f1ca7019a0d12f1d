// Helpers of the player and converter tests: temporary files, an owner window
// whose messages can be awaited, and a recording output.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "core/portable/midi/MidiFile.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/Sequencer.h"
#include "tests/support/WholeFile.h"

namespace player_test {

inline std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder, n) + L"keyloft-player-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

inline void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    keyloft_test::WriteWholeFile(path, bytes);
}

inline std::vector<std::uint8_t> ReadBytes(const std::wstring& path) {
    return keyloft_test::ReadWholeFile<std::vector<std::uint8_t>>(path);
}

inline void WriteMidi(const std::wstring& path, const keyloft::midi::MidiFile& file) {
    WriteBytes(path, *keyloft::midi::WriteMidiFile(file));
}

inline std::uint64_t NowMicros() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(now.QuadPart) * 1000000u / static_cast<std::uint64_t>(frequency.QuadPart);
}

// Polls `condition` until it holds or the time is up (a loaded machine may run
// the player's timer late; the checks must not depend on exact sleeps).
template <typename Condition>
bool WaitUntil(Condition condition, int milliseconds = 5000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
        Sleep(2);
    }
    return true;
}

// Records the packed messages the player sends (0xF0 for a long message).
class RecordingOutput : public keyloft::midi::MidiOutput {
public:
    void ShortMessage(std::uint32_t packed) override { Add(packed); }
    void LongMessage(std::span<const std::uint8_t>) override { Add(0xF0); }
    std::size_t Count() const {
        std::lock_guard<std::mutex> guard(lock_);
        return packed_.size();
    }
    // Messages from index `from` on that equal `packed`.
    std::size_t CountOf(std::uint32_t packed, std::size_t from = 0) const {
        return CountIf(from, [packed](std::uint32_t p) { return p == packed; });
    }
    // Messages from `from` on whose status byte is `status`.
    std::size_t CountStatus(std::uint8_t status, std::size_t from = 0) const {
        return CountIf(from, [status](std::uint32_t p) { return (p & 0xFF) == status; });
    }

private:
    void Add(std::uint32_t packed) {
        std::lock_guard<std::mutex> guard(lock_);
        packed_.push_back(packed);
    }
    template <typename Match>
    std::size_t CountIf(std::size_t from, Match match) const {
        std::lock_guard<std::mutex> guard(lock_);
        std::size_t n = 0;
        for (std::size_t i = from; i < packed_.size(); ++i) {
            n += match(packed_[i]) ? 1 : 0;
        }
        return n;
    }
    mutable std::mutex lock_;
    std::vector<std::uint32_t> packed_;
};

// A message-only window that stores what the player posts to it.
class OwnerWindow {
public:
    OwnerWindow() {
        handle_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~OwnerWindow() {
        if (handle_ != nullptr) {
            DestroyWindow(handle_);
        }
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return handle_; }

    // Waits for a posted message; true when it came within the time.
    bool WaitFor(UINT message, int milliseconds, MSG* got = nullptr) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < until) {
            MSG msg{};
            while (PeekMessageW(&msg, handle_, 0, 0, PM_REMOVE)) {
                if (msg.message == message) {
                    if (got != nullptr) {
                        *got = msg;
                    }
                    return true;
                }
            }
            Sleep(2);
        }
        return false;
    }
    void Drain() {
        MSG msg{};
        while (PeekMessageW(&msg, handle_, 0, 0, PM_REMOVE)) {
        }
    }

private:
    HWND handle_ = nullptr;
};

}  // namespace player_test
