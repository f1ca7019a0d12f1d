// What docking asks of the MDI frame about panes shown as tabbed documents.
// The frames family registers it with its frames; until then no pane becomes
// a tabbed document.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPDockingControlBar;

class IKGPTabbedDocumentLink {
public:
    // TRUE when the frame is an MDI frame that shows its documents as tabs
    // (one strip or tab groups).
    virtual BOOL IsInMDITabMode(CWnd* pDockSite) const = 0;
    // The pane becomes a tabbed document of its MDI frame; FALSE when none was made.
    virtual BOOL ControlBarToTabbedDocument(CKGPDockingControlBar* pBar) = 0;
    // The tabbed document showing the pane gives it back to docking.
    virtual BOOL TabbedDocumentToControlBar(CKGPDockingControlBar* pBar) = 0;

protected:
    ~IKGPTabbedDocumentLink() = default;
};
