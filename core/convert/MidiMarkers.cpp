#include "core/convert/MidiMarkers.h"

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/SongMarks.h"

bool ReadMidiMarkers(LPCWSTR path, std::vector<std::string>& markers) {
    markers.clear();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 64LL * 1024 * 1024;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
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
