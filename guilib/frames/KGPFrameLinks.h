// The frames' answers to what the families below them ask of a frame,
// registered by every library frame as it is made.
#pragma once

#include <windows.h>

class CKGPBaseControlBar;
class CKGPDockManager;
class CKGPMiniFrameWnd;

// What every library frame (SDI, MDI, MDI child, OLE) offers the link: the
// dock manager it embeds and its own docking layout.
class IKGPDockSite {
public:
    virtual CKGPDockManager* GetDockManager() = 0;
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr) = 0;
    // A floating frame of this frame asks to close, or moved while dragged
    // (FALSE: it docked).
    virtual BOOL OnCloseMiniFrame(CKGPMiniFrameWnd* pMiniFrame) = 0;
    virtual BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame) = 0;
    // A docking pane of this frame is to close: FALSE when the frame closed it itself.
    virtual BOOL OnCloseDockingBar(CKGPBaseControlBar* pBar) = 0;

protected:
    ~IKGPDockSite() = default;
};

void KGPRegisterFrameLinks();
