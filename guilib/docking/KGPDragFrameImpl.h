// The outline that follows the mouse while a bar or floating frame is dragged
// in drag-frame mode: an XOR frame on the desktop at the window's rectangle
// moved with the cursor, or at the place where the drag would dock (shaped
// like a tabbed pane where the drop would make the pane a tab); while the
// frame's smart-docking markers run, their place marker instead. Over a
// tabbed pane the drop would join, a placeholder pane stands in its tab strip
// as a preview tab (hidden while the markers run, their place marker showing
// the shape) until the cursor leaves that pane or the drag ends. It keeps the
// last cursor point, the rectangle drawn and the dock bar the drop would dock
// into, and owns the placeholder.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "guilib/docking/KGPSmartDockingGeometry.h"

class CKGPBaseControlBar;
class CKGPBaseTabbedBar;
class CKGPDockBar;
class CKGPDummyDockingControlBar;
class CKGPDockManager;
class CKGPSmartDockingManager;

class CKGPDragFrameImpl {
public:
    CKGPDragFrameImpl() = default;
    ~CKGPDragFrameImpl();
    CKGPDragFrameImpl(const CKGPDragFrameImpl&) = delete;
    CKGPDragFrameImpl& operator=(const CKGPDragFrameImpl&) = delete;

    // Binds the tracker to the dragged window and its frame's dock manager.
    void Init(CWnd* pDraggedWnd);
    // Remembers where the drag starts (screen).
    void StartDrag(CPoint ptCursor);
    // Moves the outline to the cursor (forced: even for a move shorter than the
    // system's drag distance); over a docking place it shows that place.
    void MoveDragFrame(BOOL bForceMove = FALSE);
    // Erases the outline; with bClearInternalRects also forgets the rectangles
    // and takes the preview tab out (it stays while a drop is being docked).
    void EndDrawDragFrame(BOOL bClearInternalRects = TRUE);

    CRect GetDragRect() const { return m_rectDrag; }
    // Whether something shows where the drag goes: the outline or a preview tab.
    BOOL IsFrameShown() const { return m_bFrameShown || IsTabPreviewShown(); }
    // The tabbed pane showing the preview tab, null when none; the preview
    // tab's index there (-1 when none).
    CKGPBaseTabbedBar* GetTabPreviewTarget() const;
    BOOL IsTabPreviewShown() const { return GetTabPreviewTarget() != nullptr; }
    int GetPreviewTabIndex() const { return m_nInsertedTabIndex; }
    // Whether a drop now would make the dragged pane a tab (the tab-shaped
    // outline or the preview tab shows).
    BOOL IsDropAsTab() const { return m_bTabShape || IsTabPreviewShown(); }
    // The window of the tabbed pane the last preview stood in (kept after
    // the drag ends).
    HWND GetPreviousTarget() const { return m_hPrevTargetBar; }
    // The placeholder pane (null until a preview first needs it).
    CKGPDummyDockingControlBar* GetPlaceholder() const { return m_pDummyBar.get(); }
    // Whether the outline has the shape of a tabbed pane (the drop would
    // make the pane a tab), and that shape (screen).
    BOOL IsTabShapeShown() const { return m_bTabShape; }
    kgp::smartdock::TabbedPlace GetTabbedPlace() const { return m_tabbedPlace; }
    // The dock bar a drop now would dock into, null when none.
    CKGPDockBar* GetTargetDockBar() const { return m_pTargetDockBar; }
    CPoint m_ptHot{-1, -1};

private:
    // Erases the outline drawn and draws the shape's (none: an empty body).
    void DrawFrame(const kgp::smartdock::TabbedPlace& shape, int nWidth);
    void DrawFrame(const CRect& rect, int nWidth);
    // The frame's smart-docking manager while it runs a drag, else null.
    CKGPSmartDockingManager* RunningSmartDocking() const;
    // The tabbed pane a drop at the cursor would join as a tab (it has tabs
    // and takes the dragged pane), null when none.
    CKGPBaseTabbedBar* TabPreviewTargetOf(CKGPBaseControlBar* pTarget, CKGPBaseControlBar* pDragged) const;
    // Puts the placeholder into the target's tab strip (hidden while the
    // markers run); FALSE when it could not.
    BOOL ShowTabPreview(CKGPBaseTabbedBar* pTarget, BOOL bSmart);
    // Takes the placeholder's tab out of the pane showing it; the pane keeps
    // its other tabs and its active tab.
    void RemoveTabPreview();
    // The placeholder, made on first need (again when its window went with a
    // pane it stood in); null when it cannot be made.
    CKGPDummyDockingControlBar* Placeholder();

    struct DummyBarDeleter {
        void operator()(CKGPDummyDockingControlBar* pBar) const;
    };

    CWnd* m_pDraggedWnd = nullptr;
    CKGPDockManager* m_pDockManager = nullptr;
    CRect m_rectDrag;
    CRect m_rectExpectedDocked;
    std::vector<kgp::Box> m_drawnBands;
    BOOL m_bFrameShown = FALSE;
    BOOL m_bTabShape = FALSE;
    kgp::smartdock::TabbedPlace m_tabbedPlace;
    CKGPDockBar* m_pTargetDockBar = nullptr;

    // The preview tab: the pane showing it (by window, which may go while it
    // shows), its index, and the pane that showed the last one.
    CKGPBaseTabbedBar* m_pTargetBar = nullptr;
    HWND m_hTargetBar = nullptr;
    int m_nInsertedTabIndex = -1;
    HWND m_hPrevTargetBar = nullptr;
    std::unique_ptr<CKGPDummyDockingControlBar, DummyBarDeleter> m_pDummyBar;
};
