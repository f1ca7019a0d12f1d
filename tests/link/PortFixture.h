// A device port connected to the simulated instrument over the test driver.
#pragma once

#include <gtest/gtest.h>

#include <afx.h>

#include <memory>
#include <vector>

#include "core/link/USBPort.h"
#include "tests/link/LinkTestSupport.h"

namespace linktest {

class PortTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the instrument's pair on the port and selects the MIDI path.
    void Connect(CUSBPort& port) const;

    SimulatedMemory m_memory;
    MessageRecorder m_messages;
    PortPair m_instrument;
    std::unique_ptr<CUSBPort> m_port;
};

// The same with short time-outs, so that a fault or a wait ends quickly.
class ShortTimeoutPortTest : public PortTest {
protected:
    void SetUp() override
    {
        PortTest::SetUp();
        if (!HasFatalFailure())
            m_port->SetTimeouts(ShortTimeouts());
    }
};

// Everything in a file, read from its start.
std::vector<std::uint8_t> ContentOf(CFile& file);

}  // namespace linktest
