// What a frame that docks bars decides itself, asked by docking on the way:
// its layout after its docked bars (the view, an MDI client area, a
// container's borders), a floating frame's move and close, a pane's close.
// Every library frame that docks bars implements it and hands it to its dock
// manager as it makes it; docking reaches it through that manager
// (CKGPDockManager::GetSite).
#pragma once

#include <afxwin.h>

class CKGPBaseControlBar;
class CKGPDockManager;
class CKGPMiniFrameWnd;

class IKGPDockSite {
public:
    // The frame's own dock manager.
    virtual CKGPDockManager* GetDockManager() = 0;
    // Lays the docked bars out again, then what they leave.
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr) = 0;
    // A floating frame of this frame moved while dragged: FALSE when it
    // docked (the frame does not follow the mouse then). The dock manager
    // decides unless the frame decides otherwise.
    virtual BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame);
    // A floating frame of this frame asks to close: FALSE keeps it.
    virtual BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* pMiniFrame) = 0;
    // A docking pane of this frame is to close: FALSE when the frame took
    // care of it itself (the pane then stays as it is).
    virtual BOOL OnCloseDockingBar(CKGPBaseControlBar* pBar) = 0;

protected:
    ~IKGPDockSite() = default;
};
