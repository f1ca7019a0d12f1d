// A device port on the simulated instrument, a PC data folder of its own and a
// recorder of the worker's events, for every transfer test.
#pragma once

#include <gtest/gtest.h>

#include <afx.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "app/transfer/TransferWorker.h"
#include "core/link/USBPort.h"
#include "tests/link/LinkTestSupport.h"

namespace transfertest {

struct RecordedEvents : ITransferEvents {
    void FileError(const CString& path, int cause) override;
    void FileRejected(const CString& path) override;
    void PcFolderWritten() override;

    std::mutex mutex;
    std::vector<CString> errorPaths;
    std::vector<CString> rejectedPaths;
    int pcWrites = 0;
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The PC data folder with a trailing backslash.
    CString Folder() const;
    void WritePcFile(const wchar_t* name, const std::vector<std::uint8_t>& bytes) const;
    std::vector<std::uint8_t> ReadPcFile(const wchar_t* name) const;
    bool PcFileExists(const wchar_t* name) const;

    linktest::SimulatedMemory m_memory;
    linktest::MessageRecorder m_messages;
    std::filesystem::path m_pcFolder;
    std::unique_ptr<CUSBPort> m_port;
    RecordedEvents m_events;
    std::atomic<bool> m_cancel{false};
};

// Runs the calling thread's messages until done() or the time is up; a message
// that take() answers true for is taken out, not dispatched.
bool PumpThreadUntil(const std::function<bool()>& done, DWORD timeoutMs,
                     const std::function<bool(const MSG&)>& take = {});

// Reads every message waiting in the calling thread's queue for window.
struct Posted {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
class MessageSink {
public:
    MessageSink();
    ~MessageSink();
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;
    HWND Handle() const { return m_window; }
    // Pumps until a message in [first, last] arrives or the time runs out.
    std::vector<Posted> PumpUntil(UINT first, UINT last, DWORD timeoutMs);

private:
    HWND m_window = nullptr;
};

} // namespace transfertest
