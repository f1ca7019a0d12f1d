// Downloads and uploads of every kind through the port, checked against the
// simulated instrument's memory folder.
#include <gtest/gtest.h>

#include <string>

#include "core/portable/protocol/Constants.h"
#include "tests/link/PortFixture.h"

namespace protocol = keyloft::protocol;
using linktest::ContentOf;
using linktest::PatternBytes;

namespace {

struct RoundTrip {
    int kind;
    int slot;
    std::size_t size;
};

std::string Name(const ::testing::TestParamInfo<RoundTrip>& info)
{
    static const char* const kinds[] = {"Song", "Style", "Voice", "Memory"};
    return std::string(kinds[info.param.kind]) + "_slot" + (info.param.slot < 0 ? "Working" : std::to_string(info.param.slot)) +
           "_" + std::to_string(info.param.size) + "bytes";
}

class PortRoundTrip : public linktest::PortTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(PortRoundTrip, DownloadStoresTheBytesAndUploadReadsThemBack)
{
    const RoundTrip trip = GetParam();
    const std::vector<std::uint8_t> data = PatternBytes(trip.size, static_cast<std::uint32_t>(trip.size + trip.kind));

    ASSERT_EQ(m_port->Download(trip.kind, trip.slot, data.data(), static_cast<DWORD>(data.size())), 1);
    const auto stored = m_memory.ReadFile(m_memory.SlotFile(trip.kind, trip.slot));
    ASSERT_TRUE(stored.has_value()) << "the instrument stored nothing";
    EXPECT_EQ(*stored, data);

    CMemFile target(1024);
    ASSERT_EQ(m_port->Upload(trip.kind, trip.slot, static_cast<DWORD>(trip.size), target), 1);
    EXPECT_EQ(ContentOf(target), data);
    EXPECT_TRUE(m_messages.Ids().empty());
    EXPECT_FALSE(m_port->IsBusy());
}

// The port splits at the packet size (2045/2046) and must carry an empty item;
// what each kind stores is the instrument's affair, so one size per other kind.
INSTANTIATE_TEST_SUITE_P(PacketEdgesAndEveryKind, PortRoundTrip,
                         ::testing::Values(RoundTrip{0, 3, 0}, RoundTrip{0, 3, 2045}, RoundTrip{0, 3, 2046},
                                           RoundTrip{0, 3, 64 * 1024 + 1}, RoundTrip{1, 3, 4090},
                                           RoundTrip{2, 3, 1}, RoundTrip{3, -1, 2046}),
                         Name);

using PortUpload = linktest::PortTest;

TEST_F(PortUpload, AnItemLargerThanExpectedIsRefusedBeforeAnythingIsWritten)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 1), PatternBytes(3000));
    // A fixed 2048-byte block: writing past it would be an overflow in a
    // caller that sized its buffer by the expected maximum.
    std::vector<BYTE> block(2048, 0xAA);
    CMemFile target(block.data(), static_cast<UINT>(block.size()), 0);
    target.SetLength(0);
    EXPECT_EQ(m_port->Upload(0, 1, 2048, target), 0);
    EXPECT_EQ(target.GetLength(), 0u);
    EXPECT_EQ(block, std::vector<BYTE>(2048, 0xAA));
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{126});
}

TEST_F(PortUpload, AFileThatCannotTakeTheBytesFailsWithTheUploadMessage)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 1), PatternBytes(3000));
    std::vector<BYTE> block(100, 0);
    CMemFile tooSmall(block.data(), static_cast<UINT>(block.size()), 0);  // fixed size: a longer write throws
    EXPECT_EQ(m_port->Upload(0, 1, 3000, tooSmall), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{126});
    EXPECT_FALSE(m_port->IsBusy());
}

TEST_F(PortUpload, AFreeSlotFailsWithTheUploadMessage)
{
    CMemFile target(1024);
    EXPECT_EQ(m_port->Upload(2, 5, 1000, target), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{126});
    EXPECT_EQ(target.GetLength(), 0u);
}

class PortDownload : public linktest::PortTest {
protected:
    // Maximum sizes of the instrument, through the profile in its memory folder.
    void LimitSizes(unsigned songMax, unsigned styleMax)
    {
        const std::string profile = "[FILE_SIZE]\r\nSNG_MAX_SIZE=" + std::to_string(songMax) +
                                    "\r\nSTY_MAX_SIZE=" + std::to_string(styleMax) + "\r\n";
        m_memory.WriteFile(L"profile.ini", std::vector<std::uint8_t>(profile.begin(), profile.end()));
    }
};

TEST_F(PortDownload, AnItemOverTheInstrumentsMaximumShowsItsKindsMessage)
{
    LimitSizes(5000, 5000);
    std::vector<std::uint8_t> data = PatternBytes(5000);
    EXPECT_EQ(m_port->Download(1, 0, data.data(), static_cast<DWORD>(data.size())), 1) << "the maximum itself fits";
    data.push_back(0);
    EXPECT_EQ(m_port->Download(1, 1, data.data(), static_cast<DWORD>(data.size())), 0);
    EXPECT_EQ(m_port->Download(0, 0, data.data(), static_cast<DWORD>(data.size())), 0);
    EXPECT_EQ(m_messages.Ids(), (std::vector<UINT>{221, 116})) << "the style size message, the song load failure";
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(1, 1)).has_value());
}

TEST_F(PortDownload, ASlotOutsideTheTableIsRefusedByTheInstrument)
{
    const std::vector<std::uint8_t> data = PatternBytes(10);
    EXPECT_EQ(m_port->Download(3, 500, data.data(), static_cast<DWORD>(data.size())), 0);
    EXPECT_EQ(m_messages.Ids(), std::vector<UINT>{115});
}

TEST_F(PortDownload, AnUnknownKindIsNeverSentEitherWay)
{
    const std::vector<std::uint8_t> data = PatternBytes(10);
    EXPECT_EQ(m_port->Download(5, 0, data.data(), static_cast<DWORD>(data.size())), 0);
    EXPECT_EQ(m_port->Download(-3, 0, data.data(), static_cast<DWORD>(data.size())), 0);
    CMemFile target;
    EXPECT_EQ(m_port->Upload(4, 0, 100, target), 0);
    EXPECT_EQ(m_port->Upload(7, 0, 100, target), 0);
    EXPECT_FALSE(m_port->IsBusy());
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_F(PortDownload, AClosedPortRefusesSilently)
{
    CUSBPort closed;  // mode 2 from construction
    EXPECT_EQ(closed.GetMode(), CUSBPort::kModeClosed);
    const std::vector<std::uint8_t> data = PatternBytes(10);
    EXPECT_EQ(closed.Download(0, 0, data.data(), 10), 0);
    CMemFile target;
    EXPECT_EQ(closed.Upload(0, 0, 10, target), 0);
    EXPECT_FALSE(closed.Probe());
    EXPECT_TRUE(m_messages.Ids().empty());
}

}  // namespace
