#include "core/portable/marks/FileMarks.h"
#include "tests/portable/marks/MarkSamples.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace keyloft::marks {
namespace {

using samples::Bytes;

bool Passes(FileKind kind, const Bytes& bytes)
{
    const MemoryByteSource source(bytes);
    return PassesMarkCheck(kind, source);
}

TEST(FileMarks, VoiceAndMemoryNeedTheirOwnFullMark)
{
    EXPECT_TRUE(Passes(FileKind::Voice, samples::MakeMarked(kVoiceMarkText, 300)));
    EXPECT_TRUE(Passes(FileKind::Memory, samples::MakeMarked(kMemoryMarkText, 300)));
    EXPECT_TRUE(Passes(FileKind::Voice, samples::MakeMarked(kVoiceMarkText, 24)));
    EXPECT_FALSE(Passes(FileKind::Voice, samples::MakeMarked(kMemoryMarkText, 300)));
    EXPECT_FALSE(Passes(FileKind::Memory, samples::MakeMarked(kVoiceMarkText, 300)));
    EXPECT_FALSE(Passes(FileKind::Memory, samples::MakeMarked(kStyleMarkText, 300)));
    EXPECT_FALSE(Passes(FileKind::Voice, {}));
    const Bytes voice = samples::MakeMarked(kVoiceMarkText, 24);
    EXPECT_FALSE(Passes(FileKind::Voice, Bytes(voice.begin(), voice.end() - 1)));
}

TEST(FileMarks, EachKindRejectsTheOthersFiles)
{
    const Bytes song = samples::MakeSong();
    const Bytes style = samples::MakeStyle();
    EXPECT_TRUE(Passes(FileKind::Song, song));
    EXPECT_TRUE(Passes(FileKind::Style, style));
    EXPECT_FALSE(Passes(FileKind::Song, style));
    EXPECT_FALSE(Passes(FileKind::Style, song));
    EXPECT_FALSE(Passes(FileKind::Voice, style));
    EXPECT_FALSE(Passes(FileKind::Style, samples::MakeMarked(kStyleMarkText, 100)));
}

TEST(FileMarks, ByteReadsStopAtTheEnd)
{
    const Bytes bytes = {1, 2, 3};
    const MemoryByteSource source(bytes);
    std::uint16_t value = 0;
    EXPECT_TRUE(ReadU16BE(source, 1, value));
    EXPECT_EQ(value, 0x0203);
    EXPECT_FALSE(ReadU16LE(source, 2, value));
    std::uint32_t wide = 0;
    EXPECT_FALSE(ReadU32BE(source, 0, wide));
    std::array<std::uint8_t, 1> one{};
    EXPECT_FALSE(source.ReadAt(~std::uint64_t{0}, one));
}

// The fuzz seeds are written by a separate script; they must agree with the checks
// (read here through the file source, which must also report a missing file).
TEST(FileMarks, GeneratedSeedFilesAgreeWithTheChecks)
{
    const std::filesystem::path seeds = std::filesystem::path(KEYLOFT_TESTS_DIR) / "fuzz" / "corpus" / "marks";
    const auto passes = [&](const char* name, FileKind kind) {
        const FileByteSource source(seeds / name);
        EXPECT_TRUE(source.IsOpen()) << name;
        return PassesMarkCheck(kind, source);
    };
    EXPECT_TRUE(passes("style_basic", FileKind::Style));
    EXPECT_TRUE(passes("style_cross_fill", FileKind::Style));
    EXPECT_TRUE(passes("style_no_segments", FileKind::Style));
    EXPECT_FALSE(passes("style_short_table", FileKind::Style));
    EXPECT_FALSE(passes("style_offset_outside", FileKind::Style));
    EXPECT_TRUE(passes("song_basic", FileKind::Song));
    EXPECT_TRUE(passes("song_conductor_only", FileKind::Song));
    EXPECT_TRUE(passes("voice", FileKind::Voice));
    EXPECT_TRUE(passes("memory", FileKind::Memory));
    EXPECT_FALSE(passes("memory", FileKind::Voice));
    const FileByteSource missing(seeds / "no_such_seed");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(IsVoiceFile(missing));
}

} // namespace
} // namespace keyloft::marks
