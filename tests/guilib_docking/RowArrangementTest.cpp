#include "guilib/docking/KGPRowArrangement.h"

#include <gtest/gtest.h>

namespace {

KGPRowSpan Span(int start, int length, int minLength, int key)
{
    KGPRowSpan span;
    span.start = span.homeStart = start;
    span.length = span.fullLength = length;
    span.minLength = minLength;
    span.key = key;
    return span;
}

CKGPRowArrangement Row(int length, std::initializer_list<KGPRowSpan> spans)
{
    CKGPRowArrangement row(length);
    for (const KGPRowSpan& span : spans)
        row.Insert(span);
    return row;
}

// Every span inside the row, in order, apart, and never below its minimum.
void ExpectSound(const CKGPRowArrangement& row)
{
    int end = 0;
    for (const KGPRowSpan& span : row.Spans()) {
        EXPECT_GE(span.start, end) << "span " << span.key;
        EXPECT_GE(span.length, span.minLength) << "span " << span.key;
        end = span.End();
    }
    EXPECT_LE(end, row.RowLength());
}

TEST(RowArrangement, SpansAreKeptInStartOrder)
{
    CKGPRowArrangement row = Row(300, {Span(0, 50, 10, 0), Span(100, 50, 10, 1)});
    EXPECT_EQ(2u, row.Insert(Span(100, 50, 10, 2))); // an equal start goes after
    EXPECT_EQ(1u, row.Insert(Span(50, 20, 10, 3)));
}

TEST(RowArrangement, AMovedBarPushesItsNeighbourOrSwapsWithIt)
{
    CKGPRowArrangement pushed = Row(300, {Span(0, 100, 40, 0), Span(100, 100, 40, 1)});
    EXPECT_TRUE(pushed.MoveInRow(0, 50, false));
    EXPECT_EQ(50, pushed.Spans()[0].start);
    EXPECT_EQ(150, pushed.Spans()[1].start);
    ExpectSound(pushed);

    CKGPRowArrangement swapped = Row(300, {Span(0, 100, 40, 0), Span(100, 100, 40, 1)});
    EXPECT_TRUE(swapped.MoveInRow(0, 60, true));
    EXPECT_EQ(1, swapped.Spans()[0].key);
    EXPECT_EQ(0, swapped.Spans()[1].key);
    ExpectSound(swapped);

    // Backwards too: the last bar dragged over the one before it jumps it,
    // and the row keeps both (it wrote past its end, and the drag crashed).
    CKGPRowArrangement back = Row(300, {Span(50, 100, 40, 0), Span(150, 100, 40, 1)});
    EXPECT_TRUE(back.MoveInRow(1, -40, true));
    ASSERT_EQ(2u, back.Spans().size());
    EXPECT_EQ(1, back.Spans()[0].key);
    EXPECT_EQ(0, back.Spans()[1].key);
    ExpectSound(back);
    CKGPRowArrangement middle = Row(400, {Span(50, 100, 40, 0), Span(150, 100, 40, 1), Span(300, 50, 20, 2)});
    EXPECT_TRUE(middle.MoveInRow(1, -40, true));
    ASSERT_EQ(3u, middle.Spans().size());
    EXPECT_EQ(1, middle.Spans()[0].key);
    EXPECT_EQ(0, middle.Spans()[1].key);
    EXPECT_EQ(2, middle.Spans()[2].key) << "the bar after them stays after them";
    ExpectSound(middle);

    CKGPRowArrangement full = Row(200, {Span(0, 100, 40, 0), Span(100, 100, 40, 1)});
    EXPECT_FALSE(full.MoveInRow(1, 30, true)); // no room beyond the row end
    EXPECT_EQ(100, full.Spans()[1].start);
}

TEST(RowArrangement, BarsShrinkFromTheLastWhenShortAndGrowBack)
{
    CKGPRowArrangement row = Row(300, {Span(0, 120, 50, 0), Span(120, 120, 50, 1), Span(240, 120, 50, 2)});
    row.Arrange();
    EXPECT_EQ(60, row.Spans()[2].length); // the last alone gives the 60 pixels
    EXPECT_EQ(120, row.Spans()[1].length);
    ExpectSound(row);

    CKGPRowArrangement tight = Row(300, {Span(0, 120, 100, 0), Span(120, 120, 100, 1), Span(240, 120, 100, 2)});
    tight.Arrange();
    for (const KGPRowSpan& span : tight.Spans())
        EXPECT_EQ(100, span.length); // each down to its minimum
    ExpectSound(tight);

    tight.Resize(400);
    for (const KGPRowSpan& span : tight.Spans())
        EXPECT_EQ(120, span.length);
    ExpectSound(tight);

    CKGPRowArrangement pushed = Row(300, {Span(0, 80, 40, 0), Span(200, 80, 40, 1)});
    pushed.Resize(250); // the second is pushed back to 170
    pushed.Resize(300); // and returns home once there is room
    EXPECT_EQ(200, pushed.Spans()[1].start);

    CKGPRowArrangement single = Row(100, {Span(30, 150, 20, 0)});
    single.Arrange();
    EXPECT_EQ(0, single.Spans()[0].start);
    EXPECT_EQ(100, single.Spans()[0].length); // exactly the shortage

    EXPECT_EQ(0, single.Stretch(0, 0));
    EXPECT_EQ(10, single.Stretch(0, 10));
    EXPECT_EQ(0, tight.Stretch(0, 10)); // already at full size: nothing to take
}

} // namespace

