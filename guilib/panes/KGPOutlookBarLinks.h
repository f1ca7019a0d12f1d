// The panes' side of the link through which docking makes an outlook bar at a
// pane's place (IKGPOutlookBarLink). Registered by the first outlook bar; a
// link already registered (a test's stand-in) is kept.
#pragma once

void KGPRegisterOutlookBarLink();
