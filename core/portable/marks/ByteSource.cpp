#include "core/portable/marks/ByteSource.h"

#include <algorithm>
#include <array>

namespace keyloft::marks {

bool MemoryByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    const std::uint64_t size = m_bytes.size();
    if (offset > size || out.size() > size - offset)
        return false;
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

StreamByteSource::StreamByteSource(std::istream& stream) : m_stream(stream)
{
    if (!m_stream)
        return;
    m_stream.seekg(0, std::ios::end);
    const std::streamoff end = m_stream.tellg();
    if (!m_stream || end < 0)
        return;
    m_size = static_cast<std::uint64_t>(end);
    m_good = true;
}

bool StreamByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!m_good || offset > m_size || out.size() > m_size - offset)
        return false;
    if (out.empty())
        return true;
    m_stream.clear();
    m_stream.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    m_stream.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return m_stream.gcount() == static_cast<std::streamsize>(out.size());
}

FileByteSource::FileByteSource(const std::filesystem::path& path)
    : m_file(path, std::ios::binary), m_source(m_file)
{
}

bool ReadU16LE(const ByteSource& source, std::uint64_t offset, std::uint16_t& value)
{
    std::array<std::uint8_t, 2> b{};
    if (!source.ReadAt(offset, b))
        return false;
    value = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool ReadU16BE(const ByteSource& source, std::uint64_t offset, std::uint16_t& value)
{
    std::array<std::uint8_t, 2> b{};
    if (!source.ReadAt(offset, b))
        return false;
    value = static_cast<std::uint16_t>((b[0] << 8) | b[1]);
    return true;
}

bool ReadU32BE(const ByteSource& source, std::uint64_t offset, std::uint32_t& value)
{
    std::array<std::uint8_t, 4> b{};
    if (!source.ReadAt(offset, b))
        return false;
    value = (static_cast<std::uint32_t>(b[0]) << 24) | (static_cast<std::uint32_t>(b[1]) << 16) |
            (static_cast<std::uint32_t>(b[2]) << 8) | b[3];
    return true;
}

} // namespace keyloft::marks
