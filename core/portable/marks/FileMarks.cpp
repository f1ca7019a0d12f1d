#include "core/portable/marks/FileMarks.h"

#include "core/portable/marks/SongMark.h"
#include "core/portable/marks/StyleLayout.h"

#include <algorithm>

namespace keyloft::marks {

bool StartsWithMark(const ByteSource& source, std::string_view mark)
{
    std::array<std::uint8_t, kMarkLength> head{};
    if (mark.size() != kMarkLength || !source.ReadAt(0, head))
        return false;
    return std::equal(head.begin(), head.end(), mark.begin(),
                      [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); });
}

bool HasStyleMark(const ByteSource& source) { return StartsWithMark(source, kStyleMarkText); }
bool IsVoiceFile(const ByteSource& source) { return StartsWithMark(source, kVoiceMarkText); }
bool IsMemoryFile(const ByteSource& source) { return StartsWithMark(source, kMemoryMarkText); }

bool IsStyleFile(const ByteSource& source)
{
    if (!HasStyleMark(source) || !ParseStyleLayout(source))
        return false;
    const auto stored = ReadStoredStyleChecksum(source);
    const auto computed = ComputeStyleChecksum(source);
    return stored && computed && *stored == *computed;
}

bool IsSongFile(const ByteSource& source) { return CheckSongFile(source) == SongCheck::Ok; }

bool PassesMarkCheck(FileKind kind, const ByteSource& source)
{
    switch (kind) {
    case FileKind::Song: return IsSongFile(source);
    case FileKind::Style: return IsStyleFile(source);
    case FileKind::Voice: return IsVoiceFile(source);
    case FileKind::Memory: return IsMemoryFile(source);
    }
    return false;
}

} // namespace keyloft::marks
