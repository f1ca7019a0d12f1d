// The library tests' heap: a deleted object is not there to be read, and its
// block is not handed out again at once.
#include <gtest/gtest.h>

#include "tests/support/heap/QuarantineHeap.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Shape {
    virtual ~Shape() = default;
    virtual int Corners() const { return 4; }
    int m_nColour = 0x1234;
};

TEST(QuarantineHeap, ADeletedObjectShowsThePatternAndItsBlockIsNotReusedSoon)
{
    auto* pShape = new Shape;
    const void* block = pShape;
    unsigned char seen[sizeof(Shape)];
    delete pShape;
    // What code still holding the pointer would read: the pattern, in the
    // vtable's place too, so a virtual call faults instead of running.
    std::memcpy(seen, block, sizeof seen);
    for (unsigned char byte : seen)
        ASSERT_EQ(keyloft_test::kFreedBlockPattern, byte);

    // Blocks of the same size made meanwhile come from elsewhere.
    std::vector<std::unique_ptr<Shape>> made;
    for (int i = 0; i < 1000; ++i) {
        made.push_back(std::make_unique<Shape>());
        ASSERT_NE(block, made.back().get()) << "after " << i << " new blocks";
    }
    EXPECT_GT(keyloft_test::GetQuarantineCounts().heldBlocks, 0u);
}

} // namespace
