#pragma once
// The simulated instrument: takes each complete system-exclusive message the
// program sends and returns the replies, keeping its slots in a folder.
// Not thread-safe: the driver hands it one message at a time.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/portable/protocol/Messages.h"
#include "tools/instrument/Control.h"
#include "tools/instrument/DeviceProfile.h"
#include "tools/instrument/Reply.h"
#include "tools/instrument/SlotStore.h"

namespace keyloft::instrument {

class Instrument {
public:
    // base: settings from the environment; the folder's control.txt applies on top.
    explicit Instrument(std::filesystem::path memoryFolder, Control base = {});

    std::vector<Reply> OnMessage(protocol::ByteView message);

    // Replaces the environment settings (tests of the engine itself).
    void SetBaseControl(Control base);
    // The port was closed and opened again with these environment settings: a
    // transfer in progress is forgotten, but not how far a fault has got, nor a
    // pulled cable (a reconnect does not plug it back in).
    void Reopen(Control base);
    bool Pulled() const { return pulled_; }
    const Control& CurrentControl() const { return control_; }
    const SlotStore& Store() const { return store_; }
    const SlotLimits& Limits() const { return limits_; }

private:
    struct Download {
        protocol::ItemRef item;
        protocol::Bytes data;
    };
    struct UploadItem {
        protocol::ItemRef item;
        protocol::Bytes data;
    };

    void RefreshSettings();
    bool FaultHits(std::uint8_t type);
    std::vector<Reply> Deliver(protocol::Bytes message, std::size_t requestSize, bool faultApplies);

    protocol::Bytes Answer(const protocol::Packet& packet);
    protocol::Bytes Refusal(const protocol::Packet& packet, protocol::Status status) const;
    protocol::Bytes AnswerHello(const protocol::Packet& packet);
    protocol::Bytes AnswerQuery(const protocol::Packet& packet) const;
    protocol::Bytes AnswerDelete(const protocol::Packet& packet) const;
    protocol::Bytes AnswerData(const protocol::Packet& packet);
    protocol::Bytes AnswerEnd(const protocol::Packet& packet);
    protocol::Bytes AnswerUploadRequest(const protocol::Packet& packet);
    protocol::Bytes AnswerUploadRead(const protocol::Packet& packet);
    protocol::Bytes AnswerUploadEnd(const protocol::Packet& packet);

    protocol::Status CheckSlot(std::uint8_t kind, std::uint16_t slot) const;
    std::optional<protocol::Bytes> LoadUploadItem(protocol::ItemRef item, protocol::Status& status) const;

    SlotStore store_;
    Control base_;
    Control control_;
    std::string controlStamp_;
    std::string controlText_;
    bool reloadControl_ = false;
    std::string profileText_;
    SlotLimits limits_;
    unsigned matchingPackets_ = 0;
    bool pulled_ = false;
    bool armed_ = false; // a clear state came since the last end
    std::optional<Download> download_;
    std::optional<UploadItem> upload_;
};

} // namespace keyloft::instrument
