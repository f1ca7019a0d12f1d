#pragma once
// Each byte travels as two system-exclusive data bytes, high nibble first.
#include "core/portable/protocol/Bytes.h"

namespace keyloft::protocol {

enum class NibbleError { None, OddLength, NotANibble };

void AppendNibbles(ByteView bytes, Bytes& out);

// Appends the decoded bytes to out; on an error out is left as it was.
NibbleError AppendDecodedNibbles(ByteView nibbles, Bytes& out);

} // namespace keyloft::protocol
