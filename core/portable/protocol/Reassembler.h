#pragma once
// Rebuilds whole system-exclusive messages from MIDI input that arrives in pieces.
#include <functional>

#include "core/portable/protocol/Bytes.h"
#include "core/portable/protocol/Constants.h"

namespace keyloft::protocol {

enum class ReassemblyEventKind {
    Message,  // a complete message F0 .. F7
    Cut,      // a message ended by a status byte other than F7; its bytes are dropped
    Oversize, // a message longer than the maximum; dropped up to its end
};

struct ReassemblyEvent {
    ReassemblyEventKind kind = ReassemblyEventKind::Message;
    ByteView message;        // the whole message for Message; empty otherwise
    std::size_t dropped = 0; // bytes dropped for Cut and Oversize (so far, for Oversize)
};

struct ReassemblyStats {
    std::size_t messages = 0;
    std::size_t cut = 0;
    std::size_t oversize = 0;
    std::size_t skippedBytes = 0; // bytes outside any message (before F0, after a cut)
    std::size_t realTimeBytes = 0;
};

class SysExReassembler {
public:
    using Sink = std::function<void(const ReassemblyEvent&)>;

    explicit SysExReassembler(std::size_t maxMessageSize = kReceiveBufferSize);

    // Feeds the next input bytes; events are reported to the sink in order. The
    // message span is valid only during the call of the sink.
    void Feed(ByteView bytes, const Sink& sink);

    // Forgets a half message (e.g. after the input was reset).
    void Reset();

    bool InMessage() const { return state_ != State::Idle; }
    const ReassemblyStats& Stats() const { return stats_; }

private:
    enum class State { Idle, Collecting, Discarding };

    void Start();
    void EndCurrent(std::uint8_t status, const Sink& sink);

    std::size_t maxMessageSize_ = kReceiveBufferSize;
    State state_ = State::Idle;
    Bytes buffer_;
    std::size_t discarded_ = 0;
    ReassemblyStats stats_;
};

} // namespace keyloft::protocol
