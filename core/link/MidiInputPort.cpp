#include "core/link/MidiInputPort.h"

#include <thread>

#include "core/portable/protocol/Reassembler.h"

namespace protocol = keyloft::protocol;

// What the callback works on. Only the callback touches the reassembler while
// the input is open.
struct CMidiInputPort::State {
    std::vector<char> buffer = std::vector<char>(kReceiveBufferSize);
    MIDIHDR header = {};
    bool prepared = false;
    protocol::SysExReassembler reassembler{kReceiveBufferSize};
};

CMidiInputPort::CMidiInputPort() = default;

CMidiInputPort::~CMidiInputPort()
{
    Close();
}

bool CMidiInputPort::Open(UINT inId)
{
    Close();
    if (OpenAndStart(inId))
        return true;
    Close();
    return false;
}

bool CMidiInputPort::OpenAndStart(UINT inId)
{
    std::lock_guard lock(m_mutex);
    m_state = std::make_unique<State>();
    m_received.Clear();
    m_closing = false;
    HMIDIIN handle = nullptr;
    if (midiInOpen(&handle, inId, reinterpret_cast<DWORD_PTR>(&CMidiInputPort::Callback),
                   reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        m_state.reset();
        return false;
    }
    m_hIn = handle;
    m_activeState = m_state.get();
    MIDIHDR& header = m_state->header;
    header.lpData = m_state->buffer.data();
    header.dwBufferLength = kReceiveBufferSize;
    if (midiInPrepareHeader(m_hIn, &header, sizeof header) != MMSYSERR_NOERROR)
        return false;
    m_state->prepared = true;
    return midiInAddBuffer(m_hIn, &header, sizeof header) == MMSYSERR_NOERROR &&
           midiInStart(m_hIn) == MMSYSERR_NOERROR;
}

void CMidiInputPort::Close()
{
    std::lock_guard lock(m_mutex);
    if (m_hIn) {
        // The buffer comes back through the callback on reset: it must not be
        // queued again.
        m_closing = true;
        midiInStop(m_hIn);
        midiInReset(m_hIn);
        if (m_state && m_state->prepared) {
            for (int attempt = 0; attempt < 1000; ++attempt) {
                if (midiInUnprepareHeader(m_hIn, &m_state->header, sizeof m_state->header) != MIDIERR_STILLPLAYING)
                    break;
                Sleep(1);
            }
            m_state->prepared = false;
        }
        midiInClose(m_hIn);
        m_hIn = nullptr;
    }
    // A callback already running finishes before its state goes away; a later
    // one finds no state.
    m_activeState = nullptr;
    while (m_callbacksRunning.load() != 0)
        std::this_thread::yield();
    m_state.reset();
    m_received.Clear();
}

bool CMidiInputPort::IsOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_hIn != nullptr;
}

std::optional<std::vector<std::uint8_t>> CMidiInputPort::Receive(std::chrono::milliseconds timeout)
{
    return m_received.Pop(timeout);
}

void CALLBACK CMidiInputPort::Callback(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    auto* port = reinterpret_cast<CMidiInputPort*>(instance);
    if (!port || (message != MIM_LONGDATA && message != MIM_LONGERROR))
        return;  // short messages (real-time bytes among them) carry nothing for a reader
    ++port->m_callbacksRunning;
    if (State* state = port->m_activeState.load())
        port->OnLongData(*state, handle, reinterpret_cast<MIDIHDR*>(param1), message == MIM_LONGERROR);
    --port->m_callbacksRunning;
}

void CMidiInputPort::OnLongData(State& state, HMIDIIN handle, MIDIHDR* header, bool cutOff)
{
    if (header != &state.header)
        return;
    const DWORD recorded = header->dwBytesRecorded;
    if (recorded > 0 && recorded <= header->dwBufferLength) {
        const protocol::ByteView bytes(reinterpret_cast<const std::uint8_t*>(header->lpData), recorded);
        state.reassembler.Feed(bytes, [this](const protocol::ReassemblyEvent& event) {
            if (event.kind == protocol::ReassemblyEventKind::Message)
                m_received.Push(std::vector<std::uint8_t>(event.message.begin(), event.message.end()));
        });
    }
    if (cutOff)
        state.reassembler.Reset();  // the driver says the message was broken off
    if (!m_closing.load()) {
        header->dwBytesRecorded = 0;
        midiInAddBuffer(handle, header, sizeof *header);
    }
}
