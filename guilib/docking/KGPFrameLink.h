// What docking asks of the library's frames: the dock manager a frame of any
// kind embeds. The frames family registers its link when its first frame is
// made; until then no window has a frame dock manager.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPDockManager;

class IKGPFrameLink {
public:
    // The dock manager embedded in the window when it is a library frame
    // (SDI, MDI, MDI child or OLE frame), else null.
    virtual CKGPDockManager* GetFrameDockManager(CWnd* pWnd) const = 0;
    // A library frame lays its docked bars out again (TRUE); anything else
    // answers FALSE.
    virtual BOOL AdjustFrameDockingLayout(CWnd* pWnd) const = 0;

protected:
    ~IKGPFrameLink() = default;
};
