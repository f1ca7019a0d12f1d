#include "core/link/MidiOutputPort.h"

CMidiOutputPort::~CMidiOutputPort()
{
    Close();
}

bool CMidiOutputPort::Open(UINT outId)
{
    Close();
    std::lock_guard lock(m_mutex);
    HMIDIOUT handle = nullptr;
    if (midiOutOpen(&handle, outId, reinterpret_cast<DWORD_PTR>(&CMidiOutputPort::Callback),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR)
        return false;
    m_hOut = handle;
    return true;
}

void CMidiOutputPort::Close()
{
    std::lock_guard lock(m_mutex);
    if (m_hOut) {
        while (midiOutClose(m_hOut) == MIDIERR_STILLPLAYING)
            Sleep(1);
        m_hOut = nullptr;
    }
}

bool CMidiOutputPort::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_hOut != nullptr;
}

HMIDIOUT CMidiOutputPort::GetHandle() const
{
    std::lock_guard lock(m_mutex);
    return m_hOut;
}

void CALLBACK CMidiOutputPort::Callback(HMIDIOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    auto* port = reinterpret_cast<CMidiOutputPort*>(instance);
    if (!port || message != MOM_DONE)
        return;
    // Taking the lock orders the wake after the sender's check of the flag.
    AcquireSRWLockExclusive(&port->m_doneLock);
    ReleaseSRWLockExclusive(&port->m_doneLock);
    WakeAllConditionVariable(&port->m_done);
}

bool CMidiOutputPort::IsDone(const MIDIHDR& header) const
{
    // The driver sets the flag, possibly on another thread.
    return (InterlockedOr(reinterpret_cast<volatile LONG*>(const_cast<DWORD*>(&header.dwFlags)), 0) & MHDR_DONE) != 0;
}

bool CMidiOutputPort::SendSysEx(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout)
{
    std::lock_guard lock(m_mutex);
    if (!m_hOut || !data || size == 0 || size > 0xFFFFFFFFu)
        return false;
    MIDIHDR header = {};
    // winmm takes a non-const pointer but does not write into the data.
    header.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(data));
    header.dwBufferLength = static_cast<DWORD>(size);
    header.dwBytesRecorded = static_cast<DWORD>(size);
    if (midiOutPrepareHeader(m_hOut, &header, sizeof header) != MMSYSERR_NOERROR)
        return false;
    bool sent = midiOutLongMsg(m_hOut, &header, sizeof header) == MMSYSERR_NOERROR;
    if (sent && !IsDone(header)) {
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
        AcquireSRWLockExclusive(&m_doneLock);
        while (!IsDone(header)) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) {
                sent = false;
                break;
            }
            SleepConditionVariableSRW(&m_done, &m_doneLock, static_cast<DWORD>(deadline - now), 0);
        }
        ReleaseSRWLockExclusive(&m_doneLock);
        if (!sent)
            midiOutReset(m_hOut);  // the driver did not take the message: take the buffer back
    }
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (midiOutUnprepareHeader(m_hOut, &header, sizeof header) != MIDIERR_STILLPLAYING)
            break;
        Sleep(1);
    }
    return sent;
}
