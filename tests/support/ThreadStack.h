// Where another thread of this process stands: its stack as return addresses,
// each with the module it lies in and its offset there, for addr2line.
#pragma once

#include <windows.h>

#include <string>

namespace keyloft_test {

// The thread is held while its stack is read (at most `maxFrames` frames),
// then let go; one line a frame, "module+0xoffset". Empty when the thread
// cannot be opened or read.
std::string ThreadStack(DWORD threadId, int maxFrames = 48);

// Every other thread of this process but the caller's, each headed by its id.
std::string OtherThreadStacks(DWORD except, int maxFrames = 24);

} // namespace keyloft_test
