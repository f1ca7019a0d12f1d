// The instrument's song mark. A song is a format-1 Standard MIDI File of at most
// 17 tracks (a conductor track and one per channel) whose first track opens with
// a Text meta event, at delta time 0, of exactly the 14 bytes "KELVOR RX470  ":
//   00 FF 01 0E 4B 45 4C 56 4F 52 20 52 58 34 37 30 20 20
// Every chunk must lie inside the file, the file must hold as many track chunks
// as its header announces, and the first track must end with End of Track inside
// its chunk.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/portable/marks/ByteSource.h"

namespace keyloft::marks {

constexpr std::uint16_t kSongMaxTracks = 17;

// The first 18 bytes of the first track's data.
constexpr std::array<std::uint8_t, 4> kSongMarkEventPrefix = {0x00, 0xFF, 0x01, 0x0E};

enum class SongCheck {
    Ok,
    NotMidi,          // no MThd header of at least 6 bytes
    NotFormat1,       // another SMF format, or a zero time division
    TrackLimit,       // no tracks, or more than kSongMaxTracks
    Truncated,        // a chunk runs past the end, or tracks are missing
    NoMark,           // the first track does not open with the mark event
    DamagedTrack,     // the first track's events run past its chunk or never end
};

SongCheck CheckSongFile(const ByteSource& source);

// Short English reason for the trace log.
std::string_view DescribeSongCheck(SongCheck result);

} // namespace keyloft::marks
