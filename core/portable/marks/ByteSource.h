// Random-access reading of a file's bytes, so the mark checks can walk a file's
// structure without loading the whole of a large MIDI file and without trusting
// any length the file itself states.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace keyloft::marks {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Real size of the data in bytes.
    virtual std::uint64_t Size() const = 0;
    // Copies out.size() bytes from offset; false (and nothing promised about out)
    // when any of them lies past the end or the read fails.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::span<const std::uint8_t> m_bytes;
};

// Reads through an std::istream opened in binary mode; the size is measured once.
class StreamByteSource final : public ByteSource {
public:
    explicit StreamByteSource(std::istream& stream);
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    bool IsGood() const { return m_good; }

private:
    std::istream& m_stream;
    std::uint64_t m_size = 0;
    bool m_good = false;
};

// Opens a file by path; IsOpen() is false for a missing or unreadable file.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::filesystem::path& path);
    bool IsOpen() const { return m_source.IsGood(); }
    std::uint64_t Size() const override { return m_source.Size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        return m_source.ReadAt(offset, out);
    }

private:
    std::ifstream m_file;
    StreamByteSource m_source;
};

// Little-endian and big-endian helpers over a source; false when out of range.
bool ReadU16LE(const ByteSource& source, std::uint64_t offset, std::uint16_t& value);
bool ReadU16BE(const ByteSource& source, std::uint64_t offset, std::uint16_t& value);
bool ReadU32BE(const ByteSource& source, std::uint64_t offset, std::uint32_t& value);

} // namespace keyloft::marks
