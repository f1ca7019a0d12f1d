#include "core/link/PortOperations.h"

#include <algorithm>

#include "core/link/LinkMessages.h"
#include "core/portable/protocol/FailureMessages.h"
#include "core/portable/protocol/Messages.h"

namespace protocol = keyloft::protocol;
using protocol::Direction;
using protocol::FailureCause;
using protocol::PacketType;
using protocol::Status;

namespace {

std::chrono::milliseconds Ms(unsigned value)
{
    return std::chrono::milliseconds(value);
}

// Accepts the acknowledgement of one request type.
CPacketExchange::ReplyFilter AckOf(PacketType request)
{
    return [request](const protocol::Packet& packet) {
        if (packet.Type() != PacketType::Ack)
            return ReplyMatch::Unrelated;
        const std::optional<protocol::Ack> ack = protocol::ReadAck(packet);
        if (!ack)
            return ReplyMatch::Malformed;
        return ack->acknowledged == static_cast<std::uint8_t>(request) ? ReplyMatch::Answers
                                                                       : ReplyMatch::Unrelated;
    };
}

CPacketExchange::ReplyFilter QueryReplyOf(std::uint8_t code)
{
    return [code](const protocol::Packet& packet) {
        if (packet.Type() != PacketType::QueryReply)
            return ReplyMatch::Unrelated;
        const std::optional<protocol::QueryReply> reply = protocol::ReadQueryReply(packet);
        if (!reply)
            return ReplyMatch::Malformed;
        return reply->code == code ? ReplyMatch::Answers : ReplyMatch::Unrelated;
    };
}

// The status of an acknowledgement that the filter accepted.
Status AckStatus(const ExchangeOutcome& outcome)
{
    return protocol::ReadAck(outcome.reply)->status;
}

// What a failed step of a transfer shows.
unsigned MessageFor(Direction direction, std::uint8_t kind, const ExchangeOutcome& outcome,
                    Status status = Status::Ok)
{
    switch (outcome.result) {
    case ExchangeResult::NoReply:
        return protocol::FailureMessageId(direction, kind, FailureCause::NoReply);
    case ExchangeResult::BadReply:
        return protocol::FailureMessageId(direction, kind, FailureCause::BadReply);
    case ExchangeResult::Ok:
        break;
    }
    return protocol::FailureMessageId(direction, kind, FailureCause::Refused, status);
}

TransferOutcome Failed(unsigned messageId)
{
    return TransferOutcome{kTransferFailed, messageId};
}

// A failed exchange of a transfer, with what it shows.
TransferOutcome FailedStep(Direction direction, std::uint8_t kind, const ExchangeOutcome& outcome,
                           Status status = Status::Ok)
{
    TransferOutcome failed = Failed(MessageFor(direction, kind, outcome, status));
    failed.noReply = outcome.result == ExchangeResult::NoReply;
    return failed;
}

// Takes a pending cancel request (clearing it).
bool TakeCancel(std::atomic<bool>& cancel)
{
    return cancel.exchange(false);
}

unsigned PacketCount(std::size_t bytes)
{
    return static_cast<unsigned>((bytes + protocol::kMaxChunk - 1) / protocol::kMaxChunk);
}

}  // namespace

CPortOperations::ProbeAnswer CPortOperations::ProbeInstrument()
{
    const ExchangeOutcome outcome = m_exchange.Exchange(
        protocol::MakeHello(protocol::HelloCommand::Probe), Ms(m_timeouts.probeMs),
        [](const protocol::Packet& packet) {
            if (packet.Type() != PacketType::Hello)
                return ReplyMatch::Unrelated;
            return protocol::ReadHelloReply(packet) ? ReplyMatch::Answers : ReplyMatch::Malformed;
        });
    if (!outcome.Ok())
        return ProbeAnswer::None;
    switch (*protocol::ReadHelloReply(outcome.reply)) {
    case Status::Ok: return ProbeAnswer::Ready;
    case Status::Busy: return ProbeAnswer::Busy;
    default: return ProbeAnswer::None;
    }
}

void CPortOperations::SayGoodbye()
{
    // The instrument may answer; the answer changes nothing, so it is awaited
    // only to give the instrument its time, never required.
    m_exchange.Exchange(protocol::MakeHello(protocol::HelloCommand::Close), Ms(m_timeouts.closeMs),
                        [](const protocol::Packet& packet) {
                            return packet.Type() == PacketType::Hello ? ReplyMatch::Answers
                                                                      : ReplyMatch::Unrelated;
                        });
}

