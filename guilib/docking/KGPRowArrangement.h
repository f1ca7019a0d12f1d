// The arrangement of the bars of one dock-bar row along the row, on plain
// spans: pushing bars apart, shifting them back inside the row, shrinking them
// down to their minimum lengths when they do not fit and growing them back to
// their full lengths, moving one bar along the row (swapping it with a
// neighbour). The row window loads its bars' rectangles into it, runs one
// operation and moves the bars whose spans changed.
#pragma once

#include <cstddef>
#include <vector>

// The platform headers still define an old memory call of this name as a macro.
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

struct KGPRowSpan {
    int start = 0;       // from the row start
    int length = 0;      // now
    int minLength = 1;   // the bar never shrinks below this
    int fullLength = 0;  // the bar never grows beyond this (its full size)
    int homeStart = 0;   // where the bar wants to be (its full-size rectangle's start)
    int key = 0;         // the caller's tag (an index into its own list)

    int End() const { return start + length; }
};

// One bar placed in sequence: its length along the row and whether it opens a
// group (a bar inside a group overlaps the one before it).
struct KGPSequenceItem {
    int length = 0;
    bool bGroupStart = true;
};

// Where bars placed one after another from `start`, `gap` apart, begin: a bar
// that does not open a group begins `gap` + `border` earlier, and with
// `bOverlapHalf` also half its own length earlier.
std::vector<int> PlaceInSequence(const std::vector<KGPSequenceItem>& items, int start, int gap, int border,
                                 bool bOverlapHalf);

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
    // The row's length changed: spans shrink when short; when it grew (and
    // bGrowBack) they grow back, and return home once all fit at full length.
    void Resize(int newLength, bool bGrowBack = true);
    // The length of a row a bar keeps to itself changed: no span shrinks or
    // grows with it, the first and the last come back inside it, and when it
    // grew (and bGrowBack) with room for all at full length they return home.
    void ResizeKeepingSizes(int newLength, bool bGrowBack);
    // Puts the span moved to `moving` (by `delta`) in place: a span it now
    // overlaps is pushed on or, with bAllowSwap, jumps over it; spans pushed
    // earlier come back behind it. Answers the moved span's new index.
    size_t CheckMove(size_t index, const KGPRowSpan& moving, int delta, bool bAllowSwap);
    // A span sticking out before the row start or beyond its end comes back
    // inside (one longer than the row to the row start).
    void ClampToRow(size_t index);
    // Each span from `index` in the direction moves by what is still to
    // absorb of `amount`; every gap between spans absorbs its width.
    void ShiftBars(size_t index, int amount, bool bForward);
    // Room in the direction of the span: to the row's end (or start) less the
    // lengths of the spans lying that way.
    int GetFreeSpace(size_t index, bool bForward) const;

private:
    // Every span at full length, at its home start or just after the one before.
    void ReturnHome();
    void MoveBy(size_t index, int amount) { m_spans[index].start += amount; }
    void ResolveOverlaps(size_t index, bool bForward);
    void PullBackBars(size_t moved, int delta, bool bForward);

    int m_rowLength;
    std::vector<KGPRowSpan> m_spans;
};
