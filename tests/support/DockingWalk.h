// What the seeded docking walks share (the docking suite's run of operations
// and the application host's layout walk): the draws of one seed and the
// question each asks of a pane before most operations. Each walk keeps its own
// operations: their guards, sizes and order of draws make its seeds' runs.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockingControlBar.h"

#include <random>

namespace docking_walk {

// The edges a pane may dock at, in the order a draw picks them.
inline constexpr DWORD kEdges[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};

// Numbers drawn from one seed: the same seed, the same walk.
class CSeededDraws {
public:
    explicit CSeededDraws(unsigned long seed) : m_random(seed) {}
    // A number from 0 to n - 1.
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    DWORD Edge() { return kEdges[Pick(4)]; }

private:
    std::mt19937 m_random;
};

// Docked in an edge's tree: neither auto-hidden, nor a tab, nor floating.
inline bool IsPlainDocked(CKGPDockingControlBar* pane)
{
    return !pane->IsAutoHideMode() && !pane->IsTabbed() && pane->GetParentMiniFrame(TRUE) == nullptr &&
           pane->GetDefaultPaneSlider() != nullptr;
}

} // namespace docking_walk
