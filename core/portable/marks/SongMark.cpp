#include "core/portable/marks/SongMark.h"

#include "core/portable/marks/FileMarks.h"

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

// Walks the events of one track chunk held in memory; true when End of Track is
// reached without leaving the chunk.
class TrackWalker {
public:
    explicit TrackWalker(const std::vector<std::uint8_t>& data) : m_data(data) {}

    bool ReachesEndOfTrack()
    {
        std::uint8_t runningStatus = 0;
        while (m_pos < m_data.size()) {
            if (!SkipVariableLength())
                return false;
            std::uint8_t status = 0;
            if (!Peek(status))
                return false;
            if (status & 0x80) {
                ++m_pos;
            } else if (runningStatus == 0) {
                return false;
            } else {
                status = runningStatus;
            }

            if (status == 0xFF) {
                std::uint8_t type = 0;
                if (!Next(type))
                    return false;
                std::uint32_t length = 0;
                if (!ReadVariableLength(length) || !Skip(length))
                    return false;
                if (type == 0x2F)
                    return true;
                runningStatus = 0;
            } else if (status == 0xF0 || status == 0xF7) {
                std::uint32_t length = 0;
                if (!ReadVariableLength(length) || !Skip(length))
                    return false;
                runningStatus = 0;
            } else if (status >= 0xF0) {
                return false; // system common/real-time bytes do not belong in a file
            } else {
                const std::uint8_t kind = status & 0xF0;
                const std::uint32_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (!Skip(dataBytes))
                    return false;
                runningStatus = status;
            }
        }
        return false;
    }

private:
    bool Peek(std::uint8_t& b) const
    {
        if (m_pos >= m_data.size())
            return false;
        b = m_data[m_pos];
        return true;
    }
    bool Next(std::uint8_t& b)
    {
        if (!Peek(b))
            return false;
        ++m_pos;
        return true;
    }
    bool Skip(std::uint32_t count)
    {
        if (count > m_data.size() - m_pos)
            return false;
        m_pos += count;
        return true;
    }
    bool ReadVariableLength(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!Next(b))
                return false;
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool SkipVariableLength()
    {
        std::uint32_t ignored = 0;
        return ReadVariableLength(ignored);
    }

    const std::vector<std::uint8_t>& m_data;
    std::size_t m_pos = 0;
};

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
    return TrackWalker(data).ReachesEndOfTrack() ? SongCheck::Ok : SongCheck::DamagedTrack;
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
