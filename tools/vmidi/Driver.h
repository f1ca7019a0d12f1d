#pragma once
// The driver's ports and its delivery thread.
//   output 0 / input 0: the simulated instrument
//   output 1 / input 1: a device that is not an instrument
//   output 2:          the recording synthesizer
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/portable/protocol/Reassembler.h"
#include "tools/instrument/Instrument.h"
#include "tools/instrument/NonInstrument.h"
#include "tools/vmidi/Callbacks.h"
#include "tools/vmidi/InputPort.h"
#include "tools/vmidi/Lock.h"
#include "tools/vmidi/RecordingLog.h"

namespace vmidi {

inline constexpr UINT kOutputCount = 3;
inline constexpr UINT kInputCount = 2;
inline constexpr UINT kInstrumentPort = 0;
inline constexpr UINT kLoopPort = 1;
inline constexpr UINT kSynthPort = 2;

class Driver {
public:
    static Driver& Instance();

    DWORD OutMessage(UINT device, UINT message, DWORD_PTR param1, DWORD_PTR param2);
    DWORD InMessage(UINT device, UINT message, DWORD_PTR param1, DWORD_PTR param2);

private:
    struct OutputPort {
        bool open = false;
        Client client;
        keyloft::protocol::SysExReassembler reassembler;
    };
    struct Pending {
        std::uint64_t dueUs = 0;
        std::uint64_t order = 0;
        UINT input = 0;
        keyloft::protocol::Bytes bytes;
        bool operator>(const Pending& other) const
        {
            return dueUs != other.dueUs ? dueUs > other.dueUs : order > other.order;
        }
    };

    Driver() = default;

    DWORD OpenOutput(UINT device, const MIDIOPENDESC* desc, DWORD_PTR flags, Notifications& out);
    DWORD LongData(UINT device, MIDIHDR* header, DWORD_PTR size, Notifications& out);
    DWORD ShortData(UINT device, DWORD packed);
    void Dispatch(UINT device, keyloft::protocol::ByteView message);
    void Queue(UINT input, keyloft::protocol::Bytes bytes, unsigned delayMs);
    void StartThreadLocked();
    // Waits (releasing the lock) until no delivery to this input is under
    // way, so that no callback reaches a client after its close returns.
    void WaitForDeliveryLocked(UINT input);
    static DWORD WINAPI ThreadMain(void* self);
    [[noreturn]] void Run();

    Lock lock_;
    CONDITION_VARIABLE wake_ = CONDITION_VARIABLE_INIT;
    OutputPort outputs_[kOutputCount];
    InputPort inputs_[kInputCount];
    std::unique_ptr<keyloft::instrument::Instrument> instrument_;
    keyloft::instrument::NonInstrumentMode loopMode_ = keyloft::instrument::NonInstrumentMode::Echo;
    RecordingLog log_;
    std::vector<Pending> pending_; // a min-heap on (due time, order)
    std::uint64_t nextOrder_ = 0;
    std::uint64_t lastDueUs_[kInputCount] = {0, 0};
    HANDLE thread_ = nullptr; // runs until the process ends
    DWORD threadId_ = 0;
    static constexpr UINT kNoDelivery = ~0u;
    UINT delivering_ = kNoDelivery; // the input whose callbacks are being called
    CONDITION_VARIABLE delivered_ = CONDITION_VARIABLE_INIT;
};

} // namespace vmidi
