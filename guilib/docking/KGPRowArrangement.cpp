#include "guilib/docking/KGPRowArrangement.h"

#include <algorithm>
#include <cstdlib>

std::vector<int> PlaceInSequence(const std::vector<KGPSequenceItem>& items, int start, int gap, int border,
                                 bool bOverlapHalf)
{
    std::vector<int> starts;
    starts.reserve(items.size());
    int position = start;
    for (const KGPSequenceItem& item : items) {
        int at = position;
        if (!item.bGroupStart) {
            at -= gap + border;
            if (bOverlapHalf)
                at -= item.length / 2;
        }
        starts.push_back(at);
        position = at + item.length + gap;
    }
    return starts;
}

size_t CKGPRowArrangement::Insert(const KGPRowSpan& span)
{
    const auto at = std::find_if(m_spans.begin(), m_spans.end(),
                                 [&](const KGPRowSpan& other) { return span.start < other.start; });
    const auto inserted = m_spans.insert(at, span);
    return static_cast<size_t>(inserted - m_spans.begin());
}

int CKGPRowArrangement::Available(bool bFull) const
{
    int used = 0;
    for (const KGPRowSpan& span : m_spans)
        used += bFull ? span.fullLength : span.length;
    return m_rowLength - used;
}

int CKGPRowArrangement::Stretch(size_t index, int delta)
{
    KGPRowSpan& span = m_spans[index];
    if (delta >= 1)
        delta = (std::min)(delta, (std::max)(0, span.fullLength - span.length));
    else
        delta = (std::max)(delta, -(std::max)(0, span.length - span.minLength));
    span.length += delta;
    return delta;
}

void CKGPRowArrangement::ResolveOverlaps(size_t index, bool bForward)
{
    if (bForward) {
        for (size_t j = index + 1; j < m_spans.size(); ++j) {
            const int overlap = m_spans[j - 1].End() - m_spans[j].start;
            if (overlap > 0)
                MoveBy(j, overlap);
        }
    } else {
        for (size_t j = index; j-- > 0;) {
            const int overlap = m_spans[j].End() - m_spans[j + 1].start;
            if (overlap > 0)
                MoveBy(j, -overlap);
        }
    }
}

void CKGPRowArrangement::ShiftBars(size_t index, int amount, bool bForward)
{
    // Each span moves by what is still to absorb; every gap absorbs its width.
    if (bForward) {
        int prevOldEnd = 0;
        for (size_t j = index; j < m_spans.size(); ++j) {
            if (j > index)
                amount -= m_spans[j].start - prevOldEnd;
            if (amount <= 0)
                break;
            prevOldEnd = m_spans[j].End();
            MoveBy(j, amount);
        }
        return;
    }
    int nextOldStart = 0;
    for (size_t j = index + 1; j-- > 0;) {
        if (j < index)
            amount += nextOldStart - m_spans[j].End();
        if (amount >= 0)
            break;
        nextOldStart = m_spans[j].start;
        MoveBy(j, amount);
    }
}

void CKGPRowArrangement::Arrange(int moved)
{
    if (m_spans.empty() || m_rowLength <= 0)
        return;
    const int available = Available();
    if (m_spans.size() == 1 && available < 0) {
        Stretch(0, available);
        m_spans[0].start = 0;
        return;
    }
    if (moved >= 0) {
        ResolveOverlaps(static_cast<size_t>(moved), false);
        ResolveOverlaps(static_cast<size_t>(moved), true);
    } else {
        ResolveOverlaps(0, true);
    }
    if (m_spans.front().start < 0)
        ShiftBars(0, -m_spans.front().start, true);
    const size_t last = m_spans.size() - 1;
    const int beyond = m_spans[last].End() - m_rowLength;
    if (beyond < 1)
        return;
    if (available >= 1) {
        ShiftBars(last, -beyond, false);
        return;
    }
    ShiftBars(last, std::abs(available) - beyond, false);
    int remaining = available;
    for (size_t j = last + 1; j-- > 0 && remaining < 0;) {
        const int taken = Stretch(j, remaining);
        MoveBy(j, -(std::abs(remaining) - std::abs(taken))); // back by what the bars before it will give
        if (taken == remaining)
            break;
        remaining -= taken;
    }
}

int CKGPRowArrangement::GetFreeSpace(size_t index, bool bForward) const
{
    int room = bForward ? m_rowLength - m_spans[index].End() : m_spans[index].start;
    for (size_t j = 0; j < m_spans.size(); ++j) {
        if (bForward ? j > index : j < index)
            room -= m_spans[j].length;
    }
    return room;
}

