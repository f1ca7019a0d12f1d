// The frames' answers to what the families below them ask of a frame,
// registered by every library frame as it is made.
#pragma once

class CKGPDockManager;

// What every library frame (SDI, MDI, MDI child, OLE) offers the link: the
// dock manager it embeds and its own docking layout.
class IKGPDockSite {
public:
    virtual CKGPDockManager* GetDockManager() = 0;
    virtual void AdjustDockingLayout() = 0;

protected:
    ~IKGPDockSite() = default;
};

void KGPRegisterFrameLinks();
