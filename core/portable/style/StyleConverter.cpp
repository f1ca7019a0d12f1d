#include "core/portable/style/StyleConverter.h"

#include <algorithm>
#include <stdexcept>

#include "core/portable/midi/MidiWriter.h"
#include "core/portable/style/NameBlock.h"

namespace keyloft::style {
namespace {

using midi::EventKind;
using midi::MidiEvent;
using midi::MidiFile;

struct MarkedRange {
    int segment = SegNone;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool includesEnd = false;  // the last part: its end tick belongs to it

    bool Contains(std::uint32_t tick) const { return tick >= start && (tick < end || (includesEnd && tick == end)); }
};

std::string TrimMarker(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0' || text.back() == '\t')) {
        text.pop_back();
    }
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string{} : text.substr(first);
}

bool IsNote(std::uint8_t status) {
    const std::uint8_t command = status & 0xF0;
    return command == 0x80 || command == 0x90 || command == 0xA0;
}

bool IsNoteOff(const StyleEvent& e) {
    return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data2 == 0);
}

bool IsNoteOn(const StyleEvent& e) { return (e.status & 0xF0) == 0x90 && e.data2 != 0; }

void AppendLittle16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendLittle32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutLittle32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PadToEven(std::vector<std::uint8_t>& out) {
    if (out.size() % 2 != 0) {
        out.push_back(0x00);
    }
}

// Whether Prepare leaves the segment an event: SINT keeps all; a section drops
// note-offs without their note-on and note-ons at its very end, so one that
// holds nothing else ends up empty.
bool KeepsAnEvent(int number, const StyleSegment& segment) {
    if (number == SegSint) {
        return !segment.events.empty();
    }
    return std::any_of(segment.events.begin(), segment.events.end(), [&segment](const StyleEvent& e) {
        return !IsNoteOff(e) && !(IsNoteOn(e) && e.tick >= segment.lengthTicks);
    });
}

std::uint32_t CheckedSize(std::size_t size) {
    if (size > UINT32_MAX) {
        throw std::length_error("style segment larger than 4 GiB");
    }
    return static_cast<std::uint32_t>(size);
}

}  // namespace

StyleConverter::StyleConverter() {
    for (auto& row : playChannel_) {
        for (std::size_t channel = 0; channel < row.size(); ++channel) {
            row[channel] = static_cast<std::uint8_t>(channel);
        }
    }
}

void StyleConverter::SetPlayChannel(int segment, int channel, std::uint8_t playChannel) {
    if (segment < FirstSectionWithChannelMap || segment > LastSectionWithChannelMap || channel < 0 ||
        channel > 15) {
        return;
    }
    playChannel_[static_cast<std::size_t>(segment - FirstSectionWithChannelMap)]
                [static_cast<std::size_t>(channel)] = playChannel;
}

std::uint8_t StyleConverter::PlayChannel(int segment, int channel) const {
    if (segment < FirstSectionWithChannelMap || segment > LastSectionWithChannelMap || channel < 0 ||
        channel > 15) {
        return static_cast<std::uint8_t>(channel & 0x0F);
    }
    return playChannel_[static_cast<std::size_t>(segment - FirstSectionWithChannelMap)]
                       [static_cast<std::size_t>(channel)];
}

