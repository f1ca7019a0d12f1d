// The docking family's links: the tab windows' and tabbed panes' side of the
// links through which the bars (IKGPTabbedBarLink) and the tab windows
// (IKGPTabDockingLink) reach each other. Every library frame registers them
// with every family's links (KGPRegisterLibraryLinks), and every tabbed pane
// as it is made.
#pragma once

// Registers the docking family's links (again: changes nothing).
void KGPRegisterDockingLinks();
