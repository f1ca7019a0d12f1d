#pragma once
// Drives the simulated instrument engine the way the program's port does, with
// the protocol codec, so that tests read like the port's own exchanges.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/portable/protocol/Messages.h"
#include "core/portable/protocol/SysEx.h"
#include "tools/instrument/Instrument.h"

namespace keyloft::instrument::test {

namespace kp = keyloft::protocol;

// A fresh memory folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("keyloft-sim-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out << text;
    }

private:
    std::filesystem::path path_;
};

struct Exchange {
    std::vector<Reply> replies;
    std::optional<kp::Packet> packet; // the first reply, when it is a valid packet frame
};

class InstrumentHost {
public:
    explicit InstrumentHost(const std::filesystem::path& folder) : instrument_(folder, Control{}) {}

    Instrument& Engine() { return instrument_; }

    Exchange Send(const kp::Bytes& packet) { return SendMessage(kp::WrapPacket(packet)); }

    Exchange SendMessage(const kp::Bytes& message)
    {
        Exchange exchange;
        exchange.replies = instrument_.OnMessage(message);
        if (!exchange.replies.empty()) {
            const kp::PacketFrame frame = kp::ReadPacketFrame(exchange.replies.front().bytes);
            if (frame.Ok())
                exchange.packet = frame.parse.packet;
        }
        return exchange;
    }

    kp::Status Ack(const kp::Bytes& packet, kp::PacketType expected)
    {
        const Exchange exchange = Send(packet);
        if (!exchange.packet)
            return kp::Status::BadPacket;
        const auto ack = kp::ReadAck(*exchange.packet);
        if (!ack || ack->acknowledged != static_cast<std::uint8_t>(expected))
            return kp::Status::BadPacket;
        return ack->status;
    }

    // The port's download sequence; the first status other than ok.
    kp::Status Download(std::uint8_t kind, std::uint16_t slot, kp::ByteView data)
    {
        if (const auto s = Ack(kp::MakeClearState(), kp::PacketType::ClearState); s != kp::Status::Ok)
            return s;
        for (std::size_t offset = 0; offset < data.size(); offset += kp::kMaxChunk) {
            const auto piece = data.subspan(offset, std::min(kp::kMaxChunk, data.size() - offset));
            if (const auto s = Ack(kp::MakeData(kind, slot, piece), kp::PacketType::Data); s != kp::Status::Ok)
                return s;
        }
        return Ack(kp::MakeEnd(kind, slot, static_cast<std::uint32_t>(data.size())), kp::PacketType::End);
    }

private:
    Instrument instrument_;
};

inline kp::Bytes Pattern(std::size_t size, unsigned seed = 1)
{
    kp::Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 2654435761u + seed) >> 7);
    return bytes;
}

} // namespace keyloft::instrument::test
