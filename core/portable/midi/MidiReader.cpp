#include "core/portable/midi/MidiReader.h"

#include <cstring>

namespace keyloft::midi {
namespace {

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
           (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}

std::uint16_t BigEndian16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

MidiReadResult Fail(std::size_t offset, std::string what) {
    MidiReadResult result;
    result.ok = false;
    result.error = std::move(what);
    result.offset = offset;
    return result;
}

// Parses one MTrk body [begin, end) of the file; offsets in errors are file offsets.
class TrackParser {
public:
    TrackParser(std::span<const std::uint8_t> file, std::size_t begin, std::size_t end,
                int trackIndex, MidiFile& out, MidiTrack& track)
        : file_(file), pos_(begin), end_(end), trackIndex_(trackIndex), out_(out), track_(track) {}

    MidiReadResult Parse() {
        // Typical files spend about three bytes an event.
        track_.events.reserve(track_.events.size() + (end_ - pos_) / 3 + 1);
        while (pos_ < end_) {
            const std::size_t eventStart = pos_;
            std::uint32_t delta = file_[pos_];
            if (delta < 0x80) {
                ++pos_;  // the common one-byte delta
            } else {
                const std::size_t used = ReadVariableLength(file_.subspan(pos_, end_ - pos_), delta);
                if (used == 0) {
                    return Error(eventStart, "delta time is longer than four bytes or cut off");
                }
                pos_ += used;
            }
            if (static_cast<std::uint64_t>(tick_) + delta > UINT32_MAX) {
                return Error(eventStart, "absolute time exceeds 32 bits");
            }
            tick_ += delta;
            if (pos_ >= end_) {
                return Error(pos_, "event missing after its delta time");
            }
            if (!ReadEvent()) {
                return Fail(errorOffset_, "track " + std::to_string(trackIndex_) + ": " + error_);
            }
            if (track_.endOfTrackSeen) {
                break;  // bytes after end-of-track are not events
            }
        }
        MidiReadResult done;
        done.ok = true;
        return done;
    }

private:
    MidiReadResult Error(std::size_t offset, const std::string& what) const {
        return Fail(offset, "track " + std::to_string(trackIndex_) + ": " + what);
    }

    bool Problem(std::size_t offset, std::string what) {
        errorOffset_ = offset;
        error_ = std::move(what);
        return false;
    }

    bool ReadEvent() {
        const std::uint8_t first = file_[pos_];
        if (first == 0xFF) {
            return ReadMeta();
        }
        if (first == 0xF0 || first == 0xF7) {
            return ReadSysEx(first);
        }
        if (first >= 0xF1) {
            return Problem(pos_, "system status byte not allowed in a file");
        }
        std::uint8_t status = first;
        if (first < 0x80) {
            // Running status; kept across meta and system-exclusive events on purpose.
            if (runningStatus_ == 0) {
                return Problem(pos_, "data byte without a preceding status");
            }
            status = runningStatus_;
        } else {
            ++pos_;
            runningStatus_ = status;
        }
        const int length = ChannelDataLength(status);
        if (end_ - pos_ < static_cast<std::size_t>(length)) {
            return Problem(pos_, "channel message cut off by the end of the track");
        }
        MidiEvent event;
        event.tick = tick_;
        event.kind = EventKind::Channel;
        event.status = status;
        event.data1 = file_[pos_];
        event.data2 = length == 2 ? file_[pos_ + 1] : 0;
        if ((event.data1 | event.data2) & 0x80) {
            return Problem(pos_, "data byte above 0x7F in a channel message");
        }
        pos_ += static_cast<std::size_t>(length);
        track_.events.push_back(event);
        return true;
    }

    bool ReadMeta() {
        const std::size_t start = pos_;
        if (end_ - pos_ < 2) {
            return Problem(start, "meta event cut off");
        }
        const std::uint8_t type = file_[pos_ + 1];
        pos_ += 2;
        MidiEvent event;
        event.kind = EventKind::Meta;
        event.status = 0xFF;
        event.data1 = type;
        if (!ReadPayload(start, event)) {
            return false;
        }
        if (type == meta::EndOfTrack) {
            track_.endOfTrackSeen = true;
        }
        return true;
    }

    bool ReadSysEx(std::uint8_t status) {
        const std::size_t start = pos_;
        ++pos_;
        MidiEvent event;
        event.kind = status == 0xF0 ? EventKind::SysEx : EventKind::Escape;
        event.status = status;
        return ReadPayload(start, event);
    }

