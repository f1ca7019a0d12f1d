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
    std::uint8_t seen = 0;
    for (std::uint8_t nibble : nibbles)
        seen |= nibble;
    if (seen > 0x0F)
        return NibbleError::NotANibble;
    const std::size_t start = out.size();
    out.resize(start + nibbles.size() / 2);
    std::uint8_t* dest = out.data() + start;
    for (std::size_t i = 0; i < nibbles.size(); i += 2)
        *dest++ = static_cast<std::uint8_t>((nibbles[i] << 4) | nibbles[i + 1]);
    return NibbleError::None;
}

} // namespace keyloft::protocol
