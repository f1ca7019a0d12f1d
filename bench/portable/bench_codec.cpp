// Codec throughput: 1 MiB cut into data packets, each encoded, wrapped, passed
// through the reassembler in 256-byte input buffers, unwrapped and parsed; beside
// a plain copy of the same message bytes. Prints both and their ratio.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/Reassembler.h"
#include "core/portable/protocol/SysEx.h"

namespace kp = keyloft::protocol;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

} // namespace

int main()
{
    constexpr std::size_t kItemSize = 1 << 20;
    constexpr int kRounds = 20;
    std::vector<std::uint8_t> item(kItemSize);
    for (std::size_t i = 0; i < item.size(); ++i)
        item[i] = static_cast<std::uint8_t>(i * 131 + 7);

    std::size_t wireBytes = 0;
    std::size_t decodedBytes = 0;
    const auto codecStart = Clock::now();
    for (int round = 0; round < kRounds; ++round) {
        kp::SysExReassembler reassembler;
        for (std::size_t offset = 0; offset < item.size(); offset += kp::kMaxChunk) {
            const std::size_t n = std::min(kp::kMaxChunk, item.size() - offset);
            const kp::Bytes message = kp::WrapPacket(kp::MakeData(1, 3, kp::ByteView(item).subspan(offset, n)));
            wireBytes += message.size();
            for (std::size_t at = 0; at < message.size(); at += 256) {
                const std::size_t len = std::min<std::size_t>(256, message.size() - at);
                reassembler.Feed(kp::ByteView(message).subspan(at, len), [&](const kp::ReassemblyEvent& event) {
                    const kp::PacketFrame frame = kp::ReadPacketFrame(event.message);
                    if (const auto data = frame.Ok() ? kp::ReadData(frame.parse.packet) : std::nullopt)
                        decodedBytes += data->data.size();
                });
            }
        }
    }
    const double codecSeconds = Seconds(Clock::now() - codecStart);
    if (decodedBytes != kItemSize * kRounds) {
        std::fprintf(stderr, "codec lost bytes: %zu of %zu\n", decodedBytes, kItemSize * kRounds);
        return 1;
    }

    // The same number of wire bytes copied once out and once back in.
    std::vector<std::uint8_t> wire(wireBytes / kRounds);
    std::vector<std::uint8_t> copy(wire.size());
    std::vector<std::uint8_t> back(wire.size());
    volatile std::uint8_t sink = 0;
    const auto copyStart = Clock::now();
    for (int round = 0; round < kRounds; ++round) {
        wire[static_cast<std::size_t>(round) % wire.size()] = static_cast<std::uint8_t>(round);
        std::memcpy(copy.data(), wire.data(), wire.size());
        std::memcpy(back.data(), copy.data(), copy.size());
        sink = sink + back[static_cast<std::size_t>(round) % back.size()];
    }
    const double copySeconds = Seconds(Clock::now() - copyStart);

    const double mib = static_cast<double>(kItemSize) * kRounds / (1 << 20);
    std::printf("codec: %.1f MiB of file data (%.1f MiB on the wire) in %.3f s = %.1f MiB/s\n", mib,
                static_cast<double>(wireBytes) / (1 << 20), codecSeconds, mib / codecSeconds);
    std::printf("memcpy of the same wire bytes out and back: %.4f s = %.1f MiB/s\n", copySeconds, mib / copySeconds);
    std::printf("ratio codec/memcpy time: %.1f\n", codecSeconds / copySeconds);
    return 0;
}