void CKGPRowArrangement::PullBackBars(size_t moved, int delta, bool bForward)
{
    // Spans behind the moved one that were pushed earlier return towards home.
    for (size_t j = 0; j < m_spans.size(); ++j) {
        if (j == moved || (bForward ? j > moved : j < moved))
            continue;
        KGPRowSpan& span = m_spans[j];
        const int away = span.homeStart - span.start;
        if (away == 0)
            continue;
        const int step = (std::min)(std::abs(delta), std::abs(away));
        MoveBy(j, away > 0 ? step : -step);
        ResolveOverlaps(j, !bForward);
    }
}

bool CKGPRowArrangement::MoveInRow(size_t index, int delta, bool bAllowSwap)
{
    const bool bForward = delta >= 0;
    const int room = GetFreeSpace(index, bForward);
    if (room <= 0)
        return false;
    delta = bForward ? (std::min)(delta, room) : (std::max)(delta, -room);
    KGPRowSpan moving = m_spans[index];
    moving.start += delta;
    moving.homeStart += delta;
    index = CheckMove(index, moving, delta, bAllowSwap);
    Arrange(static_cast<int>(index));
    return true;
}

size_t CKGPRowArrangement::CheckMove(size_t index, const KGPRowSpan& moving, int delta, bool bAllowSwap)
{
    const bool bForward = delta >= 0;
    size_t hit = m_spans.size();
    for (size_t j = 0; j < m_spans.size(); ++j) {
        if (j != index && m_spans[j].start < moving.End() && moving.start < m_spans[j].End()) {
            hit = j;
            break;
        }
    }
    m_spans[index] = moving;
    if (hit == m_spans.size()) {
        PullBackBars(index, delta, bForward);
        return index;
    }
    KGPRowSpan& other = m_spans[hit];
    const bool ahead = bForward ? hit > index : hit < index;
    const int homeEnd = other.homeStart + other.length;
    const bool homeHit = other.homeStart < moving.End() && moving.start < homeEnd;
    if (bAllowSwap && ahead && homeHit) {
        // The neighbour jumps to the other side and takes the moved span's place in the list.
        KGPRowSpan jumped = other;
        jumped.start = bForward ? moving.start - jumped.length : moving.End();
        jumped.homeStart = jumped.start;
        // Going forward the neighbour stood after the moved span and goes in
        // before it; going back it stood before it (the moved span is one
        // nearer the front once it is out) and goes in after it: either way at
        // `index`.
        m_spans.erase(m_spans.begin() + static_cast<std::ptrdiff_t>(hit));
        const size_t at = index;
        m_spans.insert(m_spans.begin() + static_cast<std::ptrdiff_t>(at), jumped);
        ResolveOverlaps(at, !bForward);
        return bForward ? index + 1 : index - 1;
    }
    const int overlap = bForward ? moving.End() - other.start : other.End() - moving.start;
    MoveBy(hit, bForward ? overlap : -overlap);
    ResolveOverlaps(hit, bForward);
    PullBackBars(index, delta, bForward);
    return index;
}

void CKGPRowArrangement::ClampToRow(size_t index)
{
    KGPRowSpan& span = m_spans[index];
    if (span.start < 0)
        MoveBy(index, -span.start);
    else if (span.End() > m_rowLength)
        MoveBy(index, -(std::min)(span.End() - m_rowLength, span.start));
}

void CKGPRowArrangement::RestoreSizes()
{
    int left = Available();
    for (size_t j = 0; j < m_spans.size() && left >= 1; ++j)
        left -= Stretch(j, left);
    Arrange();
}

void CKGPRowArrangement::ReturnHome()
{
    int end = 0;
    for (KGPRowSpan& span : m_spans) {
        span.length = (std::max)(span.length, span.fullLength);
        span.start = (std::max)(span.homeStart, end);
        end = span.End();
    }
    Arrange();
}

void CKGPRowArrangement::Resize(int newLength, bool bGrowBack)
{
    const bool grow = newLength > m_rowLength;
    m_rowLength = newLength;
    if (!grow || !bGrowBack)
        Arrange();
    else if (Available(true) >= 1)
        ReturnHome(); // pushed aside while the row was short: back to where they were
    else
        RestoreSizes();
}

void CKGPRowArrangement::ResizeKeepingSizes(int newLength, bool bGrowBack)
{
    const bool grow = newLength > m_rowLength;
    m_rowLength = newLength;
    if (m_spans.empty())
        return;
    ClampToRow(0);
    ClampToRow(m_spans.size() - 1);
    if (grow && bGrowBack && Available(true) >= 1)
        ReturnHome(); // moved aside while the row was short: back to where they were
}
