#include "core/portable/style/SideFiles.h"

#include <algorithm>

namespace keyloft::style {
namespace {

constexpr std::uint8_t MaxLevel = 127;  // volume, reverb, chorus, notes
constexpr unsigned MaxChordMute = ChordMuteMinor;
constexpr unsigned MaxRootLimit = 11;

SideFileCheck Fault(SideFileFault fault, std::uint64_t size, std::uint64_t expected) {
    SideFileCheck check;
    check.fault = fault;
    check.size = size;
    check.expectedSize = expected;
    return check;
}

bool IsUnusedEntry(std::span<const std::uint8_t, PackedChannelSize> entry) {
    return std::all_of(entry.begin(), entry.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

// The first fault of one packed channel entry, or None.
SideFileCheck CheckChannel(std::span<const std::uint8_t, PackedChannelSize> entry, SideFileCheck check) {
    const auto outOfRange = [&check](const char* field, unsigned value) {
        check.fault = SideFileFault::ValueOutOfRange;
        check.field = field;
        check.value = value;
        return check;
    };
    const unsigned chordMute = entry[0] >> 4;  // bits 6-7 are unused and must be clear
    const unsigned chordChange = entry[1] & 0x03;
    const unsigned rootChange = (entry[1] >> 2) & 0x03;  // bit 2, and bit 3 that follows it
    const bool fixed = (rootChange & 0x01) != 0;
    const bool followsFixed = (rootChange & 0x02) != 0;
    if (chordMute > MaxChordMute) {
        return outOfRange("Chord Mute", chordMute);
    }
    if (followsFixed != (fixed && chordChange != ChordChangeBypass)) {
        return outOfRange("Root Change", rootChange);
    }
    if ((entry[1] >> 4) > MaxRootLimit) {
        return outOfRange("Root Limit", entry[1] >> 4u);
    }
    if (entry[2] > MaxLevel) {
        return outOfRange("Note Range", entry[2]);
    }
    if (entry[3] > MaxLevel) {
        return outOfRange("Note Range", entry[3]);
    }
    if (entry[2] > entry[3]) {
        check.fault = SideFileFault::MinAboveMax;
        check.field = "Note Range";
        check.value = entry[2];
        check.maximum = entry[3];
    }
    return check;
}

}  // namespace

SciFileRead ReadSciFile(std::span<const std::uint8_t> bytes) {
    SciFileRead read;
    read.check = Fault(SideFileFault::None, bytes.size(), SectionSettingsSize);
    if (!IsSciFileSize(bytes.size())) {
        read.check.fault = SideFileFault::WrongSize;
        return read;
    }
    for (int section = 0; section < SectionCount; ++section) {
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            const std::size_t at =
                (static_cast<std::size_t>(section) * SectionChannelCount + static_cast<std::size_t>(channel)) *
                PackedChannelSize;
            const std::span<const std::uint8_t, PackedChannelSize> entry(bytes.data() + at, PackedChannelSize);
            if (IsMainOrFillSection(section) && channel < 8 && IsUnusedEntry(entry)) {
                continue;  // a channel the instrument does not use in these sections
            }
            SideFileCheck where = read.check;
            where.section = section;
            where.channel = channel;
            if (const SideFileCheck fault = CheckChannel(entry, where); !fault.Ok()) {
                read.check = fault;
                return read;
            }
        }
    }
    read.settings = SectionSettingsFromSci(bytes);
    return read;
}

OtsFileRead ReadOtsFile(std::span<const std::uint8_t> bytes, const VoiceList& voices) {
    OtsFileRead read;
    read.check = Fault(SideFileFault::None, bytes.size(), OtsBlockSize);
    if (!IsOtsFileSize(bytes.size())) {
        read.check.fault = SideFileFault::WrongSize;
        return read;
    }
    for (int entry = 0; entry < OtsPartCount; ++entry) {
        const std::uint8_t* in = bytes.data() + static_cast<std::size_t>(entry) * OtsEntrySize;
        SideFileCheck& check = read.check;
        check.entry = entry;
        const auto fail = [&check](SideFileFault fault, const char* field, unsigned value) {
            check.fault = fault;
            check.field = field;
            check.value = value;
        };
        const auto voice = static_cast<std::uint16_t>(in[0] | (in[1] << 8));
        if (!voices.HasNumber(voice)) {
            fail(SideFileFault::UnknownVoice, "Voice", voice);
        } else if (in[2] > MaxLevel) {
            fail(SideFileFault::ValueOutOfRange, "Volume", in[2]);
        } else if (!OctaveOfCode(in[3])) {
            fail(SideFileFault::ValueOutOfRange, "Octave", in[3]);
        } else if (in[4] > MaxLevel) {
            fail(SideFileFault::ValueOutOfRange, "Reverb", in[4]);
        } else if (in[5] > MaxLevel) {
            fail(SideFileFault::ValueOutOfRange, "Chorus", in[5]);
        }
        if (!check.Ok()) {
            return read;
        }
    }
    read.check.entry = -1;
    OtsBlock block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    read.block = block;
    return read;
}

}  // namespace keyloft::style
