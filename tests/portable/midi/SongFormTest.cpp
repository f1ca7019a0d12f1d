#include <gtest/gtest.h>

#include "core/portable/marks/FileMarks.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/portable/midi/SongForm.h"
#include "core/portable/midi/SongMarks.h"

namespace keyloft::midi {
namespace {

MidiFile MakeSong() {
    MidiFile song;
    song.division = 192;
    MidiTrack& head = song.AddTrack();
    song.AddMetaText(head, 0, meta::TrackName, "Song");
    song.AddTempo(head, 0, 500000);
    MidiTrack& parts = song.AddTrack();
    for (std::uint8_t channel = 0; channel < 16; ++channel) {
        song.AddChannel(parts, 0, 0xC0 | channel, channel);
        song.AddChannel(parts, 10, 0x90 | channel, 60, 100);
        song.AddChannel(parts, 200, 0x80 | channel, 60, 0);
    }
    MidiTrack& marked = song.AddTrack();  // channel 5 carries an old melody mark
    song.AddChannel(marked, 0, 0xB5, 99, 0x32);
    song.AddChannel(marked, 0, 0xB5, 98, 0x0C);
    song.AddChannel(marked, 0, 0xB5, 6, 1);
    const std::uint8_t sysex[] = {0x7E, 0x7F, 0x09, 0x01, 0xF7};
    song.AddSysEx(marked, 0, sysex);
    return song;
}

TEST(SongForm, PassesTheMarkCheckAndLeavesRemovedChannelsOut) {
    SongFormRequest request;
    request.makerModelMark = marks::kMakerModelText;
    request.removed[3] = true;
    request.removed[9] = true;
    request.mainMelodyChannel = 7;
    const auto bytes = *WriteMidiFile(*BuildSongForm(MakeSong(), request));

    const marks::MemoryByteSource source(bytes);
    EXPECT_EQ(marks::CheckSongFile(source), marks::SongCheck::Ok);

    MidiFile back;
    ASSERT_TRUE(ReadMidiFile(bytes, back).ok);
    EXPECT_EQ(back.format, 1);
    ASSERT_EQ(back.tracks.size(), 15u) << "conductor and 14 kept channels";
    for (std::size_t t = 1; t < back.tracks.size(); ++t) {
        for (const MidiEvent& event : back.tracks[t].events) {
            if (event.kind == EventKind::Channel) {
                EXPECT_NE(event.Channel(), 3);
                EXPECT_NE(event.Channel(), 9);
            }
        }
    }
    EXPECT_EQ(FindMelodyMarkChannel(back), 7) << "the old mark of channel 5 is replaced";
    // The tempo and the sysex live in the conductor, after the mark.
    const auto& conductor = back.tracks[0].events;
    EXPECT_TRUE(conductor[0].IsMeta(meta::Text));
    EXPECT_EQ(back.PayloadText(conductor[0]), marks::kMakerModelText);
    EXPECT_TRUE(std::any_of(conductor.begin(), conductor.end(),
                            [](const MidiEvent& e) { return e.IsMeta(meta::Tempo); }));
    EXPECT_TRUE(std::any_of(conductor.begin(), conductor.end(),
                            [](const MidiEvent& e) { return e.kind == EventKind::SysEx; }));
}

TEST(SongForm, NeverExceedsTheTrackLimitAndNeedsAFourteenByteMark) {
    SongFormRequest request;
    request.makerModelMark = marks::kMakerModelText;
    const MidiFile all = *BuildSongForm(MakeSong(), request);
    EXPECT_EQ(all.tracks.size(), static_cast<std::size_t>(SongFormMaxTracks));
    EXPECT_EQ(SongFormMaxTracks, marks::kSongMaxTracks) << "the writer and the check share the limit";
    EXPECT_EQ(FindMelodyMarkChannel(all), -1);
    const auto bytes = *WriteMidiFile(all);
    EXPECT_EQ(marks::CheckSongFile(marks::MemoryByteSource(bytes)), marks::SongCheck::Ok);

    request.makerModelMark = "SHORT";
    EXPECT_FALSE(BuildSongForm(MakeSong(), request).has_value());
}

}  // namespace
}  // namespace keyloft::midi
