// The test driver's recording synthesizer, opened as a real winmm output: every
// message that reaches it is logged with its arrival time in a file named by
// KEYLOFT_VMIDI_LOG (read by the driver when the port opens).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace player_test {

class RecordingDevice {
public:
    struct Line {
        std::uint64_t micros = 0;
        char kind = 0;                    // 'S' short, 'L' long, 'R' reset
        std::vector<std::uint8_t> bytes;
    };

    explicit RecordingDevice(const std::wstring& logPath) : logPath_(logPath) {
        DeleteFileW(logPath_.c_str());
        const UINT count = midiOutGetNumDevs();
        for (UINT id = 0; id < count; ++id) {
            MIDIOUTCAPSW caps{};
            if (midiOutGetDevCapsW(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
                std::wstring(caps.szPname).find(L"Wavetable") != std::wstring::npos) {
                SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", logPath_.c_str());
                if (midiOutOpen(&handle_, id, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
                    handle_ = nullptr;
                }
                SetEnvironmentVariableW(L"KEYLOFT_VMIDI_LOG", nullptr);
                break;
            }
        }
    }
    ~RecordingDevice() {
        Close();
        DeleteFileW(logPath_.c_str());
    }
    RecordingDevice(const RecordingDevice&) = delete;
    RecordingDevice& operator=(const RecordingDevice&) = delete;

    HMIDIOUT Handle() const { return handle_; }
    void Close() {
        if (handle_ != nullptr) {
            midiOutReset(handle_);
            midiOutClose(handle_);
            handle_ = nullptr;
        }
    }

    std::vector<Line> Lines() const {
        std::vector<Line> lines;
        std::ifstream in(logPath_.c_str());
        std::string text;
        while (std::getline(in, text)) {
            std::istringstream fields(text);
            Line line;
            fields >> line.micros >> line.kind;
            std::string hex;
            while (fields >> hex) {
                line.bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
            }
            lines.push_back(std::move(line));
        }
        return lines;
    }

private:
    std::wstring logPath_;
    HMIDIOUT handle_ = nullptr;
};

}  // namespace player_test
