#include "core/portable/protocol/FailureMessages.h"

namespace keyloft::protocol {

namespace {

unsigned LoadFailureOfKind(std::uint8_t kind)
{
    switch (kind) {
    case 1: return message_id::kLoadStyleFailed;
    case 2: return message_id::kLoadVoiceFailed;
    case 3: return message_id::kLoadMemoryFailed;
    default: return message_id::kLoadSongFailed;
    }
}

} // namespace

unsigned FailureMessageId(Direction direction, std::uint8_t kind, FailureCause cause, Status status)
{
    if (cause == FailureCause::NoReply)
        return message_id::kConnectTimeout;
    // The instrument's own reasons, in whichever direction they come.
    if (cause == FailureCause::Refused) {
        switch (status) {
        case Status::Busy: return message_id::kDeviceBusy;
        case Status::MemoryFull: return message_id::kDeviceMemoryFull;
        case Status::NotAllowed: return message_id::kDeviceNotAllowed;
        default: break;
        }
    }
    if (direction == Direction::Upload)
        return message_id::kUploadFailed;
    if (cause == FailureCause::Refused) {
        if (status == Status::TooLarge && kind == static_cast<std::uint8_t>(Kind::Style))
            return message_id::kStyleTooLarge;
        if (status == Status::BadPacket || status == Status::BadKind)
            return message_id::kUnknownFormat;
    }
    return LoadFailureOfKind(kind);
}

} // namespace keyloft::protocol
