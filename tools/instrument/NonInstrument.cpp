#include "tools/instrument/NonInstrument.h"

#include <algorithm>

namespace keyloft::instrument {

NonInstrumentMode ParseNonInstrumentMode(std::string_view text)
{
    if (text == "garbage")
        return NonInstrumentMode::Garbage;
    if (text == "silent")
        return NonInstrumentMode::Silent;
    if (text == "sized")
        return NonInstrumentMode::Sized;
    return NonInstrumentMode::Echo;
}

std::vector<Reply> NonInstrumentReplies(NonInstrumentMode mode, protocol::ByteView message)
{
    std::vector<Reply> replies;
    switch (mode) {
    case NonInstrumentMode::Echo:
        replies.push_back(Reply{protocol::Bytes(message.begin(), message.end()), 0});
        break;
    case NonInstrumentMode::Garbage:
        // Another maker's identity reply, a note, and frames that look like ours
        // but are not a valid answer (a reply without a name, a packet frame with
        // a bad nibble).
        replies.push_back(Reply{{0xF0, 0x7E, 0x10, 0x06, 0x02, 0x43, 0x00, 0x44, 0x00, 0x00, 0x7F, 0xF7}, 0});
        replies.push_back(Reply{{0x90, 0x3C, 0x64}, 0});
        replies.push_back(Reply{{0xF0, 0x7D, 0x4B, 0x01, 0x40, 'N', 'O', 'T', 'A', 'K', 'E', 'Y', 'S', 0xF7}, 0});
        replies.push_back(Reply{{0xF0, 0x7D, 0x4B, 0x02, 0x04, 0x1B, 0x04, 0xF7}, 0});
        break;
    case NonInstrumentMode::Silent:
        break;
    case NonInstrumentMode::Sized:
        if (message.size() >= 9 && message[0] == 0xF0 && message[1] == 0x7D && message[2] == 0x4B &&
            message[3] == kSizedFrameKind) {
            std::size_t size = 0;
            for (std::size_t i = 4; i < 8; ++i)
                size = (size << 4) | (message[i] & 0x0F);
            size = std::max<std::size_t>(size, 5);
            protocol::Bytes reply(size, 0x00);
            reply[0] = 0xF0;
            reply[1] = 0x7D;
            reply[2] = 0x4B;
            reply[3] = kSizedFrameKind;
            reply[size - 1] = 0xF7;
            replies.push_back(Reply{std::move(reply), 0});
        }
        break;
    }
    return replies;
}

protocol::Bytes SizedRequest(std::size_t size, std::uint16_t replySize)
{
    protocol::Bytes request(std::max<std::size_t>(size, 9), 0x00);
    request[0] = 0xF0;
    request[1] = 0x7D;
    request[2] = 0x4B;
    request[3] = kSizedFrameKind;
    for (std::size_t i = 0; i < 4; ++i)
        request[4 + i] = static_cast<std::uint8_t>((replySize >> (12 - 4 * i)) & 0x0F);
    request.back() = 0xF7;
    return request;
}

} // namespace keyloft::instrument
