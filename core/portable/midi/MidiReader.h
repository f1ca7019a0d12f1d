// Standard MIDI File reader. Every length is checked against the bytes present;
// a damaged file gives an error that says what is wrong and at which offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/portable/midi/MidiFile.h"

namespace keyloft::midi {

struct MidiReadResult {
    bool ok = false;
    std::string error;        // empty when ok
    std::size_t offset = 0;   // file offset where the problem was found

    explicit operator bool() const { return ok; }
    std::string Describe() const;  // "error at offset N" or "ok"
};

// Reads formats 0, 1 and 2; on failure `out` is left empty. Tolerated as real
// files need: running status kept across meta and system-exclusive events, a
// track chunk without end-of-track, unknown chunks (skipped), a header longer
// than 6 bytes.
MidiReadResult ReadMidiFile(std::span<const std::uint8_t> bytes, MidiFile& out);
// The same, keeping the buffer as the file's payload pool instead of copying
// the payloads out of it (a loader that read the file into a buffer of its own
// gives it up). On failure the buffer is left as it was.
MidiReadResult ReadMidiFile(std::vector<std::uint8_t>&& bytes, MidiFile& out);

// Variable-length quantity of at most four bytes. Returns the bytes used, 0 when
// the quantity runs past the end or is longer than four bytes.
std::size_t ReadVariableLength(std::span<const std::uint8_t> bytes, std::uint32_t& value);

}  // namespace keyloft::midi
