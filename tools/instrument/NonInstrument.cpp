#include "tools/instrument/NonInstrument.h"

namespace keyloft::instrument {

NonInstrumentMode ParseNonInstrumentMode(std::string_view text)
{
    if (text == "garbage")
        return NonInstrumentMode::Garbage;
    if (text == "silent")
        return NonInstrumentMode::Silent;
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
    }
    return replies;
}

} // namespace keyloft::instrument
