// The device list's rows as read from the simulated instrument.
#include <gtest/gtest.h>

#include "app/transfer/SlotTable.h"
#include "tests/app_transfer/TransferFixture.h"

using linktest::PatternBytes;
using transfertest::TransferTest;

namespace {

TEST_F(TransferTest, MoreRowsThanTheTableLeavesTheRestFreeAndFewerCutsIt)
{
    m_memory.WriteFile(m_memory.SlotFile(3, 7), PatternBytes(10, 1));  // the instrument has 8 memory slots
    SlotTableRead read = ReadSlotTable(*m_port, *FindTransferKind(3), 12, 64);
    ASSERT_EQ(read.rows.size(), 12u);
    EXPECT_EQ(read.rows[7].name, L"UserMemory 008");
    EXPECT_EQ(read.rows[7].size, 64u) << "memory sizes come from the profile";
    EXPECT_FALSE(read.rows[8].used);
    read = ReadSlotTable(*m_port, *FindTransferKind(3), 4, 64);
    EXPECT_EQ(CountUsedSlots(read.rows), 0);
}

TEST_F(TransferTest, AFailedTableQueryListsNothing)
{
    m_memory.SetControl("fault=refuse\non=0x02\n");
    const SlotTableRead read = ReadSlotTable(*m_port, *FindTransferKind(2), 16, 100);
    EXPECT_FALSE(read.listed);
    EXPECT_EQ(read.rows.size(), 16u);
    EXPECT_EQ(CountUsedSlots(read.rows), 0);
}

TEST(TransferKinds, SizeRuleIsLargestForSongsAndStylesExactForVoicesAndMemories)
{
    EXPECT_TRUE(FitsSizeRule(*FindTransferKind(0), 100, 100));
    EXPECT_TRUE(FitsSizeRule(*FindTransferKind(1), 100, 0));
    EXPECT_FALSE(FitsSizeRule(*FindTransferKind(0), 100, 101));
    EXPECT_FALSE(FitsSizeRule(*FindTransferKind(2), 100, 99));
    EXPECT_TRUE(FitsSizeRule(*FindTransferKind(3), 100, 100));
    EXPECT_FALSE(FitsSizeRule(*FindTransferKind(3), 0, 1)) << "a missing size key makes every non-empty file invalid";
    EXPECT_EQ(FindTransferKind(4), nullptr);
}

} // namespace
