#include "core/portable/style/SectionSettings.h"

#include <algorithm>

#include "core/portable/marks/StyleLayout.h"

namespace keyloft::style {
namespace {

constexpr std::uint8_t NoRootLimitAbove = 11;

bool IsHiddenEntry(int section, int channel) { return IsMainOrFillSection(section) && channel < 8; }

std::size_t EntryOffset(int section, int channel) {
    return (static_cast<std::size_t>(section) * SectionChannelCount + static_cast<std::size_t>(channel)) *
           PackedChannelSize;
}

}  // namespace

std::array<std::uint8_t, PackedChannelSize> PackChannel(const ChannelSetting& s) {
    const bool fixedFollowing = s.rootChange == RootChangeFixed && s.chordChange != ChordChangeBypass;
    return {
        static_cast<std::uint8_t>((s.playChannel & 0x0F) | ((s.chordMute & 0x03) << 4)),
        static_cast<std::uint8_t>((s.chordChange & 0x03) | ((s.rootChange & 0x01) << 2) |
                                  (fixedFollowing ? 0x08 : 0x00) | ((s.rootLimit & 0x0F) << 4)),
        std::min(s.noteMin, MaxNote),
        std::min(s.noteMax, MaxNote),
    };
}

ChannelSetting UnpackChannel(std::span<const std::uint8_t, PackedChannelSize> bytes) {
    ChannelSetting s;
    s.playChannel = bytes[0] & 0x0F;
    s.chordMute = (bytes[0] >> 4) & 0x03;
    if (s.chordMute == 3) {
        const bool drumChannel = s.playChannel == 0 || s.playChannel == 1 || s.playChannel == 8 || s.playChannel == 9;
        s.chordMute = drumChannel ? ChordMuteAll : ChordMuteMinor;
    }
    s.chordChange = bytes[1] & 0x03;
    s.rootChange = (bytes[1] >> 2) & 0x01;
    s.rootLimit = static_cast<std::uint8_t>(bytes[1] >> 4);
    if (s.rootLimit > NoRootLimitAbove) {
        s.rootLimit = RootLimitFSharp;
    }
    s.noteMin = std::min(bytes[2], MaxNote);
    s.noteMax = std::min(bytes[3], MaxNote);
    return s;
}

SectionSettings::SectionSettings() { Reset(); }

void SectionSettings::Reset() {
    for (int section = 0; section < SectionCount; ++section) {
        const bool introOrEnding = !IsMainOrFillSection(section);
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            ChannelSetting s;
            // Channels 1-8 play on 9-16 with minor chords; 9-16 play on themselves.
            s.playChannel = static_cast<std::uint8_t>(channel < 8 ? channel + 8 : channel);
            const int part = channel % 8;  // 0, 1 drums; 2 bass; 3-7 chord parts
            if (channel < 8) {
                s.chordMute = ChordMuteMinor;
            } else if (channel >= 10) {
                s.chordMute = introOrEnding ? ChordMuteMajor : ChordMuteAll;
            }
            s.chordChange = part < 2 ? ChordChangeBypass : part == 2 ? ChordChangeBass : ChordChangeChord;
            s.rootChange = part < 2 ? RootChangeFixed : RootChangeChange;
            table_[static_cast<std::size_t>(section)][static_cast<std::size_t>(channel)] = s;
        }
    }
}

ChannelSetting& SectionSettings::At(int section, int channel) {
    return table_.at(static_cast<std::size_t>(section)).at(static_cast<std::size_t>(channel));
}

const ChannelSetting& SectionSettings::At(int section, int channel) const {
    return table_.at(static_cast<std::size_t>(section)).at(static_cast<std::size_t>(channel));
}

SectionSettingsBlock SectionSettings::Pack() const {
    SectionSettingsBlock block{};
    for (int section = 0; section < SectionCount; ++section) {
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            const auto entry = IsHiddenEntry(section, channel)
                                   ? std::array<std::uint8_t, PackedChannelSize>{0xFF, 0xFF, 0xFF, 0xFF}
                                   : PackChannel(At(section, channel));
            std::copy(entry.begin(), entry.end(), block.begin() + static_cast<std::ptrdiff_t>(EntryOffset(section, channel)));
        }
    }
    return block;
}

void SectionSettings::WriteSettingBlock(std::vector<std::uint8_t>& out) const {
    const SectionSettingsBlock block = Pack();
    out.insert(out.end(), block.begin(), block.end());
}

void SectionSettings::Unpack(std::span<const std::uint8_t> bytes) {
    SectionSettingsBlock block{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
    for (int section = 0; section < SectionCount; ++section) {
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            const std::span<const std::uint8_t, PackedChannelSize> entry(block.data() + EntryOffset(section, channel),
                                                                         PackedChannelSize);
            At(section, channel) = UnpackChannel(entry);
        }
    }
}

SectionSettings SectionSettingsFromSci(std::span<const std::uint8_t> fileBytes) {
    SectionSettingsBlock block{};
    std::copy_n(fileBytes.begin(), std::min(fileBytes.size(), block.size()), block.begin());
    for (int section = 0; section < SectionCount; ++section) {
        for (int channel = 0; channel < SectionChannelCount; ++channel) {
            if (IsHiddenEntry(section, channel)) {
                std::fill_n(block.begin() + static_cast<std::ptrdiff_t>(EntryOffset(section, channel)),
                            PackedChannelSize, std::uint8_t{0xFF});
            }
        }
    }
    SectionSettings settings;
    settings.Unpack(block);
    return settings;
}

SectionSettingsRead ReadSectionSettingsFromStyle(const marks::ByteSource& style) {
    SectionSettingsRead result;
    std::uint16_t word = 0;
    SectionSettingsBlock block{};
    // The block follows the name block, whose own head takes at least 6 bytes.
    const bool ok = marks::ReadU16LE(style, marks::kStyleSettingsWordOffset, word) &&
                    word >= marks::kStyleNameBlockWord + 3 &&
                    style.ReadAt(marks::kStyleBodyOffset + 2ULL * word, block);
    if (!ok) {
        result.error = StyleFileError::SourceDamaged;
        return result;
    }
    result.settings.Unpack(block);
    return result;
}

}  // namespace keyloft::style
