#include "core/player/SongMIDI.h"

#include <string>

#include "core/files/FileErrors.h"
#include "core/files/SafeSave.h"
#include "core/portable/marks/FileMarks.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/SongForm.h"
#include "core/portable/midi/SongMarks.h"

int CSongMIDI::FindMelodyChannel() const {
    return keyloft::midi::FindMelodyMarkChannel(File());
}

bool CSongMIDI::ConvertForDevice(LPCWSTR targetModel, const int removed[16], const CMIDI& player,
                                 LPCWSTR outputPath, int mainMelodyRow, std::wstring& error) const {
    if (targetModel == nullptr || *targetModel == L'\0') {
        error = L"No target model was chosen.";
        return false;
    }
    if (player.File().tracks.empty()) {
        error = L"No song is loaded.";
        return false;
    }
    keyloft::midi::SongFormRequest request;
    request.makerModelMark = keyloft::marks::kMakerModelText;
    for (std::size_t channel = 0; channel < 16; ++channel) {
        request.removed[channel] = removed != nullptr && removed[channel] != 0;
    }
    request.mainMelodyChannel = mainMelodyRow >= 0 && mainMelodyRow < 16 ? mainMelodyRow : -1;
    const auto form = keyloft::midi::BuildSongForm(player.File(), request);
    const auto written = form ? keyloft::midi::WriteMidiFile(*form) : std::nullopt;
    if (!written) {
        error = L"The song cannot be written in the instrument's form.";
        return false;
    }
    const std::vector<std::uint8_t>& bytes = *written;
    // Written whole beside the target first: a failure leaves an older file as it was.
    DWORD systemError = 0;
    if (!SaveFileReplacing(outputPath, bytes.data(), bytes.size(), &systemError)) {
        error = std::wstring(GetFileErrorSentence(FileErrorCause(systemError))) + outputPath;
        return false;
    }
    return true;
}

BOOL CSongMIDI::ConvertForDevice(LPCWSTR targetModel, const int removed[16], CMIDI* player, LPCWSTR outputPath,
                                 int mainMelodyRow) {
    std::wstring error;
    if (ConvertForDevice(targetModel, removed, player != nullptr ? *player : *this, outputPath, mainMelodyRow,
                         error)) {
        return TRUE;
    }
    MessageBoxW(nullptr, error.c_str(), nullptr, MB_OK | MB_ICONERROR);
    return FALSE;
}
