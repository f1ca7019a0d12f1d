#pragma once
// One MIDI input as a real MIDI IN behaves: running status, real-time bytes
// passed at once (even inside a system-exclusive message), a long message split
// over the queued buffers, a message cut off by a status byte returned with
// MIM_LONGERROR, and input dropped while stopped or without a buffer.
// Every member is used under the driver's lock.
#include <cstdint>
#include <deque>

#include "tools/vmidi/Callbacks.h"

namespace vmidi {

class InputPort {
public:
    bool IsOpen() const { return open_; }

    DWORD Open(const MIDIOPENDESC* desc, DWORD_PTR flags, Notifications& out);
    DWORD Close(Notifications& out);
    DWORD AddBuffer(MIDIHDR* header, DWORD_PTR size);
    DWORD Start();
    DWORD Stop(Notifications& out);
    DWORD Reset(Notifications& out);

    void Receive(const std::uint8_t* bytes, std::size_t count, Notifications& out);

private:
    void Byte(std::uint8_t byte, Notifications& out);
    void SysExByte(std::uint8_t byte, Notifications& out);
    void ReturnBuffer(UINT message, Notifications& out);
    void ShortMessage(DWORD packed, Notifications& out);
    DWORD Timestamp() const;

    bool open_ = false;
    bool started_ = false;
    Client client_;
    std::deque<MIDIHDR*> buffers_;
    ULONGLONG startedAt_ = 0;

    bool inSysEx_ = false;
    bool dropping_ = false;      // the current system-exclusive message has no buffer
    MIDIHDR* current_ = nullptr; // buffer being filled (front of buffers_)
    std::uint8_t running_ = 0;
    std::uint8_t data_[2] = {0, 0};
    int have_ = 0;
};

} // namespace vmidi
