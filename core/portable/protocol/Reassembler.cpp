#include "core/portable/protocol/Reassembler.h"

#include <algorithm>

namespace keyloft::protocol {

SysExReassembler::SysExReassembler(std::size_t maxMessageSize) : maxMessageSize_(std::max<std::size_t>(maxMessageSize, 2))
{
    buffer_.reserve(std::min<std::size_t>(maxMessageSize_, kMaxPacketFrameSize));
}

void SysExReassembler::Reset()
{
    state_ = State::Idle;
    buffer_.clear();
    discarded_ = 0;
}

void SysExReassembler::Start()
{
    state_ = State::Collecting;
    buffer_.clear();
    buffer_.push_back(kSysExStart);
    discarded_ = 0;
}

// A status byte (not real-time) arrived while inside a message.
void SysExReassembler::EndCurrent(std::uint8_t status, const Sink& sink)
{
    if (state_ == State::Collecting) {
        if (status == kSysExEnd) {
            buffer_.push_back(kSysExEnd);
            ++stats_.messages;
            sink(ReassemblyEvent{ReassemblyEventKind::Message, ByteView(buffer_), 0});
        } else {
            ++stats_.cut;
            sink(ReassemblyEvent{ReassemblyEventKind::Cut, ByteView(), buffer_.size()});
        }
    }
    // A discarded oversize message was reported when it overflowed.
    buffer_.clear();
    state_ = State::Idle;
    discarded_ = 0;
    if (status == kSysExStart)
        Start();
    else if (status != kSysExEnd)
        ++stats_.skippedBytes;
}

void SysExReassembler::Feed(ByteView bytes, const Sink& sink)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (state_ == State::Collecting) {
            // Fast path: copy the run of data bytes up to the next status byte at once.
            std::size_t end = i;
            while (end < bytes.size() && bytes[end] < 0x80)
                ++end;
            const std::size_t room = maxMessageSize_ - 1 - std::min(buffer_.size(), maxMessageSize_ - 1);
            const std::size_t take = std::min(end - i, room);
            buffer_.insert(buffer_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i),
                           bytes.begin() + static_cast<std::ptrdiff_t>(i + take));
            i += take;
            if (i == bytes.size())
                break;
        }
        const std::uint8_t byte = bytes[i];
        if (byte >= 0xF8) {
            ++stats_.realTimeBytes;
            continue;
        }
        if (state_ == State::Idle) {
            if (byte == kSysExStart)
                Start();
            else
                ++stats_.skippedBytes;
            continue;
        }
        if (byte >= 0x80) {
            EndCurrent(byte, sink);
            continue;
        }
        if (state_ == State::Discarding) {
            ++discarded_;
            continue;
        }
        // Room must remain for the closing F7.
        if (buffer_.size() + 1 >= maxMessageSize_) {
            discarded_ = buffer_.size() + 1;
            buffer_.clear();
            state_ = State::Discarding;
            ++stats_.oversize;
            sink(ReassemblyEvent{ReassemblyEventKind::Oversize, ByteView(), discarded_});
            continue;
        }
        buffer_.push_back(byte);
    }
}

} // namespace keyloft::protocol
