#include "tools/instrument/SlotStore.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "core/portable/protocol/Constants.h"

namespace keyloft::instrument {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolders[] = {"song", "style", "voice", "memory"};
constexpr const char* kExtensions[] = {".mid", ".sty", ".voc", ".mem"};

std::optional<protocol::Bytes> ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    protocol::Bytes bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

} // namespace

SlotStore::SlotStore(fs::path root) : root_(std::move(root)) {}

fs::path SlotStore::RelativePath(std::uint8_t kind, std::uint16_t slot)
{
    char name[16];
    if (slot == protocol::kWorkingSlot)
        std::snprintf(name, sizeof name, "work%s", kExtensions[kind & 3]);
    else
        std::snprintf(name, sizeof name, "%03u%s", static_cast<unsigned>(slot), kExtensions[kind & 3]);
    return fs::path(kFolders[kind & 3]) / name;
}

bool SlotStore::IsUsed(std::uint8_t kind, std::uint16_t slot) const
{
    std::error_code error;
    return fs::is_regular_file(PathOf(kind, slot), error);
}

std::optional<std::uint64_t> SlotStore::SizeOf(std::uint8_t kind, std::uint16_t slot) const
{
    std::error_code error;
    const auto size = fs::file_size(PathOf(kind, slot), error);
    if (error)
        return std::nullopt;
    return size;
}

std::optional<protocol::Bytes> SlotStore::Read(std::uint8_t kind, std::uint16_t slot) const
{
    return ReadWhole(PathOf(kind, slot));
}

bool SlotStore::Write(std::uint8_t kind, std::uint16_t slot, protocol::ByteView bytes) const
{
    const fs::path target = PathOf(kind, slot);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    fs::path aside = target;
    aside += ".part";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return false;
    }
    fs::rename(aside, target, error);
    if (error) {
        fs::remove(aside, error);
        return false;
    }
    return true;
}

bool SlotStore::Erase(std::uint8_t kind, std::uint16_t slot) const
{
    std::error_code error;
    fs::remove(PathOf(kind, slot), error);
    return !error;
}

std::optional<std::string> SlotStore::ReadText(const fs::path& name) const
{
    auto bytes = ReadWhole(root_ / name);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

} // namespace keyloft::instrument
