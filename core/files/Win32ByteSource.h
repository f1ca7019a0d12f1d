// A read-only view of a file for the portable mark checks, through a Win32
// handle (other programs may keep reading and writing the file meanwhile).
#pragma once

#include <afxhandle.h>

#include "core/portable/marks/ByteSource.h"

class CWin32ByteSource final : public keyloft::marks::ByteSource {
public:
    explicit CWin32ByteSource(LPCWSTR path);
    ~CWin32ByteSource() override;
    CWin32ByteSource(const CWin32ByteSource&) = delete;
    CWin32ByteSource& operator=(const CWin32ByteSource&) = delete;

    bool IsOpen() const { return static_cast<bool>(m_file); }
    std::uint64_t Size() const override { return m_size; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    CFileHandle m_file;
    std::uint64_t m_size = 0;
};
