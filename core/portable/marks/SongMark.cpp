#include "core/portable/marks/SongMark.h"

#include "core/portable/marks/FileMarks.h"
#include "core/portable/midi/TrackWalk.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace keyloft::marks {
namespace {

constexpr std::uint64_t kChunkHeaderSize = 8;

bool ChunkIdIs(const ByteSource& source, std::uint64_t offset, std::string_view id)
{
    std::array<std::uint8_t, 4> bytes{};
    return source.ReadAt(offset, bytes) &&
           std::equal(bytes.begin(), bytes.end(), id.begin(),
                      [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); });
}

SongCheck CheckFirstTrack(const ByteSource& source, std::uint64_t dataOffset, std::uint32_t length)
{
    std::vector<std::uint8_t> data(length);
    if (!source.ReadAt(dataOffset, data))
        return SongCheck::Truncated;
    const std::size_t markSize = kSongMarkEventPrefix.size() + kMakerModelLength;
    if (data.size() < markSize ||
        !std::equal(kSongMarkEventPrefix.begin(), kSongMarkEventPrefix.end(), data.begin()) ||
        !std::equal(kMakerModelText.begin(), kMakerModelText.end(),
                    data.begin() + kSongMarkEventPrefix.size(),
                    [](char c, std::uint8_t b) { return b == static_cast<std::uint8_t>(c); }))
        return SongCheck::NoMark;
    // The file reader's own walk, so that a song the check passes is one the player reads.
    const midi::TrackWalkResult walk = midi::WalkTrack(data, 0, data.size(), [](const midi::WalkedEvent&) {});
    return walk.error == nullptr && walk.endOfTrack ? SongCheck::Ok : SongCheck::DamagedTrack;
}

} // namespace

SongCheck CheckSongFile(const ByteSource& source)
{
    const std::uint64_t size = source.Size();
    std::uint32_t headerLength = 0;
    if (!ChunkIdIs(source, 0, "MThd") || !ReadU32BE(source, 4, headerLength) || headerLength < 6)
        return SongCheck::NotMidi;
    std::uint16_t format = 0, tracks = 0, division = 0;
    if (!ReadU16BE(source, 8, format) || !ReadU16BE(source, 10, tracks) ||
        !ReadU16BE(source, 12, division))
        return SongCheck::NotMidi;
    if (format != 1 || division == 0)
        return SongCheck::NotFormat1;
    if (tracks == 0 || tracks > kSongMaxTracks)
        return SongCheck::TrackLimit;
    if (headerLength > size - kChunkHeaderSize)
        return SongCheck::Truncated;

    std::uint64_t offset = kChunkHeaderSize + headerLength;
    std::uint16_t found = 0;
    while (found < tracks) {
        std::uint32_t length = 0;
        if (offset > size || size - offset < kChunkHeaderSize || !ReadU32BE(source, offset + 4, length))
            return SongCheck::Truncated;
        const std::uint64_t dataOffset = offset + kChunkHeaderSize;
        if (length > size - dataOffset)
            return SongCheck::Truncated;
        // Chunks of unknown type are allowed between tracks and passed over.
        if (ChunkIdIs(source, offset, "MTrk")) {
            if (found == 0) {
                const SongCheck first = CheckFirstTrack(source, dataOffset, length);
                if (first != SongCheck::Ok)
                    return first;
            }
            ++found;
        }
        offset = dataOffset + length;
    }
    return SongCheck::Ok;
}

std::string_view DescribeSongCheck(SongCheck result)
{
    switch (result) {
    case SongCheck::Ok: return "ok";
    case SongCheck::NotMidi: return "not a MIDI file";
    case SongCheck::NotFormat1: return "not a format-1 MIDI file";
    case SongCheck::TrackLimit: return "track count outside 1..17";
    case SongCheck::Truncated: return "chunk past the end of the file";
    case SongCheck::NoMark: return "first track lacks the maker and model mark";
    case SongCheck::DamagedTrack: return "first track damaged";
    }
    return "unknown";
}

} // namespace keyloft::marks
