#include "core/portable/style/StyleConverter.h"

#include <algorithm>
#include <bit>
#include <numeric>

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

// Times from one time base to another, rounded half up: (ticks x to + from / 2) / from,
// computed with both bases reduced by their common factor, and with a shift when
// what remains of `from` is a power of two (as it is for the usual time bases).
class TickScale {
public:
    TickScale(std::uint32_t to, std::uint32_t from) {
        const std::uint32_t common = std::gcd(to, from);
        multiplier_ = to / common;
        divisor_ = from / common;
        half_ = from / 2 / common;
        if (std::has_single_bit(divisor_)) {
            shift_ = std::countr_zero(divisor_);
        }
    }

    std::uint32_t operator()(std::uint32_t ticks) const {
        const std::uint64_t sum = std::uint64_t{ticks} * multiplier_ + half_;
        const std::uint64_t scaled = shift_ >= 0 ? sum >> shift_ : sum / divisor_;
        return scaled > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(scaled);
    }

private:
    std::uint64_t multiplier_ = 0;
    std::uint32_t divisor_ = 1;
    std::uint64_t half_ = 0;
    int shift_ = -1;
};

// Orders events by time, equal times keeping their order. Load gives them as a few
// runs already in order (one per track), so adjacent runs are merged pairwise,
// through `scratch` (kept by the caller, so its memory serves every segment).
void SortByTime(std::vector<StyleEvent>& events, std::vector<StyleEvent>& scratch) {
    const auto byTime = [](const StyleEvent& a, const StyleEvent& b) { return a.tick < b.tick; };
    std::vector<std::size_t> bounds = {0};
    for (std::size_t i = 1; i < events.size(); ++i) {
        if (events[i].tick < events[i - 1].tick) {
            bounds.push_back(i);
        }
    }
    bounds.push_back(events.size());
    if (bounds.size() <= 2) {
        return;  // one run: in order already
    }
    scratch.resize(events.size());
    std::vector<StyleEvent>* from = &events;
    std::vector<StyleEvent>* to = &scratch;
    while (bounds.size() > 2) {
        std::vector<std::size_t> merged = {0};
        for (std::size_t r = 0; r + 1 < bounds.size(); r += 2) {
            const auto at = [&bounds](std::size_t k) { return static_cast<std::ptrdiff_t>(bounds[k]); };
            if (r + 2 < bounds.size()) {
                std::merge(from->begin() + at(r), from->begin() + at(r + 1), from->begin() + at(r + 1),
                           from->begin() + at(r + 2), to->begin() + at(r), byTime);
                merged.push_back(bounds[r + 2]);
            } else {
                std::copy(from->begin() + at(r), from->begin() + at(r + 1), to->begin() + at(r));
                merged.push_back(bounds[r + 1]);
            }
        }
        bounds = std::move(merged);
        std::swap(from, to);
    }
    if (from != &events) {
        events.swap(scratch);
    }
}

// Finds the part holding a time; remembers the last one found, since times mostly
// come in order. Parts are in marker order.
class PartFinder {
public:
    explicit PartFinder(const std::vector<MarkedRange>& ranges) : ranges_(ranges) {}

    const MarkedRange* Find(std::uint32_t tick) {
        if (ranges_.empty()) {
            return nullptr;
        }
        if (tick < ranges_[hint_].start) {
            const auto after = std::upper_bound(ranges_.begin(), ranges_.end(), tick,
                                                [](std::uint32_t t, const MarkedRange& r) { return t < r.start; });
            if (after == ranges_.begin()) {
                return nullptr;
            }
            hint_ = static_cast<std::size_t>(after - ranges_.begin()) - 1;
        }
        // The last part starting at or before the time can hold it.
        while (hint_ + 1 < ranges_.size() && ranges_[hint_ + 1].start <= tick) {
            ++hint_;
        }
        return ranges_[hint_].Contains(tick) ? &ranges_[hint_] : nullptr;
    }

private:
    const std::vector<MarkedRange>& ranges_;
    std::size_t hint_ = 0;
};

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

