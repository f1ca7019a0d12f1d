#include "tests/vmidi/MidiPair.h"

namespace vmidi_test {

namespace {

// The first port whose name is `name`, of the outputs or of the inputs.
template <typename Caps, typename GetCaps>
std::optional<UINT> FindPort(const std::wstring& name, UINT count, GetCaps getCaps)
{
    for (UINT id = 0; id < count; ++id) {
        Caps caps{};
        if (getCaps(id, &caps, sizeof caps) == MMSYSERR_NOERROR && name == caps.szPname)
            return id;
    }
    return std::nullopt;
}

} // namespace

std::optional<UINT> FindOutput(const std::wstring& name)
{
    return FindPort<MIDIOUTCAPSW>(name, midiOutGetNumDevs(), &midiOutGetDevCapsW);
}

std::optional<UINT> FindInput(const std::wstring& name)
{
    return FindPort<MIDIINCAPSW>(name, midiInGetNumDevs(), &midiInGetDevCapsW);
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name)
{
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    if (n > 0 && n < 1024)
        previous_ = std::wstring(buffer, n);
    SetEnvironmentVariableW(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment()
{
    SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

MidiPair::~MidiPair() { Close(); }

MMRESULT MidiPair::Open(UINT output, UINT input)
{
    MMRESULT result = midiOutOpen(&out_, output, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        out_ = nullptr;
        return result;
    }
    result = midiInOpen(&in_, input, reinterpret_cast<DWORD_PTR>(&MidiPair::OnInput), reinterpret_cast<DWORD_PTR>(this),
                        CALLBACK_FUNCTION);
    if (result != MMSYSERR_NOERROR)
        in_ = nullptr;
    return result;
}

MMRESULT MidiPair::AddBuffer(std::size_t size)
{
    auto buffer = std::make_unique<Buffer>();
    buffer->data.resize(size);
    buffer->header.lpData = buffer->data.data();
    buffer->header.dwBufferLength = static_cast<DWORD>(size);
    MMRESULT result = midiInPrepareHeader(in_, &buffer->header, sizeof(MIDIHDR));
    if (result == MMSYSERR_NOERROR)
        result = midiInAddBuffer(in_, &buffer->header, sizeof(MIDIHDR));
    buffers_.push_back(std::move(buffer));
    return result;
}

MMRESULT MidiPair::Start() { return midiInStart(in_); }

MMRESULT MidiPair::SendLong(const Bytes& bytes)
{
    std::vector<char> data(bytes.begin(), bytes.end());
    MIDIHDR header{};
    header.lpData = data.data();
    header.dwBufferLength = static_cast<DWORD>(data.size());
    MMRESULT result = midiOutPrepareHeader(out_, &header, sizeof header);
    if (result != MMSYSERR_NOERROR)
        return result;
    result = midiOutLongMsg(out_, &header, sizeof header);
    while (midiOutUnprepareHeader(out_, &header, sizeof header) == MIDIERR_STILLPLAYING)
        Sleep(1);
    return result;
}

void CALLBACK MidiPair::OnInput(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    auto* self = reinterpret_cast<MidiPair*>(instance);
    InputEvent event;
    event.message = message;
    if (message == MIM_DATA) {
        event.packed = static_cast<DWORD>(param1);
    } else if (message == MIM_LONGDATA || message == MIM_LONGERROR) {
        const auto* header = reinterpret_cast<const MIDIHDR*>(param1);
        event.bytes.assign(header->lpData, header->lpData + header->dwBytesRecorded);
    } else {
        return; // open and close
    }
    {
        std::lock_guard lock(self->mutex_);
        self->events_.push_back(std::move(event));
    }
    self->arrived_.notify_all();
}

std::optional<InputEvent> MidiPair::Wait(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [this] { return !events_.empty(); }))
        return std::nullopt;
    InputEvent event = std::move(events_.front());
    events_.pop_front();
    return event;
}

void MidiPair::Close()
{
    if (in_) {
        midiInStop(in_);
        midiInReset(in_);
        for (auto& buffer : buffers_)
            midiInUnprepareHeader(in_, &buffer->header, sizeof(MIDIHDR));
        midiInClose(in_);
        in_ = nullptr;
    }
    buffers_.clear();
    if (out_) {
        midiOutReset(out_);
        while (midiOutClose(out_) == MIDIERR_STILLPLAYING)
            Sleep(1);
        out_ = nullptr;
    }
}

} // namespace vmidi_test
