// Hand-made Standard MIDI File bytes for the reader tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace keyloft::midi::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6,
            static_cast<std::uint8_t>(format >> 8), static_cast<std::uint8_t>(format),
            static_cast<std::uint8_t>(tracks >> 8), static_cast<std::uint8_t>(tracks),
            static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division)};
}

// A track chunk whose length field says `declared` (or the true length when negative).
inline Bytes Track(std::initializer_list<std::uint8_t> body, long declared = -1) {
    const auto length = declared < 0 ? static_cast<std::uint32_t>(body.size())
                                     : static_cast<std::uint32_t>(declared);
    Bytes out = {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(length >> 24),
                 static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 8),
                 static_cast<std::uint8_t>(length)};
    for (std::uint8_t byte : body) {
        out.push_back(byte);
    }
    return out;
}

inline Bytes Track(const Bytes& body) {
    Bytes out = Track({}, static_cast<long>(body.size()));
    for (std::uint8_t byte : body) {  // byte by byte: a range insert trips a false warning in GCC 12
        out.push_back(byte);
    }
    return out;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

}  // namespace keyloft::midi::test
