#include <gtest/gtest.h>

#include "core/convert/Config.h"
#include "core/convert/MidiMarkers.h"
#include "core/convert/StyMIDI.h"
#include "core/player/SongMIDI.h"
#include "core/portable/marks/SongMark.h"
#include "core/portable/midi/MidiReader.h"
#include "tests/player/PlayerTestSupport.h"

namespace {

using keyloft::midi::MidiFile;
using keyloft::midi::MidiTrack;
namespace meta = keyloft::midi::meta;

class TempFile {
public:
    explicit TempFile(const wchar_t* name) : path_(player_test::TempPath(name)) {}
    ~TempFile() { DeleteFileW(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const wchar_t* c_str() const { return path_.c_str(); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

MidiFile MakeStyleSource(bool timeSignature) {
    MidiFile file;
    file.division = 480;
    MidiTrack& head = file.AddTrack();
    if (timeSignature) {
        const std::uint8_t threeFour[] = {3, 2, 24, 8};
        file.AddMeta(head, 0, meta::TimeSignature, threeFour);
    }
    file.AddTempo(head, 0, 500000);
    file.AddMetaText(head, 0, meta::Marker, "SInt");
    file.AddMetaText(head, 480, meta::Marker, "intro a");
    file.AddMetaText(head, 2400, meta::Marker, "Verse");
    file.AddMetaText(head, 4320, meta::Marker, "Main A");
    MidiTrack& notes = file.AddTrack();
    file.AddChannel(notes, 0, 0xC0, 1);
    file.AddChannel(notes, 480, 0x90, 60, 100);
    file.AddChannel(notes, 960, 0x80, 60, 0);
    file.AddChannel(notes, 2400, 0x90, 61, 100);
    file.AddChannel(notes, 4320, 0x90, 62, 100);
    file.AddChannel(notes, 6240, 0x80, 62, 0);
    return file;
}

TEST(StyMIDI, LoadsAMarkerSplitSource) {
    TempFile source(L"style-source.mid");
    player_test::WriteMidi(source.path(), MakeStyleSource(false));
    STYMIDI::CStyMIDI converter;
    converter.m_timeBase = 120;
    converter.m_crossFill = false;
    converter.m_flag2 = false;
    converter.m_flag3 = false;
    std::wstring reason;
    ASSERT_TRUE(converter.LoadFile(source.c_str(), reason)) << std::string(reason.begin(), reason.end());
    EXPECT_EQ(converter.m_tempo, 120u) << "the fields the wizard reads are filled";
    EXPECT_EQ(converter.m_timeSigNumerator, 4);
    EXPECT_EQ(converter.Converter().Segment(keyloft::style::SegMainA).events.size(), 2u);

    TempFile junk(L"junk.mid");
    player_test::WriteBytes(junk.path(), {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    STYMIDI::CStyMIDI other;
    EXPECT_FALSE(other.LoadFile(junk.c_str(), reason));
    EXPECT_NE(reason.find(L"MIDI"), std::wstring::npos);
    EXPECT_FALSE(other.LoadFile(player_test::TempPath(L"absent.mid").c_str(), reason));
    EXPECT_FALSE(reason.empty());

    // Wide names reach the converter in ANSI bytes, cut when written.
    other.SetName(0, L"Ballad Slow And Quiet For Evening Use");
    other.SetName(1, L"Ballad");
    EXPECT_EQ(other.GetHeadSize(), 4u + 32u + 6u + 1u + 1u);
}

TEST(StyMIDI, WritesTheNameBlockAndEvenSegmentsIntoAStream) {
    TempFile source(L"style-source2.mid");
    player_test::WriteMidi(source.path(), MakeStyleSource(true));
    STYMIDI::CStyMIDI converter;
    converter.m_timeBase = 120;
    std::wstring reason;
    ASSERT_TRUE(converter.LoadFile(source.c_str(), reason));
    EXPECT_EQ(converter.m_timeSigNumerator, 3);
    converter.Converter().codePage = keyloft::style::CodePage(936);
    // Five Chinese characters (10 bytes) as a short name: four fit in 8 bytes.
    converter.SetName(0, "Pop");
    converter.SetName(1, "\xC1\xF7\xD0\xD0\xD2\xF4\xC0\xD6\xBA\xC3");
    EXPECT_EQ(converter.GetHeadSize(), 4u + 3u + 8u + 1u + 0u);
    converter.Prepare();

    CMemFile stream(4096);
    const BYTE prefix[80] = {};
    stream.Write(prefix, sizeof prefix);  // the body's head fields before the name block
    converter.WriteHead(stream);
    EXPECT_EQ(stream.GetPosition(), 80u + 16u);
    std::vector<BYTE> filler(896, 0);
    stream.Write(filler.data(), static_cast<UINT>(filler.size()));
    std::map<int, WORD> offsets;
    CConfig config(keyloft::style::ParseSegmentDefaults("[INTRO A]\nCrash Note=49\n"));
    converter.WriteSegments(stream, offsets, config);
    ASSERT_EQ(offsets.size(), 3u) << "SINT, INTRO A and MAIN A";
    EXPECT_EQ(offsets[2], (80 + 16 + 896) / 2);
    EXPECT_EQ(stream.GetLength() % 2, 0u);

    const ULONGLONG length = stream.GetLength();
    std::vector<BYTE> body(static_cast<std::size_t>(length));
    stream.SeekToBegin();
    stream.Read(body.data(), static_cast<UINT>(body.size()));
    EXPECT_EQ(body[80 + 1], 8) << "short name cut at a character boundary (the rules: the name block suite)";
    EXPECT_EQ(body[offsets[3] * 2u], 3);
    EXPECT_EQ(body[offsets[3] * 2u + 1], 49);
    EXPECT_EQ(body[offsets[6] * 2u], 6);
}

TEST(Config, DefValueIniIsClampedAndAMissingFileKeepsZeros) {
    TempFile ini(L"DefValue.ini");
    const std::string text = "[FILL IN AB]\r\nVelocity=300\r\n[INTRO B]\r\nVelocity=64\r\n";
    player_test::WriteBytes(ini.path(), std::vector<std::uint8_t>(text.begin(), text.end()));
    const keyloft::style::SegmentDefaults loaded = LoadSegmentDefaultsFile(ini.c_str());
    EXPECT_EQ(loaded.velocity[7], 127);
    EXPECT_EQ(loaded.crashNote[1], 55);
    EXPECT_EQ(loaded.velocity[1], 64);

    const keyloft::style::SegmentDefaults missing =
        LoadSegmentDefaultsFile(player_test::TempPath(L"NoDefValue.ini").c_str());
    for (int slot = 0; slot < keyloft::style::DefaultSlotCount; ++slot) {
        EXPECT_EQ(missing.crashNote[static_cast<std::size_t>(slot)], 0);
        EXPECT_EQ(missing.velocity[static_cast<std::size_t>(slot)], 0);
    }

    SetAppSegmentDefaults(loaded);
    const CConfig config;
    EXPECT_EQ(config.GetVelocity(keyloft::style::SegFillInAB), 127);
    EXPECT_EQ(config.GetCrashNote(keyloft::style::SegMainA), 0);
    SetAppSegmentDefaults({});
}

TEST(MidiMarkers, ReadsTheFirstTrackOnly) {
    TempFile source(L"markers.mid");
    MidiFile file = MakeStyleSource(true);
    file.AddMetaText(file.tracks[1], 0, meta::Marker, "MAIN B");
    player_test::WriteMidi(source.path(), file);
    std::vector<std::string> markers;
    ASSERT_TRUE(ReadMidiMarkers(source.c_str(), markers));
    EXPECT_EQ(markers, (std::vector<std::string>{"SInt", "intro a", "Verse", "Main A"}));

    CStringArray texts;
    ASSERT_TRUE(ReadMidiMarkers(source.c_str(), texts));
    ASSERT_EQ(texts.GetSize(), 4);
    EXPECT_EQ(std::wstring(texts[1].GetString()), L"intro a");

    TempFile cut(L"cut.mid");
    auto bytes = *keyloft::midi::WriteMidiFile(file);
    bytes.resize(bytes.size() - 10);
    player_test::WriteBytes(cut.path(), bytes);
    EXPECT_FALSE(ReadMidiMarkers(cut.c_str(), markers));
    EXPECT_TRUE(markers.empty());
}

TEST(SongConversion, RemovedChannelsAreAbsentAndTheMarkPasses) {
    MidiFile song;
    song.division = 96;
    MidiTrack& track = song.AddTrack();
    for (std::uint8_t channel = 0; channel < 4; ++channel) {
        song.AddChannel(track, 0, 0x90 | channel, 60, 100);
        song.AddChannel(track, 96, 0x80 | channel, 60, 0);
    }
    TempFile source(L"convert-source.mid");
    TempFile output(L"convert-output.mid");
    player_test::WriteMidi(source.path(), song);
    CSongMIDI player;
    ASSERT_TRUE(player.LoadFile(source.c_str(), nullptr));
    const int removed[16] = {0, 1, 0, 0};
    std::wstring error;
    ASSERT_TRUE(player.ConvertForDevice(L"RX470", removed, player, output.c_str(), 2, error));

    const auto bytes = player_test::ReadBytes(output.path());
    EXPECT_EQ(keyloft::marks::CheckSongFile(keyloft::marks::MemoryByteSource(bytes)), keyloft::marks::SongCheck::Ok);
    // Which tracks the form keeps is the song form suite's; here: the player's file reads back.
    CSongMIDI back;
    ASSERT_TRUE(back.LoadFile(output.c_str(), nullptr));
    EXPECT_EQ(back.m_used[1], 0);

    EXPECT_FALSE(player.ConvertForDevice(L"", removed, player, output.c_str(), -1, error));
    EXPECT_FALSE(player.ConvertForDevice(L"RX470", removed, player, L"Z:\\no\\such\\folder\\x.mid", -1, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
