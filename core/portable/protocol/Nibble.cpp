#include "core/portable/protocol/Nibble.h"

namespace keyloft::protocol {

void AppendNibbles(ByteView bytes, Bytes& out)
{
    const std::size_t start = out.size();
    out.resize(start + 2 * bytes.size());
    std::uint8_t* dest = out.data() + start;
    for (std::uint8_t byte : bytes) {
        *dest++ = static_cast<std::uint8_t>(byte >> 4);
        *dest++ = static_cast<std::uint8_t>(byte & 0x0F);
    }
}

NibbleError AppendDecodedNibbles(ByteView nibbles, Bytes& out)
{
    if (nibbles.size() % 2 != 0)
        return NibbleError::OddLength;
    const std::size_t start = out.size();
    const std::size_t count = nibbles.size() / 2;
    out.resize(start + count);
    std::uint8_t* dest = out.data() + start;
    const std::uint8_t* src = nibbles.data();
    // One pass that decodes and remembers every bit seen; checked once at the end.
    std::uint8_t seen = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t high = src[2 * i];
        const std::uint8_t low = src[2 * i + 1];
        seen |= high | low;
        dest[i] = static_cast<std::uint8_t>((high << 4) | low);
    }
    if (seen > 0x0F) {
        out.resize(start);
        return NibbleError::NotANibble;
    }
    return NibbleError::None;
}

} // namespace keyloft::protocol
