#include "core/portable/style/OneTouchSettings.h"

#include "core/portable/marks/StyleLayout.h"

namespace keyloft::style {
namespace {

// Codes of the octaves -2..+2 (the positive steps are 18 and 36).
constexpr std::array<std::uint8_t, 5> OctaveCodes = {0xE8, 0xF4, 0x00, 0x12, 0x24};
constexpr int LowestOctave = -2;

}  // namespace

std::optional<std::uint8_t> OctaveCode(int octave) {
    if (octave < LowestOctave || octave > LowestOctave + 4) {
        return std::nullopt;
    }
    return OctaveCodes[static_cast<std::size_t>(octave - LowestOctave)];
}

std::optional<int> OctaveOfCode(std::uint8_t code) {
    for (std::size_t i = 0; i < OctaveCodes.size(); ++i) {
        if (OctaveCodes[i] == code) {
            return LowestOctave + static_cast<int>(i);
        }
    }
    return std::nullopt;
}

OneTouchSettings::OneTouchSettings() {
    constexpr std::array<std::uint8_t, 3> volumes = {100, 80, 45};  // R1, R2, L
    for (int i = 0; i < OtsPartCount; ++i) {
        entries[static_cast<std::size_t>(i)].volume = volumes[static_cast<std::size_t>(OtsPartOf(i))];
    }
}

OtsBlock DefaultOts() { return OneTouchSettings().Pack(); }

OtsBlock OneTouchSettings::Pack() const {
    OtsBlock block{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const OtsEntry& e = entries[i];
        std::uint8_t* out = block.data() + i * OtsEntrySize;
        out[0] = static_cast<std::uint8_t>(e.voiceNumber);
        out[1] = static_cast<std::uint8_t>(e.voiceNumber >> 8);
        out[2] = e.volume;
        out[3] = OctaveCode(e.octave).value_or(0x00);
        out[4] = e.reverb;
        out[5] = e.chorus;
    }
    return block;
}

void OneTouchSettings::Apply(std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < entries.size() && (i + 1) * OtsEntrySize <= bytes.size(); ++i) {
        const std::uint8_t* in = bytes.data() + i * OtsEntrySize;
        OtsEntry& e = entries[i];
        e.voiceNumber = static_cast<std::uint16_t>(in[0] | (in[1] << 8));
        e.volume = in[2];
        e.octave = OctaveOfCode(in[3]).value_or(e.octave);
        e.reverb = in[4];
        e.chorus = in[5];
    }
}

OtsRead ReadOtsFromStyle(const marks::ByteSource& style) {
    OtsRead result;
    OtsBlock block{};
    if (!style.ReadAt(marks::kStyleOtsOffset, block)) {
        result.error = StyleFileError::SourceDamaged;
        return result;
    }
    result.block = block;
    return result;
}

}  // namespace keyloft::style