StyleLoadResult StyleConverter::Load(const MidiFile& source) {
    StyleLoadResult result;
    segments_ = {};
    tempo = 120;
    timeSigNumerator = 4;
    timeSigDenominator = 2;
    if (source.division & 0x8000) {
        result.reason = "the source counts time in SMPTE frames, not in beats";
        return result;
    }
    if (source.tracks.empty()) {
        result.reason = "the source has no track";
        return result;
    }

    // Tempo and time signature: the earliest of each, whichever track holds it.
    std::uint32_t tempoTick = UINT32_MAX;
    std::uint32_t signatureTick = UINT32_MAX;
    std::uint32_t songEnd = 0;
    for (const auto& track : source.tracks) {
        for (const MidiEvent& event : track.events) {
            songEnd = std::max(songEnd, event.tick);
            const auto data = source.Payload(event);
            if (event.IsMeta(midi::meta::Tempo) && data.size() >= 3 && event.tick < tempoTick) {
                const std::uint32_t micros = (std::uint32_t{data[0]} << 16) | (std::uint32_t{data[1]} << 8) | data[2];
                if (micros != 0) {
                    tempoTick = event.tick;
                    tempo = static_cast<unsigned>((60000000u + micros / 2) / micros);
                }
            } else if (event.IsMeta(midi::meta::TimeSignature) && data.size() >= 2 && event.tick < signatureTick) {
                signatureTick = event.tick;
                timeSigNumerator = data[0];
                timeSigDenominator = data[1];
            }
        }
    }

    // Each marker of the first track opens a range that the next marker closes.
    std::vector<std::pair<std::uint32_t, std::string>> markers;
    for (const MidiEvent& event : source.tracks.front().events) {
        if (event.IsMeta(midi::meta::EndOfTrack)) {
            break;
        }
        if (event.IsMeta(midi::meta::Marker)) {
            markers.emplace_back(event.tick, TrimMarker(source.PayloadText(event)));
        }
    }
    std::vector<MarkedRange> ranges;
    std::array<bool, SegNone> taken{};
    for (std::size_t i = 0; i < markers.size(); ++i) {
        // The last part also takes the events at the song's very last tick.
        const std::uint32_t end = i + 1 < markers.size() ? markers[i + 1].first : songEnd;
        const bool last = i + 1 == markers.size();
        const int segment = GetSegmentByNameA(markers[i].second, codePage);
        if (segment == SegNone) {
            result.ignoredMarkers.push_back(markers[i].second);
            continue;
        }
        if (taken[static_cast<std::size_t>(segment)]) {
            result.ignoredMarkers.push_back(markers[i].second);  // a repeated part keeps its first take
            continue;
        }
        taken[static_cast<std::size_t>(segment)] = true;
        if (segment != SegSff1) {  // the format marker carries no content of its own
            ranges.push_back({segment, markers[i].first, end, last});
        }
    }
    if (ranges.empty()) {
        result.reason = "the source has no marker that names a style part (such as MAIN A)";
        return result;
    }
    const std::uint32_t firstMarker = markers.front().first;

    const auto scale = [this, &source](std::uint32_t ticks) {
        const std::uint64_t scaled = (std::uint64_t{ticks} * targetTimeBase + source.division / 2) / source.division;
        return scaled > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(scaled);
    };
    for (const MarkedRange& range : ranges) {
        const std::uint32_t length = scale(range.end - range.start);
        if (length > MaxPartTicks) {
            result.reason = "the part " + GetSegmentNameA(range.segment) + " is too long";
            return result;
        }
        segments_[static_cast<std::size_t>(range.segment)].lengthTicks = length;
    }

    for (const auto& track : source.tracks) {
        for (const MidiEvent& event : track.events) {
            if (event.kind != EventKind::Channel && event.kind != EventKind::SysEx) {
                continue;
            }
            StyleEvent out;
            out.status = event.status;
            out.data1 = event.data1;
            out.data2 = event.data2;
            if (event.kind == EventKind::SysEx) {
                const auto data = source.Payload(event);
                out.sysex.push_back(0xF0);
                out.sysex.insert(out.sysex.end(), data.begin(), data.end());
                if (out.sysex.back() != 0xF7) {
                    out.sysex.push_back(0xF7);
                }
            }
            const bool setup = event.kind == EventKind::SysEx || !IsNote(event.status);
            if (event.tick < firstMarker) {
                if (setup) {  // set-up before the first part belongs to SINT
                    segments_[SegSint].events.push_back(std::move(out));
                }
                continue;
            }
            // Ranges follow the markers, so only the last one starting at or before
            // the event can hold it.
            auto it = std::upper_bound(ranges.begin(), ranges.end(), event.tick,
                                       [](std::uint32_t tick, const MarkedRange& r) { return tick < r.start; });
            if (it == ranges.begin() || !(it - 1)->Contains(event.tick)) {
                continue;  // under an unknown marker or past the last part
            }
            --it;
            if (it->segment == SegSint) {
                if (setup) {
                    out.tick = scale(event.tick - it->start);
                    segments_[SegSint].events.push_back(std::move(out));
                }
            } else if (event.kind == EventKind::Channel) {
                out.tick = scale(event.tick - it->start);
                segments_[static_cast<std::size_t>(it->segment)].events.push_back(std::move(out));
            }
        }
    }
    bool anything = false;
    for (int number = SegSint; number <= SegFillInDC && !anything; ++number) {
        anything = (number < SegFillInAB || crossFill) &&
                   KeepsAnEvent(number, segments_[static_cast<std::size_t>(number)]);
    }
    if (!anything) {
        result.reason = "the parts named by the markers hold no events that a style keeps";
        return result;
    }
    result.ok = true;
    return result;
}

