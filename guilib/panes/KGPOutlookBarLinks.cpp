#include "guilib/panes/KGPOutlookBarLinks.h"

#include "guilib/docking/KGPOutlookBarLink.h"
#include "guilib/panes/KGPOutlookBar.h"

#include <memory>

namespace {

class COutlookBarLink final : public IKGPOutlookBarLink {
public:
    CKGPDockingControlBar* CreateOutlookBar(CKGPDockingControlBar* pPane) override
    {
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr || pPane->GetParent() == nullptr)
            return nullptr;
        CRect rect;
        pPane->GetWindowRect(rect);
        pPane->GetParent()->ScreenToClient(rect);
        auto pBar = std::make_unique<CKGPOutlookBar>();
        pBar->SetDockSite(pPane->GetDockSiteFrame());
        const DWORD style = WS_CHILD | WS_VISIBLE | (pPane->GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) |
                        (pPane->GetBarStyleWord() & CBRS_ALIGN_ANY);
        // Made as a plain docking pane (not docked nor registered by itself):
        // whoever asked puts it in the pane's place.
        if (!pBar->CreateEx(0, _T(""), pPane->GetParent(), rect, FALSE, static_cast<UINT>(-1), style,
                            KGP_TAB_STYLE_OUTLOOK, pPane->GetLibraryBarStyle()))
            return nullptr; // its window was never made: the object is still ours
        pBar->SetAutoDestroy(TRUE);
        pBar->CopyPaneState(pPane);
        return pBar.release(); // the window owns it now
    }
};

}  // namespace

void KGPRegisterPanesLinks()
{
    static COutlookBarLink link;
    KGPRegisterLink<IKGPOutlookBarLink>(link);
}
