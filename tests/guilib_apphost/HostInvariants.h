// What the host's layout is held to after every step a user takes (the
// monkey's, MonkeyTest.cpp): the docking layout sound by the library's
// layout checker (every pane, toolbar and the menu bar in exactly one place,
// every split tree filled, a pane shown where it stands unless the user
// closed it, floating frames on the screen); a pane docked in a tree at an
// edge naming that edge (a restart docks it at the edge it names); the
// outlook bar whole with its pages and their buttons; no window of the
// library or the layer without the object that owns it; and, at rest (no
// drag, no menu), no top-level window shown but the frame, the floating
// frames the dock manager lists, the customisation sheet and tooltips.
#pragma once

#include <afxwin.h>

#include <set>
#include <string>
#include <vector>

class CHostMainFrame;
class CKGPDockingControlBar;

namespace apphost {

// A pane shows where it stands: its window, its tab (in a tabbed pane that
// shows in turn) or its button on an auto-hide strip.
bool IsPaneShownInHost(CKGPDockingControlBar& pane);

// The faults found, one line each; empty when all holds. `closedOnPurpose`:
// the control ids of the panes the user closed and has not shown again.
std::vector<std::string> CheckHostInvariants(CHostMainFrame& frame, const std::set<int>& closedOnPurpose);

// The faults as one text, a line each.
std::string JoinFaults(const std::vector<std::string>& faults);

} // namespace apphost
