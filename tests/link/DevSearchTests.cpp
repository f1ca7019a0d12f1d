// The instrument search over every port pair of the test driver.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/link/MidiDevSearch.h"
#include "core/link/MidiLink.h"
#include "tests/link/LinkTestSupport.h"

using linktest::Stopwatch;

namespace {

using linktest::SetLoopBehaviour;

class DevSearch : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        const auto instrument = linktest::InstrumentPorts();
        ASSERT_TRUE(instrument) << "the test MIDI driver is not installed in the prefix";
        m_instrument = *instrument;
        m_search.SetTimeouts(linktest::ShortTimeouts());
    }
    void TearDown() override { SetLoopBehaviour(L"echo"); }

    linktest::SimulatedMemory m_memory;
    linktest::MessageRecorder m_messages;
    linktest::PortPair m_instrument;
    CMidiDevSearch m_search;
};

TEST_P(DevSearch, FindsExactlyTheInstrumentWhateverTheOtherPairDoes)
{
    SetLoopBehaviour(GetParam());
    const std::vector<FoundInstrument>& found = m_search.Scan();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].outId, m_instrument.out);
    EXPECT_EQ(found[0].inId, m_instrument.in);
    EXPECT_EQ(found[0].name, CString(L"RX470"));
    EXPECT_EQ(m_search.GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(LoopPair, DevSearch, ::testing::Values(L"echo", L"garbage", L"silent"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.param, info.param + wcslen(info.param));
                         });

using DevSearchCheck = DevSearch;

TEST_F(DevSearchCheck, ReportsTheNameTheInstrumentGives)
{
    m_memory.SetControl("name=XK900");
    ASSERT_EQ(m_search.Scan().size(), 1u);
    EXPECT_EQ(m_search.GetFound()[0].name, CString(L"XK900"));
}

TEST_F(DevSearchCheck, ASilentInstrumentIsNotFoundAndTheScanStaysWithinItsTime)
{
    m_memory.SetControl("fault=silent");
    Stopwatch watch;
    EXPECT_TRUE(m_search.Scan().empty());
    const long long outputs = midiOutGetNumDevs();
    EXPECT_LT(watch.Elapsed().count(), 10 * outputs * (200 + 500)) << "ten times the scan's own waits";
}

TEST_F(DevSearchCheck, CheckAsksTheFoundInstrumentAgain)
{
    ASSERT_EQ(m_search.Scan().size(), 1u);
    EXPECT_TRUE(m_search.Check(0));
    EXPECT_FALSE(m_search.Check(1));
    EXPECT_FALSE(m_search.Check(-1));

    m_memory.SetControl("fault=silent");
    Stopwatch watch;
    EXPECT_FALSE(m_search.Check(0)) << "an instrument that stopped answering fails its check";
    EXPECT_LT(watch.Elapsed().count(), 10 * (200 + 500)) << "ten times one output's waits";
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_F(DevSearchCheck, PortIdsOnlyForFoundInstruments)
{
    UINT out = 77;
    UINT in = 77;
    EXPECT_FALSE(m_search.GetPortIds(0, out, in)) << "nothing found yet";
    ASSERT_EQ(m_search.Scan().size(), 1u);
    ASSERT_TRUE(m_search.GetPortIds(0, out, in));
    EXPECT_EQ(out, m_instrument.out);
    EXPECT_EQ(in, m_instrument.in);
    EXPECT_FALSE(m_search.GetPortIds(1, out, in));
    EXPECT_FALSE(m_search.GetPortIds(-1, out, in));
}

TEST_F(DevSearchCheck, LeavesEveryPortClosedForThePortToOpen)
{
    ASSERT_EQ(m_search.Scan().size(), 1u);
    ASSERT_TRUE(m_search.Check(0));
    // The search object still lives; the pair must be free all the same.
    CMidiLink link;
    EXPECT_TRUE(link.Open(m_instrument.out, m_instrument.in));
    EXPECT_TRUE(m_messages.Ids().empty());
}

}  // namespace
