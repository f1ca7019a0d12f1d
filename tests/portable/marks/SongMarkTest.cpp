#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "tests/portable/marks/MarkSamples.h"

#include <gtest/gtest.h>

namespace keyloft::marks {
namespace {

using samples::Bytes;

SongCheck Check(const Bytes& bytes)
{
    const MemoryByteSource source(bytes);
    return CheckSongFile(source);
}

TEST(SongMark, WellFormedSongsPassUpToTheTrackLimit)
{
    EXPECT_EQ(Check(samples::MakeSong(0)), SongCheck::Ok);
    EXPECT_EQ(Check(samples::MakeSong(2)), SongCheck::Ok);
    EXPECT_EQ(Check(samples::MakeSong(kSongMaxTracks - 1)), SongCheck::Ok);
    EXPECT_EQ(Check(samples::MakeSong(kSongMaxTracks)), SongCheck::TrackLimit);
}

TEST(SongMark, HeaderMustAnnounceFormatOneAndSomeTracks)
{
    Bytes song = samples::MakeSong(1);
    song[9] = 0; // format 0
    EXPECT_EQ(Check(song), SongCheck::NotFormat1);
    song = samples::MakeSong(1);
    song[10] = song[11] = 0;
    EXPECT_EQ(Check(song), SongCheck::TrackLimit);
    song = samples::MakeSong(1);
    song[12] = song[13] = 0; // time division 0
    EXPECT_EQ(Check(song), SongCheck::NotFormat1);
    song = samples::MakeSong(1);
    song[0] = 'X';
    EXPECT_EQ(Check(song), SongCheck::NotMidi);
}

TEST(SongMark, EmptyAndHeaderOnlyFilesAreNotSongs)
{
    EXPECT_EQ(Check({}), SongCheck::NotMidi);
    Bytes header = samples::MakeHeader(1, 1);
    EXPECT_EQ(Check(header), SongCheck::Truncated);
    header.resize(10);
    EXPECT_EQ(Check(header), SongCheck::NotMidi);
}

TEST(SongMark, EveryTruncationOfAGoodSongFails)
{
    const Bytes song = samples::MakeSong(2);
    for (std::size_t size = 0; size < song.size(); ++size) {
        const Bytes cut(song.begin(), song.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_NE(Check(cut), SongCheck::Ok) << "size " << size;
    }
}

TEST(SongMark, ChunkLengthsBeyondTheFileAreRejected)
{
    Bytes song = samples::MakeSong(1);
    // Second track's length field claims far more than the file holds.
    const std::size_t second = 14 + 8 + samples::MakeMarkedConductorTrack().size();
    song[second + 4] = 0x7F;
    EXPECT_EQ(Check(song), SongCheck::Truncated);
    // Header length claims a huge header.
    song = samples::MakeSong(1);
    song[4] = 0xFF;
    EXPECT_EQ(Check(song), SongCheck::Truncated);
}

TEST(SongMark, HeaderAnnouncingMoreTracksThanPresentIsTruncated)
{
    Bytes song = samples::MakeSong(1);
    song[11] = 3;
    EXPECT_EQ(Check(song), SongCheck::Truncated);
}

TEST(SongMark, MarkMustBeTheFirstEventWithExactBytes)
{
    Bytes song = samples::MakeSong(1);
    song[22 + 4 + 7] = 'X'; // inside "RX470"
    EXPECT_EQ(Check(song), SongCheck::NoMark);

    song = samples::MakeSong(1);
    song[22 + 2] = 0x03; // a track name instead of a text event
    EXPECT_EQ(Check(song), SongCheck::NoMark);

    song = samples::MakeSong(1);
    song[22] = 0x01; // mark not at delta time 0
    EXPECT_EQ(Check(song), SongCheck::NoMark);
}

TEST(SongMark, UnknownChunksBetweenTracksArePassedOver)
{
    Bytes song = samples::MakeHeader(1, 2);
    const Bytes first = samples::MakeTrackChunk(samples::MakeMarkedConductorTrack());
    song.insert(song.end(), first.begin(), first.end());
    samples::AppendText(song, "XFIH");
    samples::AppendU32BE(song, 3);
    song.insert(song.end(), {1, 2, 3});
    const Bytes second = samples::MakeTrackChunk({0x00, 0xFF, 0x2F, 0x00});
    song.insert(song.end(), second.begin(), second.end());
    EXPECT_EQ(Check(song), SongCheck::Ok);
}

TEST(SongMark, FirstTrackMustEndInsideItsChunk)
{
    Bytes track = samples::MakeMarkedConductorTrack();
    track.resize(track.size() - 4); // drop End of Track
    Bytes song = samples::MakeHeader(1, 1);
    Bytes chunk = samples::MakeTrackChunk(track);
    song.insert(song.end(), chunk.begin(), chunk.end());
    EXPECT_EQ(Check(song), SongCheck::DamagedTrack);

    // A meta event whose length runs past the chunk.
    track = samples::MakeMarkedConductorTrack();
    track.insert(track.end() - 4, {0x00, 0xFF, 0x06, 0x7F, 'A'});
    song = samples::MakeHeader(1, 1);
    chunk = samples::MakeTrackChunk(track);
    song.insert(song.end(), chunk.begin(), chunk.end());
    EXPECT_EQ(Check(song), SongCheck::DamagedTrack);

    // A variable-length quantity of more than four bytes.
    track = samples::MakeMarkedConductorTrack();
    track.insert(track.end() - 4, {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1});
    song = samples::MakeHeader(1, 1);
    chunk = samples::MakeTrackChunk(track);
    song.insert(song.end(), chunk.begin(), chunk.end());
    EXPECT_EQ(Check(song), SongCheck::DamagedTrack);
}

TEST(SongMark, ReasonsAreDescribed)
{
    EXPECT_EQ(DescribeSongCheck(SongCheck::Ok), "ok");
    EXPECT_NE(DescribeSongCheck(SongCheck::NoMark), DescribeSongCheck(SongCheck::Truncated));
}

} // namespace
} // namespace keyloft::marks
