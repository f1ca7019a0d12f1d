#include "core/link/PacketExchange.h"

#include "core/link/LinkMessages.h"
#include "core/portable/protocol/SysEx.h"

namespace protocol = keyloft::protocol;

namespace {

// Messages that are not packet frames of ours are somebody else's traffic.
bool IsForeignFrame(protocol::FrameError error)
{
    switch (error) {
    case protocol::FrameError::NotSysEx:
    case protocol::FrameError::DataByteTooHigh:
    case protocol::FrameError::Foreign:
    case protocol::FrameError::OtherFrameKind:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool CPacketExchange::Send(const protocol::Bytes& packet, std::chrono::milliseconds timeout)
{
    m_link.DiscardInput();
    return m_link.SendSysEx(protocol::WrapPacket(packet), timeout);
}

ExchangeOutcome CPacketExchange::Exchange(const protocol::Bytes& packet, std::chrono::milliseconds timeout,
                                          const ReplyFilter& filter)
{
    using Clock = std::chrono::steady_clock;
    ExchangeOutcome outcome;
    const Clock::time_point deadline = Clock::now() + timeout;
    if (!Send(packet, timeout)) {
        TraceLink(L"Link: request type %02X not sent\n", packet.size() > 8 ? packet[8] : 0);
        return outcome;
    }
    for (;;) {
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (remaining.count() < 0)
            break;
        std::optional<std::vector<std::uint8_t>> message = m_link.Receive(remaining);
        if (!message)
            break;
        protocol::PacketFrame frame = protocol::ReadPacketFrame(*message);
        if (!frame.Ok()) {
            if (IsForeignFrame(frame.error))
                continue;
            TraceLink(L"Link: broken reply frame\n");
            outcome.result = ExchangeResult::BadReply;
            return outcome;
        }
        switch (filter(frame.parse.packet)) {
        case ReplyMatch::Unrelated:
            continue;
        case ReplyMatch::Malformed:
            TraceLink(L"Link: malformed reply type %02X\n", frame.parse.packet.type);
            outcome.result = ExchangeResult::BadReply;
            return outcome;
        case ReplyMatch::Answers:
            outcome.result = ExchangeResult::Ok;
            outcome.reply = std::move(frame.parse.packet);
            return outcome;
        }
    }
    TraceLink(L"Link: no reply to type %02X\n", packet.size() > 8 ? packet[8] : 0);
    outcome.result = ExchangeResult::NoReply;
    return outcome;
}
