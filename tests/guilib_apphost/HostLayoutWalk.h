// A seeded walk of docking operations over the host's panes, as a user
// rearranges them (dock at an edge, beside another pane, float, tab onto
// another, auto-hide and back, resize, hide, show): each seed gives its own
// layout, made in the running frame.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockingControlBar.h"
#include "tests/support/DockingWalk.h"

#include <string>
#include <vector>

namespace apphost {

class CLayoutWalk {
public:
    CLayoutWalk(CFrameWnd& frame, std::vector<CKGPDockingControlBar*> panes, unsigned long seed);
    // One operation on a pane picked at random; what it did, for the log.
    std::string Step();

private:
    int Pick(int n) { return m_draws.Pick(n); }

    CFrameWnd& m_frame;
    std::vector<CKGPDockingControlBar*> m_panes;
    docking_walk::CSeededDraws m_draws;
};

} // namespace apphost
