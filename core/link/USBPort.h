// The one device port: every command and transfer to the connected instrument
// goes through it. All traffic runs over the MIDI link (the USB transport is
// kept and closed, never opened). Each operation holds the port's busy flag for
// its duration and the named mutex "RX470-USB" around its exchanges, so that a
// page, a worker thread and the keep-alive never talk over each other.
#pragma once

#include <afx.h>

#include <atomic>
#include <cstdint>
#include <mutex>

#include "core/link/MidiLink.h"
#include "core/link/UsbIF.h"
#include "core/link/cnComm.h"
#include "core/portable/protocol/Constants.h"

class CByteArray;
struct TransferOutcome;

class CUSBPort {
public:
    // The mode word.
    enum : LONG {
        kModeUsb = 0,     // never selected
        kModeMidi = 1,    // set by the view after the MIDI link opened
        kModeClosed = 2,  // from construction until the first connection
    };

    // Process-wide state shared with the view's keep-alive thread. The
    // keep-alive sets its busy flag around its clear-state exchange (a download
    // waits for it); the connection code sets and clears the connected flag.
    static inline std::atomic<bool> s_keepAliveBusy{false};
    static inline std::atomic<bool> s_connected{false};

    CUSBPort();
    ~CUSBPort();
    CUSBPort(const CUSBPort&) = delete;
    CUSBPort& operator=(const CUSBPort&) = delete;

    LONG GetMode() const { return m_mode.load(); }
    void SetMode(LONG mode) { m_mode.store(mode); }
    // Set while any port operation runs, the keep-alive's short exchange too.
    bool IsBusy() const { return m_busy.load(); }
    // What a page asks before a new job or command, which it refuses while
    // another operation holds the port: a keep-alive exchange in progress is
    // waited for first (as every operation waits for it), so that a command
    // given at that moment is not dropped.
    bool IsBusyAfterKeepAlive() const;
    // The main frame's cancel command: the running download or upload sees it
    // before its next packet and ends with result 2.
    void RequestCancel() { m_cancel.store(true); }
    bool IsCancelRequested() const { return m_cancel.load(); }

    cnComm& GetComm() { return m_comm; }
    CMidiLink& GetMidiLink() { return m_midi; }
    // The instrument's USB interfaces present, listed on the first call: the
    // USB path is never selected, so start-up neither lists them nor loads the
    // device set-up library for it.
    const CUsbIF& GetUsbInterfaces();

    // Where progress goes; without one, the program's main window.
    void SetProgressWindow(HWND window) { m_progressWindow.store(window); }
    void SetTimeouts(const keyloft::protocol::Timeouts& timeouts);
    keyloft::protocol::Timeouts GetTimeouts() const;

    BOOL Probe();
    // True when the last probe was answered "busy": the instrument is there.
    bool LastProbeWasBusy() const { return m_lastProbeBusy.load(); }
    // Set when a transfer got no reply and the instrument then did not answer
    // a probe either: it is gone, and the transfer said nothing about it (the
    // loss is reported once, by whoever hands it to the view). Cleared by the
    // next answered probe.
    bool IsInstrumentLost() const { return m_instrumentLost.load(); }
    // After a failed query: a probe tells whether the instrument is still
    // there; when nothing answers it is marked lost. False only then.
    BOOL ConfirmPresence();
    CString QueryIdentity();
    // Query numbers 3, 5, 7, 9: the slot table of songs, styles, voices,
    // memories, one byte per slot (0 free).
    BOOL QueryList(int queryNumber, CByteArray& slots);
    // Query numbers 4 (song) and 6 (style): the size of a slot; 0 on failure.
    BOOL QueryItemSize(int queryNumber, int slot, DWORD& size);
    // Kinds 0 song, 1 style, 2 voice, 3 memory; slot -1 is the working item.
    // Returns 0 failed, 1 done, 2 cancelled; failures are reported here.
    int Download(int kind, int slot, const BYTE* data, DWORD length);
    // Kinds 0-3, 5 (device profile), 6 (voice-name list). An item larger than
    // expectedMax is refused before anything is written to the file.
    int Upload(int kind, int slot, DWORD expectedMax, CFile& target);
    // The keep-alive's exchange; true when the instrument answered, or when the
    // port was in use by another operation (which shows the link is alive).
    BOOL ClearState();
    BOOL DeleteSong(int slot);
    BOOL DeleteStyle(int slot);
    BOOL DeleteVoice(int slot);
    BOOL DeleteMemory(int slot);
    // Says goodbye to the instrument, then closes the USB transport and both
    // MIDI ports.
    void CloseDevice();
    void Disconnect();

private:
    class BusyScope;
    class ExchangeLock;

    BOOL DeleteItem(std::uint8_t kind, int slot);
    HWND ProgressWindow() const;
    bool CanTalk() const;
    // A keep-alive exchange in progress is waited for (a bounded number of polls).
    void WaitForKeepAlive(const keyloft::protocol::Timeouts& timeouts) const;
    // Runs one short command exchange the way every command needs it: after a
    // running keep-alive, with the busy flag and the exchange mutex held.
    // False, without running it, when the port is busy, closed or locked.
    template <class Command>
    bool RunCommand(Command&& command);
    void ReportFailure(unsigned messageId) const;
    // Reports a failed transfer, unless it failed for want of a reply and the
    // instrument does not answer a probe either (then it is marked lost).
    // Runs with the busy flag and the exchange mutex held.
    void ReportTransferFailure(const TransferOutcome& outcome, const keyloft::protocol::Timeouts& timeouts);

    std::atomic<LONG> m_mode{kModeClosed};
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_lastProbeBusy{false};
    std::atomic<bool> m_instrumentLost{false};
    cnComm m_comm;
    CMidiLink m_midi;
    CUsbIF m_usbInterfaces;
    bool m_usbInterfacesListed = false;
    CMutexHandle m_hExchangeMutex;  // "RX470-USB"
    std::atomic<HWND> m_progressWindow{nullptr};
    mutable std::mutex m_timeoutsMutex;
    keyloft::protocol::Timeouts m_timeouts;
};

// Marks the keep-alive's exchange for as long as it lives (the view's
// keep-alive thread holds one around its CUSBPort::ClearState).
class CKeepAliveBusyScope {
public:
    CKeepAliveBusyScope() { CUSBPort::s_keepAliveBusy.store(true); }
    ~CKeepAliveBusyScope() { CUSBPort::s_keepAliveBusy.store(false); }
    CKeepAliveBusyScope(const CKeepAliveBusyScope&) = delete;
    CKeepAliveBusyScope& operator=(const CKeepAliveBusyScope&) = delete;
};
