// The outline that follows the mouse while a bar or floating frame is dragged
// in drag-frame mode: an XOR frame on the desktop at the window's rectangle
// moved with the cursor, or at the place where the drag would dock; while the
// frame's smart-docking markers run, their place marker instead. It keeps
// the last cursor point, the rectangle drawn and the dock bar the drop would
// dock into.
#pragma once

#include <afxwin.h>

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
    // The dock bar a drop now would dock into, null when none.
    CKGPDockBar* GetTargetDockBar() const { return m_pTargetDockBar; }
    CPoint m_ptHot{-1, -1};

private:
    void DrawFrame(const CRect& rect, int nWidth);
    // The frame's smart-docking manager while it runs a drag, else null.
    CKGPSmartDockingManager* RunningSmartDocking() const;

    CWnd* m_pDraggedWnd = nullptr;
    CKGPDockManager* m_pDockManager = nullptr;
    CRect m_rectDrag;
    CRect m_rectExpectedDocked;
    CRect m_rectDrawn;
    int m_nDrawnWidth = 0;
    BOOL m_bFrameShown = FALSE;
    CKGPDockBar* m_pTargetDockBar = nullptr;
};
