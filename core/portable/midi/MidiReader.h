// Standard MIDI File reader. Every length is checked against the bytes present;
// a damaged file gives an error that says what is wrong and at which offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/portable/midi/MidiFile.h"
#include "core/portable/midi/TrackWalk.h"

namespace keyloft::midi {

struct MidiReadResult {
    bool ok = false;
    std::string error;        // empty when ok
    std::size_t offset = 0;   // file offset where the problem was found

    explicit operator bool() const { return ok; }
    std::string Describe() const;  // "error at offset N" or "ok"
};

// Reads formats 0, 1 and 2; on failure `out` is left empty. Events follow the
// rules of TrackWalk.h. Tolerated as real files need: a track chunk without
// end-of-track, unknown chunks (skipped), a header longer
// than 6 bytes.
MidiReadResult ReadMidiFile(std::span<const std::uint8_t> bytes, MidiFile& out);
// The same, keeping the buffer as the file's payload pool instead of copying
// the payloads out of it (a loader that read the file into a buffer of its own
// gives it up). On failure the buffer is left as it was.
MidiReadResult ReadMidiFile(std::vector<std::uint8_t>&& bytes, MidiFile& out);

}  // namespace keyloft::midi
