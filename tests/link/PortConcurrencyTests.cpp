// The port shared between threads: cancelling, refusing while busy, waiting
// for the keep-alive, and closing under a running transfer.
#include <gtest/gtest.h>

#include <afxcoll.h>

#include <future>
#include <thread>

#include "tests/link/PortFixture.h"
#include "tests/link/ProgressWindow.h"

using linktest::PatternBytes;
using linktest::Stopwatch;
using namespace std::chrono_literals;

namespace {

class PortThreads : public linktest::ShortTimeoutPortTest {
protected:
    // Every data acknowledgement comes 40 ms late (well within the time-out),
    // so a 64 KiB download takes over a second.
    void SlowDataAcks() { m_memory.SetControl("fault=late-reply\non=0x20\ndelay-ms=40"); }

    std::future<int> StartDownload(int kind, int slot, std::size_t size)
    {
        m_data = PatternBytes(size);
        return std::async(std::launch::async, [this, kind, slot] {
            return m_port->Download(kind, slot, m_data.data(), static_cast<DWORD>(m_data.size()));
        });
    }

    void WaitUntilBusy() const
    {
        for (int poll = 0; poll < 1000 && !m_port->IsBusy(); ++poll)
            Sleep(1);
        ASSERT_TRUE(m_port->IsBusy());
    }

    std::vector<std::uint8_t> m_data;
};

TEST_F(PortThreads, CancelBetweenPacketsEndsWithTwoAndTheNextTransferStartsClean)
{
    SlowDataAcks();
    std::future<int> download = StartDownload(0, 4, 64 * 1024 + 1);
    WaitUntilBusy();
    Sleep(100);
    m_port->RequestCancel();
    EXPECT_EQ(download.get(), 2);
    EXPECT_FALSE(m_port->IsCancelRequested()) << "the transfer takes the request";
    EXPECT_FALSE(m_port->IsBusy());
    EXPECT_TRUE(m_messages.Ids().empty()) << "a cancel is no failure";
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(0, 4)).has_value()) << "the half item is not stored";

    m_memory.SetControl("fault=none");
    const std::vector<std::uint8_t> data = PatternBytes(5000, 9);
    EXPECT_EQ(m_port->Download(0, 4, data.data(), static_cast<DWORD>(data.size())), 1);
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(0, 4)), data);
}

TEST_F(PortThreads, AnUploadIsCancelledBetweenPacketsToo)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(64 * 1024 + 1));
    m_memory.SetControl("fault=late-reply\non=0x31\ndelay-ms=40");
    CMemFile target(1024);
    std::future<int> upload =
        std::async(std::launch::async, [this, &target] { return m_port->Upload(1, 0, 70000, target); });
    WaitUntilBusy();
    Sleep(100);
    m_port->RequestCancel();
    EXPECT_EQ(upload.get(), 2);
    EXPECT_EQ(target.GetLength(), 0u) << "an unfinished upload writes nothing into the file";
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_F(PortThreads, AStaleCancelRequestIsClearedWhenATransferStarts)
{
    m_port->RequestCancel();  // the frame's cancel command while nothing runs
    const std::vector<std::uint8_t> data = PatternBytes(5000);
    EXPECT_EQ(m_port->Download(2, 1, data.data(), static_cast<DWORD>(data.size())), 1);

    m_port->RequestCancel();
    CMemFile target(1024);
    EXPECT_EQ(m_port->Upload(2, 1, 5000, target), 1);
    EXPECT_EQ(linktest::ContentOf(target), data);
}

TEST_F(PortThreads, ABusyPortRefusesEveryOperationAtOnce)
{
    SlowDataAcks();
    std::future<int> download = StartDownload(0, 4, 64 * 1024 + 1);
    WaitUntilBusy();

    Stopwatch watch;
    const std::vector<std::uint8_t> data = PatternBytes(10);
    EXPECT_EQ(m_port->Download(1, 0, data.data(), 10), 0);
    CMemFile target;
    EXPECT_EQ(m_port->Upload(1, 0, 10, target), 0);
    EXPECT_FALSE(m_port->Probe());
    CByteArray slots;
    EXPECT_FALSE(m_port->QueryList(3, slots));
    EXPECT_FALSE(m_port->DeleteSong(0));
    EXPECT_LT(watch.Elapsed().count(), 700) << "refusals do not wait for the running transfer (over a second)";
    EXPECT_TRUE(m_port->ClearState()) << "the keep-alive takes a running transfer as a sign of life";
    EXPECT_TRUE(m_messages.Ids().empty()) << "refusals are silent";

    m_port->RequestCancel();
    EXPECT_EQ(download.get(), 2);
}

TEST_F(PortThreads, DownloadWaitsForARunningKeepAliveExchange)
{
    CUSBPort::s_keepAliveBusy = true;
    std::future<int> download = StartDownload(3, 0, 3000);
    EXPECT_EQ(download.wait_for(150ms), std::future_status::timeout) << "the download went ahead of the keep-alive";
    CUSBPort::s_keepAliveBusy = false;
    EXPECT_EQ(download.get(), 1);
    EXPECT_EQ(m_memory.ReadFile(m_memory.SlotFile(3, 0)), m_data);
}

TEST_F(PortThreads, DownloadGivesUpWhenTheKeepAliveHoldsThePortTooLong)
{
    // A keep-alive exchange that the instrument answers late keeps the port
    // busy past the download's wait.
    keyloft::protocol::Timeouts timeouts = linktest::ShortTimeouts();
    timeouts.clearStateMs = 3000;
    m_port->SetTimeouts(timeouts);
    m_memory.SetControl("fault=late-reply\non=0x15\ndelay-ms=1800");
    std::future<BOOL> keepAlive = std::async(std::launch::async, [this] {
        CKeepAliveBusyScope keepAliveExchange;
        return m_port->ClearState();
    });
    WaitUntilBusy();
    Stopwatch watch;
    const std::vector<std::uint8_t> data = PatternBytes(10);
    EXPECT_EQ(m_port->Download(0, 0, data.data(), 10), 0);
    EXPECT_GE(watch.Elapsed().count(), 700) << "it waited for the keep-alive first";
    EXPECT_TRUE(keepAlive.get());
    EXPECT_FALSE(CUSBPort::s_keepAliveBusy.load());
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_F(PortThreads, CloseDeviceStopsARunningTransferBeforeClosingTheLink)
{
    SlowDataAcks();
    std::future<int> download = StartDownload(0, 4, 64 * 1024 + 1);
    WaitUntilBusy();
    m_port->CloseDevice();
    EXPECT_EQ(download.get(), 2);
    EXPECT_FALSE(m_port->GetMidiLink().IsOutOpen());
    EXPECT_FALSE(m_port->GetMidiLink().IsInOpen());
}

TEST_F(PortThreads, ProgressOfADownloadAndAnUploadReachesTheWindow)
{
    linktest::ProgressWindow window;
    m_port->SetProgressWindow(window.Handle());
    const std::vector<std::uint8_t> data = PatternBytes(4090);
    ASSERT_EQ(m_port->Download(1, 1, data.data(), static_cast<DWORD>(data.size())), 1);
    const std::vector<linktest::PostedMessage> twoPackets = {
        {WM_USER + 6, 0, 2}, {WM_USER + 8, 0, 0}, {WM_USER + 8, 0, 0}, {WM_USER + 7, 0, 0}};
    EXPECT_EQ(window.Drain(), twoPackets);

    CMemFile target(1024);
    ASSERT_EQ(m_port->Upload(1, 1, 4090, target), 1);
    EXPECT_EQ(window.Drain(), twoPackets);
}

}  // namespace
