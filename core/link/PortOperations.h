// The instrument protocol's operations over one MIDI link: each one is a
// sequence of exchanges and knows which reply answers which request. Nothing
// here deals with the port's flags or mutex, or shows anything: failures come
// back with the string id the port shows for them.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/link/PacketExchange.h"
#include "core/link/TransferProgress.h"
#include "core/portable/protocol/Bytes.h"
#include "core/portable/protocol/Constants.h"

// Transfer results as the callers know them.
enum TransferResult : int { kTransferFailed = 0, kTransferDone = 1, kTransferCancelled = 2 };

struct TransferOutcome {
    int result = kTransferFailed;
    unsigned messageId = 0;  // the string to show; 0 when there is nothing to show
    bool noReply = false;    // failed for want of any answer: the instrument may be gone
};

// Receives the whole item of an upload once it arrived intact; false when it
// could not be kept.
using UploadSink = std::function<bool(keyloft::protocol::ByteView)>;

class CPortOperations {
public:
    CPortOperations(CMidiLink& link, const keyloft::protocol::Timeouts& timeouts)
        : m_exchange(link), m_timeouts(timeouts)
    {
    }

    enum class ProbeAnswer { Ready, Busy, None };
    // Hello with the probe command: ready, busy (the instrument is there but
    // cannot talk now), or none (no answer, or a bad one).
    ProbeAnswer ProbeInstrument();
    bool Probe() { return ProbeInstrument() == ProbeAnswer::Ready; }
    // Says goodbye (hello with the close command); the reply is not required.
    void SayGoodbye();
    std::optional<std::string> QueryIdentity();
    // One byte per slot (0 free, 1 used) for the query numbers 3, 5, 7, 9.
    std::optional<keyloft::protocol::Bytes> QueryTable(int queryNumber);
    // The size of a slot for the query numbers 4 (song) and 6 (style).
    std::optional<std::uint32_t> QuerySize(int queryNumber, std::uint16_t slot);
    bool DeleteItem(std::uint8_t kind, std::uint16_t slot);
    bool ClearState(unsigned timeoutMs);

    // The cancel request is checked before every packet: when set it is
    // cleared and the transfer ends cancelled, sending nothing more.
    TransferOutcome Download(std::uint8_t kind, std::uint16_t slot, keyloft::protocol::ByteView data,
                             std::atomic<bool>& cancel, HWND progressWindow);
    TransferOutcome Upload(std::uint8_t kind, std::uint16_t slot, std::uint32_t expectedMax,
                           const UploadSink& sink, std::atomic<bool>& cancel, HWND progressWindow);

private:
    CPacketExchange m_exchange;
    keyloft::protocol::Timeouts m_timeouts;
};
