#include "guilib/toolbars/KGPToolBarShared.h"

#include "guilib/core/KGPMenuLinks.h"

#include <algorithm>

BOOL CKGPToolBarShared::s_bCustomizing = FALSE;
BOOL CKGPToolBarShared::s_bAltDragCustomizing = FALSE;
BOOL CKGPToolBarShared::s_bLargeIconMode = FALSE;
CKGPToolBarImages* CKGPToolBarShared::s_pUserImageStrip = nullptr;
CKGPToolBarImages* CKGPToolBarShared::s_pImagesNormal = nullptr;
CKGPToolBarImages* CKGPToolBarShared::s_pImagesMenu = nullptr;
int CKGPToolBarShared::s_nMenuImageWidth = 16;
std::list<UINT> CKGPToolBarShared::s_lstAlwaysShownCommands;
BOOL CKGPMenuHashBusy::s_bBusy = FALSE;

BOOL CKGPToolBarShared::IsBasicCommand(UINT uiCmd)
{
    const auto& basic = s_lstAlwaysShownCommands;
    return std::find(basic.begin(), basic.end(), uiCmd) != basic.end();
}

namespace {

// How the families below the toolbars learn of customisation mode.
class CToolbarLink final : public IKGPToolbarLink {
public:
    BOOL IsCustomizeMode() const override { return CKGPToolBarShared::s_bCustomizing; }
};

} // namespace

void CKGPToolBarShared::RegisterLink()
{
    static CToolbarLink link;
    CKGPLink<IKGPToolbarLink>::Register(&link);
}

void CKGPToolBarShared::AddBasicCommand(UINT uiCmd)
{
    if (!IsBasicCommand(uiCmd))
        s_lstAlwaysShownCommands.push_back(uiCmd);
}
