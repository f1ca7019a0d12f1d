#include "tests/e2e/SampleFiles.h"

#include <cstdint>
#include <string_view>

namespace e2e {
namespace {

constexpr std::string_view kMakerModel = "KELVOR RX470  ";

void PutBig32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutLittle16(std::string& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

std::string Chunk(std::string_view kind, std::string_view data) {
    std::string out(kind);
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    out += data;
    return out;
}

std::uint32_t Little16At(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

// Checksum of a style: mark as 12 words, body as words, odd last byte.
void SealStyle(std::string& style) {
    std::uint32_t total = 0;
    for (std::size_t at = 0; at < 24; at += 2)
        total += Little16At(style, at);
    std::size_t at = 28;
    for (; at + 1 < style.size(); at += 2)
        total += Little16At(style, at);
    if (at < style.size())
        total += static_cast<unsigned char>(style[at]);
    PutLittle16(style, 24, total >> 16);
    PutLittle16(style, 26, total & 0xFFFF);
}

std::string MarkedBlock(std::string_view mark, unsigned char tag, std::size_t size) {
    std::string out(mark);
    out.resize(size < out.size() ? out.size() : size, static_cast<char>(tag));
    return out;
}

} // namespace

std::string SampleSong(unsigned char tag, std::size_t size) {
    std::string conductor("\x00\xff\x01\x0e", 4);
    conductor += kMakerModel;
    conductor += std::string("\x00\xff\x51\x03\x07\xa1\x20\x00\xff\x2f\x00", 11);
    std::string header;
    header += std::string("\x00\x01\x00\x02\x00\x60", 6);
    std::string melody("\x00\x90\x3c", 3);
    melody.push_back(static_cast<char>(1 + tag % 126));
    melody += std::string("\x60\x3c\x00\x00\xff\x2f\x00", 7);
    std::string song = Chunk("MThd", header) + Chunk("MTrk", conductor) + Chunk("MTrk", melody);
    // An unknown chunk after the tracks is passed over by every reader.
    constexpr std::size_t kChunkHead = 8;
    if (size >= song.size() + kChunkHead)
        song += Chunk("XPAD", std::string(size - song.size() - kChunkHead, static_cast<char>(tag)));
    return song;
}

std::string SampleMarkedMidi(const std::vector<std::string>& parts, int notesPerPart) {
    std::string track("\x00\xff\x51\x03\x07\xa1\x20\x00\xff\x58\x04\x04\x02\x18\x08", 15);
    std::string delta(1, '\0');
    for (const std::string& part : parts) {
        track += delta + "\xff\x06";
        track.push_back(static_cast<char>(part.size()));
        track += part;
        for (int note = 0; note < notesPerPart; ++note)
            track += std::string("\x00\x99\x24\x64\x30\x89\x24\x00", 8);
        delta = "\x82\x50";  // a rest of 336 ticks
    }
    track += delta + std::string("\xff\x2f\x00", 3);
    return Chunk("MThd", std::string("\x00\x00\x00\x01\x00\x60", 6)) + Chunk("MTrk", track);
}

namespace {

// A sealed style with these segments; the last takes up whatever the size asks for.
std::string MakeStyle(unsigned char tag, std::size_t size, const std::vector<int>& segments) {
    std::string style("KELVOR RX470  STYLE 0001");
    style.append(4, '\0');
    const std::string name = "POP" + std::to_string(tag);
    const std::size_t block = (name.size() + 6) & ~std::size_t{1};
    style.append(8, '\0');
    PutLittle16(style, 28, 0x2478);
    PutLittle16(style, 30, 0x43);
    PutLittle16(style, 32, static_cast<std::uint32_t>(0x43 + block / 2));
    style.append(72 + 2 + 52, '\0');
    style.push_back(static_cast<char>(name.size()));
    style.append(3, '\0');
    style += name;
    style.push_back('\xff');
    if (name.size() % 2 == 0)
        style.push_back('\0');
    style.append(896, '\x11');
    // The last segment takes up whatever the size asks for.
    constexpr std::size_t kLeastSegment = 10;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        PutLittle16(style, 110 + 2 * static_cast<std::size_t>(segments[i] - 3), static_cast<std::uint32_t>((style.size() - 28) / 2));
        const bool last = i + 1 == segments.size();
        style.append(last && size > style.size() + kLeastSegment ? size - style.size() : kLeastSegment,
                     static_cast<char>(tag));
    }
    SealStyle(style);
    return style;
}

} // namespace

std::string SampleStyle(unsigned char tag, std::size_t size) {
    return MakeStyle(tag, size, {6});
}

std::string SampleStyleWithParts(unsigned char tag, const std::vector<int>& segments) {
    return MakeStyle(tag, 0, segments);
}

std::string SampleVoice(unsigned char tag, std::size_t size) {
    return MarkedBlock("KELVOR RX470  VOICE 0001", tag, size);
}

std::string SampleMemory(unsigned char tag, std::size_t size) {
    return MarkedBlock("KELVOR RX470  MEMRY 0001", tag, size);
}

} // namespace e2e
