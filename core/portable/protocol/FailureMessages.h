#pragma once
// Which string-table message the port shows for a failed transfer.
#include <cstdint>

#include "core/portable/protocol/Constants.h"

namespace keyloft::protocol {

namespace message_id {
inline constexpr unsigned kConnectTimeout = 243;     // no reply within the time-out
inline constexpr unsigned kUploadFailed = 126;
inline constexpr unsigned kStyleTooLarge = 221;
inline constexpr unsigned kUnknownFormat = 1166;
inline constexpr unsigned kDeviceBusy = 244;
inline constexpr unsigned kDeviceMemoryFull = 245;
inline constexpr unsigned kDeviceNotAllowed = 246;
inline constexpr unsigned kLoadSongFailed = 116;
inline constexpr unsigned kLoadStyleFailed = 118;
inline constexpr unsigned kLoadVoiceFailed = 117;
inline constexpr unsigned kLoadMemoryFailed = 115;
} // namespace message_id

enum class Direction { Download, Upload };

enum class FailureCause {
    NoReply,            // nothing that answers the request within its time-out
    BadReply,           // wrong sum, malformed or cut reply
    Refused,            // the instrument answered with a status other than ok
    LargerThanExpected, // an upload bigger than the caller's maximum
};

unsigned FailureMessageId(Direction direction, std::uint8_t kind, FailureCause cause, Status status = Status::Ok);

} // namespace keyloft::protocol