    // Reads "length data" at pos_ into the pool and appends the event.
    bool ReadPayload(std::size_t eventStart, MidiEvent& event) {
        std::uint32_t length = 0;
        const std::size_t used = ReadVariableLength(file_.subspan(pos_, end_ - pos_), length);
        if (used == 0) {
            return Problem(pos_, "event length is longer than four bytes or cut off");
        }
        pos_ += used;
        if (length > end_ - pos_) {
            return Problem(eventStart, "event length " + std::to_string(length) + " exceeds the " +
                                         std::to_string(end_ - pos_) + " bytes left in the track");
        }
        event.tick = tick_;
        event.payloadOffset = static_cast<std::uint32_t>(out_.payload.size());
        event.payloadLength = length;
        out_.payload.insert(out_.payload.end(), file_.begin() + static_cast<std::ptrdiff_t>(pos_),
                            file_.begin() + static_cast<std::ptrdiff_t>(pos_ + length));
        pos_ += length;
        track_.events.push_back(event);
        return true;
    }

    std::span<const std::uint8_t> file_;
    std::size_t pos_;
    std::size_t end_;
    int trackIndex_;
    MidiFile& out_;
    MidiTrack& track_;
    std::uint32_t tick_ = 0;
    std::uint8_t runningStatus_ = 0;
    std::size_t errorOffset_ = 0;
    std::string error_;
};

}  // namespace

std::string MidiReadResult::Describe() const {
    if (ok) {
        return "ok";
    }
    return error + " (at offset " + std::to_string(offset) + ")";
}

std::size_t ReadVariableLength(std::span<const std::uint8_t> bytes, std::uint32_t& value) {
    std::uint32_t result = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        result = (result << 7) | (bytes[i] & 0x7Fu);
        if ((bytes[i] & 0x80) == 0) {
            value = result;
            return i + 1;
        }
    }
    return 0;
}

namespace {

MidiReadResult ReadInto(std::span<const std::uint8_t> bytes, MidiFile& out) {
    if (bytes.size() < 14) {
        return Fail(0, "file too short for a MIDI header (" + std::to_string(bytes.size()) +
                           " bytes)");
    }
    if (std::memcmp(bytes.data(), "MThd", 4) != 0) {
        return Fail(0, "not a MIDI file: no MThd chunk");
    }
    const std::uint32_t headerLength = BigEndian32(bytes.data() + 4);
    if (headerLength < 6) {
        return Fail(4, "header chunk length " + std::to_string(headerLength) + " is below 6");
    }
    if (headerLength > bytes.size() - 8) {
        return Fail(4, "header chunk length " + std::to_string(headerLength) +
                           " exceeds the file");
    }
    out.format = BigEndian16(bytes.data() + 8);
    const std::uint16_t declaredTracks = BigEndian16(bytes.data() + 10);
    out.division = BigEndian16(bytes.data() + 12);
    if (out.format > 2) {
        return Fail(8, "unknown MIDI file format " + std::to_string(out.format));
    }
    if (out.division == 0) {
        return Fail(12, "division of 0 ticks per quarter note");
    }
    if (out.format == 0 && declaredTracks != 1) {
        return Fail(10, "format 0 file declares " + std::to_string(declaredTracks) + " tracks");
    }
    out.tracks.reserve(declaredTracks);
    out.payload.reserve(bytes.size());  // payloads never outgrow the file

    std::size_t pos = 8 + headerLength;
    while (out.tracks.size() < declaredTracks) {
        if (bytes.size() - pos < 8) {
            return Fail(pos, "file ends after " + std::to_string(out.tracks.size()) + " of " +
                                 std::to_string(declaredTracks) + " tracks");
        }
        const std::uint32_t chunkLength = BigEndian32(bytes.data() + pos + 4);
        const std::size_t bodyStart = pos + 8;
        if (chunkLength > bytes.size() - bodyStart) {
            return Fail(pos + 4, "chunk length " + std::to_string(chunkLength) + " exceeds the " +
                                     std::to_string(bytes.size() - bodyStart) +
                                     " bytes left in the file");
        }
        if (std::memcmp(bytes.data() + pos, "MTrk", 4) == 0) {
            const int index = static_cast<int>(out.tracks.size());
            MidiTrack& track = out.AddTrack();
            TrackParser parser(bytes, bodyStart, bodyStart + chunkLength, index, out, track);
            MidiReadResult result = parser.Parse();
            if (!result.ok) {
                return result;
            }
        }
        pos = bodyStart + chunkLength;
    }
    MidiReadResult result;
    result.ok = true;
    return result;
}

}  // namespace

MidiReadResult ReadMidiFile(std::span<const std::uint8_t> bytes, MidiFile& out) {
    out = MidiFile{};
    MidiReadResult result = ReadInto(bytes, out);
    if (!result.ok) {
        out = MidiFile{};  // no half-read file is left behind
    }
    return result;
}

}  // namespace keyloft::midi
