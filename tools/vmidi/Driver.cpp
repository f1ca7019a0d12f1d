#include "tools/vmidi/Driver.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <cwchar>
#include <filesystem>
#include <string>

namespace vmidi {

namespace kp = keyloft::protocol;
namespace ki = keyloft::instrument;

namespace {

constexpr const wchar_t* kOutputNames[kOutputCount] = {L"RX470 MIDI Out", L"Loop MIDI Out",
                                                       L"Microsoft GS Wavetable Synth"};
constexpr const wchar_t* kInputNames[kInputCount] = {L"RX470 MIDI In", L"Loop MIDI In"};

std::wstring Environment(const wchar_t* name)
{
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
    return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
}

// A Linux path from a shell script names the same folder through drive Z:.
std::wstring WindowsPath(std::wstring path)
{
    if (!path.empty() && path[0] == L'/')
        path.insert(0, L"Z:");
    return path;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::filesystem::path InstrumentFolder()
{
    const std::wstring configured = WindowsPath(Environment(L"KEYLOFT_SIM_DIR"));
    if (!configured.empty())
        return std::filesystem::path(configured);
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    return std::filesystem::path(std::wstring(temp, n)) / L"keyloft-sim";
}

ki::Control ControlFromEnvironment()
{
    ki::Control control = ki::ParseControl(Narrow(Environment(L"KEYLOFT_SIM_FAULT")));
    const std::wstring pace = Environment(L"KEYLOFT_SIM_PACE");
    if (!pace.empty())
        control.paceBytesPerSecond = static_cast<unsigned>(std::wcstoul(pace.c_str(), nullptr, 10));
    return control;
}

template <typename Caps>
void FillName(Caps& caps, const wchar_t* name)
{
    caps.wMid = 0xFFFF; // no registered maker
    caps.wPid = 0xFFFF;
    caps.vDriverVersion = 0x0100;
    lstrcpynW(caps.szPname, name, static_cast<int>(std::size(caps.szPname)));
}

DWORD OutputCaps(UINT device, DWORD_PTR param1, DWORD_PTR size)
{
    if (!param1)
        return MMSYSERR_INVALPARAM;
    MIDIOUTCAPSW caps{};
    FillName(caps, kOutputNames[device]);
    caps.wTechnology = device == kSynthPort ? MOD_SWSYNTH : MOD_MIDIPORT;
    caps.wVoices = device == kSynthPort ? 48 : 0;
    caps.wNotes = device == kSynthPort ? 48 : 0;
    caps.wChannelMask = 0xFFFF;
    caps.dwSupport = 0;
    std::memcpy(reinterpret_cast<void*>(param1), &caps, std::min<std::size_t>(size, sizeof caps));
    return MMSYSERR_NOERROR;
}

DWORD InputCaps(UINT device, DWORD_PTR param1, DWORD_PTR size)
{
    if (!param1)
        return MMSYSERR_INVALPARAM;
    MIDIINCAPSW caps{};
    FillName(caps, kInputNames[device]);
    std::memcpy(reinterpret_cast<void*>(param1), &caps, std::min<std::size_t>(size, sizeof caps));
    return MMSYSERR_NOERROR;
}

DWORD Prepare(DWORD_PTR param1, DWORD_PTR size)
{
    auto* header = reinterpret_cast<MIDIHDR*>(param1);
    if (!header || size < offsetof(MIDIHDR, dwOffset) || !header->lpData)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    header->dwFlags &= ~static_cast<DWORD>(MHDR_DONE | MHDR_INQUEUE);
    return MMSYSERR_NOERROR;
}

DWORD Unprepare(DWORD_PTR param1, DWORD_PTR size)
{
    auto* header = reinterpret_cast<MIDIHDR*>(param1);
    if (!header || size < offsetof(MIDIHDR, dwOffset))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~static_cast<DWORD>(MHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

} // namespace

Driver& Driver::Instance()
{
    // Never destroyed: the delivery thread may still run while the process ends.
    static Driver* driver = new Driver();
    return *driver;
}

DWORD Driver::OutMessage(UINT device, UINT message, DWORD_PTR param1, DWORD_PTR param2)
{
    switch (message) {
    case DRVM_INIT:
    case DRVM_EXIT:
    case DRVM_ENABLE:
    case DRVM_DISABLE:
        return MMSYSERR_NOERROR;
    case MODM_GETNUMDEVS:
        return kOutputCount;
    default:
        break;
    }
    if (device >= kOutputCount)
        return MMSYSERR_BADDEVICEID;
    Notifications out;
    DWORD result = MMSYSERR_NOTSUPPORTED;
    {
        Guard guard(lock_);
        OutputPort& port = outputs_[device];
        switch (message) {
        case MODM_GETDEVCAPS:
            result = OutputCaps(device, param1, param2);
            break;
        case MODM_OPEN:
            result = OpenOutput(device, reinterpret_cast<const MIDIOPENDESC*>(param1), param2, out);
            break;
        case MODM_CLOSE:
            if (!port.open) {
                result = MMSYSERR_INVALHANDLE;
                break;
            }
            port.open = false;
            if (device == kSynthPort)
                log_.Close();
            out.push_back({port.client, MOM_CLOSE, 0, 0});
            result = MMSYSERR_NOERROR;
            break;
        case MODM_PREPARE:
            result = Prepare(param1, param2);
            break;
        case MODM_UNPREPARE:
            result = Unprepare(param1, param2);
            break;
        case MODM_DATA:
            result = port.open ? ShortData(device, static_cast<DWORD>(param1)) : MMSYSERR_INVALHANDLE;
            break;
        case MODM_LONGDATA:
            result = port.open ? LongData(device, reinterpret_cast<MIDIHDR*>(param1), param2, out) : MMSYSERR_INVALHANDLE;
            break;
        case MODM_RESET:
            if (!port.open) {
                result = MMSYSERR_INVALHANDLE;
                break;
            }
            port.reassembler.Reset();
            if (device == kSynthPort)
                log_.Reset();
            result = MMSYSERR_NOERROR;
            break;
        default:
            break;
        }
    }
    Send(out);
    return result;
}

DWORD Driver::InMessage(UINT device, UINT message, DWORD_PTR param1, DWORD_PTR param2)
{
    switch (message) {
    case DRVM_INIT:
    case DRVM_EXIT:
    case DRVM_ENABLE:
    case DRVM_DISABLE:
        return MMSYSERR_NOERROR;
    case MIDM_GETNUMDEVS:
        return kInputCount;
    default:
        break;
    }
    if (device >= kInputCount)
        return MMSYSERR_BADDEVICEID;
    Notifications out;
    DWORD result = MMSYSERR_NOTSUPPORTED;
    {
        Guard guard(lock_);
        InputPort& port = inputs_[device];
        switch (message) {
        case MIDM_GETDEVCAPS: result = InputCaps(device, param1, param2); break;
        case MIDM_OPEN:
            if (!param1)
                return MMSYSERR_INVALPARAM;
            result = port.Open(reinterpret_cast<const MIDIOPENDESC*>(param1), param2, out);
            if (result == MMSYSERR_NOERROR)
                StartThreadLocked();
            break;
        case MIDM_CLOSE:
            WaitForDeliveryLocked(device);
            result = port.Close(out);
            break;
        case MIDM_PREPARE: result = Prepare(param1, param2); break;
        case MIDM_UNPREPARE: result = Unprepare(param1, param2); break;
        case MIDM_ADDBUFFER: result = port.AddBuffer(reinterpret_cast<MIDIHDR*>(param1), param2); break;
        case MIDM_START: result = port.Start(); break;
        case MIDM_STOP: result = port.Stop(out); break;
        case MIDM_RESET: result = port.Reset(out); break;
        default: break;
        }
    }
    Send(out);
    return result;
}

DWORD Driver::OpenOutput(UINT device, const MIDIOPENDESC* desc, DWORD_PTR flags, Notifications& out)
{
    if (!desc)
        return MMSYSERR_INVALPARAM;
    OutputPort& port = outputs_[device];
    if (port.open)
        return MMSYSERR_ALLOCATED;
    // The environment is read at every open, so that a test can change it first.
    try {
        if (device == kInstrumentPort) {
            const auto folder = InstrumentFolder();
            if (instrument_ && instrument_->Store().Root() == folder)
                instrument_->Reopen(ControlFromEnvironment());
            else
                instrument_ = std::make_unique<ki::Instrument>(folder, ControlFromEnvironment());
        }
    } catch (const std::exception&) {
        return MMSYSERR_ERROR;
    }
    if (device == kLoopPort)
        loopMode_ = ki::ParseNonInstrumentMode(Narrow(Environment(L"KEYLOFT_VMIDI_PAIR1")));
    if (device == kSynthPort)
        log_.Open(WindowsPath(Environment(L"KEYLOFT_VMIDI_LOG")));
    port.open = true;
    port.client = Client::FromOpen(desc, flags);
    port.reassembler.Reset();
    out.push_back({port.client, MOM_OPEN, 0, 0});
    StartThreadLocked();
    return MMSYSERR_NOERROR;
}

DWORD Driver::ShortData(UINT device, DWORD packed)
{
    if (device == kSynthPort) {
        log_.Short(packed);
    } else if (device == kLoopPort && loopMode_ == ki::NonInstrumentMode::Echo) {
        const std::uint8_t status = packed & 0xFF;
        std::size_t count = status >= 0xF8 ? 1 : ((status & 0xE0) == 0xC0 ? 2 : 3);
        kp::Bytes bytes;
        for (std::size_t i = 0; i < count; ++i)
            bytes.push_back(static_cast<std::uint8_t>((packed >> (8 * i)) & 0xFF));
        Queue(kLoopPort, std::move(bytes), 0);
    }
    return MMSYSERR_NOERROR;
}

DWORD Driver::LongData(UINT device, MIDIHDR* header, DWORD_PTR size, Notifications& out)
{
    if (!header || size < offsetof(MIDIHDR, dwOffset) || !header->lpData)
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(header->lpData);
    const kp::ByteView view(bytes, header->dwBufferLength);
    if (device == kSynthPort) {
        log_.Long(bytes, view.size());
    } else if (device == kLoopPort && loopMode_ == ki::NonInstrumentMode::Echo) {
        // Byte for byte, so that tests can send the input side any stream at all.
        Queue(kLoopPort, kp::Bytes(view.begin(), view.end()), 0);
    } else {
        outputs_[device].reassembler.Feed(view, [&](const kp::ReassemblyEvent& event) {
            if (event.kind == kp::ReassemblyEventKind::Message)
                Dispatch(device, event.message);
        });
    }
    // Sent at once: the buffer is done before the call returns.
    header->dwFlags = (header->dwFlags & ~static_cast<DWORD>(MHDR_INQUEUE)) | MHDR_DONE;
    out.push_back({outputs_[device].client, MOM_DONE, reinterpret_cast<DWORD_PTR>(header), 0});
    return MMSYSERR_NOERROR;
}

void Driver::Dispatch(UINT device, kp::ByteView message)
{
    std::vector<ki::Reply> replies;
    if (device == kInstrumentPort) {
        if (!instrument_)
            return;
        try {
            replies = instrument_->OnMessage(message);
        } catch (const std::exception&) {
            return; // a broken engine answers nothing, like a hung instrument
        }
    } else {
        replies = ki::NonInstrumentReplies(loopMode_, message);
    }
    for (ki::Reply& reply : replies)
        Queue(device, std::move(reply.bytes), reply.delayMs);
}

// Replies of one port leave in order: a late reply delays the ones after it.
void Driver::Queue(UINT input, kp::Bytes bytes, unsigned delayMs)
{
    const std::uint64_t due = std::max(NowMicroseconds() + std::uint64_t{delayMs} * 1000, lastDueUs_[input]);
    lastDueUs_[input] = due;
    pending_.push_back(Pending{due, nextOrder_++, input, std::move(bytes)});
    std::push_heap(pending_.begin(), pending_.end(), std::greater<Pending>());
    WakeConditionVariable(&wake_);
}

void Driver::StartThreadLocked()
{
    if (thread_)
        return;
    thread_ = CreateThread(nullptr, 0, &Driver::ThreadMain, this, 0, &threadId_);
}

void Driver::WaitForDeliveryLocked(UINT input)
{
    // A client closing from inside its own callback cannot wait for itself.
    while (delivering_ == input && GetCurrentThreadId() != threadId_)
        SleepConditionVariableSRW(&delivered_, lock_.Native(), INFINITE, 0);
}

DWORD WINAPI Driver::ThreadMain(void* self)
{
    static_cast<Driver*>(self)->Run();
    return 0;
}

// Delivers queued input when it is due, calling the clients without the lock.
void Driver::Run()
{
    AcquireSRWLockExclusive(lock_.Native());
    for (;;) {
        if (pending_.empty()) {
            SleepConditionVariableSRW(&wake_, lock_.Native(), INFINITE, 0);
            continue;
        }
        const std::uint64_t now = NowMicroseconds();
        const std::uint64_t due = pending_.front().dueUs;
        if (due > now) {
            const auto waitMs = static_cast<DWORD>((due - now + 999) / 1000);
            SleepConditionVariableSRW(&wake_, lock_.Native(), waitMs, 0);
            continue;
        }
        std::pop_heap(pending_.begin(), pending_.end(), std::greater<Pending>());
        Pending next = std::move(pending_.back());
        pending_.pop_back();
        Notifications out;
        inputs_[next.input].Receive(next.bytes.data(), next.bytes.size(), out);
        delivering_ = next.input;
        ReleaseSRWLockExclusive(lock_.Native());
        Send(out);
        AcquireSRWLockExclusive(lock_.Native());
        delivering_ = kNoDelivery;
        WakeAllConditionVariable(&delivered_);
    }
}

} // namespace vmidi