std::optional<std::string> CPortOperations::QueryIdentity()
{
    const ExchangeOutcome outcome = m_exchange.Exchange(
        protocol::MakeIdentityQuery(), Ms(m_timeouts.queryMs), QueryReplyOf(protocol::kQueryIdentity));
    if (!outcome.Ok())
        return std::nullopt;
    const protocol::QueryReply reply = *protocol::ReadQueryReply(outcome.reply);
    if (reply.status != Status::Ok)
        return std::nullopt;
    return protocol::ReadIdentityResult(reply);
}

std::optional<protocol::Bytes> CPortOperations::QueryTable(int queryNumber)
{
    const std::optional<std::uint8_t> code = protocol::QueryCodeForNumber(queryNumber);
    if (!code || (*code & 0x0F) != protocol::kQueryOpTable)
        return std::nullopt;
    const std::uint8_t kind = static_cast<std::uint8_t>(*code >> 4);
    const ExchangeOutcome outcome =
        m_exchange.Exchange(protocol::MakeTableQuery(kind), Ms(m_timeouts.queryMs), QueryReplyOf(*code));
    if (!outcome.Ok())
        return std::nullopt;
    const protocol::QueryReply reply = *protocol::ReadQueryReply(outcome.reply);
    if (reply.status != Status::Ok)
        return std::nullopt;
    return protocol::ReadTableResult(reply, kind);
}

std::optional<std::uint32_t> CPortOperations::QuerySize(int queryNumber, std::uint16_t slot)
{
    const std::optional<std::uint8_t> code = protocol::QueryCodeForNumber(queryNumber);
    if (!code || (*code & 0x0F) != protocol::kQueryOpSize)
        return std::nullopt;
    const std::uint8_t kind = static_cast<std::uint8_t>(*code >> 4);
    const ExchangeOutcome outcome = m_exchange.Exchange(protocol::MakeSizeQuery(kind, slot),
                                                        Ms(m_timeouts.queryMs), QueryReplyOf(*code));
    if (!outcome.Ok())
        return std::nullopt;
    const protocol::QueryReply reply = *protocol::ReadQueryReply(outcome.reply);
    if (reply.status != Status::Ok)
        return std::nullopt;
    return protocol::ReadSizeResult(reply, kind, slot);
}

bool CPortOperations::DeleteItem(std::uint8_t kind, std::uint16_t slot)
{
    const ExchangeOutcome outcome = m_exchange.Exchange(protocol::MakeDelete(kind, slot),
                                                        Ms(m_timeouts.deleteMs), AckOf(PacketType::Delete));
    return outcome.Ok() && AckStatus(outcome) == Status::Ok;
}

bool CPortOperations::ClearState(unsigned timeoutMs)
{
    const ExchangeOutcome outcome =
        m_exchange.Exchange(protocol::MakeClearState(), Ms(timeoutMs), AckOf(PacketType::ClearState));
    return outcome.Ok() && AckStatus(outcome) == Status::Ok;
}

TransferOutcome CPortOperations::Download(std::uint8_t kind, std::uint16_t slot, protocol::ByteView data,
                                          std::atomic<bool>& cancel, HWND progressWindow)
{
    const Direction direction = Direction::Download;
    if (data.size() > 0xFFFFFFFFu)
        return Failed(protocol::FailureMessageId(direction, kind, FailureCause::Refused, Status::TooLarge));
    CTransferProgress progress(progressWindow, PacketCount(data.size()));

    // The reset: the instrument drops any half-received item.
    ExchangeOutcome outcome = m_exchange.Exchange(protocol::MakeClearState(), Ms(m_timeouts.resetAckMs),
                                                  AckOf(PacketType::ClearState));
    if (!outcome.Ok() || AckStatus(outcome) != Status::Ok)
        return FailedStep(direction, kind, outcome, outcome.Ok() ? AckStatus(outcome) : Status::Ok);

    for (std::size_t offset = 0; offset < data.size(); offset += protocol::kMaxChunk) {
        if (TakeCancel(cancel))
            return TransferOutcome{kTransferCancelled, 0};
        const protocol::ByteView chunk = data.subspan(offset, std::min(protocol::kMaxChunk, data.size() - offset));
        outcome = m_exchange.Exchange(protocol::MakeData(kind, slot, chunk), Ms(m_timeouts.dataAckMs),
                                      AckOf(PacketType::Data));
        if (!outcome.Ok() || AckStatus(outcome) != Status::Ok) {
            TraceLink(L"Download: data packet at %u failed\n", static_cast<unsigned>(offset));
            return FailedStep(direction, kind, outcome, outcome.Ok() ? AckStatus(outcome) : Status::Ok);
        }
        progress.PacketDone();
    }

    if (TakeCancel(cancel))
        return TransferOutcome{kTransferCancelled, 0};
    outcome = m_exchange.Exchange(protocol::MakeEnd(kind, slot, static_cast<std::uint32_t>(data.size())),
                                  Ms(m_timeouts.endAckMs), AckOf(PacketType::End));
    if (!outcome.Ok() || AckStatus(outcome) != Status::Ok)
        return FailedStep(direction, kind, outcome, outcome.Ok() ? AckStatus(outcome) : Status::Ok);
    return TransferOutcome{kTransferDone, 0};
}

