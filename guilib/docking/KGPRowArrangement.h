// The arrangement of the bars of one dock-bar row along the row, on plain
// spans: pushing bars apart, shifting them back inside the row, shrinking them
// down to their minimum lengths when they do not fit and growing them back to
// their full lengths, moving one bar along the row (swapping it with a
// neighbour). The row window loads its bars' rectangles into it, runs one
// operation and moves the bars whose spans changed.
#pragma once

#include <cstddef>
#include <vector>

struct KGPRowSpan {
    int start = 0;       // from the row start
    int length = 0;      // now
    int minLength = 1;   // the bar never shrinks below this
    int fullLength = 0;  // the bar never grows beyond this (its full size)
    int homeStart = 0;   // where the bar wants to be (its full-size rectangle's start)
    int key = 0;         // the caller's tag (an index into its own list)

    int End() const { return start + length; }
};

class CKGPRowArrangement {
public:
    explicit CKGPRowArrangement(int rowLength) : m_rowLength(rowLength) {}

    int RowLength() const { return m_rowLength; }
    const std::vector<KGPRowSpan>& Spans() const { return m_spans; }
    std::vector<KGPRowSpan>& Spans() { return m_spans; }

    // Inserted before the first span that starts after it; answers its index.
    size_t Insert(const KGPRowSpan& span);
    // Row length minus the spans' lengths (their full lengths with bFull);
    // negative when they do not fit.
    int Available(bool bFull = false) const;
    // Grows (up to the full length) or shrinks (down to the minimum) one span
    // by `delta`; answers what it took.
    int Stretch(size_t index, int delta);
    // Keeps every span inside the row and apart, `moved` (or none, -1) first.
    void Arrange(int moved = -1);
    // Moves a span along the row by `delta`, pushing or (with bAllowSwap)
    // jumping over the next span; FALSE when there is no room that way.
    bool MoveInRow(size_t index, int delta, bool bAllowSwap);
    // Re-grows the spans towards their full lengths with the room left.
    void RestoreSizes();
    // The row's length changed: spans shrink when short; when it grew they grow
    // back, and return home once all fit at full length.
    void Resize(int newLength);

private:
    // Every span at full length, at its home start or just after the one before.
    void ReturnHome();
    void MoveBy(size_t index, int amount) { m_spans[index].start += amount; }
    void ResolveOverlaps(size_t index, bool bForward);
    void ShiftSpans(size_t index, int amount, bool bForward);
    void PullBack(size_t moved, int delta, bool bForward);
    int FreeRoom(size_t index, bool bForward) const;

    int m_rowLength;
    std::vector<KGPRowSpan> m_spans;
};
