// The tab windows' side of IKGPTabWindowLink (guilib/core/KGPTabWindowLink.h),
// through which bars above them make and fill a tab window. Registered by the
// first tab window made and with the tabbed panes' links (so by every library
// frame); a link already registered (a test's stand-in) is kept.
#pragma once

void KGPRegisterTabWindowLink();
