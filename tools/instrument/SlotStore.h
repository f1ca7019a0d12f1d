#pragma once
// The simulated instrument's memory: one file per used slot in a folder.
//   song/NNN.mid  style/NNN.sty  voice/NNN.voc  memory/NNN.mem  (NNN from 000)
//   song/work.mid ...  the working item (slot FFFF)
#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/portable/protocol/Bytes.h"

namespace keyloft::instrument {

class SlotStore {
public:
    explicit SlotStore(std::filesystem::path root);

    const std::filesystem::path& Root() const { return root_; }

    // kind 0..3; slot 0..999 or FFFF.
    static std::filesystem::path RelativePath(std::uint8_t kind, std::uint16_t slot);
    std::filesystem::path PathOf(std::uint8_t kind, std::uint16_t slot) const { return root_ / RelativePath(kind, slot); }

    bool IsUsed(std::uint8_t kind, std::uint16_t slot) const;
    std::optional<std::uint64_t> SizeOf(std::uint8_t kind, std::uint16_t slot) const;
    std::optional<protocol::Bytes> Read(std::uint8_t kind, std::uint16_t slot) const;
    // Replaces the item whole (written aside, then renamed over); false on failure.
    bool Write(std::uint8_t kind, std::uint16_t slot, protocol::ByteView bytes) const;
    bool Erase(std::uint8_t kind, std::uint16_t slot) const;

    // A file of the folder itself (profile.ini, voices.ins, control.txt).
    std::optional<std::string> ReadText(const std::filesystem::path& name) const;

private:
    std::filesystem::path root_;
};

} // namespace keyloft::instrument
