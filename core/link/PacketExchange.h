// One request and its reply over a MIDI link: the request packet goes out as a
// packet frame, and the replies that arrive are read until one answers it or
// the time-out passes. Whatever was queued before the request is dropped, so a
// late reply never answers a later request.
#pragma once

#include <chrono>
#include <functional>

#include "core/link/MidiLink.h"
#include "core/portable/protocol/Packet.h"

enum class ReplyMatch {
    Answers,    // the reply to the request, well formed
    Unrelated,  // another packet: it is discarded and the wait goes on
    Malformed,  // the reply to the request, but its payload is wrong
};

enum class ExchangeResult {
    Ok,        // the reply is in the outcome
    NoReply,   // nothing answered within the time-out (or the link could not send)
    BadReply,  // a wrong sum, a broken frame or a malformed answer
};

struct ExchangeOutcome {
    ExchangeResult result = ExchangeResult::NoReply;
    keyloft::protocol::Packet reply;

    bool Ok() const { return result == ExchangeResult::Ok; }
};

class CPacketExchange {
public:
    using ReplyFilter = std::function<ReplyMatch(const keyloft::protocol::Packet&)>;

    explicit CPacketExchange(CMidiLink& link) : m_link(link) {}

    // Sends the packet and waits for the reply the filter accepts.
    ExchangeOutcome Exchange(const keyloft::protocol::Bytes& packet, std::chrono::milliseconds timeout,
                             const ReplyFilter& filter);
    // Sends the packet without waiting for anything.
    bool Send(const keyloft::protocol::Bytes& packet, std::chrono::milliseconds timeout);

private:
    CMidiLink& m_link;
};
