// Builders of small, well-formed instrument files for the mark tests; each test
// then damages one field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/StyleLayout.h"
#include "tests/portable/midi/MidiBytes.h"

namespace keyloft::marks::samples {

using Bytes = std::vector<std::uint8_t>;

struct StyleSpec {
    std::string name1 = "POP", name2 = "P", name3, name4;
    // Segment number (2 = SINT, 3..28) and its length in bytes (even).
    std::vector<std::pair<int, std::size_t>> segments = {{2, 8}, {3, 6}, {6, 10}, {14, 4}};
};

inline void AppendText(Bytes& out, std::string_view text)
{
    // Byte by byte: the range insert trips a false overflow warning in GCC 12.
    for (const char c : text)
        out.push_back(static_cast<std::uint8_t>(c));
}

inline void AppendU16LE(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU16LE(Bytes& out, std::size_t offset, std::uint16_t value)
{
    out.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
    out.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

// Standard MIDI File chunks, as the reader tests build them.
using midi::test::Header;
using midi::test::Track;

inline Bytes MakeMarkedConductorTrack()
{
    Bytes data = {0x00, 0xFF, 0x01, 0x0E};
    AppendText(data, kMakerModelText);
    const Bytes tempo = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};
    data.insert(data.end(), tempo.begin(), tempo.end());
    const Bytes end = {0x00, 0xFF, 0x2F, 0x00};
    data.insert(data.end(), end.begin(), end.end());
    return data;
}

inline Bytes MakeSong(int channelTracks = 2)
{
    Bytes out = Header(1, static_cast<std::uint16_t>(channelTracks + 1), 96);
    const Bytes conductor = Track(MakeMarkedConductorTrack());
    out.insert(out.end(), conductor.begin(), conductor.end());
    for (int i = 0; i < channelTracks; ++i) {
        const auto channel = static_cast<std::uint8_t>(i & 0x0F);
        const Bytes data = {0x00, static_cast<std::uint8_t>(0x90 | channel), 60, 100,
                            0x60, 60, 0, // running status: note off by velocity 0
                            0x00, 0xFF, 0x2F, 0x00};
        const Bytes chunk = Track(data);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

// Recomputes and stores the checksum, so a test can damage one field of the
// head and still have the checksum agree.
inline void SealStyle(Bytes& style)
{
    const MemoryByteSource source(style);
    const std::uint32_t sum = ComputeStyleChecksum(source).value_or(0);
    PutU16LE(style, 24, static_cast<std::uint16_t>(sum >> 16));
    PutU16LE(style, 26, static_cast<std::uint16_t>(sum & 0xFFFF));
}

inline Bytes MakeStyle(const StyleSpec& spec = {})
{
    Bytes out;
    AppendText(out, kStyleMarkText);
    AppendU16LE(out, 0); // checksum high (not examined by the checks)
    AppendU16LE(out, 0); // checksum low
    AppendU16LE(out, 0x2478);
    AppendU16LE(out, kStyleNameBlockWord);
    const std::size_t nameBytes = spec.name1.size() + spec.name2.size() + spec.name3.size() + spec.name4.size();
    const std::size_t nameBlock = (nameBytes + 5 + 1) & ~std::size_t{1};
    AppendU16LE(out, static_cast<std::uint16_t>(kStyleNameBlockWord + nameBlock / 2));
    AppendU16LE(out, 0); // SINT, patched below
    out.resize(out.size() + kStyleOtsSize, 0);
    AppendU16LE(out, 0); // reserved
    out.resize(out.size() + 2 * kStyleTableEntries, 0);
    for (const std::string* name : {&spec.name1, &spec.name2, &spec.name3, &spec.name4})
        out.push_back(static_cast<std::uint8_t>(name->size()));
    for (const std::string* name : {&spec.name1, &spec.name2, &spec.name3, &spec.name4})
        AppendText(out, *name);
    out.push_back(0xFF);
    if (nameBytes % 2 == 0)
        out.push_back(0x00);
    out.resize(out.size() + kStyleSettingsSize, 0x11);
    for (const auto& [segment, length] : spec.segments) {
        const auto word = static_cast<std::uint16_t>((out.size() - kStyleBodyOffset) / 2);
        if (segment == kStyleSintSegment)
            PutU16LE(out, kStyleSintWordOffset, word);
        else
            PutU16LE(out, kStyleSegmentTableOffset + 2 * static_cast<std::size_t>(segment - 3), word);
        out.resize(out.size() + length, static_cast<std::uint8_t>(segment));
    }
    SealStyle(out);
    return out;
}

inline Bytes MakeMarked(std::string_view mark, std::size_t totalSize)
{
    Bytes out;
    AppendText(out, mark);
    out.resize(totalSize, 0x5A);
    return out;
}

} // namespace keyloft::marks::samples
