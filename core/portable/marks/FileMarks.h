// The marks by which the instrument's own files are recognised. One place for the
// bytes: the checks, the song and style writers and the simulated instrument use
// these constants.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/portable/marks/ByteSource.h"

namespace keyloft::marks {

constexpr std::size_t kMarkLength = 24;
constexpr std::size_t kMakerModelLength = 14;

// "KELVOR RX470  ": maker, one blank, model code, two blanks. The first 14 bytes
// of every 24-byte mark and the text of a song's mark event.
constexpr std::string_view kMakerModelText = "KELVOR RX470  ";
constexpr std::string_view kStyleMarkText = "KELVOR RX470  STYLE 0001";
constexpr std::string_view kVoiceMarkText = "KELVOR RX470  VOICE 0001";
constexpr std::string_view kMemoryMarkText = "KELVOR RX470  MEMRY 0001";

// The series every supported model belongs to.
constexpr std::string_view kDeviceSeries = "RX470";

static_assert(kMakerModelText.size() == kMakerModelLength);
static_assert(kStyleMarkText.size() == kMarkLength);
static_assert(kVoiceMarkText.size() == kMarkLength);
static_assert(kMemoryMarkText.size() == kMarkLength);
static_assert(kStyleMarkText.substr(0, kMakerModelLength) == kMakerModelText);

enum class FileKind { Song = 0, Style = 1, Voice = 2, Memory = 3 };

// True when the source holds at least 24 bytes and they equal the mark.
bool StartsWithMark(const ByteSource& source, std::string_view mark);

bool HasStyleMark(const ByteSource& source);
// A voice or memory file: the mark and nothing else is known of its content.
bool IsVoiceFile(const ByteSource& source);
bool IsMemoryFile(const ByteSource& source);
// A style file: the mark, a head whose name block, settings block and segment
// offsets all lie inside the file, and a matching checksum (see StyleLayout.h);
// the checksum is what reveals a file cut short inside its last segment.
bool IsStyleFile(const ByteSource& source);
// A song file: see SongMark.h.
bool IsSongFile(const ByteSource& source);

// The kind's full check; Song/Style/Voice/Memory as above.
bool PassesMarkCheck(FileKind kind, const ByteSource& source);

} // namespace keyloft::marks
