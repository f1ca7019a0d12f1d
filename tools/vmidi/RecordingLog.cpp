#include "tools/vmidi/RecordingLog.h"

namespace vmidi {

std::uint64_t NowMicroseconds()
{
    static const std::uint64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<std::uint64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

void RecordingLog::Open(const std::wstring& path)
{
    Close();
    if (!path.empty())
        file_ = _wfopen(path.c_str(), L"ab");
}

void RecordingLog::Close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void RecordingLog::Line(char kind, const std::uint8_t* bytes, std::size_t count)
{
    if (!file_)
        return;
    std::string line = std::to_string(NowMicroseconds());
    line += ' ';
    line += kind;
    static const char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        line += kHex[bytes[i] >> 4];
        line += kHex[bytes[i] & 0x0F];
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fflush(file_); // readers look at the file while the port is still open
}

void RecordingLog::Short(DWORD packed)
{
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(packed & 0xFF), static_cast<std::uint8_t>((packed >> 8) & 0xFF),
                                   static_cast<std::uint8_t>((packed >> 16) & 0xFF)};
    std::size_t count = 3;
    const std::uint8_t status = bytes[0];
    if (status < 0x80)
        count = 2; // running status: two data bytes
    else if ((status & 0xE0) == 0xC0 || status == 0xF1 || status == 0xF3)
        count = 2;
    else if (status >= 0xF4 && status != 0xF2)
        count = 1;
    Line('S', bytes, count);
}

void RecordingLog::Long(const std::uint8_t* bytes, std::size_t count) { Line('L', bytes, count); }

void RecordingLog::Reset() { Line('R', nullptr, 0); }

} // namespace vmidi
