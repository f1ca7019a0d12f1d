#pragma once
// Raw system-exclusive exchanges through the test driver's second port pair in
// its "sized" mode: the same message sizes as the instrument protocol, with no
// protocol and no instrument behind them. The yardstick for the link benchmark.
#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace vmidi_bench {

// (request bytes, reply bytes) of every exchange the protocol makes for one item.
using Shape = std::vector<std::pair<std::size_t, std::size_t>>;
Shape DownloadShape(std::size_t itemSize);
Shape UploadShape(std::size_t itemSize);

class RawPingPong {
public:
    RawPingPong() = default;
    ~RawPingPong();
    RawPingPong(const RawPingPong&) = delete;
    RawPingPong& operator=(const RawPingPong&) = delete;

    // Sets KEYLOFT_VMIDI_PAIR1=sized and opens "Loop MIDI Out"/"Loop MIDI In".
    bool Open();
    void Close();

    // Sends a request of requestSize bytes and waits for the reply of replySize bytes.
    bool Exchange(std::size_t requestSize, std::size_t replySize, DWORD timeoutMs = 5000);
    // Runs every exchange of a shape; seconds taken, or a negative value on a time-out.
    double Run(const Shape& shape);

private:
    static void CALLBACK OnInput(HMIDIIN, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

    HMIDIOUT out_ = nullptr;
    HMIDIIN in_ = nullptr;
    HANDLE replied_ = nullptr;
    MIDIHDR header_{};
    std::vector<char> buffer_;
    volatile LONG received_ = 0; // bytes of the current reply so far
};

} // namespace vmidi_bench
