#include "core/player/WinMidiOutput.h"

#include <vector>

void CWinMidiOutput::ShortMessage(std::uint32_t packed) {
    if (m_handle != nullptr) {
        midiOutShortMsg(m_handle, packed);
    }
}

void CWinMidiOutput::LongMessage(std::span<const std::uint8_t> bytes) {
    if (m_handle == nullptr || bytes.empty()) {
        return;
    }
    std::vector<char> buffer(bytes.begin(), bytes.end());
    MIDIHDR header{};
    header.lpData = buffer.data();
    header.dwBufferLength = static_cast<DWORD>(buffer.size());
    header.dwBytesRecorded = header.dwBufferLength;
    if (midiOutPrepareHeader(m_handle, &header, sizeof(header)) != MMSYSERR_NOERROR) {
        return;
    }
    if (midiOutLongMsg(m_handle, &header, sizeof(header)) == MMSYSERR_NOERROR) {
        // The buffer must outlive the transfer; a system-exclusive message is short.
        for (int waited = 0; (header.dwFlags & MHDR_DONE) == 0 && waited < 200; ++waited) {
            Sleep(1);
        }
    }
    for (int tries = 0; tries < 200 &&
                        midiOutUnprepareHeader(m_handle, &header, sizeof(header)) == MIDIERR_STILLPLAYING;
         ++tries) {
        Sleep(1);
    }
}
