// What the MDI client area asks of the frame that owns it and of the document
// windows it shows as tabs. The library's MDI frame and MDI child implement
// these; the client area finds them on its parent and on the MDI children
// (dynamic_cast), so a plain MDI frame or child simply answers nothing.
#pragma once

#include <afxwin.h>

class CKGPTabWnd;

// The MDI frame, as its client area sees it.
class IKGPMDIClientFrame {
public:
    // TRUE when the frame painted the client's background itself.
    virtual BOOL OnEraseMDIClientBackground(CDC* pDC) = 0;
    // The client rectangle and the strip's rectangle in MDI-tabs mode.
    virtual void OnAdjustMDIClientArea(CRect& rectClient, CRect& rectTabs) = 0;
    // The tab context menu (or the drop menu when bDrop); FALSE when not handled.
    virtual BOOL OnShowMDITabContextMenu(CPoint point, DWORD dwAllowedItems, BOOL bDrop) = 0;
    // The frame's menu while the MDI menu changes; TRUE: the frame took it.
    virtual BOOL OnSetMenu(HMENU hmenu) = 0;
    // The popup of the frame's Window menu found again after a refresh.
    virtual void OnRefreshWindowMenu() = 0;
    // A document window for a stored name (and the object stored with it), or
    // a further window for a document already opened; null when none is made.
    virtual CWnd* CreateDocumentWindow(LPCTSTR lpszDocName, CObject* pObj) = 0;
    virtual CWnd* CreateNewWindow(LPCTSTR lpszDocName, CObject* pObj) = 0;
    // The frame's docking pane with that id shown as a tabbed document (taken
    // out of a tabbed container first when it sits in one); null when the
    // frame has no such pane.
    virtual CWnd* PaneToTabbedDocument(UINT nPaneID) = 0;
    // The frame is closing (its children are being destroyed).
    virtual BOOL IsMDIFrameClosing() const = 0;
    virtual BOOL IsMDIFrameFullScreen() const = 0;

protected:
    ~IKGPMDIClientFrame() = default;
};

// A document window, as the client area sees it while it is a tab.
class IKGPMDITabChild {
public:
    // FALSE keeps the window off the tabs.
    virtual BOOL CanShowOnMDITabs() = 0;
    virtual void GetFrameText(CString& strText) const = 0;
    virtual HICON GetFrameIcon() const = 0;
    // The document's path name (empty without one) and, in *ppObj, an object
    // stored with it (null when none); the caller deletes the object.
    virtual CString GetDocumentName(CObject** ppObj) = 0;
    // The tab group that shows the window (null: none).
    virtual CKGPTabWnd* GetRelatedTabGroup() const = 0;
    virtual void SetRelatedTabGroup(CKGPTabWnd* pGroup) = 0;
    // Set while the window's tab is removed as the window is destroyed.
    virtual BOOL IsToBeDestroyed() const = 0;
    virtual void SetToBeDestroyed(BOOL bToBeDestroyed) = 0;
    // The id of the docking pane the window wraps; -1 when it wraps none.
    virtual int GetTabbedPaneID() const = 0;

protected:
    ~IKGPMDITabChild() = default;
};
