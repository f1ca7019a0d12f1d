#include "bench/vmidi/RawPingPong.h"

#include <chrono>
#include <string>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/SysEx.h"

namespace vmidi_bench {

namespace kp = keyloft::protocol;

namespace {

std::size_t FrameSize(const kp::Bytes& packet) { return kp::WrapPacket(packet).size(); }

template <typename Caps, typename GetCount, typename GetCaps>
UINT FindByName(const wchar_t* name, GetCount count, GetCaps caps)
{
    for (UINT id = 0; id < count(); ++id) {
        Caps c{};
        if (caps(id, &c, sizeof c) == MMSYSERR_NOERROR && std::wstring(c.szPname) == name)
            return id;
    }
    return UINT(-1);
}

// The sized partner answers F0 7D 4B 7E <four nibbles of the reply size> ... F7.
std::vector<char> SizedRequest(std::size_t size, std::size_t replySize)
{
    std::vector<char> request(std::max<std::size_t>(size, 9), 0);
    const unsigned char head[] = {0xF0, 0x7D, 0x4B, 0x7E};
    for (std::size_t i = 0; i < 4; ++i)
        request[i] = static_cast<char>(head[i]);
    for (std::size_t i = 0; i < 4; ++i)
        request[4 + i] = static_cast<char>((replySize >> (12 - 4 * i)) & 0x0F);
    request.back() = static_cast<char>(0xF7);
    return request;
}

} // namespace

Shape DownloadShape(std::size_t itemSize)
{
    const std::size_t ack = FrameSize(kp::MakeAck(kp::PacketType::Data, kp::Status::Ok));
    Shape shape;
    shape.emplace_back(FrameSize(kp::MakeClearState()), ack);
    for (std::size_t offset = 0; offset < itemSize; offset += kp::kMaxChunk) {
        const std::size_t n = std::min(kp::kMaxChunk, itemSize - offset);
        shape.emplace_back(FrameSize(kp::MakeData(0, 0, kp::Bytes(n))), ack);
    }
    shape.emplace_back(FrameSize(kp::MakeEnd(0, 0, 0)), ack);
    return shape;
}

Shape UploadShape(std::size_t itemSize)
{
    Shape shape;
    shape.emplace_back(FrameSize(kp::MakeUploadRequest(0, 0)), FrameSize(kp::MakeUploadInfo(kp::Status::Ok, 0)));
    for (std::size_t offset = 0; offset < itemSize; offset += kp::kMaxChunk) {
        const std::size_t n = std::min(kp::kMaxChunk, itemSize - offset);
        shape.emplace_back(FrameSize(kp::MakeUploadRead(0, 0, 0)), FrameSize(kp::MakeUploadData(kp::Status::Ok, 0, kp::Bytes(n))));
    }
    shape.emplace_back(FrameSize(kp::MakeUploadEnd(0, 0)), FrameSize(kp::MakeAck(kp::PacketType::UploadEnd, kp::Status::Ok)));
    return shape;
}

RawPingPong::~RawPingPong() { Close(); }

bool RawPingPong::Open()
{
    SetEnvironmentVariableW(L"KEYLOFT_VMIDI_PAIR1", L"sized");
    const UINT outId = FindByName<MIDIOUTCAPSW>(L"Loop MIDI Out", midiOutGetNumDevs,
                                                [](UINT id, MIDIOUTCAPSW* c, UINT n) { return midiOutGetDevCapsW(id, c, n); });
    const UINT inId = FindByName<MIDIINCAPSW>(L"Loop MIDI In", midiInGetNumDevs,
                                              [](UINT id, MIDIINCAPSW* c, UINT n) { return midiInGetDevCapsW(id, c, n); });
    if (outId == UINT(-1) || inId == UINT(-1))
        return false;
    replied_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (midiOutOpen(&out_, outId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        out_ = nullptr;
        return false;
    }
    if (midiInOpen(&in_, inId, reinterpret_cast<DWORD_PTR>(&RawPingPong::OnInput), reinterpret_cast<DWORD_PTR>(this),
                   CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        in_ = nullptr;
        return false;
    }
    buffer_.assign(10240, 0);
    header_ = MIDIHDR{};
    header_.lpData = buffer_.data();
    header_.dwBufferLength = static_cast<DWORD>(buffer_.size());
    return midiInPrepareHeader(in_, &header_, sizeof header_) == MMSYSERR_NOERROR &&
           midiInAddBuffer(in_, &header_, sizeof header_) == MMSYSERR_NOERROR && midiInStart(in_) == MMSYSERR_NOERROR;
}

void RawPingPong::Close()
{
    if (in_) {
        midiInStop(in_);
        midiInReset(in_);
        midiInUnprepareHeader(in_, &header_, sizeof header_);
        midiInClose(in_);
        in_ = nullptr;
    }
    if (out_) {
        while (midiOutClose(out_) == MIDIERR_STILLPLAYING)
            Sleep(1);
        out_ = nullptr;
    }
    if (replied_) {
        CloseHandle(replied_);
        replied_ = nullptr;
    }
}

void CALLBACK RawPingPong::OnInput(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    if (message != MIM_LONGDATA)
        return;
    auto* self = reinterpret_cast<RawPingPong*>(instance);
    auto* header = reinterpret_cast<MIDIHDR*>(param1);
    const DWORD count = header->dwBytesRecorded;
    const bool complete = count > 0 && static_cast<unsigned char>(header->lpData[count - 1]) == 0xF7;
    InterlockedExchangeAdd(&self->received_, static_cast<LONG>(count));
    if (count > 0)
        midiInAddBuffer(handle, header, sizeof *header); // at once, as the link does
    if (complete)
        SetEvent(self->replied_);
}

bool RawPingPong::Exchange(std::size_t requestSize, std::size_t replySize, DWORD timeoutMs)
{
    std::vector<char> request = SizedRequest(requestSize, replySize);
    MIDIHDR header{};
    header.lpData = request.data();
    header.dwBufferLength = static_cast<DWORD>(request.size());
    InterlockedExchange(&received_, 0);
    if (midiOutPrepareHeader(out_, &header, sizeof header) != MMSYSERR_NOERROR)
        return false;
    const bool sent = midiOutLongMsg(out_, &header, sizeof header) == MMSYSERR_NOERROR;
    while (midiOutUnprepareHeader(out_, &header, sizeof header) == MIDIERR_STILLPLAYING)
        Sleep(0);
    return sent && WaitForSingleObject(replied_, timeoutMs) == WAIT_OBJECT_0 &&
           static_cast<std::size_t>(received_) == std::max<std::size_t>(replySize, 5);
}

double RawPingPong::Run(const Shape& shape)
{
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [request, reply] : shape)
        if (!Exchange(request, reply))
            return -1.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace vmidi_bench
