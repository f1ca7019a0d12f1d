// How docking makes an outlook bar at a pane's place when panes are grouped
// in outlook style. The panes family registers it (KGPRegisterPanesLinks);
// until then panes grouped in outlook style make no tabbed pane.
#pragma once

#include "guilib/core/KGPLink.h"

class CKGPDockingControlBar;

class IKGPOutlookBarLink {
public:
    // A new outlook bar at the pane's place: same parent, rectangle, docked
    // and floating places; its window owns it. Null when none is made.
    virtual CKGPDockingControlBar* CreateOutlookBar(CKGPDockingControlBar* pPlaceOf) = 0;

protected:
    ~IKGPOutlookBarLink() = default;
};
