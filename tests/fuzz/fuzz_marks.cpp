// Feeds arbitrary bytes to the style head reader and the song check: neither may
// read outside the buffer, whatever the style reader accepts must be
// self-consistent, and the song check agrees with the MIDI reader.
#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/marks/StyleLayout.h"
#include "core/portable/midi/MidiReader.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy so that any over-read hits the sanitizer's redzone.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const keyloft::marks::MemoryByteSource source(bytes);

    if (const auto layout = keyloft::marks::ParseStyleLayout(source)) {
        if (layout->segmentsOffset > size)
            std::abort();
        std::uint64_t previous = layout->sintOffset;
        for (const std::uint64_t offset : layout->segmentOffsets) {
            if (offset == 0)
                continue;
            if (offset < layout->segmentsOffset || offset >= size || offset <= previous)
                std::abort();
            previous = offset;
        }
    }
    (void)keyloft::marks::ReadStyleSegments(source);
    (void)keyloft::marks::ReadStyleNames(source);
    // A song the check passes never fails to read in its first track.
    keyloft::midi::MidiFile file;
    if (keyloft::marks::CheckSongFile(source) == keyloft::marks::SongCheck::Ok &&
        ReadMidiFile(bytes, file).error.rfind("track 0:", 0) == 0)
        std::abort();
    return 0;
}
