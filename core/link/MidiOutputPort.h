// One MIDI output that sends whole system-exclusive messages and waits until
// the driver has taken each one.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <cstdint>
#include <mutex>

class CMidiOutputPort {
public:
    CMidiOutputPort() = default;
    ~CMidiOutputPort();
    CMidiOutputPort(const CMidiOutputPort&) = delete;
    CMidiOutputPort& operator=(const CMidiOutputPort&) = delete;

    bool Open(UINT outId);
    // Closes the output, retrying after Sleep(1) while the driver still plays
    // a buffer.
    void Close();
    bool IsOpen() const;
    HMIDIOUT GetHandle() const;

    bool SendSysEx(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout);

private:
    // The driver reports a finished buffer through this callback; the sender
    // waits on a condition variable (no kernel object on the path of every
    // message).
    static void CALLBACK Callback(HMIDIOUT handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                  DWORD_PTR param2);
    bool IsDone(const MIDIHDR& header) const;

    mutable std::mutex m_mutex;  // a send and a close never overlap
    HMIDIOUT m_hOut = nullptr;
    SRWLOCK m_doneLock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_done = CONDITION_VARIABLE_INIT;
};
