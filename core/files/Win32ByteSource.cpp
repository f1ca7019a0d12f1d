#include "core/files/Win32ByteSource.h"

#include <algorithm>

CWin32ByteSource::CWin32ByteSource(LPCWSTR path)
{
    // Reading a file's mark (off the GUI thread, while the user works) must
    // never stop the file from being replaced, renamed or deleted.
    m_file.Reset(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        return;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_file.Get(), &size) || size.QuadPart < 0) {
        m_file.Reset();
        return;
    }
    m_size = static_cast<std::uint64_t>(size.QuadPart);
}

CWin32ByteSource::~CWin32ByteSource() = default;

bool CWin32ByteSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!IsOpen() || offset > m_size || out.size() > m_size - offset)
        return false;
    std::size_t done = 0;
    while (done < out.size()) {
        OVERLAPPED position{};
        const std::uint64_t at = offset + done;
        position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        const auto want = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 24));
        DWORD read = 0;
        if (!::ReadFile(m_file.Get(), out.data() + done, want, &read, &position) || read == 0)
            return false; // the file shrank since it was opened
        done += read;
    }
    return true;
}
