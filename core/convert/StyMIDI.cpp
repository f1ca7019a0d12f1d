#include "core/convert/StyMIDI.h"

#include <vector>

#include "core/files/WholeFile.h"
#include "core/portable/midi/MidiReader.h"

namespace STYMIDI {
namespace {

// No style comes near this; a larger file is refused rather than read.
constexpr std::uint64_t kLargestStyleFile = 64LL * 1024 * 1024 - 1;

std::wstring Widen(const std::string& text) {
    // Reasons are ASCII; marker names are ANSI bytes of the system code page.
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

CStyMIDI::CStyMIDI()
    : m_timeBase(m_converter.targetTimeBase),
      m_crossFill(m_converter.crossFill),
      m_flag2(m_converter.flag2),
      m_flag3(m_converter.flag3),
      m_tempo(m_converter.tempo),
      m_timeSigNumerator(m_converter.timeSigNumerator),
      m_timeSigDenominator(m_converter.timeSigDenominator) {
    m_converter.codePage = keyloft::style::CodePage(GetACP());
}

void CStyMIDI::SetName(int index, const std::string& ansiName) {
    if (index >= 0 && index < 4) {
        m_converter.names[static_cast<std::size_t>(index)] = ansiName;
    }
}

void CStyMIDI::SetName(int index, LPCWSTR name) {
    std::string ansi;
    if (name != nullptr && *name != L'\0') {
        const int length = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
        if (length > 1) {
            ansi.resize(static_cast<std::size_t>(length));
            WideCharToMultiByte(CP_ACP, 0, name, -1, ansi.data(), length, nullptr, nullptr);
            ansi.resize(static_cast<std::size_t>(length - 1));  // without the terminator
        }
    }
    SetName(index, ansi);
}

bool CStyMIDI::LoadFile(LPCWSTR path, std::wstring& reason) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, kLargestStyleFile)) {
        reason = std::wstring(L"Can not access to the file\n") + path;
        return false;
    }
    keyloft::midi::MidiFile file;
    const keyloft::midi::MidiReadResult read = keyloft::midi::ReadMidiFile(bytes, file);
    if (!read.ok) {
        reason = L"The file is not a readable MIDI file: " + Widen(read.Describe());
        return false;
    }
    const keyloft::style::StyleLoadResult loaded = m_converter.Load(file);
    if (!loaded.ok) {
        reason = Widen(loaded.reason);
        return false;
    }
    return true;
}

BOOL CStyMIDI::LoadFile(LPCWSTR path) {
    std::wstring reason;
    if (LoadFile(path, reason)) {
        return TRUE;
    }
    MessageBoxW(nullptr, reason.c_str(), nullptr, MB_OK | MB_ICONERROR);
    return FALSE;
}

void CStyMIDI::WriteHead(CFile& stream) const {
    std::vector<std::uint8_t> block;
    m_converter.WriteHead(block);
    stream.Write(block.data(), static_cast<UINT>(block.size()));
}

void CStyMIDI::WriteSegments(CFile& stream, std::map<int, WORD>& wordOffsets, const CConfig& config) const {
    std::vector<std::uint8_t> bytes;
    std::map<int, std::uint16_t> offsets;
    if (!m_converter.WriteSegments(bytes, static_cast<std::size_t>(stream.GetPosition()), offsets,
                                   config.Defaults())) {
        // Segments beyond the reach of 16-bit word offsets: the writer reports it
        // like any other failure to write the file.
        AfxThrowFileException(CFileException::diskFull, ERROR_FILE_TOO_LARGE, stream.GetFilePath());
    }
    for (const auto& [segment, offset] : offsets) {
        wordOffsets[segment] = offset;
    }
    if (!bytes.empty()) {
        stream.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
}

}  // namespace STYMIDI
