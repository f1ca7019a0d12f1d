// Any byte string must either read as a MIDI file or give an error; a file that
// reads must write and read back to the same track and event counts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <vector>

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/Sequencer.h"
#include "core/portable/midi/SongForm.h"
#include "core/portable/midi/SongMarks.h"
#include "core/portable/style/StyleConverter.h"

namespace {

class DiscardingOutput : public keyloft::midi::MidiOutput {
public:
    void ShortMessage(std::uint32_t) override {}
    void LongMessage(std::span<const std::uint8_t>) override {}
};

// What the player and the converters do with a file that reads.
void UseFile(const keyloft::midi::MidiFile& file) {
    using namespace keyloft;
    keyloft::midi::Sequencer sequencer{keyloft::midi::MidiFile(file)};
    DiscardingOutput out;
    sequencer.SeekTo(sequencer.LengthMicros() / 2, out, true);
    sequencer.PlayUntil(sequencer.LengthMicros(), out);

    midi::SongFormRequest request;
    request.makerModelMark = "KELVOR RX470  ";
    request.removed[1] = true;
    request.mainMelodyChannel = 0;
    // Tracks merged into one may hold a gap beyond a four-byte delta: refused, not thrown.
    if (const auto form = midi::BuildSongForm(file, request)) {
        (void)midi::WriteMidiFile(*form);
    }

    style::StyleConverter converter;
    converter.targetTimeBase = 120;
    converter.crossFill = true;
    converter.codePage = style::CodePage(936);
    if (converter.Load(file).ok) {
        converter.Prepare();
        std::vector<std::uint8_t> body;
        std::map<int, std::uint16_t> offsets;
        // More than 65535 set-up messages leave SINT out and answer false.
        const bool fits = converter.WriteSegments(body, 1066, offsets, style::SegmentDefaults{});
        // A source the converter takes always yields a segment.
        if (body.size() % 2 != 0 || (fits && (body.empty() || offsets.empty()))) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace keyloft::midi;
    MidiFile file;
    if (!ReadMidiFile({data, size}, file).ok) {
        return 0;
    }
    // Reading from a buffer the reader keeps as its pool gives the same file.
    MidiFile adopted;
    if (!ReadMidiFile(std::vector<std::uint8_t>(data, data + size), adopted).ok ||
        adopted.tracks.size() != file.tracks.size()) {
        std::abort();
    }
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        const auto& a = file.tracks[t].events;
        const auto& b = adopted.tracks[t].events;
        if (a.size() != b.size()) {
            std::abort();
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto pa = file.Payload(a[i]);
            const auto pb = adopted.Payload(b[i]);
            if (a[i].tick != b[i].tick || a[i].status != b[i].status || a[i].data1 != b[i].data1 ||
                a[i].data2 != b[i].data2 || !std::equal(pa.begin(), pa.end(), pb.begin(), pb.end())) {
                std::abort();
            }
        }
    }
    (void)ReadMarkers(file);
    (void)FindMelodyMarkChannel(file);
    (void)SummarizeChannels(file);
    UseFile(file);
    MidiFile back;
    const auto written = WriteMidiFile(file);
    if (!written) {
        return 0;  // a delta beyond four VLQ bytes cannot be written; that is refused, not a fault
    }
    if (!ReadMidiFile(*written, back).ok || back.tracks.size() != file.tracks.size()) {
        std::abort();
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
