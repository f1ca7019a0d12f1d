#include "core/link/USBPort.h"

#include <afxcoll.h>
#include <afxwin.h>

#include <algorithm>

#include "core/link/LinkMessages.h"
#include "core/link/PortOperations.h"
#include "core/portable/protocol/FailureMessages.h"

namespace protocol = keyloft::protocol;

namespace {

// The longest one exchange of any operation may take to fail.
unsigned LongestExchangeMs(const protocol::Timeouts& timeouts)
{
    return std::max({timeouts.resetAckMs, timeouts.dataAckMs, timeouts.endAckMs, timeouts.clearStateMs,
                     timeouts.probeMs, timeouts.closeMs, timeouts.queryMs, timeouts.deleteMs,
                     timeouts.uploadMs});
}

// The program's slot numbers travel as u16; -1 is the working item (FFFF).
std::optional<std::uint16_t> WireSlot(int slot)
{
    if (slot == -1)
        return protocol::kWorkingSlot;
    if (slot < 0 || slot >= 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(slot);
}

}  // namespace

// Holds the port's busy flag for one operation, when it was free.
class CUSBPort::BusyScope {
public:
    explicit BusyScope(std::atomic<bool>& busy) : m_busy(busy)
    {
        bool expected = false;
        m_held = m_busy.compare_exchange_strong(expected, true);
    }
    ~BusyScope()
    {
        if (m_held)
            m_busy.store(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    bool Held() const { return m_held; }

private:
    std::atomic<bool>& m_busy;
    bool m_held = false;
};

// Holds the named mutex that serialises the exchanges with the instrument.
class CUSBPort::ExchangeLock {
public:
    ExchangeLock(HANDLE mutex, DWORD timeoutMs) : m_mutex(mutex)
    {
        const DWORD wait = m_mutex ? WaitForSingleObject(m_mutex, timeoutMs) : WAIT_FAILED;
        // An abandoned mutex is ours all the same: its last owner ended.
        m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~ExchangeLock()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
    }
    ExchangeLock(const ExchangeLock&) = delete;
    ExchangeLock& operator=(const ExchangeLock&) = delete;

    bool Held() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held = false;
};

CUSBPort::CUSBPort() : m_hExchangeMutex(CreateMutexW(nullptr, FALSE, L"RX470-USB")) {}

const CUsbIF& CUSBPort::GetUsbInterfaces()
{
    if (!m_usbInterfacesListed) {
        m_usbInterfacesListed = true;
        m_usbInterfaces.Enumerate();
        TraceLink(L"Port: %u USB interface(s) of the instrument present\n",
                  static_cast<unsigned>(m_usbInterfaces.GetEntries().size()));
    }
    return m_usbInterfaces;
}

CUSBPort::~CUSBPort()
{
    m_comm.Close();
    m_midi.Close();
}

void CUSBPort::SetTimeouts(const protocol::Timeouts& timeouts)
{
    std::lock_guard lock(m_timeoutsMutex);
    m_timeouts = timeouts;
}

protocol::Timeouts CUSBPort::GetTimeouts() const
{
    std::lock_guard lock(m_timeoutsMutex);
    return m_timeouts;
}

HWND CUSBPort::ProgressWindow() const
{
    if (HWND window = m_progressWindow.load())
        return window;
    CWnd* mainWindow = AfxGetMainWnd();
    return mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
}

bool CUSBPort::CanTalk() const
{
    return m_mode.load() != kModeClosed && m_midi.IsOutOpen() && m_midi.IsInOpen();
}

void CUSBPort::ReportFailure(unsigned messageId) const
{
    if (messageId != 0)
        ShowLinkMessage(messageId);
}

void CUSBPort::ReportTransferFailure(const TransferOutcome& outcome, const protocol::Timeouts& timeouts)
{
    if (outcome.result != kTransferFailed)
        return;
    // Two probes: a slow instrument may still be sending the late answer. A
    // "busy" answer is an answer.
    CPortOperations operations(m_midi, timeouts);
    const auto silent = [&operations] { return operations.ProbeInstrument() == CPortOperations::ProbeAnswer::None; };
    if (outcome.noReply && silent() && silent()) {
        TraceLink(L"Port: no answer to a probe after the time-out: instrument lost\n");
        m_instrumentLost.store(true);
        return;
    }
    ReportFailure(outcome.messageId);
}

void CUSBPort::WaitForKeepAlive(const protocol::Timeouts& timeouts) const
{
    for (unsigned poll = 0; poll < timeouts.keepAliveWaitPolls && s_keepAliveBusy.load(); ++poll)
        Sleep(timeouts.keepAliveWaitMs);
}

bool CUSBPort::IsBusyAfterKeepAlive() const
{
    WaitForKeepAlive(GetTimeouts());
    return IsBusy();
}

template <class Command>
bool CUSBPort::RunCommand(Command&& command)
{
    const protocol::Timeouts timeouts = GetTimeouts();
    WaitForKeepAlive(timeouts);
    BusyScope busy(m_busy);
    if (!busy.Held() || !CanTalk())
        return false;
    ExchangeLock lock(m_hExchangeMutex.Get(), LongestExchangeMs(timeouts));
    if (!lock.Held())
        return false;
    CPortOperations operations(m_midi, timeouts);
    command(operations);
    return true;
}

BOOL CUSBPort::Probe()
{
    auto answer = CPortOperations::ProbeAnswer::None;
    m_lastProbeBusy.store(false);
    if (!RunCommand([&](CPortOperations& operations) { answer = operations.ProbeInstrument(); }))
        return FALSE;
    const bool answered = answer == CPortOperations::ProbeAnswer::Ready;
    m_lastProbeBusy.store(answer == CPortOperations::ProbeAnswer::Busy);
    if (answered)
        m_instrumentLost.store(false);
    TraceLink(L"Port: probe %ls\n", answered ? L"answered" : m_lastProbeBusy.load() ? L"answered busy" : L"failed");
    return answered ? TRUE : FALSE;
}

BOOL CUSBPort::ConfirmPresence()
{
    auto answer = CPortOperations::ProbeAnswer::None;
    // A port that cannot be used right now tells nothing about the instrument.
    if (!RunCommand([&](CPortOperations& operations) { answer = operations.ProbeInstrument(); }))
        return TRUE;
    if (answer != CPortOperations::ProbeAnswer::None)
        return TRUE;
    TraceLink(L"Port: no answer to a probe after a failed query: instrument lost\n");
    m_instrumentLost.store(true);
    return FALSE;
}

CString CUSBPort::QueryIdentity()
{
    std::optional<std::string> identity;
    RunCommand([&](CPortOperations& operations) { identity = operations.QueryIdentity(); });
    return identity ? CString(identity->c_str()) : CString();
}

BOOL CUSBPort::QueryList(int queryNumber, CByteArray& slots)
{
    slots.RemoveAll();
    std::optional<protocol::Bytes> table;
    RunCommand([&](CPortOperations& operations) { table = operations.QueryTable(queryNumber); });
    if (!table)
        return FALSE;
    slots.SetSize(static_cast<INT_PTR>(table->size()));
    for (std::size_t index = 0; index < table->size(); ++index)
        slots[static_cast<INT_PTR>(index)] = (*table)[index];
    return TRUE;
}

BOOL CUSBPort::QueryItemSize(int queryNumber, int slot, DWORD& size)
{
    size = 0;
    const std::optional<std::uint16_t> wireSlot = WireSlot(slot);
    if (!wireSlot)
        return FALSE;
    std::optional<std::uint32_t> answer;
    RunCommand([&](CPortOperations& operations) { answer = operations.QuerySize(queryNumber, *wireSlot); });
    if (!answer)
        return FALSE;
    size = *answer;
    return TRUE;
}

int CUSBPort::Download(int kind, int slot, const BYTE* data, DWORD length)
{
    const protocol::Timeouts timeouts = GetTimeouts();
    WaitForKeepAlive(timeouts);
    BusyScope busy(m_busy);
    if (!busy.Held() || !CanTalk()) {
        TraceLink(L"Download: refused (port busy or closed)\n");
        return kTransferFailed;
    }
    if (kind < 0 || !protocol::IsSlotKind(static_cast<std::uint8_t>(kind)) || (!data && length != 0))
        return kTransferFailed;
    m_cancel.store(false);  // a request left from an earlier transfer is stale
    const auto downloadKind = static_cast<std::uint8_t>(kind);
    const std::optional<std::uint16_t> wireSlot = WireSlot(slot);
    if (!wireSlot) {
        // The instrument would refuse it the same way.
        ReportFailure(protocol::FailureMessageId(protocol::Direction::Download, downloadKind,
                                                 protocol::FailureCause::Refused, protocol::Status::BadSlot));
        return kTransferFailed;
    }
    ExchangeLock lock(m_hExchangeMutex.Get(), LongestExchangeMs(timeouts));
    if (!lock.Held()) {
        ReportFailure(protocol::FailureMessageId(protocol::Direction::Download, downloadKind,
                                                 protocol::FailureCause::NoReply));
        return kTransferFailed;
    }
    const protocol::ByteView bytes(data, length);
    const TransferOutcome outcome = CPortOperations(m_midi, timeouts)
                                        .Download(downloadKind, *wireSlot, bytes, m_cancel,
                                                  ProgressWindow());
    TraceLink(L"Download: kind=%d slot=%d size=%lu result=%d\n", kind, slot, static_cast<unsigned long>(length),
              outcome.result);
    ReportTransferFailure(outcome, timeouts);
    return outcome.result;
}

int CUSBPort::Upload(int kind, int slot, DWORD expectedMax, CFile& target)
{
    const protocol::Timeouts timeouts = GetTimeouts();
    WaitForKeepAlive(timeouts);
    BusyScope busy(m_busy);
    if (!busy.Held() || !CanTalk()) {
        TraceLink(L"Upload: refused (port busy or closed)\n");
        return kTransferFailed;
    }
    if (kind < 0 || !protocol::IsUploadKind(static_cast<std::uint8_t>(kind)))
        return kTransferFailed;
    m_cancel.store(false);  // a request left from an earlier transfer is stale
    const std::optional<std::uint16_t> wireSlot = WireSlot(slot);
    ExchangeLock lock(m_hExchangeMutex.Get(), LongestExchangeMs(timeouts));
    if (!wireSlot || !lock.Held()) {
        ReportFailure(protocol::message_id::kUploadFailed);
        return kTransferFailed;
    }
    const UploadSink writeToFile = [&target](protocol::ByteView piece) {
        try {
            target.Write(piece.data(), static_cast<UINT>(piece.size()));
            return true;
        } catch (CException* error) {
            error->Delete();
            return false;
        }
    };
    const TransferOutcome outcome = CPortOperations(m_midi, timeouts)
                                        .Upload(static_cast<std::uint8_t>(kind), *wireSlot, expectedMax,
                                                writeToFile, m_cancel, ProgressWindow());
    TraceLink(L"Upload: kind=%d slot=%d result=%d\n", kind, slot, outcome.result);
    ReportTransferFailure(outcome, timeouts);
    return outcome.result;
}

BOOL CUSBPort::ClearState()
{
    if (!CanTalk())
        return FALSE;
    BusyScope busy(m_busy);
    if (!busy.Held())
        return TRUE;  // another operation is talking to the instrument right now
    const protocol::Timeouts timeouts = GetTimeouts();
    ExchangeLock lock(m_hExchangeMutex.Get(), LongestExchangeMs(timeouts));
    if (!lock.Held())
        return FALSE;
    return CPortOperations(m_midi, timeouts).ClearState(timeouts.clearStateMs) ? TRUE : FALSE;
}

BOOL CUSBPort::DeleteItem(std::uint8_t kind, int slot)
{
    const std::optional<std::uint16_t> wireSlot = WireSlot(slot);
    if (!wireSlot)
        return FALSE;
    bool deleted = false;
    if (!RunCommand([&](CPortOperations& operations) { deleted = operations.DeleteItem(kind, *wireSlot); }))
        return FALSE;
    TraceLink(L"Delete: kind=%u slot=%d %ls\n", kind, slot, deleted ? L"done" : L"failed");
    return deleted ? TRUE : FALSE;
}

BOOL CUSBPort::DeleteSong(int slot)
{
    return DeleteItem(0, slot);
}

BOOL CUSBPort::DeleteStyle(int slot)
{
    return DeleteItem(1, slot);
}

BOOL CUSBPort::DeleteVoice(int slot)
{
    return DeleteItem(2, slot);
}

BOOL CUSBPort::DeleteMemory(int slot)
{
    return DeleteItem(3, slot);
}

void CUSBPort::CloseDevice()
{
    const protocol::Timeouts timeouts = GetTimeouts();
    // A transfer still running stops before its next packet; wait for it to
    // end (at most one exchange) before its link goes away.
    if (m_busy.load()) {
        m_cancel.store(true);
        const ULONGLONG deadline = GetTickCount64() + LongestExchangeMs(timeouts) + 1000;
        while (m_busy.load() && GetTickCount64() < deadline)
            Sleep(10);
    }
    {
        BusyScope busy(m_busy);
        if (busy.Held() && CanTalk()) {
            ExchangeLock lock(m_hExchangeMutex.Get(), LongestExchangeMs(timeouts));
            if (lock.Held())
                CPortOperations(m_midi, timeouts).SayGoodbye();
        }
        m_comm.Close();
        m_midi.CloseOut();
        m_midi.CloseIn();
    }
    TraceLink(L"Port: device closed\n");
}

void CUSBPort::Disconnect()
{
    CloseDevice();
}
