// The outline that follows the mouse while a bar or floating frame is dragged
// in drag-frame mode: an XOR frame on the desktop at the window's rectangle
// moved with the cursor, or at the place where the drag would dock (shaped
// like a tabbed pane where the drop would make the pane a tab); while the
// frame's smart-docking markers run, their place marker instead. It keeps
// the last cursor point, the rectangle drawn and the dock bar the drop would
// dock into.
#pragma once

#include <afxwin.h>

#include <vector>

#include "guilib/docking/KGPSmartDockingGeometry.h"

class CKGPBaseControlBar;
class CKGPDockBar;
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
    // Erases the outline; with bClearInternalRects also forgets the rectangles.
    void EndDrawDragFrame(BOOL bClearInternalRects = TRUE);

    CRect GetDragRect() const { return m_rectDrag; }
    BOOL IsFrameShown() const { return m_bFrameShown; }
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

    CWnd* m_pDraggedWnd = nullptr;
    CKGPDockManager* m_pDockManager = nullptr;
    CRect m_rectDrag;
    CRect m_rectExpectedDocked;
    std::vector<kgp::Box> m_drawnBands;
    BOOL m_bFrameShown = FALSE;
    BOOL m_bTabShape = FALSE;
    kgp::smartdock::TabbedPlace m_tabbedPlace;
    CKGPDockBar* m_pTargetDockBar = nullptr;
};
