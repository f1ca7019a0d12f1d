#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/midi/MidiReader.h"
#include "tests/portable/marks/MarkSamples.h"

#include <gtest/gtest.h>

#include <functional>

namespace keyloft::marks {
namespace {

using samples::Bytes;

SongCheck Check(const Bytes& bytes)
{
    const MemoryByteSource source(bytes);
    return CheckSongFile(source);
}

// A format-1 song whose first track holds `conductor`.
Bytes SongWithConductor(const Bytes& conductor)
{
    Bytes song = samples::Header(1, 1, 96);
    const Bytes chunk = samples::Track(conductor);
    song.insert(song.end(), chunk.begin(), chunk.end());
    return song;
}

TEST(SongMark, WellFormedSongsPassUpToTheTrackLimit)
{
    EXPECT_EQ(Check(samples::MakeSong(0)), SongCheck::Ok);
    EXPECT_EQ(Check(samples::MakeSong(kSongMaxTracks - 1)), SongCheck::Ok);
    EXPECT_EQ(Check(samples::MakeSong(kSongMaxTracks)), SongCheck::TrackLimit);
    EXPECT_EQ(Check({}), SongCheck::NotMidi);
    EXPECT_NE(DescribeSongCheck(SongCheck::NoMark), DescribeSongCheck(SongCheck::Truncated));
}

TEST(SongMark, DamagedHeadersAndLengthsAreNamed)
{
    const std::size_t second = 14 + 8 + samples::MakeMarkedConductorTrack().size();
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
        SongCheck expected;
    } cases[] = {
        {"format 0", [](Bytes& s) { s[9] = 0; }, SongCheck::NotFormat1},
        {"no tracks", [](Bytes& s) { s[10] = s[11] = 0; }, SongCheck::TrackLimit},
        {"time division 0", [](Bytes& s) { s[12] = s[13] = 0; }, SongCheck::NotFormat1},
        {"wrong magic", [](Bytes& s) { s[0] = 'X'; }, SongCheck::NotMidi},
        {"header only", [](Bytes& s) { s.resize(14); }, SongCheck::Truncated},
        {"header cut", [](Bytes& s) { s.resize(10); }, SongCheck::NotMidi},
        {"huge header length", [](Bytes& s) { s[4] = 0xFF; }, SongCheck::Truncated},
        {"track length beyond the file", [second](Bytes& s) { s[second + 4] = 0x7F; }, SongCheck::Truncated},
        {"more tracks announced than present", [](Bytes& s) { s[11] = 3; }, SongCheck::Truncated},
        {"mark text changed", [](Bytes& s) { s[22 + 4 + 7] = 'X'; }, SongCheck::NoMark},
        {"mark as a track name", [](Bytes& s) { s[22 + 2] = 0x03; }, SongCheck::NoMark},
        {"mark not at time 0", [](Bytes& s) { s[22] = 0x01; }, SongCheck::NoMark},
    };
    for (const auto& c : cases) {
        Bytes song = samples::MakeSong(1);
        c.damage(song);
        EXPECT_EQ(Check(song), c.expected) << c.what;
    }
}

TEST(SongMark, EveryTruncationOfAGoodSongFails)
{
    const Bytes song = samples::MakeSong(2);
    for (std::size_t size = 0; size < song.size(); ++size) {
        const Bytes cut(song.begin(), song.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_NE(Check(cut), SongCheck::Ok) << "size " << size;
    }
}

TEST(SongMark, UnknownChunksBetweenTracksArePassedOver)
{
    Bytes song = samples::Header(1, 2, 96);
    const Bytes first = samples::Track(samples::MakeMarkedConductorTrack());
    song.insert(song.end(), first.begin(), first.end());
    song.insert(song.end(), {'X', 'F', 'I', 'H', 0, 0, 0, 3, 1, 2, 3});
    const Bytes second = samples::Track(Bytes{0x00, 0xFF, 0x2F, 0x00});
    song.insert(song.end(), second.begin(), second.end());
    EXPECT_EQ(Check(song), SongCheck::Ok);
}

// The song check walks the first track as the MIDI file reader does: one file, one answer.
TEST(SongMark, FirstTrackMustEndInsideItsChunkAndReadAsAMidiFile)
{
    Bytes noEnd = samples::MakeMarkedConductorTrack();
    noEnd.resize(noEnd.size() - 4); // drop End of Track
    EXPECT_EQ(Check(SongWithConductor(noEnd)), SongCheck::DamagedTrack);
    for (const Bytes& inserted : {Bytes{0x00, 0xFF, 0x06, 0x7F, 'A'},                // meta length past the chunk
                                  Bytes{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1},  // five-byte delta
                                  Bytes{0x00, 0x90, 60, 1, 0x00, 0xF0, 0x01, 0xF7, 0x00, 60, 0}, // running status after sysex
                                  Bytes{0x00, 0x90, 60, 0x80}}) {                    // data byte above 0x7F
        Bytes track = samples::MakeMarkedConductorTrack();
        track.insert(track.end() - 4, inserted.begin(), inserted.end());
        const Bytes song = SongWithConductor(track);
        EXPECT_EQ(Check(song), SongCheck::DamagedTrack);
        midi::MidiFile file;
        EXPECT_FALSE(midi::ReadMidiFile(song, file).ok);
    }
}

} // namespace
} // namespace keyloft::marks
