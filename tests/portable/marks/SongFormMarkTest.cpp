// The song writer and the song check must agree on the mark and the track limit.
#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/midi/MidiFile.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/SongForm.h"

#include <gtest/gtest.h>

namespace keyloft::marks {
namespace {

midi::MidiFile SourceWithChannels(int channels)
{
    midi::MidiFile source;
    source.AddTrack();
    source.AddTempo(source.tracks[0], 0, 500000);
    for (int channel = 0; channel < channels; ++channel) {
        midi::MidiTrack& track = source.AddTrack();
        const auto status = static_cast<std::uint8_t>(0x90 | channel);
        source.AddChannel(track, 0, status, 60, 100);
        source.AddChannel(track, 96, status, 60, 0);
    }
    return source;
}

SongCheck CheckWritten(const midi::MidiFile& file)
{
    const std::vector<std::uint8_t> bytes = midi::WriteMidiFile(file);
    return CheckSongFile(MemoryByteSource(bytes));
}

TEST(SongFormMark, WrittenSongsPassTheSongCheck)
{
    midi::SongFormRequest request;
    request.makerModelMark = kMakerModelText;
    EXPECT_EQ(CheckWritten(midi::BuildSongForm(SourceWithChannels(2), request)), SongCheck::Ok);
    EXPECT_EQ(CheckWritten(midi::BuildSongForm(SourceWithChannels(16), request)), SongCheck::Ok);
    EXPECT_EQ(midi::SongFormMaxTracks, kSongMaxTracks);
}

TEST(SongFormMark, AnotherMakersTextFailsTheCheck)
{
    midi::SongFormRequest request;
    request.makerModelMark = "OTHER  MAKER  ";
    EXPECT_EQ(CheckWritten(midi::BuildSongForm(SourceWithChannels(2), request)), SongCheck::NoMark);
}

} // namespace
} // namespace keyloft::marks
