#include "tests/link/PortFixture.h"

namespace linktest {

void PortTest::SetUp()
{
    const auto instrument = InstrumentPorts();
    ASSERT_TRUE(instrument) << "the test MIDI driver is not installed in the prefix";
    m_instrument = *instrument;
    CUSBPort::s_keepAliveBusy = false;
    m_port = std::make_unique<CUSBPort>();
    Connect(*m_port);
}

void PortTest::TearDown()
{
    m_port.reset();
    CUSBPort::s_keepAliveBusy = false;
}

void PortTest::Connect(CUSBPort& port) const
{
    ASSERT_TRUE(port.GetMidiLink().Open(m_instrument.out, m_instrument.in));
    port.GetComm().Close();
    port.SetMode(CUSBPort::kModeMidi);
}

std::vector<std::uint8_t> ContentOf(CFile& file)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.GetLength()));
    file.SeekToBegin();
    const UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    bytes.resize(read);
    return bytes;
}

}  // namespace linktest
