// The port's short commands: probe, identity, slot tables, sizes, deletion,
// clear state and closing.
#include <gtest/gtest.h>

#include <afxcoll.h>

#include "tests/link/PortFixture.h"

using linktest::PatternBytes;

namespace {

using PortQuery = linktest::PortTest;

TEST_F(PortQuery, ProbeAndIdentityAnswer)
{
    EXPECT_TRUE(m_port->Probe());
    EXPECT_EQ(m_port->QueryIdentity(), CString(L"RX470A10"));

    m_memory.SetControl("identity=XK900B22");
    EXPECT_EQ(m_port->QueryIdentity(), CString(L"XK900B22"));
    EXPECT_TRUE(m_messages.Ids().empty()) << "probe and queries report nothing themselves";
}

TEST_F(PortQuery, SlotTablesHaveTheProfilesCountsAndMarkTheUsedSlots)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 0), PatternBytes(10));
    m_memory.WriteFile(m_memory.SlotFile(0, 19), PatternBytes(10));
    m_memory.WriteFile(m_memory.SlotFile(2, 3), PatternBytes(10));
    m_memory.WriteFile(m_memory.SlotFile(3, 7), PatternBytes(10));

    CByteArray slots;
    ASSERT_TRUE(m_port->QueryList(3, slots));
    ASSERT_EQ(slots.GetSize(), 20);
    for (INT_PTR slot = 0; slot < slots.GetSize(); ++slot)
        EXPECT_EQ(slots[slot] != 0, slot == 0 || slot == 19) << slot;

    ASSERT_TRUE(m_port->QueryList(5, slots));
    EXPECT_EQ(slots.GetSize(), 20);
    for (INT_PTR slot = 0; slot < slots.GetSize(); ++slot)
        EXPECT_EQ(slots[slot], 0) << slot;

    ASSERT_TRUE(m_port->QueryList(7, slots));
    ASSERT_EQ(slots.GetSize(), 16);
    EXPECT_NE(slots[3], 0);
    EXPECT_EQ(slots[4], 0);

    ASSERT_TRUE(m_port->QueryList(9, slots));
    ASSERT_EQ(slots.GetSize(), 8);
    EXPECT_NE(slots[7], 0);

    // The counts follow the profile in the instrument's memory folder.
    const std::string profile = "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=3\r\n";
    m_memory.WriteFile(L"profile.ini", std::vector<std::uint8_t>(profile.begin(), profile.end()));
    ASSERT_TRUE(m_port->QueryList(3, slots));
    EXPECT_EQ(slots.GetSize(), 3);
}

TEST_F(PortQuery, AnUnknownQueryNumberSendsNothingAndEmptiesTheArray)
{
    CByteArray slots;
    slots.Add(1);
    EXPECT_FALSE(m_port->QueryList(4, slots));
    EXPECT_EQ(slots.GetSize(), 0);
    EXPECT_FALSE(m_port->QueryList(11, slots));
    DWORD size = 77;
    EXPECT_FALSE(m_port->QueryItemSize(3, 0, size));
    EXPECT_EQ(size, 0u);
}

TEST_F(PortQuery, ItemSizesOfUsedSlotsAndNoneForAFreeSlot)
{
    m_memory.WriteFile(m_memory.SlotFile(0, 2), PatternBytes(12345));
    m_memory.WriteFile(m_memory.SlotFile(1, 0), PatternBytes(70000));
    m_memory.WriteFile(m_memory.SlotFile(0, -1), PatternBytes(9));

    DWORD size = 0;
    ASSERT_TRUE(m_port->QueryItemSize(4, 2, size));
    EXPECT_EQ(size, 12345u);
    ASSERT_TRUE(m_port->QueryItemSize(6, 0, size));
    EXPECT_EQ(size, 70000u);
    ASSERT_TRUE(m_port->QueryItemSize(4, -1, size));
    EXPECT_EQ(size, 9u);

    size = 555;
    EXPECT_FALSE(m_port->QueryItemSize(4, 3, size));
    EXPECT_EQ(size, 0u) << "a failed query leaves no stale size behind";
    EXPECT_FALSE(m_port->QueryItemSize(4, 70000, size)) << "a slot that does not fit u16";
}

TEST_F(PortQuery, DeleteClearsTheSlotOfItsKindOnly)
{
    for (int kind = 0; kind < 4; ++kind)
        m_memory.WriteFile(m_memory.SlotFile(kind, 1), PatternBytes(20));

    EXPECT_TRUE(m_port->DeleteStyle(1));
    EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(1, 1)).has_value());
    EXPECT_TRUE(m_memory.ReadFile(m_memory.SlotFile(0, 1)).has_value());

    EXPECT_TRUE(m_port->DeleteSong(1));
    EXPECT_TRUE(m_port->DeleteVoice(1));
    EXPECT_TRUE(m_port->DeleteMemory(1));
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_FALSE(m_memory.ReadFile(m_memory.SlotFile(kind, 1)).has_value()) << kind;

    EXPECT_FALSE(m_port->DeleteMemory(100)) << "outside the memory slot table";
    EXPECT_TRUE(m_messages.Ids().empty());
}

TEST_F(PortQuery, ClearStateAnswersWhileConnectedAndFailsOnceClosed)
{
    EXPECT_TRUE(m_port->ClearState());
    m_port->CloseDevice();
    EXPECT_FALSE(m_port->GetMidiLink().IsOutOpen());
    EXPECT_FALSE(m_port->GetMidiLink().IsInOpen());
    EXPECT_FALSE(m_port->GetComm().IsOpen());
    EXPECT_FALSE(m_port->ClearState());
    EXPECT_FALSE(m_port->Probe());

    // The pair opens again after a close, and the port talks again.
    Connect(*m_port);
    EXPECT_TRUE(m_port->Probe());
    m_port->Disconnect();
    EXPECT_FALSE(m_port->GetMidiLink().IsOutOpen());
}

TEST_F(PortQuery, CloseDeviceEndsQuicklyWhenTheInstrumentIsSilent)
{
    // The reply to the close packet is not required.
    m_port->SetTimeouts(linktest::ShortTimeouts());
    m_memory.SetControl("fault=silent");
    linktest::Stopwatch watch;
    m_port->CloseDevice();
    EXPECT_LT(watch.Elapsed().count(), 2000);
    EXPECT_FALSE(m_port->GetMidiLink().IsOutOpen());
    EXPECT_TRUE(m_messages.Ids().empty());
}

}  // namespace
