// Any byte string must either read as a MIDI file or give an error; a file that
// reads must write and read back to the same track and event counts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/Sequencer.h"
#include "core/portable/midi/SongMarks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keyloft::midi;
    MidiFile file;
    if (!ReadMidiFile({data, size}, file).ok) {
        return 0;
    }
    (void)ReadMarkers(file);
    (void)FindMelodyMarkChannel(file);
    (void)SummarizeChannels(file);
    MidiFile back;
    try {
        if (!ReadMidiFile(WriteMidiFile(file), back).ok || back.tracks.size() != file.tracks.size()) {
            std::abort();
        }
    } catch (const std::exception&) {
        return 0;  // a delta beyond four VLQ bytes cannot be written; that is refused, not a fault
    }
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        const bool hadEnd = file.tracks[t].endOfTrackSeen;
        const std::size_t expected = file.tracks[t].events.size() + (hadEnd ? 0 : 1);
        if (back.tracks[t].events.size() != expected) {
            std::abort();
        }
    }
    return 0;
}
