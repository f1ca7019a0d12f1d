#include "guilib/frames/KGPFrameLinks.h"

#include "guilib/docking/KGPFrameLink.h"
#include "guilib/frames/KGPFrameWnd.h"

namespace {

// The dock manager of a library frame, tested by kind.
class CFrameLink final : public IKGPFrameLink {
public:
    CKGPDockManager* GetFrameDockManager(CWnd* pWnd) const override
    {
        if (auto* pFrame = DYNAMIC_DOWNCAST(CKGPFrameWnd, pWnd))
            return pFrame->GetDockManager();
        return nullptr;
    }
};

} // namespace

void KGPRegisterFrameLinks()
{
    static CFrameLink link;
    CKGPLink<IKGPFrameLink>::Register(&link);
}
