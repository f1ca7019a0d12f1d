// Every fault the simulated instrument can play ends the operation with its
// message and result 0, within its time-out, and never as a success.
#include <gtest/gtest.h>

#include <afxcoll.h>

#include <string>

#include "core/link/TransferProgress.h"
#include "tests/link/PortFixture.h"
#include "tests/link/ProgressWindow.h"

using linktest::PatternBytes;
using linktest::Stopwatch;

namespace {

// Ten times the short time-out (300 ms) a failing operation waits for; waiting
// for every packet of a 64 KiB transfer would take over three times as long.
constexpr long long kWithinTimeoutMs = 3000;
constexpr std::size_t kManyPackets = 64 * 1024;

class PortFault : public linktest::ShortTimeoutPortTest {
protected:
    int DownloadBytes(int kind, std::size_t size)
    {
        const std::vector<std::uint8_t> data = PatternBytes(size);
        return m_port->Download(kind, 2, data.data(), static_cast<DWORD>(data.size()));
    }

    int UploadSlot(int kind)
    {
        CMemFile target(1024);
        return m_port->Upload(kind, 2, 100000, target);
    }
};

TEST_F(PortFault, AnInstrumentThatAnswersNothingIsLostWithoutAMessage)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 2), PatternBytes(kManyPackets));
    m_memory.SetControl("fault=silent");

    Stopwatch watch;
    EXPECT_EQ(DownloadBytes(0, kManyPackets), 0);
    EXPECT_EQ(UploadSlot(0), 0);
    EXPECT_LT(watch.Elapsed().count(), 2 * kWithinTimeoutMs);
    EXPECT_TRUE(m_messages.Ids().empty()) << "the loss is told once, by the view, not as a time-out";
    EXPECT_TRUE(m_port->IsInstrumentLost());
    EXPECT_FALSE(m_port->IsBusy());

    m_memory.SetControl("fault=none");
    EXPECT_TRUE(m_port->Probe());
    EXPECT_FALSE(m_port->IsInstrumentLost()) << "an answered probe finds it again";
}

TEST_F(PortFault, GoingSilentInTheMiddleOfATransferFailsAtThatPacket)
{
    m_memory.SetControl("fault=silent\non=0x20\nafter=3");
    linktest::ProgressWindow window;
    m_port->SetProgressWindow(window.Handle());

    Stopwatch watch;
    EXPECT_EQ(DownloadBytes(1, 20000), 0);  // ten packets; the fourth is not answered
    EXPECT_LT(watch.Elapsed().count(), kWithinTimeoutMs);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{243}) << "it still answers a probe: a time-out";
    EXPECT_FALSE(m_port->IsInstrumentLost());
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(1, 2)).has_value());

    const std::vector<linktest::PostedMessage> expected = {
        {WM_USER + 6, 0, 10}, {WM_USER + 8, 0, 0}, {WM_USER + 8, 0, 0}, {WM_USER + 8, 0, 0}, {WM_USER + 7, 0, 0}};
    EXPECT_EQ(window.Drain(), expected) << "the bar is ended after a failure too";

    m_memory.WriteFile(m_memory.SlotFile(2, 2), PatternBytes(9000));
    m_memory.SetControl("fault=silent\non=0x31\nafter=2");
    m_messages.Clear();
    EXPECT_EQ(UploadSlot(2), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{243});
}

struct Refusal {
    unsigned status;
    int kind;
    UINT downloadMessage;
};

class PortRefusal : public PortFault, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PortRefusal, ADownloadRefusedWithAStatusShowsItsMessage)
{
    const Refusal refusal = GetParam();
    m_memory.SetControl("fault=refuse\non=0x20\nstatus=" + std::to_string(refusal.status));
    EXPECT_EQ(DownloadBytes(refusal.kind, 3000), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{refusal.downloadMessage});
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(refusal.kind, 2)).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    OnePerMessagePath, PortRefusal,
    // The full status-to-message table is the protocol suite's; here one of
    // each path through the port: the instrument's reasons, the style size
    // message, unknown format.
    ::testing::Values(Refusal{1, 0, 244}, Refusal{9, 2, 245}, Refusal{7, 1, 221}, Refusal{4, 3, 1166}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
        return "Status" + std::to_string(info.param.status) + "_Kind" + std::to_string(info.param.kind);
    });

