// One MIDI input opened for system-exclusive messages: a 10240-byte receive
// buffer handed to the driver and an input callback that rebuilds whole
// messages from the buffers (through the protocol's reassembler) and queues
// them for a reader that waits with a time-out.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "core/link/MessageQueue.h"

class CMidiInputPort {
public:
    static constexpr DWORD kReceiveBufferSize = 10240;

    CMidiInputPort();
    ~CMidiInputPort();
    CMidiInputPort(const CMidiInputPort&) = delete;
    CMidiInputPort& operator=(const CMidiInputPort&) = delete;

    bool Open(UINT inId);
    // Stops, resets, unprepares and closes the input and frees its buffer.
    // Wine frees the handle even when the close fails, so the handle is
    // forgotten whatever the close answers.
    void Close();
    bool IsOpen() const;

    std::optional<std::vector<std::uint8_t>> Receive(std::chrono::milliseconds timeout);
    void DiscardInput() { m_received.Clear(); }

private:
    struct State;

    static void CALLBACK Callback(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                  DWORD_PTR param2);
    bool OpenAndStart(UINT inId);
    void OnLongData(State& state, HMIDIIN handle, MIDIHDR* header, bool cutOff);

    mutable std::mutex m_mutex;  // guards opening and closing
    HMIDIIN m_hIn = nullptr;
    std::unique_ptr<State> m_state;
    std::atomic<State*> m_activeState{nullptr};  // what the callback may use
    std::atomic<int> m_callbacksRunning{0};
    std::atomic<bool> m_closing{false};
    CMessageQueue m_received;
};
