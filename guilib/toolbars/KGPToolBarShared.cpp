#include "guilib/toolbars/KGPToolBarShared.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <algorithm>

BOOL CKGPToolBarShared::s_bCustomizing = FALSE;
BOOL CKGPToolBarShared::s_bAltDragCustomizing = FALSE;
BOOL CKGPToolBarShared::s_bLargeIconMode = FALSE;
BOOL CKGPToolBarShared::s_bLargeIconsLookSmall = FALSE;
CKGPToolBarImages* CKGPToolBarShared::s_pUserImageStrip = nullptr;
CKGPToolBarImages CKGPToolBarShared::s_imgNormal;
CKGPToolBarImages CKGPToolBarShared::s_imgCold;
CKGPToolBarImages CKGPToolBarShared::s_imgMenu;
CKGPToolBarImages CKGPToolBarShared::s_imgDisabled;
CKGPToolBarImages CKGPToolBarShared::s_imgMenuDisabled;
CKGPToolBarImages CKGPToolBarShared::s_imgLarge;
CKGPToolBarImages CKGPToolBarShared::s_imgLargeCold;
CKGPToolBarImages CKGPToolBarShared::s_imgLargeDisabled;
CSize CKGPToolBarShared::s_sizeButton(23, 22);
CSize CKGPToolBarShared::s_sizeImage(16, 15);
CSize CKGPToolBarShared::s_sizeButtonNow(23, 22);
CSize CKGPToolBarShared::s_sizeImageNow(16, 15);
CSize CKGPToolBarShared::s_sizeMenuImage(-1, -1);
CSize CKGPToolBarShared::s_sizeMenuButton(-1, -1);
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
    CLIPFORMAT GetButtonClipboardFormat() const override { return CKGPToolbarButton::GetClipboardFormat(); }
};

} // namespace

void KGPRegisterToolbarsLinks()
{
    static CToolbarLink link;
    KGPRegisterLink<IKGPToolbarLink>(link);
}

void CKGPToolBarShared::AddBasicCommand(UINT uiCmd)
{
    if (!IsBasicCommand(uiCmd))
        s_lstAlwaysShownCommands.push_back(uiCmd);
}

CSize CKGPToolBarShared::GetMenuImageSize() { return s_sizeMenuImage.cx != -1 ? s_sizeMenuImage : s_sizeImage; }

CSize CKGPToolBarShared::GetMenuButtonSize() { return s_sizeMenuButton.cx != -1 ? s_sizeMenuButton : s_sizeButton; }
