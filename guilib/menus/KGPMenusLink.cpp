#include "guilib/menus/KGPMenusLink.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/menus/KGPContextMenuManager.h"

namespace {

class CMenusLink final : public IKGPMenuLink {
public:
    // No library popup menu opens yet: none is open and none holds a modal state.
    CWnd* GetActivePopupMenu() const override { return nullptr; }
    BOOL IsModalState() const override { return FALSE; }
    BOOL HasContextMenuManager() const override { return g_pContextMenuManager != nullptr; }
    UINT TrackContextMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) override
    {
        return g_pContextMenuManager != nullptr
                   ? g_pContextMenuManager->TrackPopupMenu(hMenu, x, y, pOwner, bRightAlign)
                   : 0;
    }
};

} // namespace

void KGPRegisterMenuLink()
{
    static CMenusLink link;
    CKGPLink<IKGPMenuLink>::Register(&link);
}
