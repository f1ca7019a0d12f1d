#include "tools/vmidi/InputPort.h"

namespace vmidi {

namespace {

// Data bytes that follow a status byte.
int DataBytesOf(std::uint8_t status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 1;
    case 0xF0:
        switch (status) {
        case 0xF1:
        case 0xF3: return 1;
        case 0xF2: return 2;
        default: return 0;
        }
    default: return 2;
    }
}

} // namespace

DWORD InputPort::Open(const MIDIOPENDESC* desc, DWORD_PTR flags, Notifications& out)
{
    if (open_)
        return MMSYSERR_ALLOCATED;
    open_ = true;
    started_ = false;
    client_ = Client::FromOpen(desc, flags);
    buffers_.clear();
    inSysEx_ = dropping_ = false;
    current_ = nullptr;
    running_ = 0;
    have_ = 0;
    out.push_back({client_, MIM_OPEN, 0, 0});
    return MMSYSERR_NOERROR;
}

DWORD InputPort::Close(Notifications& out)
{
    if (!open_)
        return MMSYSERR_INVALHANDLE;
    // Closing with buffers still queued is the client's mistake and is reported,
    // but Wine's winmm frees the handle whatever the driver answers, so the port
    // closes anyway (forgetting the buffers) instead of staying open for good.
    const DWORD result = buffers_.empty() ? MMSYSERR_NOERROR : MIDIERR_STILLPLAYING;
    buffers_.clear();
    current_ = nullptr;
    inSysEx_ = dropping_ = false;
    open_ = false;
    started_ = false;
    out.push_back({client_, MIM_CLOSE, 0, 0});
    return result;
}

DWORD InputPort::AddBuffer(MIDIHDR* header, DWORD_PTR size)
{
    if (!open_)
        return MMSYSERR_INVALHANDLE;
    if (!header || size < offsetof(MIDIHDR, dwOffset) || !header->lpData || header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags | MHDR_INQUEUE) & ~static_cast<DWORD>(MHDR_DONE);
    header->dwBytesRecorded = 0;
    buffers_.push_back(header);
    return MMSYSERR_NOERROR;
}

DWORD InputPort::Start()
{
    if (!open_)
        return MMSYSERR_INVALHANDLE;
    if (!started_) {
        started_ = true;
        startedAt_ = GetTickCount64();
    }
    return MMSYSERR_NOERROR;
}

DWORD InputPort::Stop(Notifications& out)
{
    if (!open_)
        return MMSYSERR_INVALHANDLE;
    // A buffer holding part of a message comes back with what it has; empty
    // buffers stay queued.
    if (current_)
        ReturnBuffer(MIM_LONGDATA, out);
    inSysEx_ = dropping_ = false;
    started_ = false;
    return MMSYSERR_NOERROR;
}

DWORD InputPort::Reset(Notifications& out)
{
    if (!open_)
        return MMSYSERR_INVALHANDLE;
    Stop(out);
    while (!buffers_.empty()) {
        current_ = buffers_.front();
        ReturnBuffer(MIM_LONGDATA, out);
    }
    running_ = 0;
    have_ = 0;
    return MMSYSERR_NOERROR;
}

DWORD InputPort::Timestamp() const
{
    return static_cast<DWORD>(GetTickCount64() - startedAt_);
}

void InputPort::ReturnBuffer(UINT message, Notifications& out)
{
    MIDIHDR* header = current_;
    current_ = nullptr;
    if (!buffers_.empty() && buffers_.front() == header)
        buffers_.pop_front();
    header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(MHDR_INQUEUE)) | MHDR_DONE;
    out.push_back({client_, message, reinterpret_cast<DWORD_PTR>(header), Timestamp()});
}

void InputPort::ShortMessage(DWORD packed, Notifications& out)
{
    out.push_back({client_, MIM_DATA, packed, Timestamp()});
}

void InputPort::Receive(const std::uint8_t* bytes, std::size_t count, Notifications& out)
{
    if (!open_ || !started_)
        return; // nothing is recorded before midiInStart
    for (std::size_t i = 0; i < count; ++i)
        Byte(bytes[i], out);
}

void InputPort::SysExByte(std::uint8_t byte, Notifications& out)
{
    if (dropping_)
        return;
    if (!current_) {
        if (buffers_.empty()) {
            dropping_ = true; // the rest of this message has nowhere to go
            return;
        }
        current_ = buffers_.front();
        current_->dwBytesRecorded = 0;
    }
    current_->lpData[current_->dwBytesRecorded++] = static_cast<char>(byte);
    if (byte == 0xF7 || current_->dwBytesRecorded == current_->dwBufferLength)
        ReturnBuffer(MIM_LONGDATA, out);
}

void InputPort::Byte(std::uint8_t byte, Notifications& out)
{
    if (byte >= 0xF8) {
        ShortMessage(byte, out);
        return;
    }
    if (inSysEx_) {
        if (byte < 0x80 || byte == 0xF7) {
            SysExByte(byte, out);
            if (byte == 0xF7)
                inSysEx_ = dropping_ = false;
            return;
        }
        // Cut off by a status byte: what was collected comes back as an error.
        if (current_)
            ReturnBuffer(MIM_LONGERROR, out);
        inSysEx_ = dropping_ = false;
    }
    if (byte == 0xF0) {
        inSysEx_ = true;
        dropping_ = false;
        running_ = 0;
        SysExByte(byte, out);
        return;
    }
    if (byte >= 0x80) {
        have_ = 0;
        if (byte >= 0xF0) {
            running_ = 0; // system common messages end running status
            if (DataBytesOf(byte) == 0) {
                if (byte != 0xF7)
                    ShortMessage(byte, out);
                return;
            }
        }
        running_ = byte;
        return;
    }
    if (running_ == 0)
        return; // a data byte without a status
    data_[have_++] = byte;
    if (have_ < DataBytesOf(running_))
        return;
    DWORD packed = running_ | (static_cast<DWORD>(data_[0]) << 8);
    if (have_ == 2)
        packed |= static_cast<DWORD>(data_[1]) << 16;
    have_ = 0;
    ShortMessage(packed, out);
    if (running_ >= 0xF0)
        running_ = 0;
}

} // namespace vmidi
