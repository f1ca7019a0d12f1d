// The library test executables' heap: every block given back with delete is
// filled with a pattern and held back from reuse for a while (the newest
// blocks, up to a count and a size), so that code reading an object after its
// delete finds the pattern (a virtual call through it faults at once) instead
// of the object it hoped for or another one made in its place.
//
// What it finds ends the process at once with a message and a backtrace (a
// trap): a block deleted a second time while it is held, and a held block
// written after its delete (seen when it leaves the quarantine, and for what
// is still held when the process ends).
//
// The executable's allocation functions are replaced by QuarantineHeap.cpp,
// which every library test executable links (cmake: keyloft_wine_test). The
// delete watch (DeleteWatch.h) is a mode of this heap.
#pragma once

#include <cstddef>

namespace keyloft_test {

struct QuarantineCounts {
    std::size_t heldBlocks = 0;
    std::size_t heldBytes = 0;
    std::size_t releasedBlocks = 0; // given back to the system heap after their time
};

QuarantineCounts GetQuarantineCounts();

// The pattern freed blocks are filled with.
constexpr unsigned char kFreedBlockPattern = 0xDD;

} // namespace keyloft_test