// A variable-length quantity of at most four bytes (times are below 2^28).
std::uint8_t* PutVariableLength(std::uint8_t* p, std::uint32_t value) {
    value &= 0x0FFFFFFF;
    int shift = 21;
    while (shift > 0 && (value >> shift) == 0) {
        shift -= 7;
    }
    for (; shift > 0; shift -= 7) {
        *p++ = static_cast<std::uint8_t>(0x80 | ((value >> shift) & 0x7F));
    }
    *p++ = static_cast<std::uint8_t>(value & 0x7F);
    return p;
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
    if (source.division == 0 || (source.division & 0x8000)) {
        result.reason = "the source counts time in SMPTE frames, not in beats";
        return result;
    }
    if (source.tracks.empty()) {
        result.reason = "the source has no track";
        return result;
    }

    std::uint32_t songEnd = 0;
    for (const auto& track : source.tracks) {
        for (const MidiEvent& event : track.events) {
            songEnd = std::max(songEnd, event.tick);
        }
    }

    // Each marker of the first track opens a range that the next marker closes.
    std::vector<std::pair<std::uint32_t, std::string>> markers;
    for (const MidiEvent& event : source.tracks.front().events) {
        if (event.IsMeta(midi::meta::EndOfTrack)) {
            break;
        }
        if (event.IsMeta(midi::meta::Marker)) {
            markers.emplace_back(event.tick, TrimSegmentName(source.PayloadText(event)));
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

    const TickScale scale(targetTimeBase, source.division);
    for (const MarkedRange& range : ranges) {
        const std::uint32_t length = scale(range.end - range.start);
        if (length > MaxPartTicks) {
            result.reason = "the part " + GetSegmentNameA(range.segment) + " is too long";
            return result;
        }
        segments_[static_cast<std::size_t>(range.segment)].lengthTicks = length;
    }

    // The part an event belongs to, or null. Set-up before the first part belongs
    // to SINT, at its start.
    const MarkedRange beforeFirst{SegSint, 0, 0, true};
    PartFinder finder(ranges);
    const auto partOf = [&finder, &beforeFirst, firstMarker](const MidiEvent& event) -> const MarkedRange* {
        if (event.kind != EventKind::Channel && event.kind != EventKind::SysEx) {
            return nullptr;
        }
        const bool setup = event.kind == EventKind::SysEx || !IsNote(event.status);
        if (event.tick < firstMarker) {
            return setup ? &beforeFirst : nullptr;
        }
        const MarkedRange* part = finder.Find(event.tick);  // none: under an unknown marker or past the last part
        if (part == nullptr || (part->segment == SegSint ? !setup : event.kind != EventKind::Channel)) {
            return nullptr;  // SINT keeps set-up only, the sections channel messages only
        }
        return part;
    };
    // Room for each part's events: per track, the events within the part's times
    // (tracks are in time order, so two binary searches find them).
    for (const MarkedRange& range : ranges) {
        std::size_t room = 0;
        for (const auto& track : source.tracks) {
            const auto before = [](const MidiEvent& e, std::uint32_t t) { return e.tick < t; };
            const auto first = std::lower_bound(track.events.begin(), track.events.end(), range.start, before);
            const auto last = std::lower_bound(first, track.events.end(), range.end, before);
            room += static_cast<std::size_t>(last - first) + 1;
        }
        segments_[static_cast<std::size_t>(range.segment)].events.reserve(room);
    }
    // Tempo and time signature: the earliest of each, whichever track holds it.
    std::uint32_t tempoTick = UINT32_MAX;
    std::uint32_t signatureTick = UINT32_MAX;
    const auto takeMeta = [&](const MidiEvent& event) {
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
    };
    // Track after track: each segment's events come as runs in time order, one
    // per track, which Prepare merges.
    for (const auto& track : source.tracks) {
        for (const MidiEvent& event : track.events) {
            if (event.kind == EventKind::Meta) {
                takeMeta(event);
                continue;
            }
            const MarkedRange* part = partOf(event);
            if (part == nullptr) {
                continue;
            }
            StyleSegment& segment = segments_[static_cast<std::size_t>(part->segment)];
            StyleEvent& out = segment.events.emplace_back();  // filled in place: no copy through the stack
            out.tick = part == &beforeFirst ? 0 : scale(event.tick - part->start);
            out.status = event.status;
            out.data1 = event.data1;
            out.data2 = event.data2;
            if (event.kind == EventKind::SysEx) {
                const auto data = source.Payload(event);
                auto& message = segment.sysex.emplace_back();
                message.reserve(data.size() + 2);
                message.push_back(0xF0);
                message.insert(message.end(), data.begin(), data.end());
                if (message.back() != 0xF7) {
                    message.push_back(0xF7);
                }
                out.sysex = static_cast<std::uint32_t>(segment.sysex.size() - 1);
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
    std::vector<StyleEvent> scratch;
    // Notes sounding per channel and key; every segment leaves it all zero again.
    std::array<std::array<int, 128>, 16> sounding{};
    for (int number = SegSint; number < SegNone; ++number) {
        StyleSegment& segment = segments_[static_cast<std::size_t>(number)];
        if (segment.events.empty()) {
            continue;
        }
        SortByTime(segment.events, scratch);
        if (number == SegSint) {
            continue;
        }
        // Sections 3..16 move each channel to its Play CH; the cross-fill parts keep theirs.
        std::array<std::uint8_t, 16> playChannel{};
        for (int channel = 0; channel < 16; ++channel) {
            playChannel[static_cast<std::size_t>(channel)] = PlayChannel(number, channel) & 0x0F;
        }
        // Keep only note-offs that end a note of this segment; end the rest at the segment end.
        std::size_t open = 0;
        std::vector<StyleEvent>& events = segment.events;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < events.size(); ++i) {
            StyleEvent& event = events[i];
            const std::size_t channel = event.status & 0x0F;
            if (IsNoteOn(event)) {
                if (event.tick >= segment.lengthTicks) {
                    continue;  // a note that would start as the segment ends
                }
                ++sounding[channel][event.data1];
                ++open;
            } else if (IsNoteOff(event)) {
                if (sounding[channel][event.data1] == 0) {
                    continue;
                }
                --sounding[channel][event.data1];
                --open;
            }
            event.tick = std::min(event.tick, segment.lengthTicks);
            event.status = static_cast<std::uint8_t>((event.status & 0xF0) | playChannel[channel]);
            if (kept != i) {
                events[kept] = std::move(event);
            }
            ++kept;
        }
        events.erase(events.begin() + static_cast<std::ptrdiff_t>(kept), events.end());
        for (std::size_t channel = 0; channel < 16 && open > 0; ++channel) {
            for (std::size_t key = 0; key < 128; ++key) {
                for (; sounding[channel][key] > 0; --sounding[channel][key]) {
                    StyleEvent off;
                    off.tick = segment.lengthTicks;
                    off.status = static_cast<std::uint8_t>(0x80 | playChannel[channel]);
                    off.data1 = static_cast<std::uint8_t>(key);
                    events.push_back(off);
                }
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
    std::size_t room = 0;  // at most 7 bytes an event, plus each segment's head and end
    for (const StyleSegment& segment : segments_) {
        room += segment.events.empty() ? 0 : 16 + 7 * segment.events.size();
    }
    out.reserve(out.size() + room);
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
        const bool appended =
            number == SegSint
                ? AppendSint(out, segment)
                : AppendSection(out, number, segment, defaults.CrashNoteOf(number), defaults.VelocityOf(number));
        if (!appended) {
            wordOffsets.erase(number);
            fits = false;
        }
    }
    return fits;
}

bool AppendSint(std::vector<std::uint8_t>& out, const StyleSegment& segment) {
    // The head holds the count in 16 bits and the byte count in 32.
    if (segment.events.size() > MaxSintMessages) {
        return false;
    }
    std::vector<std::uint8_t> messages;
    for (const StyleEvent& event : segment.events) {
        if (event.status == 0xF0) {
            if (event.sysex >= segment.sysex.size()) {
                return false;
            }
            const std::vector<std::uint8_t>& message = segment.sysex[event.sysex];
            if (message.size() > midi::MaxVariableLength ||
                !midi::AppendVariableLength(messages, static_cast<std::uint32_t>(message.size()))) {
                return false;
            }
            messages.insert(messages.end(), message.begin(), message.end());
        } else {
            const int length = midi::ChannelDataLength(event.status);
            messages.push_back(static_cast<std::uint8_t>(1 + length));
            messages.push_back(event.status);
            messages.push_back(event.data1);
            if (length == 2) {
                messages.push_back(event.data2);
            }
        }
    }
    if (messages.size() > UINT32_MAX) {
        return false;
    }
    out.push_back(SegSint);
    out.push_back(0x00);
    AppendLittle16(out, static_cast<std::uint16_t>(segment.events.size()));
    AppendLittle32(out, static_cast<std::uint32_t>(messages.size()));
    out.insert(out.end(), messages.begin(), messages.end());
    PadToEven(out);
    return true;
}

std::optional<std::vector<std::uint8_t>> EncodeSint(const StyleSegment& segment) {
    std::vector<std::uint8_t> out;
    if (!AppendSint(out, segment)) {
        return std::nullopt;
    }
    return out;
}

bool AppendSection(std::vector<std::uint8_t>& out, int segmentNumber, const StyleSegment& segment,
                   std::uint8_t crashNote, std::uint8_t crashVelocity) {
    constexpr std::size_t HeadSize = 12;
    constexpr std::size_t MostPerEvent = 4 + 3;  // delta time and a three-byte message
    const std::size_t start = out.size();
    out.resize(start + HeadSize + (segment.events.size() + 1) * MostPerEvent + 2);
    out[start] = static_cast<std::uint8_t>(segmentNumber);
    out[start + 1] = static_cast<std::uint8_t>(crashNote & 0x7F);
    out[start + 2] = static_cast<std::uint8_t>(crashVelocity & 0x7F);
    out[start + 3] = 0x00;
    PutLittle32(out, start + 4, segment.lengthTicks);
    std::uint8_t* const stream = out.data() + start + HeadSize;
    std::uint8_t* p = stream;
    std::uint32_t last = 0;
    for (const StyleEvent& event : segment.events) {
        if (event.status == 0xF0) {
            continue;  // sections carry channel messages only
        }
        const std::uint32_t tick = std::max(event.tick, last);
        p = PutVariableLength(p, tick - last);
        last = tick;
        *p++ = event.status;
        *p++ = event.data1;
        if (midi::ChannelDataLength(event.status) == 2) {
            *p++ = event.data2;
        }
    }
    p = PutVariableLength(p, segment.lengthTicks > last ? segment.lengthTicks - last : 0);
    *p++ = 0xFF;
    const std::size_t streamSize = static_cast<std::size_t>(p - stream);
    if ((HeadSize + streamSize) % 2 != 0) {
        *p++ = 0x00;
    }
    if (streamSize > UINT32_MAX) {
        out.resize(start);
        return false;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    PutLittle32(out, start + 8, static_cast<std::uint32_t>(streamSize));
    return true;
}

std::optional<std::vector<std::uint8_t>> EncodeSection(int segmentNumber, const StyleSegment& segment,
                                                       std::uint8_t crashNote, std::uint8_t crashVelocity) {
    std::vector<std::uint8_t> out;
    if (!AppendSection(out, segmentNumber, segment, crashNote, crashVelocity)) {
        return std::nullopt;
    }
    return out;
}

}  // namespace keyloft::style
