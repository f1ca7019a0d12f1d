#include "core/link/MidiDevSearch.h"

#include <chrono>
#include <memory>

#include "core/link/LinkMessages.h"
#include "core/link/MidiInputPort.h"
#include "core/link/MidiLink.h"
#include "core/link/MidiOutputPort.h"
#include "core/portable/protocol/SysEx.h"

namespace protocol = keyloft::protocol;
using std::chrono::milliseconds;

namespace {

constexpr milliseconds kSendTimeout{1000};

// Every input that could be opened, listening for the length of one scan.
struct Listener {
    UINT inId = 0;
    std::unique_ptr<CMidiInputPort> port;
};

std::vector<Listener> OpenEveryInput()
{
    std::vector<Listener> listeners;
    const UINT count = midiInGetNumDevs();
    for (UINT inId = 0; inId < count; ++inId) {
        auto port = std::make_unique<CMidiInputPort>();
        if (port->Open(inId))
            listeners.push_back(Listener{inId, std::move(port)});
        else
            TraceLink(L"Search: MIDI in %u cannot be opened\n", inId);
    }
    return listeners;
}

CString FromAscii(const std::string& text)
{
    return CString(text.c_str());
}

}  // namespace

const std::vector<FoundInstrument>& CMidiDevSearch::Scan()
{
    using Clock = std::chrono::steady_clock;
    m_found.clear();
    std::vector<Listener> listeners = OpenEveryInput();
    if (listeners.empty())
        return m_found;
    const protocol::Bytes query = protocol::IdentifyQueryMessage();
    const UINT outputs = midiOutGetNumDevs();
    for (UINT outId = 0; outId < outputs; ++outId) {
        CMidiOutputPort output;
        if (!output.Open(outId)) {
            TraceLink(L"Search: MIDI out %u cannot be opened\n", outId);
            continue;
        }
        for (Listener& listener : listeners)
            listener.port->DiscardInput();
        const Clock::time_point deadline = Clock::now() + milliseconds(m_timeouts.scanPerOutputMs);
        if (!output.SendSysEx(query.data(), query.size(), kSendTimeout))
            continue;
        std::vector<bool> answered(listeners.size(), false);
        while (Clock::now() < deadline) {
            bool anything = false;
            for (std::size_t index = 0; index < listeners.size(); ++index) {
                while (auto message = listeners[index].port->Receive(milliseconds(0))) {
                    anything = true;
                    const auto answer = protocol::ParseIdentifyReply(*message);
                    if (!answer || answered[index])
                        continue;  // an echo, somebody else's traffic or a repeat
                    answered[index] = true;
                    const CString name = FromAscii(answer->name);
                    m_found.push_back(FoundInstrument{outId, listeners[index].inId, name});
                    TraceLink(L"Search: out %u in %u answered %ls\n", outId, listeners[index].inId,
                              name.GetString());
                }
            }
            if (!anything)
                Sleep(1);
        }
    }
    return m_found;
}

BOOL CMidiDevSearch::Check(INT_PTR index)
{
    UINT outId = 0;
    UINT inId = 0;
    if (!GetPortIds(index, outId, inId))
        return FALSE;
    CMidiLink link;  // closed again when the check ends
    if (!link.Open(outId, inId))
        return FALSE;
    const protocol::Bytes query = protocol::IdentifyQueryMessage();
    if (!link.SendSysEx(query, kSendTimeout))
        return FALSE;
    for (unsigned poll = 0; poll < m_timeouts.identifyPolls; ++poll) {
        while (auto message = link.Receive(milliseconds(0))) {
            if (protocol::ParseIdentifyReply(*message)) {
                TraceLink(L"Search: instrument %d answered its check\n", static_cast<int>(index));
                return TRUE;
            }
        }
        Sleep(m_timeouts.identifyPollMs);
    }
    TraceLink(L"Search: instrument %d did not answer its check\n", static_cast<int>(index));
    return FALSE;
}

BOOL CMidiDevSearch::GetPortIds(INT_PTR index, UINT& outId, UINT& inId) const
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    outId = m_found[static_cast<std::size_t>(index)].outId;
    inId = m_found[static_cast<std::size_t>(index)].inId;
    return TRUE;
}

CString GetMidiOutName(UINT outId)
{
    return CString(MidiOutName(outId).c_str());
}