void StyleConverter::Prepare() {
    for (int number = SegSint; number < SegNone; ++number) {
        StyleSegment& segment = segments_[static_cast<std::size_t>(number)];
        std::stable_sort(segment.events.begin(), segment.events.end(),
                         [](const StyleEvent& a, const StyleEvent& b) { return a.tick < b.tick; });
        if (number == SegSint) {
            continue;
        }
        // Keep only note-offs that end a note of this segment; end the rest at the segment end.
        std::array<std::array<int, 128>, 16> sounding{};
        std::vector<StyleEvent> kept;
        kept.reserve(segment.events.size());
        for (StyleEvent& event : segment.events) {
            const std::size_t channel = event.status & 0x0F;
            if (IsNoteOn(event)) {
                if (event.tick >= segment.lengthTicks) {
                    continue;  // a note that would start as the segment ends
                }
                ++sounding[channel][event.data1];
            } else if (IsNoteOff(event)) {
                if (sounding[channel][event.data1] == 0) {
                    continue;
                }
                --sounding[channel][event.data1];
            }
            event.tick = std::min(event.tick, segment.lengthTicks);
            kept.push_back(std::move(event));
        }
        for (std::size_t channel = 0; channel < 16; ++channel) {
            for (std::size_t key = 0; key < 128; ++key) {
                for (int n = 0; n < sounding[channel][key]; ++n) {
                    StyleEvent off;
                    off.tick = segment.lengthTicks;
                    off.status = static_cast<std::uint8_t>(0x80 | channel);
                    off.data1 = static_cast<std::uint8_t>(key);
                    kept.push_back(off);
                }
            }
        }
        segment.events = std::move(kept);
        if (number <= LastSectionWithChannelMap) {
            for (StyleEvent& event : segment.events) {
                const std::uint8_t target = PlayChannel(number, event.status & 0x0F) & 0x0F;
                event.status = static_cast<std::uint8_t>((event.status & 0xF0) | target);
            }
        }
    }
}

std::size_t StyleConverter::GetHeadSize() const { return NameBlockSize(names, codePage); }

void StyleConverter::WriteHead(std::vector<std::uint8_t>& out) const {
    const auto block = BuildNameBlock(names, codePage);
    out.insert(out.end(), block.begin(), block.end());
}

bool StyleConverter::WriteSegments(std::vector<std::uint8_t>& out, std::size_t basePosition,
                                   std::map<int, std::uint16_t>& wordOffsets,
                                   const SegmentDefaults& defaults) const {
    bool fits = true;
    for (int number = SegSint; number <= SegFillInDC; ++number) {
        if (number >= SegFillInAB && !crossFill) {
            break;
        }
        const StyleSegment& segment = segments_[static_cast<std::size_t>(number)];
        if (segment.events.empty()) {
            continue;
        }
        const std::size_t position = basePosition + out.size();
        if (position / 2 > 0xFFFF) {
            fits = false;  // written all the same, so the caller sees the whole size
        } else {
            wordOffsets[number] = static_cast<std::uint16_t>(position / 2);
        }
        const auto bytes = number == SegSint
                               ? EncodeSint(segment)
                               : EncodeSection(number, segment, defaults.CrashNoteOf(number),
                                               defaults.VelocityOf(number));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return fits;
}

std::vector<std::uint8_t> EncodeSint(const StyleSegment& segment) {
    std::vector<std::uint8_t> messages;
    std::size_t count = 0;
    for (const StyleEvent& event : segment.events) {
        if (event.status == 0xF0) {
            midi::AppendVariableLength(messages, CheckedSize(event.sysex.size()));
            messages.insert(messages.end(), event.sysex.begin(), event.sysex.end());
        } else {
            const int length = midi::ChannelDataLength(event.status);
            messages.push_back(static_cast<std::uint8_t>(1 + length));
            messages.push_back(event.status);
            messages.push_back(event.data1);
            if (length == 2) {
                messages.push_back(event.data2);
            }
        }
        ++count;
    }
    if (count > 0xFFFF) {
        throw std::length_error("more than 65535 set-up messages");
    }
    std::vector<std::uint8_t> out;
    out.push_back(SegSint);
    out.push_back(0x00);
    AppendLittle16(out, static_cast<std::uint16_t>(count));
    AppendLittle32(out, CheckedSize(messages.size()));
    out.insert(out.end(), messages.begin(), messages.end());
    PadToEven(out);
    return out;
}

std::vector<std::uint8_t> EncodeSection(int segmentNumber, const StyleSegment& segment,
                                        std::uint8_t crashNote, std::uint8_t crashVelocity) {
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(segmentNumber));
    out.push_back(static_cast<std::uint8_t>(crashNote & 0x7F));
    out.push_back(static_cast<std::uint8_t>(crashVelocity & 0x7F));
    out.push_back(0x00);
    AppendLittle32(out, segment.lengthTicks);
    AppendLittle32(out, 0);  // byte count of the event stream, filled below
    const std::size_t streamStart = out.size();
    std::uint32_t last = 0;
    for (const StyleEvent& event : segment.events) {
        if (event.status == 0xF0) {
            continue;  // sections carry channel messages only
        }
        const std::uint32_t tick = std::max(event.tick, last);
        midi::AppendVariableLength(out, tick - last);
        last = tick;
        out.push_back(event.status);
        out.push_back(event.data1);
        if (midi::ChannelDataLength(event.status) == 2) {
            out.push_back(event.data2);
        }
    }
    midi::AppendVariableLength(out, segment.lengthTicks > last ? segment.lengthTicks - last : 0);
    out.push_back(0xFF);
    PutLittle32(out, 8, CheckedSize(out.size() - streamStart));
    PadToEven(out);
    return out;
}

}  // namespace keyloft::style