TEST_F(PortFault, AnUploadRefusedWithAnyStatusShowsTheUploadFailure)
{
    m_memory.WriteFile(m_memory.SlotFile(1, 2), PatternBytes(3000));
    m_memory.SetControl("fault=refuse\non=0x31\nstatus=7");
    EXPECT_EQ(UploadSlot(1), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{126});
}

TEST_F(PortFault, RefusalsOfTheResetAndTheEndFailTheDownloadToo)
{
    m_memory.SetControl("fault=refuse\non=0x15\nstatus=1");
    EXPECT_EQ(DownloadBytes(3, 100), 0);
    m_memory.SetControl("fault=refuse\non=0x21\nstatus=9");
    EXPECT_EQ(DownloadBytes(3, 100), 0);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{244, 245}));
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(3, 2)).has_value());
}

TEST_F(PortFault, AWrongSumOrACutReplyIsABadReply)
{
    const struct {
        const char* fault;
        int kind;
        UINT downloadMessage;
    } cases[] = {{"fault=bad-sum", 1, 118}, {"fault=cut-reply", 2, 117}};
    for (const auto& c : cases) {
        m_messages.Clear();
        m_memory.WriteFile(m_memory.SlotFile(c.kind, 2), PatternBytes(3000));
        m_memory.SetControl(std::string(c.fault) + "\non=0x20");
        EXPECT_EQ(DownloadBytes(c.kind, 3000), 0) << c.fault;
        m_memory.SetControl(std::string(c.fault) + "\non=0x31");
        EXPECT_EQ(UploadSlot(c.kind), 0) << c.fault;
        EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{c.downloadMessage, 126})) << c.fault;
    }
}

TEST_F(PortFault, ALateReplyTimesOutAndNeverAnswersTheNextRequest)
{
    m_memory.SetControl("fault=late-reply\non=0x15\ndelay-ms=600");
    Stopwatch watch;
    EXPECT_EQ(DownloadBytes(0, 10), 0);
    EXPECT_LT(watch.Elapsed().count(), kWithinTimeoutMs);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{243});

    // The late acknowledgement arrives before the next request; the request
    // drops it, so it cannot be taken for the next answer.
    Sleep(500);
    m_memory.SetControl("fault=silent\non=0x15");
    EXPECT_FALSE(m_port->ClearState());
    m_memory.SetControl("fault=none");
    EXPECT_TRUE(m_port->ClearState());
}

TEST_F(PortFault, CommandsFailQuietlyUnderFaults)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 1), PatternBytes(10));
    for (const char* fault : {"fault=silent", "fault=bad-sum", "fault=cut-reply", "fault=refuse\nstatus=1"}) {
        m_memory.SetControl(fault);
        Stopwatch watch;
        EXPECT_FALSE(m_port->Probe()) << fault;
        EXPECT_EQ(m_port->LastProbeWasBusy(), std::string(fault).find("refuse") != std::string::npos) << "only a busy answer is one";
        EXPECT_TRUE(m_port->QueryIdentity().IsEmpty()) << fault;
        CByteArray slots;
        EXPECT_FALSE(m_port->QueryList(3, slots)) << fault;
        DWORD size = 0;
        EXPECT_FALSE(m_port->QueryItemSize(4, 1, size)) << fault;
        EXPECT_FALSE(m_port->DeleteSong(1)) << fault;
        EXPECT_FALSE(m_port->ClearState()) << fault;
        EXPECT_LT(watch.Elapsed().count(), 6 * kWithinTimeoutMs) << fault;
    }
    EXPECT_TRUE(m_messages.Ids().empty()) << "the callers of commands report their failures";
}

}  // namespace