namespace {

TEST(RowArrangement, AutoHideBarsPlacedInSequenceOverlapInsideAGroup)
{
    // Three bars of 40, 30, 50 from 5, 2 apart; the second continues the first's group.
    const std::vector<KGPSequenceItem> items = {{40, true}, {30, false}, {50, true}};
    EXPECT_EQ((std::vector<int>{5, 44, 76}), PlaceInSequence(items, 5, 2, 1, false));
    // With the overlapping button style the grouped bar also sits half its length earlier.
    EXPECT_EQ((std::vector<int>{5, 29, 61}), PlaceInSequence(items, 5, 2, 1, true));
    EXPECT_TRUE(PlaceInSequence({}, 0, 2, 1, false).empty());
}

TEST(RowArrangement, RoomAlongTheRowAndBarsClampedInside)
{
    CKGPRowArrangement row = Row(200, {Span(10, 40, 20, 0), Span(60, 50, 20, 1), Span(170, 50, 20, 2)});
    EXPECT_EQ(200 - 110 - 50, row.GetFreeSpace(1, true));      // up to the end, less the last bar
    EXPECT_EQ(60 - 40, row.GetFreeSpace(1, false));            // back to the start, less the first bar
    row.ClampToRow(2);                                          // 170..220 sticks out by 20
    EXPECT_EQ(150, row.Spans()[2].start);
    row.Spans()[0].start = -15;
    row.ClampToRow(0);
    EXPECT_EQ(0, row.Spans()[0].start);
    row.ShiftBars(0, 30, true); // 30 to absorb: the gap of 20 takes 20, the next bar moves 10
    EXPECT_EQ(30, row.Spans()[0].start);
    EXPECT_EQ(70, row.Spans()[1].start);
    ExpectSound(row);
}

TEST(RowArrangement, AShortRowGrowsItsBarsBackOnlyWhenAskedTo)
{
    CKGPRowArrangement row = Row(300, {Span(0, 100, 30, 0), Span(100, 100, 30, 1)});
    row.Resize(150);
    EXPECT_EQ(-50, row.Available(true));
    ExpectSound(row);
    row.Resize(250, false); // the row is longer, but no edge moved out: sizes stay
    EXPECT_EQ(150, row.Spans()[0].length + row.Spans()[1].length);
    row.Resize(300, true);
    EXPECT_EQ(200, row.Spans()[0].length + row.Spans()[1].length);
    ExpectSound(row);
}

} // namespace

TEST(RowArrangement, ARowABarKeepsToItselfKeepsTheBarsSizeAndClampsItInside)
{
    // A bar of 120 dragged along a row of 400 to 250: the row narrows to 300.
    CKGPRowArrangement row = Row(400, {Span(250, 120, 40, 0)});
    row.ResizeKeepingSizes(300, false);
    EXPECT_EQ(180, row.Spans()[0].start) << "back inside, its end at the row's";
    EXPECT_EQ(120, row.Spans()[0].length) << "not shrunk";
    // Narrower than the bar: it starts at the row start, still at its size.
    row.ResizeKeepingSizes(100, false);
    EXPECT_EQ(0, row.Spans()[0].start);
    EXPECT_EQ(120, row.Spans()[0].length);
    // Longer, but no edge moved out: it stays; an edge moved out: back where it was put.
    row.ResizeKeepingSizes(300, false);
    EXPECT_EQ(0, row.Spans()[0].start);
    row.ResizeKeepingSizes(400, true);
    EXPECT_EQ(250, row.Spans()[0].start);
    EXPECT_EQ(120, row.Spans()[0].length);
}
