// What docking asks of the library's frames besides their docking: whether a
// window is the application bar, and the bars of an MDI frame's documents. The
// frames family registers its link when its first frame is made.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class IKGPFrameLink {
public:
    // TRUE for the library's application bar window: a bar on it has no dock
    // site, as a bar on a dialog.
    virtual BOOL IsApplicationBar(CWnd* /*pWnd*/) const { return FALSE; }
    // Appends the bars a frame holds besides those of its own dock manager:
    // an MDI frame's children's docked bars and the panes shown as tabbed
    // documents.
    virtual void AppendDocumentBars(CWnd* /*pFrame*/, CObList& /*list*/) const {}

protected:
    ~IKGPFrameLink() = default;
};
