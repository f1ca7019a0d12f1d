#include "tests/link/LinkTestSupport.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdlib>

#include "tests/support/WholeFile.h"
#include "tools/instrument/SlotStore.h"

namespace linktest {

namespace fs = std::filesystem;

namespace {

// The first port whose name is `name`, of the outputs or of the inputs.
template <typename Caps, typename GetCaps>
std::optional<UINT> FindPort(const std::wstring& name, UINT count, GetCaps getCaps)
{
    for (UINT id = 0; id < count; ++id) {
        Caps caps = {};
        if (getCaps(id, &caps, sizeof caps) == MMSYSERR_NOERROR && name == caps.szPname)
            return id;
    }
    return std::nullopt;
}

}  // namespace

std::optional<UINT> FindMidiOut(const std::wstring& name)
{
    return FindPort<MIDIOUTCAPSW>(name, midiOutGetNumDevs(), &midiOutGetDevCapsW);
}

std::optional<UINT> FindMidiIn(const std::wstring& name)
{
    return FindPort<MIDIINCAPSW>(name, midiInGetNumDevs(), &midiInGetDevCapsW);
}

namespace {

std::optional<PortPair> PairNamed(const std::wstring& out, const std::wstring& in)
{
    const std::optional<UINT> outId = FindMidiOut(out);
    const std::optional<UINT> inId = FindMidiIn(in);
    if (!outId || !inId)
        return std::nullopt;
    return PortPair{*outId, *inId};
}

void SetEnvironment(const wchar_t* name, const std::wstring& value)
{
    // Both the system's copy and the C runtime's: a driver may read either.
    SetEnvironmentVariableW(name, value.c_str());
    _wputenv_s(name, value.c_str());
}

}  // namespace

std::optional<PortPair> InstrumentPorts()
{
    return PairNamed(L"RX470 MIDI Out", L"RX470 MIDI In");
}

std::optional<PortPair> LoopPorts()
{
    return PairNamed(L"Loop MIDI Out", L"Loop MIDI In");
}

SimulatedMemory::SimulatedMemory()
{
    static std::atomic<unsigned> counter{0};
    m_folder = fs::temp_directory_path() /
               (L"keyloft-link-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::error_code error;
    fs::remove_all(m_folder, error);
    fs::create_directories(m_folder);
    SetEnvironment(L"KEYLOFT_SIM_DIR", m_folder.wstring());
    SetEnvironment(L"KEYLOFT_SIM_FAULT", L"");
}

SimulatedMemory::~SimulatedMemory()
{
    std::error_code error;
    fs::remove_all(m_folder, error);
}

void SimulatedMemory::SetControl(const std::string& text)
{
    // The instrument notices a change by the file's size and write time; two
    // writes within one tick of the file system's clock keep the time, so
    // each new text is made longer than the one before by a comment.
    std::string content = text + "\n#";
    while (content.size() <= m_controlSize)
        content += '#';
    m_controlSize = content.size();
    keyloft_test::WriteWholeFile(m_folder / "control.txt", content + "\n");
}

void SimulatedMemory::WriteFile(const fs::path& relative, const std::vector<std::uint8_t>& bytes) const
{
    keyloft_test::WriteWholeFile(m_folder / relative, bytes);
}

std::optional<std::vector<std::uint8_t>> SimulatedMemory::ReadFile(const fs::path& relative) const
{
    if (!fs::exists(m_folder / relative))
        return std::nullopt;
    return keyloft_test::ReadWholeFile<std::vector<std::uint8_t>>(m_folder / relative);
}

fs::path SimulatedMemory::SlotFile(int kind, int slot) const
{
    const std::uint16_t wireSlot = slot == -1 ? keyloft::protocol::kWorkingSlot : static_cast<std::uint16_t>(slot);
    return keyloft::instrument::SlotStore::RelativePath(static_cast<std::uint8_t>(kind), wireSlot);
}

MessageRecorder::MessageRecorder()
{
    m_previous = SetLinkMessageHook([this](UINT id) {
        std::lock_guard lock(m_mutex);
        m_ids.push_back(id);
    });
}

MessageRecorder::~MessageRecorder()
{
    SetLinkMessageHook(std::move(m_previous));
}

std::vector<UINT> MessageRecorder::Ids() const
{
    std::lock_guard lock(m_mutex);
    return m_ids;
}

void MessageRecorder::Clear()
{
    std::lock_guard lock(m_mutex);
    m_ids.clear();
}

void SetLoopBehaviour(const wchar_t* behaviour)
{
    SetEnvironment(L"KEYLOFT_VMIDI_PAIR1", behaviour);
}

keyloft::protocol::Timeouts ShortTimeouts()
{
    keyloft::protocol::Timeouts timeouts;
    timeouts.resetAckMs = 300;
    timeouts.dataAckMs = 300;
    timeouts.endAckMs = 300;
    timeouts.clearStateMs = 300;
    timeouts.probeMs = 300;
    timeouts.closeMs = 100;
    timeouts.queryMs = 300;
    timeouts.deleteMs = 300;
    timeouts.uploadMs = 300;
    timeouts.scanPerOutputMs = 200;
    timeouts.identifyPolls = 300;
    timeouts.identifyPollMs = 1;
    timeouts.keepAliveWaitPolls = 100;
    timeouts.keepAliveWaitMs = 10;
    return timeouts;
}

std::vector<std::uint8_t> PatternBytes(std::size_t size, std::uint32_t seed)
{
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

}  // namespace linktest
