// The tab windows' and tabbed panes' side of the links through which the
// bars (IKGPTabbedBarLink) and the tab windows (IKGPTabDockingLink) reach
// each other, with the tab windows' own link for the bars above. Registered
// by the first tabbed pane and by every library frame; a link already
// registered (a test's stand-in) is kept.
#pragma once

void KGPRegisterTabbedBarLinks();