TransferOutcome CPortOperations::Upload(std::uint8_t kind, std::uint16_t slot, std::uint32_t expectedMax,
                                        const UploadSink& sink, std::atomic<bool>& cancel, HWND progressWindow)
{
    const Direction direction = Direction::Upload;
    ExchangeOutcome outcome = m_exchange.Exchange(
        protocol::MakeUploadRequest(kind, slot), Ms(m_timeouts.uploadMs), [](const protocol::Packet& packet) {
            if (packet.Type() != PacketType::UploadInfo)
                return ReplyMatch::Unrelated;
            return protocol::ReadUploadInfo(packet) ? ReplyMatch::Answers : ReplyMatch::Malformed;
        });
    if (!outcome.Ok())
        return FailedStep(direction, kind, outcome);
    const protocol::UploadInfo info = *protocol::ReadUploadInfo(outcome.reply);
    if (info.status != Status::Ok)
        return FailedStep(direction, kind, outcome, info.status);
    TraceLink(L"Upload: item of %u bytes, at most %u expected\n", info.total, expectedMax);
    if (info.total > expectedMax) {
        // Refused before a byte is read: the caller made room for expectedMax.
        return Failed(protocol::FailureMessageId(direction, kind, FailureCause::LargerThanExpected));
    }

    // The item is kept here until it is complete: the target gets it in one
    // write, and nothing at all when the transfer fails.
    protocol::Bytes item;
    item.reserve(info.total);
    CTransferProgress progress(progressWindow, PacketCount(info.total));
    for (std::uint32_t offset = 0; offset < info.total;) {
        if (TakeCancel(cancel))
            return TransferOutcome{kTransferCancelled, 0};
        const std::uint32_t wanted =
            std::min(static_cast<std::uint32_t>(protocol::kMaxChunk), info.total - offset);
        outcome = m_exchange.Exchange(
            protocol::MakeUploadRead(kind, slot, offset), Ms(m_timeouts.uploadMs),
            [offset](const protocol::Packet& packet) {
                if (packet.Type() != PacketType::UploadData)
                    return ReplyMatch::Unrelated;
                const std::optional<protocol::UploadData> piece = protocol::ReadUploadData(packet);
                if (!piece)
                    return ReplyMatch::Malformed;
                return piece->offset == offset ? ReplyMatch::Answers : ReplyMatch::Unrelated;
            });
        if (!outcome.Ok())
            return FailedStep(direction, kind, outcome);
        const protocol::UploadData piece = *protocol::ReadUploadData(outcome.reply);
        if (piece.status != Status::Ok)
            return FailedStep(direction, kind, outcome, piece.status);
        if (piece.data.size() != wanted) {
            TraceLink(L"Upload: %u bytes at %u, %u expected\n", static_cast<unsigned>(piece.data.size()),
                      offset, wanted);
            return Failed(protocol::FailureMessageId(direction, kind, FailureCause::BadReply));
        }
        item.insert(item.end(), piece.data.begin(), piece.data.end());
        offset += wanted;
        progress.PacketDone();
    }

    if (TakeCancel(cancel))
        return TransferOutcome{kTransferCancelled, 0};
    outcome = m_exchange.Exchange(protocol::MakeUploadEnd(kind, slot), Ms(m_timeouts.uploadMs),
                                  AckOf(PacketType::UploadEnd));
    if (!outcome.Ok() || AckStatus(outcome) != Status::Ok)
        return FailedStep(direction, kind, outcome, outcome.Ok() ? AckStatus(outcome) : Status::Ok);
    if (!sink(item))
        return Failed(protocol::FailureMessageId(direction, kind, FailureCause::BadReply));
    return TransferOutcome{kTransferDone, 0};
}
