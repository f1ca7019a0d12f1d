// Reading a large generated MIDI file: the parse beside a plain read of the same
// bytes from disk, in the same run. Target: parsing at most 5 times the plain read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/portable/midi/MidiReader.h"
#include "core/portable/midi/MidiWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
using keyloft::midi::MidiFile;

// Sixteen tracks with every kind of event: notes (running status), controllers,
// program, pressure, pitch bend, tempo, markers, text, sysex and escapes.
MidiFile MakeLargeFile() {
    MidiFile file;
    file.format = 1;
    file.division = 480;
    std::uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7F;
    };
    const std::vector<std::uint8_t> sysex(200, 0x11);
    for (int t = 0; t < 16; ++t) {
        auto& track = file.AddTrack();
        const auto channel = static_cast<std::uint8_t>(t);
        std::uint32_t tick = 0;
        for (int i = 0; i < 40000; ++i) {
            tick += next() % 8;
            const std::uint8_t note = static_cast<std::uint8_t>(next());
            file.AddChannel(track, tick, 0x90 | channel, note, 100);
            file.AddChannel(track, tick + 1, 0x90 | channel, note, 0);
            switch (i % 16) {
            case 0: file.AddChannel(track, tick, 0xB0 | channel, 7, static_cast<std::uint8_t>(next())); break;
            case 3: file.AddChannel(track, tick, 0xC0 | channel, static_cast<std::uint8_t>(next())); break;
            case 5: file.AddChannel(track, tick, 0xD0 | channel, static_cast<std::uint8_t>(next())); break;
            case 7: file.AddChannel(track, tick, 0xE0 | channel, 0, static_cast<std::uint8_t>(next())); break;
            case 9: file.AddChannel(track, tick, 0xA0 | channel, note, 10); break;
            case 11: file.AddMetaText(track, tick, keyloft::midi::meta::Marker, "MAIN A"); break;
            case 13: file.AddSysEx(track, tick, sysex); break;
            case 15: if (t == 0) file.AddTempo(track, tick, 400000 + next() * 1000); break;
            default: break;
            }
            ++tick;
        }
    }
    return file;
}

std::vector<std::uint8_t> PlainRead(const std::string& path) {
    // One sized read, the fastest ordinary way to get the bytes into memory.
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    const std::vector<std::uint8_t> bytes = keyloft::midi::WriteMidiFile(MakeLargeFile());
    const std::string path = "bench_midifile.mid";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<double> plainMs;
    std::vector<double> parseMs;
    std::size_t events = 0;
    for (int round = 0; round < 9; ++round) {
        auto start = Clock::now();
        const auto read = PlainRead(path);
        plainMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());

        start = Clock::now();
        const auto again = PlainRead(path);
        MidiFile file;
        const auto result = keyloft::midi::ReadMidiFile(again, file);
        parseMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!result.ok || read.size() != bytes.size()) {
            std::fprintf(stderr, "read failed: %s\n", result.Describe().c_str());
            return 1;
        }
        events = 0;
        for (const auto& track : file.tracks) {
            events += track.events.size();
        }
    }
    std::remove(path.c_str());
    const double plain = Median(plainMs);
    const double parse = Median(parseMs);
    std::printf("MIDI file: %.2f MB, %zu events\n", static_cast<double>(bytes.size()) / 1e6, events);
    std::printf("plain read:        %8.2f ms (median of 9)\n", plain);
    std::printf("read and parse:    %8.2f ms (median of 9)\n", parse);
    std::printf("ratio:             %8.2f (target <= 5)\n", parse / plain);
    return 0;
}
