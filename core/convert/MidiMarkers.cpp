#include "core/convert/MidiMarkers.h"

#include "core/files/WholeFile.h"
#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/SongMarks.h"

bool ReadMidiMarkers(LPCWSTR path, std::vector<std::string>& markers) {
    markers.clear();
    std::vector<std::uint8_t> bytes;
    const bool ok = ReadWholeFile(path, bytes, 64LL * 1024 * 1024 - 1);
    keyloft::midi::MidiFile midi;
    if (!ok || !keyloft::midi::ReadMidiFile(bytes, midi).ok) {
        return false;
    }
    markers = keyloft::midi::ReadMarkers(midi);
    return true;
}

bool ReadMidiMarkers(LPCWSTR path, CStringArray& markers) {
    markers.RemoveAll();
    std::vector<std::string> texts;
    if (!ReadMidiMarkers(path, texts)) {
        return false;
    }
    for (const std::string& text : texts) {
        markers.Add(CString(CStringA(text.c_str(), static_cast<int>(text.size()))));
    }
    return true;
}
