// The queue between the MIDI-input callback (which pushes every complete
// system-exclusive message it receives) and the reader (which takes them one
// by one, waiting up to a time-out). Bounded, so a port that babbles cannot
// make it grow without end: the oldest messages are dropped first.
//
// The system's own lock and condition variable: the callback runs on the
// driver's thread, and the hand-over to the waiting reader is on the path of
// every exchange with the instrument.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

class CMessageQueue {
public:
    using Message = std::vector<std::uint8_t>;

    explicit CMessageQueue(std::size_t maxMessages = 256) : m_maxMessages(maxMessages) {}
    CMessageQueue(const CMessageQueue&) = delete;
    CMessageQueue& operator=(const CMessageQueue&) = delete;

    void Push(Message message);
    // The oldest message, waiting up to the time-out for one to arrive.
    std::optional<Message> Pop(std::chrono::milliseconds timeout);
    // Drops whatever is queued (a late reply never answers a later request).
    void Clear();
    std::size_t Size() const;

private:
    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_arrived = CONDITION_VARIABLE_INIT;
    std::deque<Message> m_messages;
    std::size_t m_maxMessages;
};
