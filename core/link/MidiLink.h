// The MIDI output and input opened as a pair for talking to one instrument.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/link/MidiInputPort.h"
#include "core/link/MidiOutputPort.h"

class CMidiLink {
public:
    static constexpr DWORD kReceiveBufferSize = CMidiInputPort::kReceiveBufferSize;

    CMidiLink() = default;
    ~CMidiLink();
    CMidiLink(const CMidiLink&) = delete;
    CMidiLink& operator=(const CMidiLink&) = delete;

    // Opens the output, then the input. On failure reports string 61502
    // (output) or 61501 (input), closes both and returns false.
    bool Open(UINT outId, UINT inId);
    void CloseOut() { m_out.Close(); }
    void CloseIn() { m_in.Close(); }
    void Close();

    bool IsOutOpen() const { return m_out.IsOpen(); }
    bool IsInOpen() const { return m_in.IsOpen(); }
    HMIDIOUT GetOutHandle() const { return m_out.GetHandle(); }

    // Sends one complete system-exclusive message (F0 ... F7) and waits until
    // the driver has taken it, at most the time-out.
    bool SendSysEx(const std::uint8_t* data, std::size_t size,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000))
    {
        return m_out.SendSysEx(data, size, timeout);
    }
    bool SendSysEx(const std::vector<std::uint8_t>& message,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(5000))
    {
        return m_out.SendSysEx(message.data(), message.size(), timeout);
    }

    // The oldest received system-exclusive message, waiting up to the time-out.
    std::optional<std::vector<std::uint8_t>> Receive(std::chrono::milliseconds timeout)
    {
        return m_in.Receive(timeout);
    }
    // Forgets every message received so far.
    void DiscardInput() { m_in.DiscardInput(); }

private:
    CMidiOutputPort m_out;
    CMidiInputPort m_in;
};

// The name of a MIDI output id (empty for an id that does not exist).
std::wstring MidiOutName(UINT outId);
