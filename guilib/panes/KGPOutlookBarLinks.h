// The panes family's links: the panes' side of the link through which
// docking makes an outlook bar at a pane's place (IKGPOutlookBarLink). Every
// library frame registers it with every family's links
// (KGPRegisterLibraryLinks), and every outlook bar as it is made.
#pragma once

// Registers the panes family's links (again: changes nothing).
void KGPRegisterPanesLinks();
